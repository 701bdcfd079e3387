#include "shell/panels/hint_panel.h"

#include "platform/ui_text.h"
#include "texts/hint_texts.h"

#include <QCheckBox>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vlm {

namespace {


} // namespace

// A paragraph's box: tells the page when the pointer comes and goes and
// when it is clicked.
class HintParagraphBox final : public QLabel
{
public:
    HintParagraphBox(int index, HintPanel& page) : QLabel(&page), index_(index), page_(page)
    {
        setWordWrap(true);
        setTextFormat(Qt::RichText);
        setTextInteractionFlags(Qt::NoTextInteraction);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void enterEvent(QEnterEvent* event) override
    {
        QLabel::enterEvent(event);
        if (page_.pointerOver)
            page_.pointerOver(index_);
    }
    void leaveEvent(QEvent* event) override
    {
        QLabel::leaveEvent(event);
        if (page_.pointerOver)
            page_.pointerOver(-1);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            page_.clicked) {
            page_.clicked(index_);
            return;
        }
        QLabel::mouseReleaseEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

private:
    int index_;
    HintPanel& page_;
};

HintPanel::HintPanel(QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The column is narrow: a long page scrolls rather than pushing the
    // guidance box away.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);

    content_ = new QWidget(scroll);
    content_->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(8);
    for (int i = 0; i < 3; ++i) {
        boxes_[static_cast<std::size_t>(i)] = new HintParagraphBox(i, *this);
        layout->addWidget(boxes_[static_cast<std::size_t>(i)]);
    }

    checkRow_ = new QWidget(content_);
    auto* row = new QHBoxLayout(checkRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const QString label = uiText(texts::kHintDontShowAgain);
    check_ = new QCheckBox(checkRow_);
    check_->setAccessibleName(label);
    checkLabel_ = new QLabel(label, checkRow_);
    checkLabel_->setWordWrap(true);
    checkLabel_->setBuddy(check_);
    // The label wraps, which a check box's own text cannot; a click on it
    // counts as a click on the box.
    checkLabel_->installEventFilter(this);
    row->addWidget(check_, 0, Qt::AlignTop);
    row->addWidget(checkLabel_, 1);
    layout->addWidget(checkRow_);
    connect(check_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_ && checkChanged)
            checkChanged(on);
    });

    boxes_[3] = new HintParagraphBox(3, *this);
    layout->addWidget(boxes_[3]);
    layout->addStretch(1);
    for (HintParagraphBox* box : boxes_)
        box->setParent(content_);
    scroll->setWidget(content_);
    setPage(HintPage{}, false);
}

QLabel* HintPanel::paragraphBox(int paragraph) const
{
    if (paragraph < 0 || paragraph > 3)
        return nullptr;
    return boxes_[static_cast<std::size_t>(paragraph)];
}

void HintPanel::setPage(const HintPage& page, bool turnedOff)
{
    page_ = page;
    hovered_ = -1;
    for (int i = 0; i < 4; ++i) {
        const HintParagraph& p = page_.paragraphs[static_cast<std::size_t>(i)];
        HintParagraphBox* box = boxes_[static_cast<std::size_t>(i)];
        box->setVisible(!p.text.empty());
        box->setAccessibleName(uiText(p.text));
        box->setCursor(p.acts() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        render(i);
    }
    checkRow_->setVisible(page_.flag != 0);
    loading_ = true;
    check_->setChecked(turnedOff);
    loading_ = false;
}

void HintPanel::setHovered(int paragraph)
{
    if (paragraph == hovered_)
        return;
    const int before = hovered_;
    hovered_ = paragraph;
    if (before >= 0)
        render(before);
    if (paragraph >= 0)
        render(paragraph);
}

void HintPanel::hideParagraph(int paragraph)
{
    if (QLabel* box = paragraphBox(paragraph))
        box->hide();
    if (paragraph == hovered_)
        setHovered(-1);
}

void HintPanel::render(int paragraph)
{
    const HintParagraph& p = page_.paragraphs[static_cast<std::size_t>(paragraph)];
    boxes_[static_cast<std::size_t>(paragraph)]->setText(ParagraphHtml(p, paragraph == hovered_));
}

QString HintPanel::ParagraphHtml(const HintParagraph& paragraph, bool hovered)
{
    const std::u16string_view text = paragraph.text;
    QString html;
    std::size_t at = 0;
    for (const KeyRun& run : KeyRunsOf(paragraph)) {
        html += uiText(text.substr(at, run.start - at)).toHtmlEscaped();
        const QString word = uiText(text.substr(run.start, run.length)).toHtmlEscaped();
        if (run.acting) {
            // The key colour 0xFF0000 is blue in the program's colour values.
            const QLatin1String colour = hovered ? QLatin1String("#0000ff") : QLatin1String("#000000");
            html += QStringLiteral("<span style=\"color:%1\"><u>%2</u></span>").arg(colour, word);
        } else {
            html += QStringLiteral("<span style=\"color:#000000\"><b>%1</b></span>").arg(word);
        }
        at = run.start + run.length;
    }
    html += uiText(text.substr(std::min(at, text.size()))).toHtmlEscaped();
    return html;
}

bool HintPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == checkLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        check_->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HintPanel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (pointerOver)
        pointerOver(-1);
}

} // namespace vlm
