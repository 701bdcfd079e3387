#include "output/data_merge.h"

#include "model/item.h"
#include "model/item_list.h"
#include "output/sheet_layout.h"
#include "render/polar.h"
#include "render/text_render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr std::u16string_view kOpen = u"${";

// Calls `found(start, end, column)` for every field of a column in `text`
// ([start, end) spans "${Name}"); a "${" with no column is passed over.
template <typename Found> void forEachField(std::u16string_view text, const DataTable& table, Found found)
{
    std::size_t at = 0;
    while ((at = text.find(kOpen, at)) != std::u16string_view::npos) {
        const std::size_t close = text.find(u'}', at + kOpen.size());
        if (close == std::u16string_view::npos)
            return;
        const std::u16string_view name = text.substr(at + kOpen.size(), close - at - kOpen.size());
        const int column = name.find(kLineSeparator) == std::u16string_view::npos
                               ? table.columnOf(std::u16string(name))
                               : -1;
        if (column < 0) {
            at += kOpen.size();
            continue;
        }
        found(at, close + 1, column);
        at = close + 1;
    }
}

void appendValue(std::u16string& out, const std::u16string& value)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char16_t c = value[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n')
                ++i;
            out += kLineSeparator;
        } else {
            out += c;
        }
    }
}

std::int32_t linesIn(std::u16string_view text)
{
    return text.empty() ? 0
                        : 1 + static_cast<std::int32_t>(std::count(text.begin(), text.end(), kLineSeparator));
}

} // namespace

std::u16string fillFields(std::u16string_view text, const DataTable& table,
                          const std::vector<std::u16string>& record)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    forEachField(text, table, [&](std::size_t start, std::size_t end, int column) {
        out.append(text.substr(copied, start - copied));
        if (static_cast<std::size_t>(column) < record.size())
            appendValue(out, record[static_cast<std::size_t>(column)]);
        copied = end;
    });
    out.append(text.substr(copied));
    return out;
}

bool hasFields(std::u16string_view text, const DataTable& table)
{
    bool any = false;
    forEachField(text, table, [&](std::size_t, std::size_t, int) { any = true; });
    return any;
}

std::vector<std::size_t> mergeJobs(const DataTable& table, const MergeRange& range)
{
    std::vector<std::size_t> jobs;
    const std::size_t count = table.records.size();
    const std::size_t first = std::max<std::size_t>(range.first, 1);
    const std::size_t last = range.last == 0 ? count : std::min(range.last, count);
    const int copies = std::max(range.copies, 1);
    if (first > last)
        return jobs;
    jobs.reserve((last - first + 1) * static_cast<std::size_t>(copies));
    for (std::size_t r = first; r <= last; ++r)
        for (int c = 0; c < copies; ++c)
            jobs.push_back(r - 1);
    return jobs;
}

std::vector<QPoint> gridCells(int rows, int columns, const std::string* selection)
{
    std::vector<QPoint> cells;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            if (!selection || CellPrints(*selection, r, c, columns))
                cells.emplace_back(c, r);
    return cells;
}

MergeLayout::MergeLayout(std::vector<QPoint> firstSheet, std::vector<QPoint> everySheet, std::size_t jobs)
    : first_(std::move(firstSheet)), every_(std::move(everySheet)), jobs_(jobs)
{
    if (jobs_ == 0 || every_.empty())
        return;
    // A selection that leaves no cell for the first sheet starts on a whole one.
    const std::size_t onFirst = std::min(first_.size(), jobs_);
    const std::size_t rest = jobs_ - onFirst;
    sheets_ = (onFirst > 0 ? 1 : 0) + (rest + every_.size() - 1) / every_.size();
}

std::vector<MergeCell> MergeLayout::cellsOf(std::size_t sheet) const
{
    std::vector<MergeCell> cells;
    if (sheet >= sheets_)
        return cells;
    const bool partFirst = !first_.empty();
    const std::vector<QPoint>& grid = partFirst && sheet == 0 ? first_ : every_;
    std::size_t job = 0;
    if (sheet > 0)
        job = (partFirst ? first_.size() : 0) + (sheet - (partFirst ? 1 : 0)) * every_.size();
    for (const QPoint& p : grid) {
        if (job >= jobs_)
            break;
        cells.push_back({p.y(), p.x(), job++});
    }
    return cells;
}

struct FieldFiller::Slot
{
    Item* item = nullptr;
    std::u16string text;
    ItemRecord rec;
};

FieldFiller::FieldFiller(Document& document, const DataTable& table, const ScreenMetrics& screen,
                         int fontQuality)
    : document_(document), table_(table), screen_(screen), fontQuality_(fontQuality)
{
    for (Item& item : document_.items) {
        if (item.rec.d.role == RoleDrawing && item.rec.d.kind == KindText && hasFields(item.text, table_))
            slots_.push_back({&item, item.text, item.rec});
    }
}

FieldFiller::~FieldFiller()
{
    restore();
}

void FieldFiller::fill(const std::vector<std::u16string>& record)
{
    const TextSettings settings{screen_, fontQuality_, 7, 7, &fonts_};
    filled_ = true;
    for (Slot& s : slots_) {
        Item& item = *s.item;
        item.rec = s.rec;
        item.text = fillFields(s.text, table_, record);
        const std::int32_t added =
            std::max<std::int32_t>(linesIn(item.text), 1) - std::max<std::int32_t>(linesIn(s.text), 1);
        if (added != 0) {
            // The stored baseline is the last line's: it moves down by the
            // lines the values added, perpendicular to the text.
            const double up = item.rec.d.textAngle / 10.0 * std::numbers::pi / 180.0 + std::numbers::pi / 2.0;
            const QPoint step =
                PolarPoint(QPoint(0, 0), up, static_cast<double>(LineHeight(item, settings)) * added);
            DrawingFields& d = item.rec.d;
            d.x1 = Offset(d.x1, -step.x());
            d.y1 = Offset(d.y1, -step.y());
            d.x2 = Offset(d.x2, -step.x());
            d.y2 = Offset(d.y2, -step.y());
            RealsFromIntegers(item, screen_);
        }
        UpdateTextBox(item, settings);
    }
}

void FieldFiller::restore()
{
    if (!filled_)
        return;
    filled_ = false;
    for (Slot& s : slots_) {
        s.item->text = s.text;
        s.item->rec = s.rec;
    }
}

} // namespace vlm
