// Filling the fine-tune panel's controls from the Settings or the selection.

#include "shell/panels/fine_tune_panel.h"

#include "edit/new_items.h"
#include "edit/selection.h"
#include "edit/tool_mode.h"
#include "model/clipboard.h"
#include "model/rounding.h"
#include "platform/font.h"
#include "platform/ui_text.h"
#include "render/splines.h"
#include "settings/settings.h"
#include "shell/panels/list_samples.h"
#include "texts/edit_texts.h"
#include "texts/fine_tune_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "shell/panels/fine_tune_shared.h"

namespace vlm {

using namespace fine_tune;

namespace {

// The weight position a next-item panel shows: its stored position while
// that still names a weight, else "Thin" with the weight 0.
int StoredWeightPosition(const FilledList& l, std::int32_t& tab, double& weight)
{
    if (tab >= 0 && tab < static_cast<int>(l.entries.size()) && tab != l.customizeAt)
        return tab;
    weight = 0.0;
    return 0;
}

// The pattern position of a code: 0..4 directly, an embedded pattern at the
// user entry with the same lengths.
int PatternPosition(const FilledList& l, const Settings& s, const ItemList* items, std::int32_t code)
{
    if (code >= 0 && code <= 4)
        return code;
    const Item* record = items ? FindLinePattern(*items, code) : nullptr;
    if (!record)
        return -1;
    for (std::size_t k = 0; k < l.map.size(); ++k) {
        const auto& mm = s.customPatterns[static_cast<std::size_t>(l.map[k] - 1)].millimetres;
        if (std::equal(mm.begin(), mm.end(), std::begin(record->rec.p.lengths)))
            return l.firstUser + static_cast<int>(k);
    }
    return -1;
}

} // namespace

void FineTunePanel::fillEffects(std::int32_t surface, ShadowBytes shadow, bool mixedShadow)
{
    if (!surface_)
        return;
    surface_->setCurrentIndex(surface == 0 ? 0 : surface == kRoundSurface ? 1 : -1);
    shadow_->setList(FillList(ListKind::Shadows, settings_), settings_, 0);
    SelectIn(shadow_, mixedShadow ? -1 : SelectShadow(shadow_->list(), shadow));
}

void FineTunePanel::fillEffects(const SelectionAttributes& a)
{
    const bool mixed = a.shadowElevation < 0 || a.shadowFade < 0 || a.shadowLightness < 0;
    const ShadowBytes shadow{std::uint8_t(std::max(0, a.shadowElevation)),
                             std::uint8_t(std::max(0, a.shadowFade)),
                             std::uint8_t(std::max(0, a.shadowLightness))};
    fillEffects(a.surface, shadow, mixed);
}

void FineTunePanel::fillLine()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const std::int32_t ink = fineTune_ ? 0 : s.lineColor;
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    if (!fineTune_) {
        weight_->setList(FillList(ListKind::LineWeights, s, RefillTarget::LineWidth), s, ink);
        outline_->setList(FillList(ListKind::LineWeights, s), s, ink);
        pattern_->setList(FillList(ListKind::Patterns, s), s, ink);
        direction_->setList(FillList(ListKind::Directions, s), s, ink);
        SelectIn(color_, SelectValue(color_->list(), s.lineColor));
        SelectIn(weight_, StoredWeightPosition(weight_->list(), s.lineWidthTab, s.lineWidth));
        SelectIn(outline_, StoredWeightPosition(outline_->list(), s.lineOutlineTab, s.lineOutline));
        if (s.linePattern < 0 || s.linePattern >= pattern_->count() ||
            s.linePattern == pattern_->list().customizeAt) {
            s.linePattern = 0;
            s.linePatternTab = 0;
        }
        StorePatternChoice(s, pattern_->list(), s.linePattern);
        SelectIn(pattern_, s.linePattern);
        int dir = s.lineDirectionTab;
        if (dir < 0 || dir >= direction_->count() || dir == direction_->list().customizeAt) {
            dir = 0;
            s.lineDirection = -1.0;
        }
        SelectIn(direction_, dir);
        SelectIn(fill_, SelectValue(fill_->list(), s.lineFill));
        fillEffects(s.liplas, s.shpoly, false);
        return;
    }
    const SelectionAttributes a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    const std::int32_t sample = a.color >= 0 ? a.color : 0;
    weight_->setList(FillList(ListKind::LineWeights, s), s, sample);
    outline_->setList(FillList(ListKind::LineWeights, s), s, sample);
    pattern_->setList(FillList(ListKind::Patterns, s), s, sample);
    direction_->setList(FillList(ListKind::Directions, s), s, sample);
    SelectIn(color_, SelectValue(color_->list(), a.color));
    SelectIn(weight_, SelectValue(weight_->list(), a.weight));
    SelectIn(outline_, SelectValue(outline_->list(), a.outlineWeight));
    SelectIn(pattern_, a.pattern ? PatternPosition(pattern_->list(), s,
                                                   box ? &box->document().items : nullptr, *a.pattern)
                                 : -1);
    SelectIn(direction_, SelectValue(direction_->list(), a.direction));
    SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    fillEffects(a);
}

void FineTunePanel::fillShape()
{
    Settings& s = settings_;
    const int code = panelCode();
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    std::int32_t kind = 0, variant = VariantSolid, sides = s.polysides;
    SelectionAttributes a;
    const Item* continued = continuing_ && box ? ContinuedItem(box->document().items) : nullptr;
    if (continued) {
        const DrawingFields& d = continued->rec.d;
        kind = d.kind;
        variant = d.shapeVariant;
        a.color = d.lineColor;
        a.weight = d.weight;
        a.fill = d.fillColor;
        a.surface = d.surface;
        a.shadowElevation = d.shadowElevation;
        a.shadowFade = d.shadowFade;
        a.shadowLightness = d.shadowLightness;
        weight_->setList(FillList(ListKind::LineWeights, s), s, a.color);
        SelectIn(color_, SelectValue(color_->list(), a.color));
        SelectIn(weight_, SelectValue(weight_->list(), a.weight));
        SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    } else if (fineTune_) {
        a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
        const auto items = SelectedItems(box);
        if (!items.empty()) {
            kind = items.front()->rec.d.kind;
            variant = items.front()->rec.d.shapeVariant;
            sides = items.front()->rec.d.sides;
        }
        weight_->setList(FillList(ListKind::LineWeights, s), s, a.color >= 0 ? a.color : 0);
        SelectIn(color_, SelectValue(color_->list(), a.color));
        SelectIn(weight_, SelectValue(weight_->list(), a.weight));
        SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    } else {
        kind = KindForToolMode(code);
        if (IsSplineCode(code))
            variant = s.polyshape;
        else if (IsCurveCode(code))
            variant = s.bpolyshape;
        weight_->setList(FillList(ListKind::LineWeights, s, RefillTarget::PolyWidth), s, s.polycolor);
        SelectIn(color_, SelectValue(color_->list(), s.polycolor));
        SelectIn(weight_, StoredWeightPosition(weight_->list(), s.polytab, s.polywidth));
        SelectIn(fill_, SelectValue(fill_->list(), s.polyfill));
    }
    const bool fills = kind == 0 || CanFill(kind, variant);
    fill_->setEnabled(fills);
    if (!fills)
        fill_->setCurrentIndex(-1);
    if (fourth_) {
        fourth_->clear();
        if (code == 199 || code == 299 || code == 105 || code == 206) {
            const auto& counts = SideCounts();
            for (int n : counts)
                fourth_->addItem(QString::number(n));
            const auto at = std::find(counts.begin(), counts.end(), sides);
            fourth_->setCurrentIndex(at == counts.end() ? -1 : static_cast<int>(at - counts.begin()));
        } else if (IsSplineCode(code)) {
            for (const char16_t* t : {texts::kOpenSpline, texts::kClosedSpline, texts::kSolidShape})
                fourth_->addItem(uiText(t));
            SelectIn(fourth_, variant);
        } else if (IsCurveCode(code)) {
            for (const char16_t* t : {texts::kOpenCurve, texts::kClosedCurve, texts::kOblongShape})
                fourth_->addItem(uiText(t));
            SelectIn(fourth_, variant);
        } else if (code == 201 || code == 202) {
            fourth_->addItem(uiText(texts::kKindSquare));
            fourth_->addItem(uiText(texts::kKindRectangle));
            SelectIn(fourth_, kind == KindSquare ? 0 : 1);
        } else if (code == 203 || code == 204) {
            fourth_->addItem(uiText(texts::kKindCircle));
            fourth_->addItem(uiText(texts::kKindEllipse));
            SelectIn(fourth_, kind == KindCircle ? 0 : 1);
        } else if (code == 207 || code == 208) {
            fourth_->addItem(uiText(texts::kKindArc));
            fourth_->addItem(uiText(texts::kKindPie));
            SelectIn(fourth_, kind == KindArc ? 0 : 1);
        }
    }
    if (fineTune_) {
        fillEffects(a);
    } else {
        fillEffects(s.poplas, s.shpoly, false);
    }
}

void FineTunePanel::fillText()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const SelectionAttributes a =
        fineTune_ && box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    SelectIn(color_, SelectValue(color_->list(), fineTune_ ? a.textColor : s.tcolor));

    font_->clear();
    for (const std::u16string& face : s.installedFonts) {
        font_->addItem(QString::fromStdU16String(face));
        font_->setItemData(font_->count() - 1, QFont(QString::fromStdU16String(face)), Qt::FontRole);
    }
    QString face;
    if (fineTune_)
        face = a.fontName ? QString::fromStdString(*a.fontName) : QString();
    else
        face = QString::fromStdU16String(s.tfont);
    int shown = face.isEmpty() ? -1 : font_->findText(face, Qt::MatchFixedString);
    // A face this machine lacks shows as the one its text is drawn with; the
    // name kept in the document and the Settings stays as it was.
    if (shown < 0 && !face.isEmpty()) {
        const QString drawn = drawnFamilyName(face, fineTune_ ? a.charset : s.tcharset);
        shown = drawn.isEmpty() ? -1 : font_->findText(drawn, Qt::MatchFixedString);
    }
    font_->setCurrentIndex(shown);

    charset_->clear();
    for (const NamedValue& c : kCharsets)
        charset_->addItem(uiText(c.name), c.value);
    charset_->setCurrentIndex(charset_->findData(fineTune_ ? a.charset : s.tcharset));

    size_->setList(FillList(ListKind::FontSizes, s), s, 0);
    if (fineTune_) {
        SelectIn(size_, SelectValue(size_->list(), a.fontSize));
    } else {
        int at = s.tsizetab;
        if (at < 0 || at >= size_->count() || at == size_->list().customizeAt) {
            at = 4;
            s.tsize = 12;
        }
        SelectIn(size_, at);
    }

    fontWeight_->clear();
    for (const NamedValue& w : kFontWeights)
        fontWeight_->addItem(uiText(w.name), w.value);
    const int weight = fineTune_ ? a.fontWeight : s.tbold;
    fontWeight_->setCurrentIndex(fontWeight_->findData(weight));
    weightTrack_->setValue(std::clamp(Round(weight / 100.0), 1, 9));

    // The style flags of the first selected text, or of the Settings.
    std::array<std::uint8_t, 4> options = s.toptions;
    if (fineTune_)
        for (const Item* it : SelectedItems(box))
            if (it->rec.d.kind == KindText) {
                options = {it->rec.d.italic, it->rec.d.underline, it->rec.d.strikeout,
                           it->rec.d.justification};
                break;
            }
    styleButtons_[0]->setChecked(weight >= 700);
    for (int k = 0; k < 3; ++k)
        styleButtons_[static_cast<std::size_t>(k + 1)]->setChecked(options[static_cast<std::size_t>(k)] != 0);
    for (int k = 0; k < 3; ++k)
        justifyButtons_[static_cast<std::size_t>(k)]->setChecked(options[OptionJustification] == k + 1);

    angle_->setList(FillList(ListKind::TextAngles, s), s, 0);
    if (fineTune_) {
        SelectIn(angle_, SelectValue(angle_->list(), a.direction));
    } else {
        int at = s.tangletab;
        if (at < 0 || at >= angle_->count() || at == angle_->list().customizeAt) {
            at = 1;
            s.tangle = 0;
        }
        SelectIn(angle_, at);
    }
    if (fineTune_) {
        fillEffects(a);
    } else {
        fillEffects(s.txplas, s.shtext, false);
    }
}

void FineTunePanel::fillMulti()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const SelectionAttributes a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    weight_->setList(FillList(ListKind::LineWeights, s), s, a.color >= 0 ? a.color : 0);
    SelectIn(color_, SelectValue(color_->list(), a.color));
    SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    SelectIn(weight_, SelectValue(weight_->list(), a.weight));
    updateLinks();
}

} // namespace vlm
