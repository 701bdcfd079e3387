#pragma once

// Editing the characters of one text Item at a caret: inserting, breaking a
// line, deleting before and at the caret, moving the caret with the keys,
// where the caret stands on the canvas and which caret position a click
// chooses. The Item changes in place (the caller owns the undo step) and
// keeps its baseline on the last line, so a line break moves the baseline
// one line height down and joining two lines moves it back.
//
// Columns count UTF-16 code units, as the stored text does; a character
// outside the Basic Multilingual Plane is never split: inserting, deleting
// and moving the caret step over its surrogate pair as a whole.

#include "model/item.h"
#include "render/text_render.h"

#include <QPoint>
#include <QPointF>

#include <cstdint>

namespace vlm {

// 1-based line and column; column = length of the line + 1 is its end.
struct Caret {
    int line = 1;
    int column = 1;
    bool operator==(const Caret&) const = default;
};

// What the edits measure with: the fonts and the zoom of the window.
struct TextEditContext {
    TextSettings text;
    double zoom = 1.0;
    int markerSize = 8;
};

// The offset of the caret in the whole text (0-based code units), clamped
// to the text.
int CaretOffset(const Item& item, const Caret& caret);

// The characters the typing path keeps: none of the control characters
// other than those the edits below handle (they would be stored invisibly).
bool IsTypable(char32_t c);
// Characters that break the line when typed.
bool IsLineBreak(char32_t c);

// The edits; false when they changed nothing. Each fits the text box in
// grow-only mode and recomputes the text box and bounding box.
bool InsertCharacter(Item& item, Caret& caret, char32_t c, const TextEditContext& ctx);
bool BreakLine(Item& item, Caret& caret, const TextEditContext& ctx);
bool DeleteBeforeCaret(Item& item, Caret& caret, const TextEditContext& ctx);
bool DeleteAtCaret(Item& item, Caret& caret, const TextEditContext& ctx);

// The caret keys; false when the caret stays where it is.
enum class CaretKey { Home, End, TextStart, TextEnd, Left, Right, Up, Down };
bool MoveCaret(const Item& item, Caret& caret, CaretKey key);
// The end of the last line (line count, at least 1).
Caret CaretAtEnd(const Item& item);

// The caret as drawn, in document pixels: from the descent below its foot
// on the line's baseline to the ascent above it.
struct CaretGeometry {
    QPointF foot;
    QPointF bottom;
    QPointF top;
};
CaretGeometry CaretLine(const Item& item, const Caret& caret, const TextEditContext& ctx);

// The caret a press at `p` (document pixels) chooses: the place after a
// character nearest to it; the first found wins ties. Line 1, column 1 for
// a text without characters.
Caret CaretNearest(const Item& item, QPoint p, const TextEditContext& ctx);

} // namespace vlm
