#include "shell/dialogs/customize_dialog.h"

#include "platform/ui_text.h"
#include "shell/dialogs/grid_options_dialog.h"
#include "texts/customize_texts.h"
#include "texts/grid_texts.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


} // namespace

QString GuidanceHtml(const QStringList& paragraphs)
{
    const QString bold = uiText(texts::kZeroToRemove);
    QString html;
    for (const QString& p : paragraphs) {
        QString escaped = p.toHtmlEscaped();
        escaped.replace(bold, QStringLiteral("<b>") + bold + QStringLiteral("</b>"));
        html += QStringLiteral("<p>") + escaped + QStringLiteral("</p>");
    }
    return html;
}

CustomizeDialog::CustomizeDialog(std::function<void()> save, std::function<void()> close, QWidget* parent)
    : QWidget(parent), save_(std::move(save)), close_(std::move(close))
{
}

void CustomizeDialog::build(const QStringList& openingGuide, QWidget* below)
{
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    auto* heading = new QLabel(uiText(texts::kSelectHeading), this);
    column->addWidget(heading);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int k = 1; k <= 12; ++k) {
        auto* b = new QToolButton(this);
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumWidth(110);
        b->setText(entryName(k));
        b->setAccessibleName(b->text());
        group_->addButton(b, k);
        column->addWidget(b);
        buttons_[static_cast<std::size_t>(k - 1)] = b;
        // A click, or a screen reader's toggle, opens the entry.
        connect(b, &QToolButton::toggled, this, [this, k](bool on) {
            if (on)
                clickEntry(k);
        });
    }
    column->addStretch(1);
    top->addLayout(column);

    auto* rightColumn = new QVBoxLayout;
    paneHolder_ = new QVBoxLayout;
    rightColumn->addLayout(paneHolder_, 1);
    if (below)
        rightColumn->addWidget(below);
    top->addLayout(rightColumn, 1);

    guidance_ = new QLabel(this);
    guidance_->setWordWrap(true);
    guidance_->setTextFormat(Qt::RichText);
    guidance_->setMinimumHeight(70);
    guidance_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    outer->addWidget(guidance_);
    setGuidance(openingGuide);

    AddFrameButtons(
        this, outer, texts::kButtonSave, [this] { Save(); }, [this] { Cancel(); });
}

void CustomizeDialog::clickEntry(int k)
{
    if (k < 1 || k > 12)
        return;
    if (opening_)
        return;
    open_ = k;
    opening_ = true;
    entryButton(k)->setChecked(true); // the group releases the others
    opening_ = false;
    // The fields are made afresh for each entry; hover texts of the old
    // ones go with them.
    if (pane_) {
        for (auto it = hovers_.begin(); it != hovers_.end();)
            it = pane_->isAncestorOf(qobject_cast<QWidget*>(it->first)) ? hovers_.erase(it) : std::next(it);
        paneHolder_->removeWidget(pane_);
        pane_->hide();
        pane_->deleteLater();
    }
    pane_ = new QWidget(this);
    auto* layout = new QVBoxLayout(pane_);
    layout->setContentsMargins(6, 0, 6, 0);
    const QStringList guide = fillPane(k, layout);
    layout->addStretch(1);
    paneHolder_->addWidget(pane_);
    pane_->show();
    setGuidance(guide);
}

void CustomizeDialog::Save()
{
    if (save_)
        save_();
    if (close_)
        close_();
}

void CustomizeDialog::Cancel()
{
    if (close_)
        close_();
}

void CustomizeDialog::setGuidance(const QStringList& paragraphs)
{
    guide_ = paragraphs;
    showGuide(paragraphs);
}

void CustomizeDialog::showGuide(const QStringList& paragraphs)
{
    shownGuide_ = paragraphs;
    guidance_->setText(GuidanceHtml(paragraphs));
    guidance_->setAccessibleName(paragraphs.join(QLatin1Char(' ')));
}

void CustomizeDialog::setHover(QWidget* control, const QStringList& paragraphs)
{
    hovers_[control] = paragraphs;
    control->installEventFilter(this);
}

void CustomizeDialog::renameOpenButton()
{
    if (open_ < 1)
        return;
    QAbstractButton* b = entryButton(open_);
    b->setText(entryName(open_));
    b->setAccessibleName(b->text());
}

bool CustomizeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (auto found = hovers_.find(watched); found != hovers_.end()) {
        if (event->type() == QEvent::Enter)
            showGuide(found->second);
        else if (event->type() == QEvent::Leave)
            showGuide(guide_);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vlm
