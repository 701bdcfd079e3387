#include "model/item.h"

#include "model/geometry.h"
#include "model/item_list.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vlm {

Item::Item()
{
    std::memset(&rec, 0, sizeof rec);
}

Item::~Item() = default;

std::int32_t RoleForKind(std::int32_t kind)
{
    if (kind == KindDocumentHeader)
        return RoleHeader;
    if (kind == KindPicture)
        return RolePicture;
    if (kind < 0)
        return RolePattern;
    return RoleDrawing;
}

namespace {

void SetRecordDefaults(DrawingFields& d)
{
    d.windowId = -1;
    d.signature = kSignature;
    d.word116 = kWhite;
    d.penWidth = 1;
    d.fontSize = 12;
    d.fontWeight = 400;
    d.justification = 1;
    d.fontName.length = 5;
    std::memcpy(d.fontName.chars, "Arial", 5);
    d.word189 = kWhite;
    d.fillColor = -2;
    d.direction = -1.0;
    d.historyState = 1;
    d.tension = kDefaultTension;
    d.scaleX = 1.0;
    d.scaleY = 1.0;
    d.mirrorX = 1;
    d.mirrorY = 1;
    d.placementScale = 1.0;
}

} // namespace

Item& NewItem(ItemList& list, std::int32_t kind)
{
    auto fresh = std::make_unique<Item>();
    DrawingFields& d = fresh->rec.d;
    SetRecordDefaults(d);
    d.kind = kind;
    d.role = RoleForKind(kind);
    d.sequence = NextSequence(list);
    RealsFromIntegers(*fresh, list.metrics());
    Item& item = list.append(std::move(fresh));
    if (kind != KindDocumentHeader)
        SetModified(list, true);
    return item;
}

Item* CopyItem(ItemList& list, const Item* source)
{
    if (!source)
        return nullptr;
    Item& c = NewItem(list, source->rec.d.kind);
    const DrawingFields defaults = c.rec.d;

    // Everything but the history of the source is carried over. The header's
    // page fields overlay the history words, and patterns and pictures keep
    // data at 116, so those records are copied whole where it matters.
    c.rec = source->rec;
    DrawingFields& d = c.rec.d;
    if (d.role != RoleHeader) {
        d.historyState = defaults.historyState;
        d.orderMove = defaults.orderMove;
        d.sequence = defaults.sequence;
        d.editStep = defaults.editStep;
        d.predecessor = defaults.predecessor;
        d.rotationAtGrab = defaults.rotationAtGrab;
    }
    if (d.role == RoleDrawing)
        d.word116 = defaults.word116;
    d.fontName.length = std::min<std::uint8_t>(d.fontName.length, kFontNameMax);
    RealsFromIntegers(c, list.metrics());
    list.reindex(c);

    c.text = source->text;
    c.hasText = source->hasText;
    c.selectionTags = source->selectionTags;
    c.vertices = source->vertices;
    c.verticalGridLines = source->verticalGridLines;
    c.horizontalGridLines = source->horizontalGridLines;
    c.pictureData = source->pictureData;
    if (source->cache) {
        c.cache = std::make_unique<ItemList>(source->cache->metrics());
        for (const Item& cached : *source->cache) {
            Item& k = NewItem(*c.cache, cached.rec.d.kind);
            k.rec.d.x1 = cached.rec.d.x1;
            k.rec.d.y1 = cached.rec.d.y1;
            k.rec.d.x2 = cached.rec.d.x2;
            k.rec.d.y2 = cached.rec.d.y2;
            RealsFromIntegers(k, c.cache->metrics());
            k.pictureData = cached.pictureData;
        }
    }
    return &c;
}

void FreeItem(Item& item)
{
    std::u16string().swap(item.text);
    item.hasText = false;
    std::vector<std::uint32_t>().swap(item.selectionTags);
    std::vector<GridLine>().swap(item.verticalGridLines);
    std::vector<GridLine>().swap(item.horizontalGridLines);
    std::vector<Vertex>().swap(item.vertices);
    std::vector<std::uint8_t>().swap(item.pictureData);
    item.cache.reset();
}

std::int32_t TextLength(const Item& item)
{
    const std::size_t limit = std::min<std::size_t>(item.text.size(), kTextScanLimit);
    const std::size_t zero = item.text.find(u'\0');
    return static_cast<std::int32_t>(std::min(zero, limit));
}

std::int32_t LineCount(const Item& item)
{
    const std::int32_t n = TextLength(item);
    if (n == 0)
        return 0;
    const auto* s = item.text.data();
    return 1 + static_cast<std::int32_t>(std::count(s, s + n, kLineSeparator));
}

std::u16string LineOf(const Item& item, std::int32_t n)
{
    if (n < 1)
        return {};
    const std::u16string_view s(item.text.data(), static_cast<std::size_t>(TextLength(item)));
    std::size_t start = 0;
    for (std::int32_t line = 1; line < n; ++line) {
        const std::size_t sep = s.find(kLineSeparator, start);
        if (sep == std::u16string_view::npos)
            return {};
        start = sep + 1;
    }
    const std::size_t end = s.find(kLineSeparator, start);
    return std::u16string(s.substr(start, end == std::u16string_view::npos ? s.npos : end - start));
}

bool SetText(Item& item, std::u16string_view s)
{
    bool whole = true;
    if (s.size() > static_cast<std::size_t>(kMaxStoredTextChars)) {
        std::size_t keep = kMaxStoredTextChars;
        // A high surrogate whose partner was cut away would leave a broken character.
        if (s[keep - 1] >= 0xD800 && s[keep - 1] <= 0xDBFF)
            --keep;
        s = s.substr(0, keep);
        whole = false;
    }
    item.text.assign(s);
    item.hasText = true;
    return whole;
}

void ClearText(Item& item)
{
    item.text.clear();
    item.hasText = false;
}

std::string FontName(const Item& item)
{
    const ShortString32& f = item.rec.d.fontName;
    return std::string(f.chars, std::min<std::size_t>(f.length, kFontNameMax));
}

void SetFontName(Item& item, std::string_view name)
{
    ShortString32& f = item.rec.d.fontName;
    const std::size_t n = std::min<std::size_t>(name.size(), kFontNameMax);
    std::memset(f.chars, 0, sizeof f.chars);
    std::memcpy(f.chars, name.data(), n);
    f.length = static_cast<std::uint8_t>(n);
}

namespace {

// Box, size and length of the first and second point, in 64 bits so that
// damaged coordinates cannot overflow.
void BoxFromPoints(DrawingFields& d)
{
    const std::int64_t x1 = d.x1, y1 = d.y1, x2 = d.x2, y2 = d.y2;
    d.left = Clamp32(std::min(x1, x2));
    d.right = Clamp32(std::max(x1, x2));
    d.top = Clamp32(std::min(y1, y2));
    d.bottom = Clamp32(std::max(y1, y2));
    d.width = Clamp32(x2 > x1 ? x2 - x1 : x1 - x2);
    d.height = Clamp32(y2 > y1 ? y2 - y1 : y1 - y2);
}

} // namespace

void RecomputeFromReals(Item& item, const ScreenMetrics& m)
{
    DrawingFields& d = item.rec.d;
    d.x1 = Round(d.x1Real / m.pxPerMmX);
    d.y1 = Round(d.y1Real / m.pxPerMmY);
    d.x2 = Round(d.x2Real / m.pxPerMmX);
    d.y2 = Round(d.y2Real / m.pxPerMmY);
    BoxFromPoints(d);
    if (d.kind == KindClip && d.clipShape == 2) {
        const double dx = static_cast<double>(d.x1) - d.x2;
        const double dy = static_cast<double>(d.y1) - d.y2;
        const std::int64_t r = Round(std::sqrt(dx * dx + dy * dy));
        d.left = Clamp32(d.x1 - r);
        d.right = Clamp32(d.x1 + r);
        d.top = Clamp32(d.y1 - r);
        d.bottom = Clamp32(d.y1 + r);
        d.width = d.height = Clamp32(2 * r);
    }
    const double w = d.width, h = d.height;
    d.length = Round(std::sqrt(w * w + h * h));
    d.angle = Direction(d.x1, d.y1, d.x2, d.y2);
}

void RealsFromIntegers(Item& item, const ScreenMetrics& m)
{
    DrawingFields& d = item.rec.d;
    d.x1Real = d.x1 * m.pxPerMmX;
    d.y1Real = d.y1 * m.pxPerMmY;
    d.x2Real = d.x2 * m.pxPerMmX;
    d.y2Real = d.y2 * m.pxPerMmY;
}

std::int32_t PenWidthFor(double weightMm, const ScreenMetrics& m)
{
    return std::max(1, Round(weightMm * m.pxPerMmY));
}

void SetWeight(Item& item, double weightMm, const ScreenMetrics& m)
{
    item.rec.d.weight = weightMm;
    item.rec.d.penWidth = PenWidthFor(weightMm, m);
}

} // namespace vlm
