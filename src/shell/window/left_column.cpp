#include "shell/window/left_column.h"

#include "platform/widgets/qt_prompts.h"
#include "shell/commands/button_pictures.h"
#include "shell/panels/option_row.h"
#include "texts/shell_texts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vlm {

namespace {

// The panel area measures by the panel it shows, not by the largest of the
// panels it keeps hidden, so that the scroller around it gives the shown
// panel exactly the height its width needs.
class PanelStack final : public QStackedWidget {
public:
    using QStackedWidget::QStackedWidget;

    QSize sizeHint() const override
    {
        const QWidget* w = currentWidget();
        return w ? w->sizeHint().expandedTo(w->minimumSize()) : QStackedWidget::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        const QWidget* w = currentWidget();
        return w ? w->minimumSizeHint().expandedTo(w->minimumSize()) : QStackedWidget::minimumSizeHint();
    }
    bool hasHeightForWidth() const override
    {
        const QWidget* w = currentWidget();
        return w && w->hasHeightForWidth();
    }
    int heightForWidth(int width) const override
    {
        const QWidget* w = currentWidget();
        return w && w->hasHeightForWidth() ? std::max(w->heightForWidth(width), w->minimumSizeHint().height())
                                           : -1;
    }
};

} // namespace

LeftColumn::LeftColumn(QWidget* parent) : QWidget(parent)
{
    setFixedWidth(kWidth);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setHandleWidth(3);
    splitter_->setChildrenCollapsible(false);
    outer->addWidget(splitter_);

    // A panel taller than the room above the guidance box scrolls; it is
    // never squeezed.
    scroller_ = new QScrollArea(splitter_);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setWidgetResizable(true);
    scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    panelArea_ = new PanelStack;
    panelArea_->setAutoFillBackground(true);
    scroller_->setWidget(panelArea_);
    panelArea_->installEventFilter(this);
    splitter_->addWidget(scroller_);

    // The guidance box: the heading, the option rows from the top 40 down
    // and the navigation row at the bottom, placed by hand so that the rows
    // overlap as their bevels want.
    guidance_ = new QWidget(splitter_);
    guidance_->setAutoFillBackground(true);
    splitter_->addWidget(guidance_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);

    headingIcon_ = new QLabel(guidance_);
    headingIcon_->setPixmap(guidance_->style()->standardIcon(QStyle::SP_ArrowDown).pixmap(14, 14));
    headingIcon_->setGeometry(3, 4, 14, 14);
    heading_ = new QLabel(QString::fromUtf16(texts::kNextStepHeading), guidance_);
    heading_->setWordWrap(true);
    heading_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (OptionRow*& row : optionRows_)
        row = new OptionRow(guidance_);

    // Back is one button, its arrow and its label together; forward stands
    // after it. Both show pictures the size of the toolbar's.
    navigationRow_ = new QWidget(guidance_);
    navigationRow_->setAutoFillBackground(true);
    auto* nav = new QHBoxLayout(navigationRow_);
    nav->setContentsMargins(2, 0, 2, 0);
    nav->setSpacing(1);
    back_ = new QToolButton(navigationRow_);
    back_->setIcon(ButtonPicture(QStringLiteral("back")));
    back_->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
    back_->setText(QString::fromUtf16(texts::kBack));
    back_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_->setAutoRaise(true);
    back_->setEnabled(false);
    back_->setAccessibleName(QString::fromUtf16(texts::kBack));
    back_->setToolTip(QString::fromUtf16(texts::kBack));
    forward_ = new QToolButton(navigationRow_);
    forward_->setIcon(ButtonPicture(QStringLiteral("forward")));
    forward_->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
    forward_->setAutoRaise(true);
    forward_->setEnabled(false);
    forward_->setAccessibleName(QString::fromUtf16(texts::kForward));
    forward_->setToolTip(QString::fromUtf16(texts::kForward));
    nav->addWidget(back_);
    nav->addWidget(forward_);
    nav->addStretch(1);
    navigationHeight_ = std::max({kNavigationHeight, back_->sizeHint().height(), forward_->sizeHint().height()});
    guidance_->setFixedHeight(guidanceHeight());
    placeGuidance();
}

int LeftColumn::guidanceHeight() const
{
    return kOptionRows * kOptionRowHeight + navigationHeight_ + kHeadingHeight + 6;
}

void LeftColumn::placeGuidance()
{
    heading_->setGeometry(20, 2, width() - 22, kHeadingHeight);
    navigationRow_->setGeometry(0, guidanceHeight() - navigationHeight_ - 2, width(), navigationHeight_);
    placeOptionRows();
}

void LeftColumn::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeGuidance();
}

void LeftColumn::placeOptionRows()
{
    int top = kOptionRowsTop;
    for (OptionRow* row : optionRows_) {
        if (row->isHidden())
            continue;
        row->setGeometry(0, top, width(), kOptionRowHeight);
        top += kOptionRowHeight - kOptionRowOverlap;
    }
}

void LeftColumn::setHeadingVisible(bool visible)
{
    heading_->setVisible(visible);
    headingIcon_->setVisible(visible);
}

void LeftColumn::showPanelWidget(QWidget* panel)
{
    if (!panel)
        return;
    if (panelArea_->indexOf(panel) < 0)
        panelArea_->addWidget(panel);
    panelArea_->setCurrentWidget(panel);
    fitCurrentPanel();
    // The stack now measures by another panel.
    panelArea_->updateGeometry();
    QCoreApplication::postEvent(scroller_, new QEvent(QEvent::LayoutRequest));
}

bool LeftColumn::eventFilter(QObject* watched, QEvent* event)
{
    // The shown panel changed what it needs (a line shown or hidden, its
    // controls rebuilt): the scroller measures it again once the panel has
    // been laid out.
    if (watched == panelArea_ && event->type() == QEvent::LayoutRequest)
        QCoreApplication::postEvent(scroller_, new QEvent(QEvent::LayoutRequest));
    return QWidget::eventFilter(watched, event);
}

void LeftColumn::fitCurrentPanel()
{
    QWidget* panel = panelArea_->currentWidget();
    if (!panel)
        return;
    // Room for the scroll bar too, so that a tall panel keeps its width
    // when it scrolls.
    const int bar = scroller_->verticalScrollBar()->sizeHint().width();
    const int needed = panel->minimumSizeHint().width() + bar;
    if (needed > width())
        setFixedWidth(needed);
}

QWidget* LeftColumn::currentPanelWidget() const
{
    return panelArea_->currentWidget();
}

void LeftColumn::applyColors(int columnColor, int navigationColor, int splitterColor)
{
    const auto paint = [](QWidget* w, QColor c) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, c);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    };
    paint(panelArea_, QColorOf(columnColor));
    paint(scroller_->viewport(), QColorOf(columnColor));
    paint(guidance_, QColorOf(columnColor));
    paint(navigationRow_, QColorOf(navigationColor));
    paint(splitter_, QColorOf(splitterColor));
}

void LeftColumn::setBackLabelShown(bool shown)
{
    back_->setToolButtonStyle(shown ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

bool LeftColumn::backLabelShown() const
{
    return back_->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
}

bool LeftColumn::backLabelEmphasized() const
{
    return back_->font().underline();
}

void LeftColumn::resetBackLabelStyle()
{
    QFont f = back_->font();
    f.setUnderline(false);
    back_->setFont(f);
}

void LeftColumn::emphasizeBackLabel()
{
    QFont f = back_->font();
    f.setUnderline(true);
    back_->setFont(f);
}

} // namespace vlm
