#include "shell/window/zoom_controls.h"

#include "render/units.h"
#include "shell/commands/button_pictures.h"
#include "texts/shell_texts.h"

#include <algorithm>

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace vlm {

ZoomControls::ZoomControls(QWidget* parent) : QWidget(parent)
{
    zoomOut_ = new QToolButton(this);
    zoomOut_->setIcon(ToolbarPicture(10));
    zoomOut_->setToolTip(QString::fromUtf16(texts::kZoomOutHint));
    zoomOut_->setAutoRaise(true);
    zoomOut_->setAccessibleName(QString::fromUtf16(texts::kZoomOutHint));
    zoomIn_ = new QToolButton(this);
    zoomIn_->setIcon(ToolbarPicture(11));
    zoomIn_->setToolTip(QString::fromUtf16(texts::kZoomInHint));
    zoomIn_->setAutoRaise(true);
    zoomIn_->setAccessibleName(QString::fromUtf16(texts::kZoomInHint));

    trackBar_ = new QSlider(Qt::Horizontal, this);
    trackBar_->setRange(0, kZoomTrackbarMax);
    trackBar_->setTickInterval(25);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setPageStep(25);
    trackBar_->setFixedWidth(120);
    trackBar_->setValue(100);
    trackBar_->installEventFilter(this);

    QFont small = font();
    small.setPointSizeF(std::max(5.0, small.pointSizeF() - 1.5));
    heading_ = new QLabel(QString::fromUtf16(texts::kZoomHeading), this);
    heading_->setBuddy(trackBar_);
    trackBar_->setAccessibleName(heading_->text());
    percent_ = new QLabel(this);
    for (QLabel* l : {heading_, percent_}) {
        l->setFont(small);
        l->setAlignment(Qt::AlignHCenter);
        l->setContentsMargins(0, 0, 0, 0);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 0, 2, 0);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(2);
    grid->addWidget(zoomOut_, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(heading_, 0, 1);
    grid->addWidget(trackBar_, 1, 1);
    grid->addWidget(percent_, 2, 1);
    grid->addWidget(zoomIn_, 0, 2, 3, 1, Qt::AlignVCenter);

    connect(zoomOut_, &QToolButton::clicked, this, [this] {
        if (onZoomOut)
            onZoomOut();
    });
    connect(zoomIn_, &QToolButton::clicked, this, [this] {
        if (onZoomIn)
            onZoomIn();
    });
    connect(trackBar_, &QSlider::valueChanged, this, [this](int v) { TrackBar1Change(v); });
    showZoom(1.0);
}

void ZoomControls::showZoom(double zoom)
{
    const int percent = ZoomPercent(zoom);
    {
        const QSignalBlocker quiet(trackBar_);
        trackBar_->setValue(std::clamp(percent, 0, kZoomTrackbarMax));
    }
    percent_->setText(ZoomLabel(zoom));
}

void ZoomControls::TrackBar1Change(int position)
{
    percent_->setText(QString::number(position) + QLatin1Char('%'));
}

void ZoomControls::TrackBar1MouseUp()
{
    if (onTrackbarReleased)
        onTrackbarReleased(trackBar_->value());
}

bool ZoomControls::eventFilter(QObject* watched, QEvent* event)
{
    // Released anywhere on the bar, after a drag or a click on the groove;
    // the slider has taken its new position by now.
    if (watched == trackBar_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QTimer::singleShot(0, this, [this] { TrackBar1MouseUp(); });
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vlm
