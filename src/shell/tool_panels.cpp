#include "shell/tool_panels.h"

#include "edit/tool_mode.h"
#include "texts/edit_texts.h"
#include "texts/page_setup_texts.h"
#include "texts/keyboard_texts.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace vlm {

namespace {

QString Text(const char16_t* s) { return QString::fromUtf16(s); }

// A creation guidance line: the template with its word replaced by the kind.
QString Line(const char16_t* templ, const char16_t* word, const QString& kind)
{
    return ReplaceWord(Text(templ), Text(word), kind);
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

// Raising the pointer over a row and pressing it, without a widget per row.
class InsertRowLabel : public QLabel {
public:
    InsertRowLabel(const QString& caption, std::function<void()> pressed, QWidget* parent)
        : QLabel(caption, parent), pressed_(std::move(pressed))
    {
        setCursor(Qt::PointingHandCursor);
        setFixedHeight(18);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            pressed_();
    }

private:
    std::function<void()> pressed_;
};

} // namespace

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
        return {Text(kKindLine), {Text(kGuideStartLine), Text(kGuideEndLine), Text(kGuideHoldDown)}};
    if (code == PanelCode::TextTool3)
        return {Text(kKindText), {Text(kGuideTypeText), Text(kGuideTypeDone)}};
    if (mode == ToolMode::Text)
        return {Text(kKindText), {Text(kGuideTextStart), Text(kGuideTextBox)}};
    QString caption;
    for (const ShapeTool& s : kShapeCaptions)
        if (s.code == code)
            caption = Text(s.caption);
    if (caption.isEmpty())
        return {};
    const QString kind = caption.toLower();
    switch (code) {
    case ToolMode::Triangle:
    case ToolMode::Rectangle:
        return {caption,
                {Line(kGuideSelectHow, kWordLine, kind), Line(kGuideStartLine, kWordLine, kind), Text(kGuideHoldDown),
                 Text(kGuideThirdPoint)}};
    case ToolMode::Square:
        return {caption,
                {Line(kGuideSelectHow, kWordLine, kind), Line(kGuideStartLine, kWordLine, kind), Text(kGuideHoldDown),
                 Text(kGuideUndoHint)}};
    case ToolMode::Circle:
        return {caption, {Text(kGuideCentre), Text(kGuideCircleSize), Text(kGuideOrHoldDown)}};
    case ToolMode::Polygon:
        return {caption,
                {Text(kGuidePolygonCentre), Line(kGuideCircleSize, kWordCircle, kind), Text(kGuideOrHoldDown)}};
    case ToolMode::Ellipse:
        return {caption,
                {Line(kGuideCentre, kWordCircle, kind), Text(kGuideEllipseLength), Text(kGuideEllipseWidth)}};
    case ToolMode::Star:
        return {caption,
                {Line(kGuidePolygonCentre, kWordPolygon, kind), Line(kGuideCircleSize, kWordCircle, kind),
                 Text(kGuideSpikes)}};
    case ToolMode::Pie:
        return {caption,
                {Line(kGuideCentre, kWordCircle, kind), Line(kGuideCircleSize, kWordCircle, kind),
                 Line(kGuideEllipseWidth, kWordEllipse, kind)}};
    case ToolMode::Arc:
        return {caption, {Line(kGuideCentre, kWordCircle, kind), Text(kGuideArcStart), Text(kGuideArcEnd)}};
    case ToolMode::Spline:
    case ToolMode::Curve:
        return {caption,
                {Line(kGuideStartSpline, kWordSpline, kind), Text(kGuideTurningPoints),
                 Line(kGuideEndSpline, kWordSpline, kind)}};
    case ToolMode::ContinueSpline:
    case ToolMode::ContinueCurve: // the turning points go on from the end
        return {caption, {Text(kGuideTurningPoints), Line(kGuideEndSpline, kWordSpline, kind)}};
    case ToolMode::Solid:
    case ToolMode::Oblong:
        return {caption,
                {Line(kGuideStartSpline, kWordSpline, kind), Text(kGuideEdgePoints),
                 Line(kGuideEndSpline, kWordSpline, kind)}};
    default:
        return {};
    }
}

ToolGuidance SelectionGuidanceFor(int code, bool openShape)
{
    using namespace texts;
    const QString title = Text(kFineTune);
    const std::vector<QString> selecting = {Text(kGuideShiftSelects), Text(kGuideCtrlArea),
                                            Text(kGuideShiftCtrlArea)};
    auto withChange = [&selecting] {
        std::vector<QString> lines{Text(kGuideChangeSelected)};
        lines.insert(lines.end(), selecting.begin(), selecting.end());
        return lines;
    };
    switch (code) {
    case 59:
        return {title, {Text(kGuideJoinItems), Text(kGuideSplitGroup), Text(kGuideShiftSelects)}};
    case PanelCode::LineFineTune:
    case PanelCode::TextFineTune:
    case 401:
        return {title, withChange()};
    case 209: // splines and curves, open or closed
    case 210:
    case 211:
    case 212:
        return {title,
                {Text(kGuideChangeSelected), Text(openShape ? kGuideAddPoints : kGuideDragPoints),
                 Text(kGuideDeletePoint), Text(kGuideInsertPoint)}};
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
    auto* title = new QLabel(Text(texts::kMenuInsert), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setFixedHeight(42);
    layout->addWidget(title);
    for (int i = 0; i < static_cast<int>(InsertRows().size()); ++i)
        layout->addWidget(new InsertRowLabel(Text(InsertRows()[static_cast<std::size_t>(i)].caption),
                                             [this, i] { RowPressed(i); }, this));
    layout->addSpacing(2);
    const QString word = Text(texts::kPageSetupLinkWord).toHtmlEscaped();
    QString line = Text(texts::kPageSetupLinkLine).toHtmlEscaped();
    line.replace(word, QStringLiteral("<a href=\"page-setup\">") + word + QStringLiteral("</a>"));
    pageSetupLink_ = new QLabel(line, this);
    pageSetupLink_->setTextFormat(Qt::RichText);
    pageSetupLink_->setWordWrap(true);
    pageSetupLink_->setAccessibleName(Text(texts::kPageSetupLinkLine));
    pageSetupLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(pageSetupLink_, &QLabel::linkActivated, this, [pageSetup = std::move(pageSetup)] {
        if (pageSetup)
            pageSetup();
    });
    layout->addWidget(pageSetupLink_);
    layout->addStretch(1);
}

void InsertPanel::setPageSetupLinkShown(bool shown) { pageSetupLink_->setVisible(shown); }

void InsertPanel::RowPressed(int index)
{
    if (index >= 0 && index < static_cast<int>(InsertRows().size()) && choose_)
        choose_(InsertRows()[static_cast<std::size_t>(index)].panelCode);
}

} // namespace vlm
