#include "shell/window/left_column.h"

#include "platform/widgets/qt_prompts.h"
#include "shell/panels/option_row.h"
#include "texts/shell_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

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

    panelArea_ = new QStackedWidget(splitter_);
    panelArea_->setAutoFillBackground(true);
    splitter_->addWidget(panelArea_);

    // The guidance box: the heading, the option rows from the top 40 down
    // and the navigation row at the bottom, placed by hand so that the rows
    // overlap as their bevels want.
    guidance_ = new QWidget(splitter_);
    guidance_->setFixedHeight(kGuidanceHeight);
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
    heading_->setGeometry(20, 2, kWidth - 22, kHeadingHeight);
    for (OptionRow*& row : optionRows_)
        row = new OptionRow(guidance_);

    navigationRow_ = new QWidget(guidance_);
    navigationRow_->setAutoFillBackground(true);
    navigationRow_->setGeometry(0, kGuidanceHeight - kNavigationHeight - 2, kWidth, kNavigationHeight);
    auto* nav = new QHBoxLayout(navigationRow_);
    nav->setContentsMargins(2, 0, 2, 0);
    nav->setSpacing(1);
    back_ = new QToolButton(navigationRow_);
    back_->setArrowType(Qt::LeftArrow);
    back_->setAutoRaise(true);
    back_->setEnabled(false);
    back_->setAccessibleName(QString::fromUtf16(texts::kBack));
    back_->setToolTip(QString::fromUtf16(texts::kBack));
    forward_ = new QToolButton(navigationRow_);
    forward_->setArrowType(Qt::RightArrow);
    forward_->setAutoRaise(true);
    forward_->setEnabled(false);
    forward_->setAccessibleName(QString::fromUtf16(texts::kForward));
    forward_->setToolTip(QString::fromUtf16(texts::kForward));
    backLabel_ = new QLabel(QString::fromUtf16(texts::kBack), navigationRow_);
    nav->addWidget(back_);
    nav->addWidget(forward_);
    nav->addWidget(backLabel_, 1);
    placeOptionRows();
}

void LeftColumn::placeOptionRows()
{
    int top = kOptionRowsTop;
    for (OptionRow* row : optionRows_) {
        if (row->isHidden())
            continue;
        row->setGeometry(0, top, kWidth, kOptionRowHeight);
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
    paint(guidance_, QColorOf(columnColor));
    paint(navigationRow_, QColorOf(navigationColor));
    paint(splitter_, QColorOf(splitterColor));
}

void LeftColumn::resetBackLabelStyle()
{
    QFont f = backLabel_->font();
    f.setUnderline(false);
    backLabel_->setFont(f);
}

void LeftColumn::emphasizeBackLabel()
{
    QFont f = backLabel_->font();
    f.setUnderline(true);
    backLabel_->setFont(f);
}

} // namespace vlm
