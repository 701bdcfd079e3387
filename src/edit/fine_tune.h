#pragma once

// The fine-tune operations: one attribute (or one geometric turn) written
// into every selected Item, each call one undo step. They work on the list
// and its history only; the document window repaints the dirty rectangle
// they return (FineTuneSelection in fine_tune_window.h).
//
// Groups themselves carry no style: attribute changes skip the group
// records and reach their members, which are selected with them.

#include "model/item_list.h"
#include "model/undo.h"
#include "render/text_render.h"
#include "render/units.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vlm {

// What the operations need besides the Items.
struct FineTuneContext
{
    TextSettings text;
    int markerSize = 8;
    double zoom = 1.0;
};

// The rectangle (document pixels) covering every changed Item before and
// after, grown by half the Marker size or the pen width; nothing when no
// undo step was made.
struct FineTuneResult
{
    bool applied = false;
    PixelRect dirty;
};

// Values that mark an attribute the selected Items do not share.
inline constexpr std::int32_t kMixedColor = -1;
inline constexpr double kMixedWeight = -1.0;
inline constexpr double kMixedDirection = -2.0;
inline constexpr std::int32_t kMixedFill = -3;
inline constexpr std::int32_t kMixedByte = -1;

// The common values of the selected Items (groups left out), or the mixed
// markers above. `pattern` is empty when the patterns differ.
struct SelectionAttributes
{
    int count = 0;
    std::int32_t color = kMixedColor;
    std::int32_t textColor = kMixedColor;
    double weight = kMixedWeight;
    double outlineWeight = kMixedWeight;
    double direction = kMixedDirection;
    std::int32_t fill = kMixedFill;
    std::optional<std::int32_t> pattern;
    std::int32_t shadowElevation = kMixedByte;
    std::int32_t shadowFade = kMixedByte;
    std::int32_t shadowLightness = kMixedByte;
    std::int32_t surface = kMixedByte;
    // Texts only (kMixedByte / empty when they differ).
    std::int32_t fontSize = kMixedByte;
    std::int32_t fontWeight = kMixedByte;
    std::int32_t charset = kMixedByte;
    std::optional<std::string> fontName;
};
SelectionAttributes AggregateSelection(const ItemList& list);

// Two patterns count as one when their codes are equal or both name
// embedded patterns with the same lengths.
bool SamePattern(const ItemList& list, std::int32_t a, std::int32_t b);

// The changes. Each is one undo step over the selected Items it concerns;
// when none does, nothing happens (no step).
using FineTuneChange = std::function<void(Item&)>;
using FineTunePredicate = std::function<bool(const Item&)>;
FineTuneResult FineTuneEach(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            const FineTunePredicate& concerns, const FineTuneChange& change);

FineTuneResult ApplyColor(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                          std::int32_t color);
FineTuneResult ApplyTextColor(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                              std::int32_t color);
// Lines: the line weight; shapes: the outline weight (both `weight`).
FineTuneResult ApplyWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                           double weightMm);
// Lines only: the border along a wide line.
FineTuneResult ApplyOutlineWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  double weightMm);
// A built-in code 0..4, or a custom pattern (lengths in millimetres) that
// is embedded into the Document as a pattern record.
FineTuneResult ApplyPattern(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::int32_t code);
FineTuneResult ApplyCustomPattern(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  const double (&lengthsMm)[12]);
// Lines: the preset direction in degrees; unless it is -1 each line is
// turned about its midpoint to it, keeping its length.
FineTuneResult ApplyLineDirection(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  double degrees);
// Shapes and lines: -2 solid, -1 clear, or a colour. Shapes that cannot be
// filled (open and closed splines and curves, arcs) are left alone.
FineTuneResult ApplyFill(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                         std::int32_t fill);
FineTuneResult ApplyShadow(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                           std::uint8_t elevation, std::uint8_t fade, std::uint8_t lightness);
// The shadow of the selected texts only.
FineTuneResult ApplyTextShadow(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                               std::uint8_t elevation, std::uint8_t fade, std::uint8_t lightness);
FineTuneResult ApplySurface(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::uint8_t surface);

// Texts.
FineTuneResult ApplyFontName(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                             const std::u16string& face);
FineTuneResult ApplyCharset(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::int32_t charset);
FineTuneResult ApplyTextSize(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                             std::int32_t points);
FineTuneResult ApplyFontWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                               std::int32_t weight);
// option: OptionItalic, OptionUnderline, OptionStrikeout (0 or 1) or
// OptionJustification (1 left, 2 centre, 3 right).
FineTuneResult ApplyTextOption(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, int option,
                               std::uint8_t value);
// The preset direction of texts (-1 any); as for lines, each text is turned
// about its midpoint unless it is -1.
FineTuneResult ApplyTextDirection(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  std::int32_t degrees);
// The same for one text in place: its preset direction, and unless that is
// -1 its baseline turned about its midpoint. The caller recomputes the box.
void TurnTextTo(Item& text, std::int32_t degrees);

// Shapes.
// Pie <-> arc, square <-> rectangle, circle <-> ellipse; `kind` is the new kind.
FineTuneResult ApplyKind(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                         std::int32_t kind);
// Stars and polygons rebuilt with `count` points or sides (3..1024000).
FineTuneResult ApplySides(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                          std::int32_t count);
// Splines and curves: 0 open, 1 closed, 2 solid.
FineTuneResult ApplySplineShape(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                std::int32_t variant);

// The four buttons. Lines and texts outside groups stay as they are.
enum class Turn { Mirror, Flip, Clockwise, CounterClockwise };
FineTuneResult ApplyTurn(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, Turn turn);

// Whether the "Fill Color" control applies to a shape of this kind and
// shape value.
bool CanFill(std::int32_t kind, std::int32_t variant);

} // namespace vlm
