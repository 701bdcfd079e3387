#include "guidance/panel_history.h"

#include "edit/panel_lists.h"
#include "model/item_list.h"
#include "model/random.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

constexpr std::int32_t kTagLimit = 2147483647;

bool IsNewShapePanel(int code)
{
    return code >= 100 && code <= 199;
}
bool IsHintPage(int code)
{
    return code >= 1024 && code <= 1080;
}

LineSettingsCopy LineCopy(const Settings& s)
{
    return {s.lineColor, s.lineWidth, s.lineOutline, s.linePattern, s.lineFill, s.lineDirection};
}

TextSettingsCopy TextCopy(const Settings& s)
{
    TextSettingsCopy t{
        s.tcolor, s.tsize, s.tbold, s.toptions, s.tfont, s.tcharset, static_cast<double>(s.tdir)};
    if (t.font.size() > kFontNameMax)
        t.font.resize(kFontNameMax);
    return t;
}

ShapeSettingsCopy ShapeCopy(const Settings& s)
{
    return {s.polycolor, s.polywidth, s.polyfill};
}

bool Carries(const Item& item, std::int32_t tag)
{
    return std::find(item.selectionTags.begin(), item.selectionTags.end(), static_cast<std::uint32_t>(tag)) !=
           item.selectionTags.end();
}

// The position of `value` in a list as the panels show it; the lists are
// built on a copy, so that a user entry waiting to be chosen by the next
// refill stays waiting.
int PositionIn(ListKind kind, const Settings& settings, double value)
{
    Settings scratch = settings;
    return SelectValue(FillList(kind, scratch), value);
}

} // namespace

bool MakesHistoryEntry(int code)
{
    return code == 20 || code == 59 || (code >= 98 && code <= 301) || code == 400 || code == 401 ||
           IsHintPage(code);
}

bool IsSelectionEntry(int code)
{
    return code == 59 || code == 99 || (code >= 200 && code <= 299) || code == 301 || code == 401;
}

int PanelHistory::current() const
{
    for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i)
        if (entries_[static_cast<std::size_t>(i)].visited)
            return i;
    return -1;
}

bool PanelHistory::sameAsCurrent(int code) const
{
    const int at = current();
    if (at < 0)
        return false;
    const HistoryEntry& e = entries_[static_cast<std::size_t>(at)];
    if (e.panelCode != code)
        return false;
    if (code == 98)
        return e.line == LineCopy(settings_);
    if (IsNewShapePanel(code))
        return e.line == LineCopy(settings_) && e.shape == ShapeCopy(settings_);
    if (code == 300)
        return e.text == TextCopy(settings_);
    return false;
}

std::int32_t PanelHistory::freshTag(Document* doc) const
{
    for (;;) {
        const std::int32_t t = tags_ ? tags_() : Random(kTagLimit);
        if (t < 0 || t >= kTagLimit)
            continue;
        bool taken = false;
        if (doc)
            for (const Item& it : doc->items)
                if (Carries(it, t)) {
                    taken = true;
                    break;
                }
        if (!taken)
            return t;
    }
}

void PanelHistory::PushHistory(int code)
{
    if (sameAsCurrent(code) || !MakesHistoryEntry(code))
        return;
    // A new step forgets the steps that were gone back over.
    entries_.resize(static_cast<std::size_t>(current() + 1));
    HistoryEntry e;
    e.panelCode = code;
    e.visited = true;
    e.entryNumber = static_cast<std::int32_t>(entries_.size()) + 1;
    e.line = LineCopy(settings_);
    e.text = TextCopy(settings_);
    e.shape = ShapeCopy(settings_);
    const std::int32_t id = windows_.activeWindowId();
    if (Document* doc = id >= 0 ? windows_.documentOf(id) : nullptr) {
        e.windowId = id;
        e.selectionTag = freshTag(doc);
        for (Item& it : doc->items)
            if (IsSelectedLive(it))
                it.selectionTags.push_back(static_cast<std::uint32_t>(e.selectionTag));
    }
    entries_.push_back(std::move(e));
}

bool PanelHistory::usable(const HistoryEntry& e) const
{
    if (!IsSelectionEntry(e.panelCode))
        return true;
    Document* doc = e.windowId >= 0 ? windows_.documentOf(e.windowId) : nullptr;
    if (!doc)
        return false;
    for (const Item& it : doc->items)
        if (IsLive(it) && IsTaggableKind(it.rec.d.kind) && Carries(it, e.selectionTag))
            return true;
    return false;
}

bool PanelHistory::restore(const HistoryEntry& e)
{
    if (IsSelectionEntry(e.panelCode)) {
        // The selection is only changed when the entry can be used.
        if (!usable(e))
            return false;
        Document* doc = windows_.documentOf(e.windowId);
        for (Item& it : doc->items)
            it.rec.d.selected =
                IsLive(it) && IsTaggableKind(it.rec.d.kind) && Carries(it, e.selectionTag) ? 255 : 0;
        windows_.selectionRestored(e.windowId);
        return true;
    }
    if (e.panelCode == 98)
        restoreLine(e);
    else if (e.panelCode == 300)
        restoreText(e);
    else if (IsNewShapePanel(e.panelCode))
        restoreShape(e);
    return true;
}

void PanelHistory::restoreLine(const HistoryEntry& e)
{
    Settings& s = settings_;
    s.lineColor = e.line.color;
    s.lineFill = e.line.fill;
    if (e.line.pattern >= 0) {
        s.linePattern = e.line.pattern;
        s.linePatternTab = e.line.pattern;
    }
    if (const int p = PositionIn(ListKind::LineWeights, s, e.line.weight); p >= 0) {
        s.lineWidth = e.line.weight;
        s.lineWidthTab = p;
    }
    if (const int p = PositionIn(ListKind::Directions, s, e.line.direction); p >= 0) {
        s.lineDirection = e.line.direction;
        s.lineDirectionTab = p;
    }
    if (const int p = PositionIn(ListKind::LineWeights, s, e.line.outline); p >= 0) {
        s.lineOutline = e.line.outline;
        s.lineOutlineTab = p;
    }
}

void PanelHistory::restoreText(const HistoryEntry& e)
{
    Settings& s = settings_;
    s.tcolor = e.text.color;
    s.tsize = e.text.size;
    s.tbold = e.text.weight;
    s.toptions = e.text.options;
    s.tfont = e.text.font;
    s.tcharset = e.text.charset;
    const double rounded = std::round(e.text.direction);
    if (const int p = PositionIn(ListKind::TextAngles, s, rounded); p >= 0) {
        s.tdir = static_cast<std::int32_t>(rounded);
        s.tangletab = p;
    }
}

void PanelHistory::restoreShape(const HistoryEntry& e)
{
    Settings& s = settings_;
    s.polycolor = e.shape.color;
    s.polyfill = e.shape.fill;
    if (const int p = PositionIn(ListKind::LineWeights, s, e.shape.weight); p >= 0) {
        s.polywidth = e.shape.weight;
        s.polytab = p;
    }
}

int PanelHistory::Back()
{
    for (;;) {
        const int at = current();
        if (at >= 0)
            entries_[static_cast<std::size_t>(at)].visited = false;
        const int now = current();
        if (now < 0)
            return 20;
        if (restore(entries_[static_cast<std::size_t>(now)]))
            return entries_[static_cast<std::size_t>(now)].panelCode;
    }
}

std::optional<int> PanelHistory::Forward()
{
    const std::size_t from = static_cast<std::size_t>(current() + 1);
    for (std::size_t i = from; i < entries_.size(); ++i) {
        if (!restore(entries_[i]))
            continue;
        // The entries passed over count as visited with it.
        for (std::size_t k = from; k <= i; ++k)
            entries_[k].visited = true;
        return entries_[i].panelCode;
    }
    return std::nullopt;
}

bool PanelHistory::CanGoBack() const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [this](const HistoryEntry& e) { return e.visited && usable(e); });
}

bool PanelHistory::CanGoForward() const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [this](const HistoryEntry& e) { return !e.visited && usable(e); });
}

} // namespace vlm
