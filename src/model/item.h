#pragma once

// An Item: one drawing object or bookkeeping record of a Document. The
// in-memory part (links, owned text, point lists, streams) sits beside the
// fixed 448-byte ItemRecord that files store byte for byte.
//
// Markers (the on-canvas handles of a selected Item) are not kept here: the
// editing layer owns them per Item in its own structure, because they are
// canvas state that must never reach a file or a copy.
//
// Items live in an ItemList (item_list.h), which owns them. Six fields of the
// record are indexed by the list and must be written through the list's
// setters (SetRole, SetSequence, SetEditStep, SetStackOrder, SetGroupId) or be
// followed by Reindex(list, item); see item_list.h.

#include "model/grid_line.h"
#include "model/item_record.h"
#include "model/screen_metrics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vlm {

class ItemList;

// Lines of a text, and the page-setup texts of the header, are joined by this.
inline constexpr char16_t kLineSeparator = u'\u07EC';

// Texts are scanned at most this far; the reader accepts text blobs only
// below it (in bytes).
inline constexpr std::int32_t kTextScanLimit = 1024000;

// The longest text that still reads back: its blob (two bytes per
// character) must stay below kTextScanLimit bytes.
inline constexpr std::int32_t kMaxStoredTextChars = kTextScanLimit / 2 - 1;

// What the owning list counted an Item under; only ItemList reads or writes it.
struct ItemListKeys {
    bool indexed = false;
    std::int32_t role = 0;
    std::int32_t kind = 0;
    std::int32_t sequence = 0;
    std::int32_t editStep = 0;
    std::int32_t stackOrder = 0;
    std::int32_t groupId = 0;
    std::uint64_t ordinal = 0; // position in list order; grows towards the tail
};

struct Item {
    Item();
    ~Item();
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    Item* prev = nullptr;
    Item* next = nullptr;

    // Text, DocumentHeader (page-setup texts) and Picture (source file name).
    // UTF-16; the zero terminator of the stored form is implicit. An empty
    // string counts as no text everywhere; `hasText` only tells whether one
    // was ever set (SetText, the reader) and may be left alone when `text`
    // is assigned directly.
    std::u16string text;
    bool hasText = false;

    // Fresh tags appended whenever a panel-history entry is made while the
    // Item is selected; copied with the Item, never stored.
    std::vector<std::uint32_t> selectionTags;

    // GridLines record only.
    std::vector<GridLine> verticalGridLines;   // orientation 1
    std::vector<GridLine> horizontalGridLines; // orientation 2

    // Shapes, splines and curves: the defining points in drawing order.
    std::vector<Vertex> vertices;

    // Picture record: the picture file's bytes; clip-cache records: a bitmap.
    std::vector<std::uint8_t> pictureData;

    // Clip only: the clip-cache records holding rendered bitmaps.
    std::unique_ptr<ItemList> cache;

    ItemListKeys listKeys;

    ItemRecord rec;
};

// The role a record of this kind has: the header and picture kinds carry
// their own role, negative kinds are embedded line patterns, all else is 0.
std::int32_t RoleForKind(std::int32_t kind);

// Appends a new Item with every default of a new record: the given kind, its
// role (RoleForKind), the next sequence number, reals from the (zero)
// integers. Every kind but the DocumentHeader marks the Document modified.
Item& NewItem(ItemList& list, std::int32_t kind);

// Appends a copy of `source` (null gives null). The copy gets its own
// sequence and the history defaults of a new record (historyState 1, no
// predecessor, editStep 0, orderMove 0, rotationAtGrab 0; a drawing record
// also the word at 116); everything else of the record is copied, and the
// text, selection tags, vertices, grid lines, picture bytes and clip cache
// are copied deeply. `source` may belong to another list.
Item* CopyItem(ItemList& list, const Item* source);

// Releases everything the Item owns in memory (text, tags, points, grid
// lines, picture bytes, cache); the record itself stays. RemoveItem and
// FreeList do this as they free an Item.
void FreeItem(Item& item);

// Characters before the first zero, at most kTextScanLimit; 0 without text.
std::int32_t TextLength(const Item& item);
// 0 for no or an empty text, else 1 + the separators before the first zero.
std::int32_t LineCount(const Item& item);
// The n-th line (n >= 1); empty for n < 1 or past the last line.
std::u16string LineOf(const Item& item, std::int32_t n);
// Replaces the text. A text longer than kMaxStoredTextChars is cut there
// (never inside a surrogate pair) so that the document still reads back;
// returns false when it was cut.
bool SetText(Item& item, std::u16string_view s);
// Removes the text (no text, not an empty one).
void ClearText(Item& item);

// The face name at offset 148, its length byte capped at 32.
std::string FontName(const Item& item);
// Sets the face name, keeping its first 32 characters.
void SetFontName(Item& item, std::string_view name);

// After loading: integers from the reals, then box, size, length, angle.
void RecomputeFromReals(Item& item, const ScreenMetrics& metrics);
// Reals from the integer points.
void RealsFromIntegers(Item& item, const ScreenMetrics& metrics);

// max(1, Round(weightMm * pxPerMmY)).
std::int32_t PenWidthFor(double weightMm, const ScreenMetrics& metrics);
// Sets `weight` and keeps `penWidth` in step with it.
void SetWeight(Item& item, double weightMm, const ScreenMetrics& metrics);

// Live: a drawing record neither hidden nor being extended.
inline bool IsLive(const Item& item)
{
    return item.rec.d.role == RoleDrawing && item.rec.d.extending == 0 && item.rec.d.hidden == 0;
}
inline bool IsSelectedLive(const Item& item) { return IsLive(item) && item.rec.d.selected != 0; }

} // namespace vlm
