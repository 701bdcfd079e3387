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
#include <QScrollArea>
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

} // namespace

PrintPreviewDialog::PrintPreviewDialog(Document& document, std::string selection, SheetEnvironment env,
                   std::function<void(const Bitmap&)> ready, std::function<void()> print,
                   std::function<void()> cancel, QWidget* parent)
    : QWidget(parent), document_(document), selection_(std::move(selection)), env_(std::move(env)),
      ready_(std::move(ready))
{
    setAccessibleName(uiText(texts::kPreviewHeading));
    auto* layout = new QHBoxLayout(this);
    pane_ = new QScrollArea(this);
    pane_->setAccessibleName(uiText(texts::kPreviewHeading));
    pane_->setAlignment(Qt::AlignCenter);
    pane_->setWidgetResizable(false);
    pane_->setMinimumSize(420, 360);
    picture_ = new QLabel;
    picture_->setContentsMargins(10, 10, 10, 10);
    picture_->setAccessibleName(uiText(texts::kPreviewHeading));
    pane_->setWidget(picture_);
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
    picture_->setPixmap(QPixmap::fromImage(image_->image()));
    picture_->adjustSize();
    hints_[0]->setText(uiText(texts::kPreviewScaled));
    hints_[1]->setText(uiText(texts::kPreviewSharper));
    hints_[2]->setText(uiText(texts::kPreviewMargins));
    printer_->show();
    if (ready_)
        ready_(*image_);
}

} // namespace vlm
