#include "shell/panels/tool_panels.h"

#include "edit/tool_mode.h"
#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "texts/edit_texts.h"
#include "texts/keyboard_texts.h"
#include "texts/page_setup_texts.h"

#include <QAbstractButton>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

namespace vlm {

namespace {


// A creation guidance line: the template with its word replaced by the kind.
QString Line(const char16_t* templ, const char16_t* word, const QString& kind)
{
    return ReplaceWord(uiText(templ), uiText(word), kind);
}

struct ShapeTool {
    int code;
    const char16_t* caption;
};

constexpr ShapeTool kShapeCaptions[] = {
    {100, texts::kKindTriangle}, {101, texts::kKindSquare}, {102, texts::kKindRectangle}, {103, texts::kKindCircle},
    {104, texts::kKindEllipse},  {105, texts::kKindStar},   {107, texts::kKindPie},       {108, texts::kKindArc},
    {109, texts::kKindSpline},   {110, texts::kKindSolid},  {111, texts::kKindCurve},     {112, texts::kKindOblong},
    {199, texts::kKindPolygon},  {297, texts::kKindSpline},  {298, texts::kKindCurve},
};

constexpr int kRowHeight = 18;
constexpr int kRowPictureSize = 16;

} // namespace

namespace {

// A row's picture, drawn for the screen it is on so that it stays sharp at
// any device pixel ratio; raised, it stands on a bevelled panel.
class RowPicture : public QWidget {
public:
    RowPicture(QIcon icon, QWidget* parent) : QWidget(parent), icon_(std::move(icon))
    {
        setFixedSize(kRowHeight, kRowHeight);
    }
    void setRaised(bool raised)
    {
        raised_ = raised;
        update();
    }
    const QIcon& icon() const { return icon_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (raised_)
            qDrawShadePanel(&p, rect(), palette(), false, 1);
        const int at = (kRowHeight - kRowPictureSize) / 2;
        icon_.paint(&p, QRect(at, at, kRowPictureSize, kRowPictureSize));
    }

private:
    QIcon icon_;
    bool raised_ = false;
};

} // namespace

// One row: its picture, flat or raised, and its caption. Entering the row
// raises it; a press anywhere on it chooses it. It is a button to the
// keyboard and to screen readers: Tab reaches it, Space or Enter chooses
// it as a press does. A click leaves the keyboard where it was.
class InsertPanel::Row : public QAbstractButton {
public:
    Row(const QString& caption, int panelCode, std::function<void()> entered, std::function<void()> pressed,
        QWidget* parent)
        : QAbstractButton(parent), entered_(std::move(entered)), pressed_(std::move(pressed))
    {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        setFixedHeight(kRowHeight);
        setText(caption);
        setAccessibleName(caption);
        auto* line = new QHBoxLayout(this);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(4);
        picture_ = new RowPicture(ButtonPicture(PictureNameOfPanel(panelCode)), this);
        caption_ = new QLabel(caption, this);
        line->addWidget(picture_);
        line->addWidget(caption_, 1);
        connect(this, &QAbstractButton::clicked, this, [this] { pressed_(); });
    }

    void setRaised(bool raised)
    {
        raised_ = raised;
        picture_->setRaised(raised);
        QFont f = caption_->font();
        f.setUnderline(raised);
        caption_->setFont(f);
    }
    bool raised() const { return raised_; }
    const QIcon& picture() const { return picture_->icon(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!hasFocus())
            return;
        QStylePainter p(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption_->geometry();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    void enterEvent(QEnterEvent* event) override
    {
        QAbstractButton::enterEvent(event);
        entered_();
    }
    // The mouse chooses on the press, not on the release a button waits for.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            pressed_();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat() &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }

private:
    std::function<void()> entered_;
    std::function<void()> pressed_;
    RowPicture* picture_ = nullptr;
    QLabel* caption_ = nullptr;
    bool raised_ = false;
};

QString ReplaceWord(const QString& text, const QString& word, const QString& name)
{
    QString out = text;
    return out.replace(word, name);
}

ToolGuidance ToolGuidanceFor(int code)
{
    using namespace texts;
    const int mode = ToolModeForPanel(code);
    if (mode == ToolMode::Line)
        return {uiText(kKindLine), {uiText(kGuideStartLine), uiText(kGuideEndLine), uiText(kGuideHoldDown)}};
    if (code == PanelCode::TextTool3)
        return {uiText(kKindText), {uiText(kGuideTypeText), uiText(kGuideTypeDone)}};
    if (mode == ToolMode::Text)
        return {uiText(kKindText), {uiText(kGuideTextStart), uiText(kGuideTextBox)}};
    QString caption;
    for (const ShapeTool& s : kShapeCaptions)
        if (s.code == code)
            caption = uiText(s.caption);
    if (caption.isEmpty())
        return {};
    const QString kind = caption.toLower();
    switch (code) {
    case ToolMode::Triangle:
    case ToolMode::Rectangle:
        return {caption,
                {Line(kGuideSelectHow, kWordLine, kind), Line(kGuideStartLine, kWordLine, kind), uiText(kGuideHoldDown),
                 uiText(kGuideThirdPoint)}};
    case ToolMode::Square:
        return {caption,
                {Line(kGuideSelectHow, kWordLine, kind), Line(kGuideStartLine, kWordLine, kind), uiText(kGuideHoldDown),
                 uiText(kGuideUndoHint)}};
    case ToolMode::Circle:
        return {caption, {uiText(kGuideCentre), uiText(kGuideCircleSize), uiText(kGuideOrHoldDown)}};
    case ToolMode::Polygon:
        return {caption,
                {uiText(kGuidePolygonCentre), Line(kGuideCircleSize, kWordCircle, kind), uiText(kGuideOrHoldDown)}};
    case ToolMode::Ellipse:
        return {caption,
                {Line(kGuideCentre, kWordCircle, kind), uiText(kGuideEllipseLength), uiText(kGuideEllipseWidth)}};
    case ToolMode::Star:
        return {caption,
                {Line(kGuidePolygonCentre, kWordPolygon, kind), Line(kGuideCircleSize, kWordCircle, kind),
                 uiText(kGuideSpikes)}};
    case ToolMode::Pie:
        return {caption,
                {Line(kGuideCentre, kWordCircle, kind), Line(kGuideCircleSize, kWordCircle, kind),
                 Line(kGuideEllipseWidth, kWordEllipse, kind)}};
    case ToolMode::Arc:
        return {caption, {Line(kGuideCentre, kWordCircle, kind), uiText(kGuideArcStart), uiText(kGuideArcEnd)}};
    case ToolMode::Spline:
    case ToolMode::Curve:
        return {caption,
                {Line(kGuideStartSpline, kWordSpline, kind), uiText(kGuideTurningPoints),
                 Line(kGuideEndSpline, kWordSpline, kind)}};
    case ToolMode::ContinueSpline:
    case ToolMode::ContinueCurve: // the turning points go on from the end
        return {caption, {uiText(kGuideTurningPoints), Line(kGuideEndSpline, kWordSpline, kind)}};
    case ToolMode::Solid:
    case ToolMode::Oblong:
        return {caption,
                {Line(kGuideStartSpline, kWordSpline, kind), uiText(kGuideEdgePoints),
                 Line(kGuideEndSpline, kWordSpline, kind)}};
    default:
        return {};
    }
}

ToolGuidance SelectionGuidanceFor(int code, bool openShape)
{
    using namespace texts;
    const QString title = uiText(kFineTune);
    const std::vector<QString> selecting = {uiText(kGuideShiftSelects), uiText(kGuideCtrlArea),
                                            uiText(kGuideShiftCtrlArea)};
    auto withChange = [&selecting] {
        std::vector<QString> lines{uiText(kGuideChangeSelected)};
        lines.insert(lines.end(), selecting.begin(), selecting.end());
        return lines;
    };
    switch (code) {
    case 59:
        return {title, {uiText(kGuideJoinItems), uiText(kGuideSplitGroup), uiText(kGuideShiftSelects)}};
    case PanelCode::LineFineTune:
    case PanelCode::TextFineTune:
    case 401:
        return {title, withChange()};
    case 209: // splines and curves, open or closed
    case 210:
    case 211:
    case 212:
        return {title,
                {uiText(kGuideChangeSelected), uiText(openShape ? kGuideAddPoints : kGuideDragPoints),
                 uiText(kGuideDeletePoint), uiText(kGuideInsertPoint)}};
    default:
        if (code >= 200 && code <= 299 && code != 297 && code != 298)
            return {title, withChange()};
        return {};
    }
}

ToolGuidance PanelGuidanceFor(int code, bool openShape)
{
    ToolGuidance g = ToolGuidanceFor(code);
    return g.title.isEmpty() ? SelectionGuidanceFor(code, openShape) : g;
}

const std::vector<InsertRow>& InsertRows()
{
    using namespace texts;
    static const std::vector<InsertRow> rows = {
        {kKindPicture, 400}, {kKindText, 300},     {kKindLine, 98},     {kKindArc, 108},
        {kKindSpline, 109},  {kKindCurve, 111},    {kKindTriangle, 100}, {kKindSquare, 101},
        {kKindRectangle, 102}, {kKindCircle, 103}, {kKindPie, 107},     {kKindEllipse, 104},
        {kKindPolygon, 199}, {kKindStar, 105},     {kKindSolid, 110},   {kKindOblong, 112},
    };
    return rows;
}

ToolPanel::ToolPanel(int panelCode, QWidget* parent) : QWidget(parent), code_(panelCode)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout->addWidget(title_);
    layout->addStretch(1);
    setPanelCode(panelCode);
}

void ToolPanel::setPanelCode(int panelCode, bool openShape)
{
    code_ = panelCode;
    const ToolGuidance guidance = PanelGuidanceFor(panelCode, openShape);
    title_->setText(guidance.title);
    for (QLabel* label : lines_)
        delete label;
    lines_.clear();
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    int at = 1; // below the title, above the stretch
    for (const QString& text : guidance.lines) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->insertWidget(at++, label);
        lines_.push_back(label);
    }
    setGuidanceStep(1);
}

void ToolPanel::setGuidanceStep(int step)
{
    if (ToolModeForPanel(code_) != ToolMode::Line || lines_.size() < 3)
        return;
    lines_[0]->setVisible(step != 2);
    lines_[1]->setVisible(step == 2);
    lines_[2]->setVisible(step != 2);
}

InsertPanel::InsertPanel(std::function<void(int)> choose, std::function<void()> pageSetup, QWidget* parent)
    : QWidget(parent), choose_(std::move(choose))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(0);
    auto* title = new QLabel(uiText(texts::kMenuInsert), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setFixedHeight(42);
    layout->addWidget(title);
    for (int i = 0; i < static_cast<int>(InsertRows().size()); ++i) {
        const InsertRow& r = InsertRows()[static_cast<std::size_t>(i)];
        rows_.push_back(new Row(uiText(r.caption), r.panelCode, [this, i] { RowEntered(i); },
                                [this, i] { RowPressed(i); }, this));
        layout->addWidget(rows_.back());
    }
    hoverTimer_.setSingleShot(true);
    hoverTimer_.setInterval(kHoverMs);
    connect(&hoverTimer_, &QTimer::timeout, this, [this] { lowerRows(); });
    layout->addSpacing(2);
    const QString word = uiText(texts::kPageSetupLinkWord).toHtmlEscaped();
    QString line = uiText(texts::kPageSetupLinkLine).toHtmlEscaped();
    line.replace(word, QStringLiteral("<a href=\"page-setup\">") + word + QStringLiteral("</a>"));
    pageSetupLink_ = new QLabel(line, this);
    pageSetupLink_->setTextFormat(Qt::RichText);
    pageSetupLink_->setWordWrap(true);
    pageSetupLink_->setAccessibleName(uiText(texts::kPageSetupLinkLine));
    pageSetupLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(pageSetupLink_, &QLabel::linkActivated, this, [pageSetup = std::move(pageSetup)] {
        if (pageSetup)
            pageSetup();
    });
    layout->addWidget(pageSetupLink_);
    layout->addStretch(1);
}

InsertPanel::~InsertPanel() = default;

void InsertPanel::setPageSetupLinkShown(bool shown) { pageSetupLink_->setVisible(shown); }

void InsertPanel::RowEntered(int index)
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        if (rows_[static_cast<std::size_t>(i)]->raised() != (i == index))
            rows_[static_cast<std::size_t>(i)]->setRaised(i == index);
    hoverTimer_.start();
}

void InsertPanel::lowerRows()
{
    hoverTimer_.stop();
    for (Row* row : rows_)
        if (row->raised())
            row->setRaised(false);
}

int InsertPanel::raisedRow() const
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        if (rows_[static_cast<std::size_t>(i)]->raised())
            return i;
    return -1;
}

QIcon InsertPanel::rowPicture(int index) const
{
    return index >= 0 && index < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(index)]->picture()
                                                                 : QIcon();
}

void InsertPanel::RowPressed(int index)
{
    if (index >= 0 && index < static_cast<int>(InsertRows().size()) && choose_)
        choose_(InsertRows()[static_cast<std::size_t>(index)].panelCode);
}

} // namespace vlm
