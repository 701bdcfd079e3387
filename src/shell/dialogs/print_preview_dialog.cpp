#include "shell/dialogs/print_preview_dialog.h"

#include "output/export_picture.h"
#include "platform/ui_text.h"
#include "texts/output_texts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


constexpr int kPreparingDelayMs = 200;

// A printer: a sheet going in at the top, the body, and a printed sheet
// coming out in front.
QIcon PrinterIcon()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(9, 2, 14, 10);
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(2, 11, 28, 12, 2, 2);
    p.setBrush(QColor(40, 160, 60));
    p.drawEllipse(24, 14, 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(7, 19, 18, 11);
    p.drawLine(10, 23, 22, 23);
    p.drawLine(10, 26, 19, 26);
    return QIcon(picture);
}

// The room left between the sheet and the pane's edges.
constexpr int kSheetMargin = 10;

} // namespace

// The pane: the preview image centred, reduced to fit the pane when it is
// larger, with its proportions kept. Resizing the pane fits it again from
// the same image; nothing is rendered anew.
class PrintPreviewDialog::SheetView : public QWidget
{
public:
    explicit SheetView(QWidget* parent) : QWidget(parent)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Dark);
    }

    void setImage(QImage image)
    {
        image_ = std::move(image);
        update();
    }

    QRect sheetRect() const
    {
        if (image_.isNull())
            return {};
        const QSize room = size() - QSize(2 * kSheetMargin, 2 * kSheetMargin);
        QSize shown = image_.size();
        if (shown.width() > room.width() || shown.height() > room.height())
            shown.scale(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
        shown = shown.expandedTo(QSize(1, 1));
        return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (image_.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(sheetRect(), image_);
    }

private:
    QImage image_;
};

PrintPreviewDialog::PrintPreviewDialog(Document& document, std::string selection, SheetEnvironment env,
                   std::function<void(const Bitmap&)> ready, std::function<void()> print,
                   std::function<void()> cancel, QWidget* parent)
    : QWidget(parent), document_(document), selection_(std::move(selection)), env_(std::move(env)),
      ready_(std::move(ready))
{
    setAccessibleName(uiText(texts::kPreviewHeading));
    auto* layout = new QHBoxLayout(this);
    pane_ = new SheetView(this);
    pane_->setAccessibleName(uiText(texts::kPreviewHeading));
    pane_->setMinimumSize(420, 360);
    layout->addWidget(pane_, 1);

    auto* column = new QVBoxLayout;
    auto* heading = new QLabel(uiText(texts::kPreviewHeading), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    for (QLabel*& hint : hints_) {
        hint = new QLabel(this);
        hint->setWordWrap(true);
        column->addWidget(hint);
    }
    hints_[0]->setText(uiText(texts::kPreviewPreparing));
    printer_ = new QToolButton(this);
    printer_->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), PrinterIcon()));
    printer_->setIconSize(QSize(32, 32));
    printer_->setToolTip(uiText(texts::kPreviewPrinterIcon));
    printer_->setAccessibleName(uiText(texts::kPreviewPrinterIcon));
    printer_->setAutoRaise(true);
    printer_->hide();
    column->addWidget(printer_);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    auto* printButton = new QPushButton(uiText(texts::kPreviewPrint), this);
    auto* cancelButton = new QPushButton(uiText(texts::kPreviewCancel), this);
    buttons->addWidget(printButton);
    buttons->addWidget(cancelButton);
    column->addLayout(buttons);
    auto* hints = new QWidget(this);
    hints->setLayout(column);
    hints->setFixedWidth(220);
    layout->addWidget(hints);

    connect(printButton, &QPushButton::clicked, this, [print] { print(); });
    connect(printer_, &QToolButton::clicked, this, [print] { print(); });
    connect(cancelButton, &QPushButton::clicked, this, [cancel] { cancel(); });

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { prepareNow(); });
    timer_->start(kPreparingDelayMs);
}

QWidget* PrintPreviewDialog::pane() const
{
    return pane_;
}

QRect PrintPreviewDialog::shownSheet() const
{
    return pane_->sheetRect();
}

void PrintPreviewDialog::prepareNow()
{
    timer_->stop();
    if (image_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool tooLarge = false;
    image_ = PreviewPicture(document_, selection_, env_, &tooLarge);
    QApplication::restoreOverrideCursor();
    if (!image_) {
        hints_[0]->setText(tooLarge ? QString::fromUtf8(texts::kSheetTooLarge) : QString());
        return;
    }
    pane_->setImage(image_->image());
    hints_[0]->setText(uiText(texts::kPreviewScaled));
    hints_[1]->setText(uiText(texts::kPreviewSharper));
    hints_[2]->setText(uiText(texts::kPreviewMargins));
    printer_->show();
    if (ready_)
        ready_(*image_);
}

} // namespace vlm
