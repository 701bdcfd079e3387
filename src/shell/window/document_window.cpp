#include "shell/window/document_window.h"

#include "shell/window/document_files.h"
#include "shell/window/recent_files.h"
#include "shell/window/view_widget.h"
#include "texts/file_texts.h"

#include <QAction>
#include <QCloseEvent>

#include <memory>

namespace vlm {

DocumentWindow::DocumentWindow(DocumentWindowOwner& owner, const ScreenMetrics& metrics,
                               const ViewSettings& viewSettings, QWidget* parent)
    : QMdiSubWindow(parent), owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    document_.items.setMetrics(metrics);
    view_ = new ViewWidget(document_, viewSettings);
    setWidget(view_);
}

DocumentWindow::~DocumentWindow()
{
    // The view paints from the Document, which is a member and goes first
    // otherwise: take the view down while the Document still exists.
    std::unique_ptr<QWidget> view(widget());
    setWidget(nullptr);
}

QString DocumentWindow::caption() const
{
    const QString path = PathOf(document_);
    if (!path.trimmed().isEmpty())
        return FileCaption(path);
    return QString::fromUtf8(texts::kUntitled) + QLatin1Char(' ') + QString::fromStdString(document_.untitledNumber);
}

void DocumentWindow::updateCaption()
{
    const QString c = caption();
    setWindowTitle(c);
    if (windowMenuEntry_)
        windowMenuEntry_->setText(c);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (!owner_.queryClose(*this)) {
        event->ignore();
        return;
    }
    closed_ = true;
    view_->beginClose();
    owner_.windowClosed(*this);
    QMdiSubWindow::closeEvent(event);
}

} // namespace vlm
