#include "output/page_setup_session.h"

#include "model/item.h"
#include "output/label_templates.h"
#include "output/quick_select_catalogue.h"
#include "texts/page_setup_texts.h"

namespace vlm {

namespace {

using Kind = DimensionCell::Kind;

DimensionCell Field(DimensionText t, const char16_t* label)
{
    return {Kind::Text, t, label};
}

std::pair<DimensionCell, DimensionCell> Folds()
{
    return {{Kind::ColumnFold, TextPaperWidth, texts::kColumnFold},
            {Kind::RowFold, TextPaperWidth, texts::kRowFold}};
}

} // namespace

DimensionLayout DimensionLayoutFor(std::int32_t designType, std::int32_t unit)
{
    using namespace texts;
    if (!IsMeasuringUnit(unit))
        return {};
    if (unit == UnitPixels)
        return {{Field(TextPaperWidth, kImageWidth), Field(TextPaperHeight, kImageHeight)}};

    const auto paper = std::pair{Field(TextPaperWidth, kPaperWidth), Field(TextPaperHeight, kPaperHeight)};
    const auto leftTop = std::pair{Field(TextMarginLeft, kLeftMargin), Field(TextMarginTop, kTopMargin)};
    const auto rightBottom =
        std::pair{Field(TextMarginRight, kRightMargin), Field(TextMarginBottom, kBottomMargin)};
    const auto counts = std::pair{Field(TextColumns, kColumns), Field(TextRows, kRows)};
    const auto gaps = std::pair{Field(TextColumnGap, kColumnGap), Field(TextRowGap, kRowGap)};

    const std::int32_t t = designType < 0 ? -designType : designType;
    if (t == DesignIllustrations)
        return {paper, leftTop, rightBottom};
    if (t == DesignBrochures)
        return {paper,   {Field(TextCardWidth, kBrochureWidth), Field(TextCardHeight, kBrochureHeight)},
                leftTop, rightBottom,
                counts,  Folds()};
    if (IsCardDesignType(t)) {
        const bool label = t == DesignLabels;
        return {paper,
                {Field(TextCardWidth, label ? kLabelWidth : kCardWidth),
                 Field(TextCardHeight, label ? kLabelHeight : kCardHeight)},
                leftTop,
                counts,
                gaps,
                Folds()};
    }
    return {paper, leftTop, rightBottom, counts, gaps, Folds()};
}

HintFamily HintFamilyOf(std::int32_t designType)
{
    if (designType == DesignDigitalImages)
        return HintFamily::Digital;
    return IsCardDesignType(designType) ? HintFamily::Card : HintFamily::Sheet;
}

PageSetupSession::PageSetupSession(const pagesetArr_t& settingsPageSetups) : working_(settingsPageSetups) {}

PageSetupSession::PageSetupSession(const pagesetArr_t& settingsPageSetups, const Item& header)
    : working_(settingsPageSetups)
{
    const HeaderFields& h = header.rec.h;
    if (!IsDesignType(h.designType)) {
        type_ = 0;
        stage_ = Stage::DesignTypeMenu;
        return;
    }
    type_ = h.designType;
    if (!IsMeasuringUnit(h.units))
        return;
    pageset_t& ps = working_[type_];
    // A damaged header may carry any byte here; the boxes show exactly one
    // orientation and the folds are on or off.
    ps.orientation = h.orientation == Landscape ? Landscape : Portrait;
    ps.units = h.units;
    miry_t& s = ps.set(h.units);
    s.quickSelect = h.quickSelect;
    s.rowFold = h.rowFold ? 1 : 0;
    s.columnFold = h.columnFold ? 1 : 0;
    s.texts = SplitDimensionTexts(header.text);
}

const pageset_t& PageSetupSession::pageset() const
{
    static const pageset_t kNone = [] {
        pageset_t p;
        p.units = 0;
        return p;
    }();
    return typeChosen() ? working_[type_] : kNone;
}

const miry_t* PageSetupSession::currentSet() const
{
    return IsMeasuringUnit(units()) ? &pageset().set(units()) : nullptr;
}

miry_t* PageSetupSession::set()
{
    if (!typeChosen())
        return nullptr;
    pageset_t& ps = working_[type_];
    return IsMeasuringUnit(ps.units) ? &ps.set(ps.units) : nullptr;
}

void PageSetupSession::rematch()
{
    if (miry_t* s = set())
        s->quickSelect = matchQuickSelect(type_, units(), *s, pageset().orientation);
}

void PageSetupSession::chooseDesignType(std::int32_t designType)
{
    if (!IsDesignType(designType))
        return;
    type_ = designType;
    stage_ = Stage::Dimensions;
}

void PageSetupSession::setText(DimensionText field, const std::u16string& text)
{
    miry_t* s = set();
    if (!s || field < 0 || field >= kDimensionTextCount)
        return;
    s->texts[static_cast<std::size_t>(field)] = text;
    rematch();
}

void PageSetupSession::setFold(DimensionCell::Kind fold, bool on)
{
    miry_t* s = set();
    if (!s || fold == Kind::Text)
        return;
    (fold == Kind::RowFold ? s->rowFold : s->columnFold) = on ? 1 : 0;
    rematch();
}

void PageSetupSession::chooseQuickSelect(std::int32_t index)
{
    if (miry_t* s = set())
        ApplyQuickSelectRow(type_, units(), index, *s, working_[type_].orientation);
}

bool PageSetupSession::chooseTemplate(const LabelTemplate& t)
{
    if (!typeChosen() || !t.usable())
        return false;
    const std::int32_t type = templateDesignType(t);
    const std::int32_t target = IsCardDesignType(type) ? type : type_;
    // The unit is the one the panel shows, also when the product moves on
    // to the panel of another type.
    pageset_t& ps = working_[target];
    if (!applyTemplate(t, target, working_[type_].units, ps))
        return false;
    type_ = target;
    return true;
}

void PageSetupSession::setUnits(std::int32_t unit)
{
    if (typeChosen() && IsMeasuringUnit(unit))
        working_[type_].units = unit;
}

void PageSetupSession::setOrientation(std::int32_t orientation)
{
    if (!typeChosen())
        return;
    pageset_t& ps = working_[type_];
    if ((orientation != Portrait && orientation != Landscape) || orientation == ps.orientation)
        return;
    ps.orientation = orientation;
    if (miry_t* s = set())
        TransposeDimensionSet(*s);
    rematch();
}

std::vector<std::u16string> PageSetupSession::quickSelectTexts() const
{
    return QuickSelectTexts(type_, units());
}

std::int32_t PageSetupSession::quickSelectIndex() const
{
    const miry_t* s = currentSet();
    return s ? s->quickSelect : -1;
}

bool PageSetupSession::applyTo(Item& header, const PageSetupEnvironment& env) const
{
    return typeChosen() && applyPageSetup(header, working_[type_], type_, env, false);
}

void PageSetupSession::applyTo(Settings& settings) const
{
    ApplyPageSetupForNewFiles(settings, working_, type_);
}

} // namespace vlm
