#include "shell/dialogs/popup_window.h"

#include <QVBoxLayout>

namespace vlm {

PopupWindow::PopupWindow(Shape shape, QWidget* parent) : QDialog(parent), shape_(shape)
{
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(this, &QDialog::finished, this, [this] { closed(); });
}

QSize PopupWindow::sizeHint() const
{
    const QSize own = shape_ == Shape::Wide ? QSize(620, 440) : QSize(340, 440);
    return frame_ ? own.expandedTo(frame_->sizeHint()) : own;
}

void PopupWindow::showFrame(QWidget* frame, const QString& title, std::function<void()> onClosed)
{
    if (frame_) {
        // One frame at a time: the one showing is finished first.
        closed();
    }
    frame_ = frame;
    onClosed_ = std::move(onClosed);
    if (frame) {
        frame->setParent(this);
        layout()->addWidget(frame);
    }
    setWindowTitle(title);
    resize(sizeHint());
    show();
    raise();
    activateWindow();
}

void PopupWindow::closed()
{
    auto onClosed = std::move(onClosed_);
    onClosed_ = nullptr;
    if (frame_) {
        layout()->removeWidget(frame_);
        frame_->hide();
        frame_->deleteLater();
        frame_ = nullptr;
    }
    if (onClosed)
        onClosed();
}

} // namespace vlm
