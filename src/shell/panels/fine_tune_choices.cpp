// The fine-tune panel's choices: each applied to the selection as one undo
// step, or kept in the Settings for the next Item.

#include "shell/panels/fine_tune_panel.h"

#include "edit/new_items.h"
#include "edit/selection.h"
#include "edit/tool_mode.h"
#include "model/clipboard.h"
#include "model/rounding.h"
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

// ---------------------------------------------------------------- changes

bool FineTunePanel::customizeChosen(SampleComboBox* box, int position, int page)
{
    if (position != box->list().customizeAt)
        return false;
    if (hooks_.customize)
        hooks_.customize(page);
    deferRefill();
    return true;
}

// "Customize..." of a colour list opens the colour dialog; the colour chosen
// there is offered by the lists from then on and is taken as if it had been
// chosen in the list. -1 when nothing is to be taken.
int FineTunePanel::colorPosition(SampleComboBox* box, int position)
{
    if (position != box->list().customizeAt)
        return position;
    const std::optional<std::int32_t> chosen = hooks_.chooseColor ? hooks_.chooseColor() : std::nullopt;
    fill();
    if (!chosen)
        return -1;
    return SelectIn(box, SelectValue(box->list(), *chosen));
}

void FineTunePanel::apply(const FineTuneOperation& op)
{
    if (Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr)
        FineTuneSelection(*box, op);
}

bool FineTunePanel::carryToTypedText(bool turn)
{
    return !fineTune_ && kind_ == Kind::Text && hooks_.textSettingsChanged && hooks_.textSettingsChanged(turn);
}

void FineTunePanel::afterChange(bool carryToText)
{
    if (carryToText)
        carryToTypedText(false);
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

namespace {
bool Valid(QComboBox* box, int position)
{
    return position >= 0 && position < box->count();
}
} // namespace

void FineTunePanel::colorChosen(int position)
{
    if (!Valid(color_, position))
        return;
    position = colorPosition(color_, position);
    if (position < 0)
        return;
    const std::int32_t c = color_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_) {
        applyWith(ApplyColor, c);
        if (kind_ == Kind::Multi)
            applyWith(ApplyTextColor, c);
    } else if (kind_ == Kind::Line) {
        settings_.lineColor = c;
        settings_.lineFill = FillAfterColorChange(settings_, settings_.lineFill, c);
    } else {
        settings_.polycolor = c;
        settings_.polyfill = FillAfterColorChange(settings_, settings_.polyfill, c);
    }
    afterChange();
}

void FineTunePanel::textColorChosen(int position)
{
    if (!Valid(color_, position))
        return;
    position = colorPosition(color_, position);
    if (position < 0)
        return;
    const std::int32_t c = color_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_)
        applyWith(ApplyTextColor, c);
    else
        settings_.tcolor = c;
    afterChange();
}

void FineTunePanel::weightChosen(int position)
{
    if (!Valid(weight_, position) || customizeChosen(weight_, position, 9))
        return;
    const double mm = weight_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyWeight, mm);
    } else if (kind_ == Kind::Line) {
        settings_.lineWidth = mm;
        settings_.lineWidthTab = position;
    } else {
        settings_.polywidth = mm;
        settings_.polytab = position;
    }
    afterChange();
}

void FineTunePanel::outlineChosen(int position)
{
    if (!Valid(outline_, position) || customizeChosen(outline_, position, 9))
        return;
    const double mm = outline_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyOutlineWeight, mm);
    } else {
        settings_.lineOutline = mm;
        settings_.lineOutlineTab = position;
    }
    afterChange();
}

void FineTunePanel::patternChosen(int position)
{
    if (!Valid(pattern_, position) || customizeChosen(pattern_, position, 10))
        return;
    const FilledList& l = pattern_->list();
    if (!fineTune_) {
        StorePatternChoice(settings_, l, position);
    } else if (position < l.customizeAt) {
        applyWith(ApplyPattern, position);
    } else if (const int entry = EntryAt(l, position)) {
        double lengths[kPatternLengthCount];
        const auto& mm = settings_.customPatterns[static_cast<std::size_t>(entry - 1)].millimetres;
        std::copy(mm.begin(), mm.end(), lengths);
        apply([&lengths](ItemList& items, HistoryCursor& h, const FineTuneContext& x) {
            return ApplyCustomPattern(items, h, x, lengths);
        });
    }
    afterChange();
}

void FineTunePanel::directionChosen(int position)
{
    if (!Valid(direction_, position) || customizeChosen(direction_, position, 11))
        return;
    const double degrees = direction_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyLineDirection, degrees);
    } else {
        settings_.lineDirection = degrees;
        settings_.lineDirectionTab = position;
    }
    afterChange();
}

void FineTunePanel::fillChosen(int position)
{
    if (!Valid(fill_, position))
        return;
    position = colorPosition(fill_, position);
    if (position < 0)
        return;
    const std::int32_t f = fill_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_)
        applyWith(ApplyFill, f);
    else if (kind_ == Kind::Line)
        settings_.lineFill = f;
    else
        settings_.polyfill = f;
    afterChange();
}

void FineTunePanel::surfaceChosen(int position)
{
    if (!Valid(surface_, position))
        return;
    const std::uint8_t v = position == 0 ? 0 : kRoundSurface;
    if (fineTune_)
        applyWith(ApplySurface, v);
    else
        (kind_ == Kind::Line   ? settings_.liplas
         : kind_ == Kind::Text ? settings_.txplas
                               : settings_.poplas) = v;
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

void FineTunePanel::shadowChosen(int position)
{
    if (!Valid(shadow_, position) || customizeChosen(shadow_, position, 63))
        return;
    const ShadowBytes b = shadow_->list().entries[static_cast<std::size_t>(position)].shadow;
    if (fineTune_) {
        const bool text = kind_ == Kind::Text;
        apply([b, text](ItemList& l, HistoryCursor& h, const FineTuneContext& x) {
            return text ? ApplyTextShadow(l, h, x, b.elevation, b.fade, b.lightness)
                        : ApplyShadow(l, h, x, b.elevation, b.fade, b.lightness);
        });
    } else {
        (kind_ == Kind::Text ? settings_.shtext : settings_.shpoly) = b;
    }
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

void FineTunePanel::fourthChosen(int position)
{
    if (!Valid(fourth_, position))
        return;
    const int code = panelCode();
    if (code == 199 || code == 299 || code == 105 || code == 206) {
        const int n = SideCounts()[static_cast<std::size_t>(position)];
        if (fineTune_)
            applyWith(ApplySides, n);
        else
            settings_.polysides = n;
    } else if (IsSplineCode(code) || IsCurveCode(code)) {
        if (fineTune_) {
            applyWith(ApplySplineShape, position);
            const int next = IsSplineCode(code) ? (position == 2 ? 210 : 209) : (position == 2 ? 212 : 211);
            if (code != 297 && code != 298)
                deferShowPanel(next);
        } else {
            const bool spline = IsSplineCode(code);
            (spline ? settings_.polyshape : settings_.bpolyshape) = position;
            if (position < 2)
                (spline ? settings_.polystate : settings_.bpolystate) = position;
            deferShowPanel(spline ? (position == 2 ? 110 : 109) : (position == 2 ? 112 : 111));
        }
    } else if (fineTune_) {
        std::int32_t kind = 0;
        int next = code;
        if (code == 201 || code == 202) {
            kind = position == 0 ? KindSquare : KindRectangle;
            next = position == 0 ? 201 : 202;
        } else if (code == 203 || code == 204) {
            kind = position == 0 ? KindCircle : KindEllipse;
            next = position == 0 ? 203 : 204;
        } else if (code == 207 || code == 208) {
            kind = position == 0 ? KindArc : KindPie;
            next = position == 0 ? 208 : 207;
        }
        if (kind != 0)
            applyWith(ApplyKind, kind);
        if (next != code)
            deferShowPanel(next);
    }
    afterChange();
}

void FineTunePanel::fontChosen(int position)
{
    if (!Valid(font_, position))
        return;
    const std::u16string face = font_->itemText(position).toStdU16String();
    if (fineTune_)
        applyWith(ApplyFontName, face);
    else
        settings_.tfont = face;
    afterChange();
}

void FineTunePanel::charsetChosen(int position)
{
    if (!Valid(charset_, position))
        return;
    const int c = charset_->itemData(position).toInt();
    if (fineTune_)
        applyWith(ApplyCharset, c);
    else
        settings_.tcharset = c;
    afterChange();
}

void FineTunePanel::sizeChosen(int position)
{
    if (!Valid(size_, position) || customizeChosen(size_, position, 41))
        return;
    const int points = Round(size_->list().entries[static_cast<std::size_t>(position)].value);
    if (fineTune_) {
        applyWith(ApplyTextSize, points);
    } else {
        settings_.tsize = points;
        settings_.tsizetab = position;
    }
    afterChange();
}

void FineTunePanel::fontWeightChosen(int weight)
{
    if (fineTune_)
        applyWith(ApplyFontWeight, weight);
    else
        settings_.tbold = weight;
    afterChange();
}

void FineTunePanel::styleToggled(int option, bool on)
{
    const std::uint8_t v = on ? 1 : 0;
    if (fineTune_)
        applyWith(ApplyTextOption, option, v);
    else
        settings_.toptions[static_cast<std::size_t>(option)] = v;
    afterChange();
}

void FineTunePanel::justify(int value)
{
    const auto v = static_cast<std::uint8_t>(value);
    if (fineTune_)
        applyWith(ApplyTextOption, OptionJustification, v);
    else
        settings_.toptions[OptionJustification] = v;
    afterChange();
}

int FineTunePanel::textDirectionOf(int position) const
{
    return Round(angle_->list().entries[static_cast<std::size_t>(position)].value);
}

void FineTunePanel::angleChosen(int position)
{
    if (!Valid(angle_, position) || customizeChosen(angle_, position, 40))
        return;
    const double degrees = angle_->list().entries[static_cast<std::size_t>(position)].value;
    const int direction = textDirectionOf(position);
    if (fineTune_) {
        applyWith(ApplyTextDirection, direction);
    } else {
        settings_.tangle = Round(10 * degrees);
        settings_.tangletab = position;
        settings_.tdir = direction;
        // The text being typed turns in place within its typing; other
        // selected texts turn as in fine-tune mode, as one undo step.
        if (!carryToTypedText(true))
            applyWith(ApplyTextDirection, direction);
    }
    afterChange(false);
}

void FineTunePanel::turn(Turn t)
{
    applyWith(ApplyTurn, t);
    if (hooks_.changed)
        hooks_.changed();
}

} // namespace vlm
