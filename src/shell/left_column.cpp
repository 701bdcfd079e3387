#include "shell/left_column.h"

#include "platform/widgets/qt_prompts.h"
#include "texts/shell_texts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
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

    auto* bottom = new QWidget(splitter_);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->setSpacing(0);
    splitter_->addWidget(bottom);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);

    navigationRow_ = new QWidget(bottom);
    navigationRow_->setAutoFillBackground(true);
    auto* nav = new QHBoxLayout(navigationRow_);
    nav->setContentsMargins(2, 1, 2, 1);
    nav->setSpacing(1);
    back_ = new QToolButton(navigationRow_);
    back_->setArrowType(Qt::LeftArrow);
    back_->setAutoRaise(true);
    back_->setEnabled(false);
    forward_ = new QToolButton(navigationRow_);
    forward_->setArrowType(Qt::RightArrow);
    forward_->setAutoRaise(true);
    forward_->setEnabled(false);
    backLabel_ = new QLabel(QString::fromUtf16(texts::kBack), navigationRow_);
    nav->addWidget(back_);
    nav->addWidget(forward_);
    nav->addWidget(backLabel_, 1);
    bottomLayout->addWidget(navigationRow_);

    guidance_ = new QWidget(bottom);
    guidance_->setFixedHeight(kGuidanceHeight);
    guidance_->setAutoFillBackground(true);
    auto* g = new QVBoxLayout(guidance_);
    g->setContentsMargins(3, 3, 3, 3);
    g->setSpacing(2);
    heading_ = new QLabel(QString::fromUtf16(texts::kNextStepHeading), guidance_);
    heading_->setWordWrap(true);
    g->addWidget(heading_);
    for (QFrame*& row : optionRows_) {
        row = new QFrame(guidance_);
        row->setFrameShape(QFrame::Panel);
        row->setFrameShadow(QFrame::Raised);
        row->setFixedHeight(kOptionRowHeight);
        row->setVisible(false);
        g->addWidget(row);
    }
    g->addStretch(1);
    bottomLayout->addWidget(guidance_);
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

} // namespace vlm
