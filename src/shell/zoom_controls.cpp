#include "shell/zoom_controls.h"

#include "render/units.h"
#include "texts/shell_texts.h"

#include <algorithm>

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace vlm {

namespace {

// A magnifying glass with a minus or a plus in its lens.
QIcon MagnifierIcon(bool plus)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    p.setBrush(QColor(0xE8, 0xF2, 0xFC));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return QIcon(pm);
}

} // namespace

ZoomControls::ZoomControls(QWidget* parent) : QWidget(parent)
{
    zoomOut_ = new QToolButton(this);
    zoomOut_->setIcon(MagnifierIcon(false));
    zoomOut_->setToolTip(QString::fromUtf16(texts::kZoomOutHint));
    zoomOut_->setAutoRaise(true);
    zoomIn_ = new QToolButton(this);
    zoomIn_->setIcon(MagnifierIcon(true));
    zoomIn_->setToolTip(QString::fromUtf16(texts::kZoomInHint));
    zoomIn_->setAutoRaise(true);

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
