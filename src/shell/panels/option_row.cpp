#include "shell/panels/option_row.h"

#include "guidance/next_steps.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vlm {

namespace {

enum class StepKind { Insert, New, FineTune, Move, Other };

StepKind KindOf(int code)
{
    if (code == NextStep::InsertNewItem || code == NextStep::InsertNewPicture ||
        code == NextStep::InsertNewClip)
        return StepKind::Insert;
    if (code >= 2 && code <= 46)
        return static_cast<StepKind>(1 + (code - 2) % 3);
    if (code == NextStep::FineTuneClip || code == NextStep::EditClip)
        return StepKind::FineTune;
    if (code == NextStep::MoveClip)
        return StepKind::Move;
    return StepKind::Other;
}

// A small picture per kind of step: a plus for inserting, a pen for the
// next item, a slider for fine-tuning, four arrows for moving, a link for
// joining and splitting.
QPixmap StepIcon(StepKind kind)
{
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1.6, Qt::SolidLine, Qt::RoundCap));
    switch (kind) {
    case StepKind::Insert:
        p.drawLine(QPointF(7, 2), QPointF(7, 12));
        p.drawLine(QPointF(2, 7), QPointF(12, 7));
        break;
    case StepKind::New:
        p.drawLine(QPointF(3, 11), QPointF(11, 3));
        p.drawLine(QPointF(2, 12), QPointF(4, 12));
        break;
    case StepKind::FineTune:
        p.drawLine(QPointF(2, 4), QPointF(12, 4));
        p.drawLine(QPointF(2, 10), QPointF(12, 10));
        p.setBrush(QColor(0, 0, 128));
        p.drawEllipse(QPointF(5, 4), 1.6, 1.6);
        p.drawEllipse(QPointF(9, 10), 1.6, 1.6);
        break;
    case StepKind::Move:
        p.drawLine(QPointF(7, 1.5), QPointF(7, 12.5));
        p.drawLine(QPointF(1.5, 7), QPointF(12.5, 7));
        p.drawLine(QPointF(5, 3.5), QPointF(7, 1.5));
        p.drawLine(QPointF(9, 3.5), QPointF(7, 1.5));
        p.drawLine(QPointF(5, 10.5), QPointF(7, 12.5));
        p.drawLine(QPointF(9, 10.5), QPointF(7, 12.5));
        break;
    case StepKind::Other:
        p.drawEllipse(QPointF(5, 7), 3, 2.2);
        p.drawEllipse(QPointF(9, 7), 3, 2.2);
        break;
    }
    return pm;
}

} // namespace

OptionRow::OptionRow(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedHeight(kHeight);
    setCursor(Qt::PointingHandCursor);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 1, 1);
    row->setSpacing(2);
    icon_ = new QLabel(this);
    icon_->setFixedSize(14, 14);
    text_ = new QLabel(this);
    row->addWidget(icon_);
    row->addWidget(text_, 1);
    setVisible(false);
}

void OptionRow::setOption(int code)
{
    option_ = code;
    const QString label = QString::fromStdU16String(NextStepLabel(code));
    text_->setText(label);
    setAccessibleName(label);
    setToolTip(label);
    icon_->setPixmap(code > 0 ? StepIcon(KindOf(code)) : QPixmap());
    fitLabel();
}

void OptionRow::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitLabel();
}

// The column is narrow: a long label is drawn a little smaller rather than
// cut off, down to a size that still reads.
void OptionRow::fitLabel()
{
    QFont f = font();
    f.setUnderline(marked_);
    const int room = width() - frameWidth() * 2 - 2 - 1 - icon_->width() - 2;
    if (room > 0)
        while (f.pointSizeF() > 6.5 && QFontMetrics(f).horizontalAdvance(text_->text()) > room)
            f.setPointSizeF(f.pointSizeF() - 0.5);
    text_->setFont(f);
}

QString OptionRow::label() const
{
    return text_->text();
}

void OptionRow::setHoverMark(bool on)
{
    if (on == marked_)
        return;
    marked_ = on;
    setFrameShadow(on ? QFrame::Sunken : QFrame::Raised);
    fitLabel();
    QPalette pal = text_->palette();
    pal.setColor(QPalette::WindowText, on ? QColor(0, 0, 255) : palette().color(QPalette::WindowText));
    text_->setPalette(pal);
}

void OptionRow::enterEvent(QEnterEvent* event)
{
    QFrame::enterEvent(event);
    if (entered)
        entered();
}

void OptionRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && clicked) {
        event->accept();
        clicked();
        return;
    }
    QFrame::mousePressEvent(event);
}

} // namespace vlm
