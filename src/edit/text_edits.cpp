#include "edit/text_edits.h"

#include "edit/item_geometry.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The text as far as it is scanned (characters before the first zero).
std::u16string_view Scanned(const Item& item)
{
    return std::u16string_view(item.text).substr(0, static_cast<std::size_t>(TextLength(item)));
}

int LineLength(const Item& item, int line) { return static_cast<int>(LineOf(item, line).size()); }

// Code units of the character that ends just before `offset` (0 at the start).
int UnitsBefore(std::u16string_view s, int offset)
{
    if (offset <= 0)
        return 0;
    if (offset >= 2 && IsLowSurrogate(s[offset - 1]) && IsHighSurrogate(s[offset - 2]))
        return 2;
    return 1;
}

// Code units of the character that starts at `offset` (0 at the end).
int UnitsAt(std::u16string_view s, int offset)
{
    const int n = static_cast<int>(s.size());
    if (offset >= n)
        return 0;
    if (offset + 1 < n && IsHighSurrogate(s[offset]) && IsLowSurrogate(s[offset + 1]))
        return 2;
    return 1;
}

double ThetaOf(const Item& item) { return item.rec.d.textAngle / 10.0 * kPi / 180.0; }

// Both baseline points one line height along `direction` (radians).
void MoveBaseline(Item& item, double direction, const TextEditContext& ctx)
{
    const int h = LineHeight(item, ctx.text);
    const int dx = Round(std::cos(direction) * h);
    const int dy = -Round(std::sin(direction) * h);
    DrawingFields& d = item.rec.d;
    d.x1 = Clamp32(std::int64_t{d.x1} + dx);
    d.y1 = Clamp32(std::int64_t{d.y1} + dy);
    d.x2 = Clamp32(std::int64_t{d.x2} + dx);
    d.y2 = Clamp32(std::int64_t{d.y2} + dy);
}

void Refit(Item& item, const TextEditContext& ctx)
{
    FitTextBox(item, true, ctx.zoom, ctx.text);
    RecomputeGeometry(item, ctx.text, ctx.markerSize);
}

void Replace(Item& item, int offset, int remove, std::u16string_view insert)
{
    std::u16string s(Scanned(item));
    s.replace(static_cast<std::size_t>(offset), static_cast<std::size_t>(remove), insert);
    SetText(item, s);
}

// Width of the first `units` code units of `line`, in document pixels.
double PrefixWidth(const Item& item, int line, int units, const TextEditContext& ctx)
{
    if (units <= 0)
        return 0.0;
    Item probe;
    probe.rec = item.rec;
    const std::u16string text = LineOf(item, line);
    probe.text = text.substr(0, static_cast<std::size_t>(std::min<int>(units, static_cast<int>(text.size()))));
    probe.hasText = true;
    return LineWidth(probe, 1, ctx.zoom, ctx.text);
}

} // namespace

int CaretOffset(const Item& item, const Caret& caret)
{
    const int lines = LineCount(item);
    int offset = 0;
    for (int k = 1; k < caret.line && k <= lines; ++k)
        offset += LineLength(item, k) + 1;
    offset += caret.column - 1;
    return std::clamp(offset, 0, TextLength(item));
}

bool IsLineBreak(char32_t c) { return c == 10 || c == 13 || c == 0x2028 || c == 0x2029; }

bool IsTypable(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false;
    if (c == kLineSeparator || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return false; // the separator only comes from a line break, surrogates only in pairs
    return true;
}

bool InsertCharacter(Item& item, Caret& caret, char32_t c, const TextEditContext& ctx)
{
    if (!IsTypable(c) || TextLength(item) + 2 > kMaxStoredTextChars)
        return false;
    std::u16string units;
    if (c > 0xFFFF) {
        const char32_t v = c - 0x10000;
        units.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
        units.push_back(static_cast<char16_t>(c));
    }
    Replace(item, CaretOffset(item, caret), 0, units);
    caret.column += static_cast<int>(units.size());
    Refit(item, ctx);
    return true;
}

bool BreakLine(Item& item, Caret& caret, const TextEditContext& ctx)
{
    if (TextLength(item) + 1 > kMaxStoredTextChars)
        return false;
    const std::u16string separator(1, kLineSeparator);
    Replace(item, CaretOffset(item, caret), 0, separator);
    caret.line += 1;
    caret.column = 1;
    MoveBaseline(item, ThetaOf(item) - kPi / 2.0, ctx);
    Refit(item, ctx);
    return true;
}

bool DeleteBeforeCaret(Item& item, Caret& caret, const TextEditContext& ctx)
{
    const std::u16string_view s = Scanned(item);
    const int offset = CaretOffset(item, caret);
    if (s.empty() || offset == 0)
        return false;
    const int units = UnitsBefore(s, offset);
    if (s[offset - 1] == kLineSeparator) {
        const int previous = LineLength(item, std::max(caret.line - 1, 1));
        MoveBaseline(item, ThetaOf(item) + kPi / 2.0, ctx);
        caret.line = std::max(caret.line - 1, 1);
        caret.column = previous + 1;
    } else {
        caret.column = std::max(caret.column - units, 1);
    }
    Replace(item, offset - units, units, {});
    Refit(item, ctx);
    return true;
}

bool DeleteAtCaret(Item& item, Caret& caret, const TextEditContext& ctx)
{
    const std::u16string_view s = Scanned(item);
    const int offset = CaretOffset(item, caret);
    if (s.empty() || offset >= static_cast<int>(s.size()))
        return false;
    if (s[offset] == kLineSeparator)
        MoveBaseline(item, ThetaOf(item) + kPi / 2.0, ctx);
    Replace(item, offset, UnitsAt(s, offset), {});
    Refit(item, ctx);
    return true;
}

Caret CaretAtEnd(const Item& item)
{
    const int lines = std::max(LineCount(item), 1);
    return {lines, LineLength(item, lines) + 1};
}

bool MoveCaret(const Item& item, Caret& caret, CaretKey key)
{
    const Caret before = caret;
    const int lines = std::max(LineCount(item), 1);
    const std::u16string line = LineOf(item, caret.line);
    const int length = static_cast<int>(line.size());
    switch (key) {
    case CaretKey::TextStart: caret = {1, 1}; break;
    case CaretKey::Home: caret.column = 1; break;
    case CaretKey::TextEnd: caret = CaretAtEnd(item); break;
    case CaretKey::End: caret.column = length + 1; break;
    case CaretKey::Left:
        if (caret.column > length + 1)
            caret.column = length + 1;
        else if (caret.column > 1)
            caret.column = std::max(caret.column - UnitsBefore(line, caret.column - 1), 1);
        break;
    case CaretKey::Right:
        if (caret.column <= length)
            caret.column += std::max(UnitsAt(line, caret.column - 1), 1);
        break;
    case CaretKey::Up:
    case CaretKey::Down: {
        const int target = key == CaretKey::Up ? caret.line - 1 : caret.line + 1;
        if (target < 1 || target > lines)
            break;
        caret.line = target;
        const std::u16string now = LineOf(item, target);
        caret.column = std::min(caret.column, static_cast<int>(now.size()) + 1);
        // Never between the halves of a surrogate pair.
        if (caret.column > 1 && caret.column <= static_cast<int>(now.size()) &&
            IsLowSurrogate(now[caret.column - 1]) && IsHighSurrogate(now[caret.column - 2]))
            caret.column -= 1;
        break;
    }
    }
    return !(caret == before);
}

CaretGeometry CaretLine(const Item& item, const Caret& caret, const TextEditContext& ctx)
{
    const DrawingFields& d = item.rec.d;
    const double theta = ThetaOf(item);
    const double boxLength = std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1);
    const int lineWidth = LineWidth(item, caret.line, ctx.zoom, ctx.text);
    double offset = 0.0;
    if (lineWidth < boxLength) {
        if (d.justification == 2)
            offset = std::trunc((boxLength - lineWidth) / 2.0);
        else if (d.justification == 3)
            offset = boxLength - lineWidth;
    }
    const double along = offset + PrefixWidth(item, caret.line, caret.column - 1, ctx);
    const int lines = std::max(LineCount(item), 1);
    const double up = double(lines - caret.line) * LineHeight(item, ctx.text);
    const QPointF start(d.x1, d.y1);
    auto polar = [](QPointF p, double angle, double r) {
        return QPointF(p.x() + std::cos(angle) * r, p.y() - std::sin(angle) * r);
    };
    const QPointF foot = polar(polar(start, theta, along), theta + kPi / 2.0, up);
    const std::optional<Font> font = MakeFont(item, d.fontSize, false, ctx.text);
    const double ascent = font ? font->ascent() : 0.0;
    const double descent = font ? font->descent() : 0.0;
    const double direction = theta + kPi / 2.0 - (d.italic ? 10.0 * kPi / 180.0 : 0.0);
    return {foot, polar(foot, direction, -descent), polar(foot, direction, ascent)};
}

Caret CaretNearest(const Item& item, QPoint p, const TextEditContext& ctx)
{
    Caret best{1, 1};
    double bestDistance = -1.0;
    const int lines = LineCount(item);
    for (int k = 1; k <= lines; ++k) {
        const std::u16string line = LineOf(item, k);
        for (int j = 1; j <= static_cast<int>(line.size()); ++j) {
            if (j < static_cast<int>(line.size()) && IsHighSurrogate(line[j - 1]) && IsLowSurrogate(line[j]))
                continue; // after the first half of a pair is no place for the caret
            const Caret candidate{k, j + 1};
            const QPointF foot = CaretLine(item, candidate, ctx).foot;
            const double distance = Round(std::hypot(foot.x() - p.x(), foot.y() - p.y()));
            if (bestDistance < 0 || distance < bestDistance) {
                best = candidate;
                bestDistance = distance;
            }
        }
    }
    return best;
}

} // namespace vlm
