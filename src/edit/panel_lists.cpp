#include "edit/panel_lists.h"

#include "model/rounding.h"
#include "render/pens.h"
#include "texts/fine_tune_texts.h"
#include "texts/render_texts.h"

#include <cmath>
#include <string>
#include <utility>

namespace vlm {

namespace {

using EntryRole = ListEntry::Role;

constexpr double kWeightTolerance = 0.0001;
constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

ListEntry Fixed(std::u16string name, double value = 0.0, std::int32_t color = 0)
{
    ListEntry e;
    e.name = std::move(name);
    e.value = value;
    e.color = color;
    return e;
}

void AddCustomize(FilledList& l)
{
    l.customizeAt = static_cast<int>(l.entries.size());
    ListEntry e;
    e.role = EntryRole::Customize;
    e.name = texts::kCustomize;
    l.entries.push_back(e);
    l.firstUser = l.customizeAt + 1;
}

void AddUser(FilledList& l, int entry, const std::u16string& name, double value)
{
    ListEntry e;
    e.role = EntryRole::User;
    e.name = name;
    e.value = value;
    e.entry = entry;
    l.map.push_back(entry);
    l.entries.push_back(e);
}

void AddDirections(FilledList& l)
{
    l.entries.push_back(Fixed(texts::kAnyAngle, -1));
    l.entries.push_back(Fixed(texts::kHorizontal, 0));
    l.entries.push_back(Fixed(texts::kVerticalRight, 90));
    l.entries.push_back(Fixed(texts::kVerticalLeft, 270));
    l.entries.push_back(Fixed(texts::kUpsideDown, 180));
    AddCustomize(l);
}

// The first user entry flagged selectOnRefill: its flag is cleared and its
// position returned.
template <typename Entries> std::optional<int> TakeFlagged(FilledList& l, Entries& entries)
{
    for (std::size_t k = 0; k < l.map.size(); ++k) {
        auto& e = entries[static_cast<std::size_t>(l.map[k] - 1)];
        if (e.selectOnRefill) {
            e.selectOnRefill = 0;
            return l.firstUser + static_cast<int>(k);
        }
    }
    // A flag on an entry no longer offered is dropped all the same.
    for (auto& e : entries)
        e.selectOnRefill = 0;
    return std::nullopt;
}

void AddSwatches(FilledList& l, const Settings& s)
{
    for (const std::u16string& text : s.dialogColors)
        if (auto c = DialogColorValue(text)) {
            ListEntry e;
            e.role = EntryRole::DialogSwatch;
            e.color = *c;
            l.entries.push_back(e);
        }
    for (std::int32_t c : s.recentColors)
        if (c != kNoColor) {
            ListEntry e;
            e.role = EntryRole::RecentSwatch;
            e.color = c;
            l.entries.push_back(e);
        }
}

} // namespace

std::optional<std::int32_t> DialogColorValue(const std::u16string& text)
{
    if (text.empty() || text == u"FFFFFFFF" || text.size() > 8)
        return std::nullopt;
    std::int64_t v = 0;
    for (char16_t ch : text) {
        int d = -1;
        if (ch >= u'0' && ch <= u'9')
            d = ch - u'0';
        else if (ch >= u'A' && ch <= u'F')
            d = ch - u'A' + 10;
        else if (ch >= u'a' && ch <= u'f')
            d = ch - u'a' + 10;
        if (d < 0)
            return std::nullopt;
        v = v * 16 + d;
    }
    if (v > 0xFFFFFF)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

FilledList FillList(ListKind kind, Settings& s, RefillTarget target)
{
    FilledList l;
    l.kind = kind;
    switch (kind) {
    case ListKind::LineWeights:
    case ListKind::FrameWeights: {
        if (kind == ListKind::LineWeights)
            for (const NamedWeight& w : kLineWeights)
                l.entries.push_back(Fixed(w.name, w.mm));
        else
            for (const NamedWeight& w : kFrameWeights)
                l.entries.push_back(Fixed(w.name, w.mm));
        AddCustomize(l);
        for (int k = 1; k <= kCustomEntryCount; ++k) {
            const custThicknessRec_t& e = s.customWidths[static_cast<std::size_t>(k - 1)];
            if (e.inUse)
                AddUser(l, k, e.name, e.millimetres);
        }
        if (kind == ListKind::FrameWeights)
            break;
        l.chosen = TakeFlagged(l, s.customWidths);
        if (l.chosen) {
            const double mm = l.entries[static_cast<std::size_t>(*l.chosen)].value;
            if (target == RefillTarget::LineWidth) {
                s.lineWidthTab = *l.chosen;
                s.lineWidth = mm;
            } else if (target == RefillTarget::PolyWidth) {
                s.polytab = *l.chosen;
                s.polywidth = mm;
            }
        }
        break;
    }
    case ListKind::Patterns:
        for (int code = 0; code < 5; ++code)
            l.entries.push_back(Fixed(kPatternNames[static_cast<std::size_t>(code)], code));
        AddCustomize(l);
        for (int k = 1; k <= kCustomEntryCount; ++k) {
            const custPatternRec_t& e = s.customPatterns[static_cast<std::size_t>(k - 1)];
            if (e.inUse)
                AddUser(l, k, e.name, 0.0);
        }
        l.chosen = TakeFlagged(l, s.customPatterns);
        if (l.chosen)
            s.linePattern = *l.chosen;
        break;
    case ListKind::Directions:
    case ListKind::TextAngles: {
        AddDirections(l);
        auto& entries = kind == ListKind::Directions ? s.customDirections : s.customAngles;
        for (int k = 1; k <= kCustomEntryCount; ++k) {
            const custDirectionRec_t& e = entries[static_cast<std::size_t>(k - 1)];
            if (e.inUse)
                AddUser(l, k, e.name, e.value);
        }
        l.chosen = TakeFlagged(l, entries);
        if (l.chosen) {
            const double v = l.entries[static_cast<std::size_t>(*l.chosen)].value;
            if (kind == ListKind::Directions) {
                s.lineDirection = v;
                s.lineDirectionTab = *l.chosen;
            } else {
                s.tangle = Round(10 * v);
                s.tdir = Round(v);
                s.tangletab = *l.chosen;
            }
        }
        break;
    }
    case ListKind::FontSizes:
        for (int size : kFontSizes) {
            std::u16string name;
            for (char c : std::to_string(size))
                name.push_back(static_cast<char16_t>(c));
            l.entries.push_back(Fixed(std::move(name), size));
        }
        AddCustomize(l);
        for (int k = 1; k <= kCustomEntryCount; ++k) {
            const custDirectionRec_t& e = s.customSizes[static_cast<std::size_t>(k - 1)];
            if (e.inUse)
                AddUser(l, k, e.name, e.value);
        }
        l.chosen = TakeFlagged(l, s.customSizes);
        if (l.chosen) {
            s.tsize = Round(l.entries[static_cast<std::size_t>(*l.chosen)].value);
            s.tsizetab = *l.chosen;
        }
        break;
    case ListKind::Shadows: {
        const struct
        {
            const char16_t* name;
            ShadowBytes bytes;
        } builtIn[] = {{texts::kShadowNone, {0, 0, 0}},
                       {texts::kShadowSlight, {30, 10, 100}},
                       {texts::kShadowMedium, {50, 20, 110}},
                       {texts::kShadowBroad, {70, 30, 120}}};
        for (const auto& b : builtIn) {
            ListEntry e = Fixed(b.name);
            e.shadow = b.bytes;
            l.entries.push_back(e);
        }
        AddCustomize(l);
        for (int k = 1; k <= kCustomEntryCount; ++k) {
            const custShadowRec_t& e = s.customShadows[static_cast<std::size_t>(k - 1)];
            if (!e.offered)
                continue;
            AddUser(l, k, e.name, 0.0);
            l.entries.back().shadow = {static_cast<std::uint8_t>(e.elevation),
                                       static_cast<std::uint8_t>(e.fade),
                                       static_cast<std::uint8_t>(e.lightness)};
        }
        break;
    }
    case ListKind::Colors:
    case ListKind::Fills:
        if (kind == ListKind::Fills) {
            l.entries.push_back(Fixed(texts::kFillSolid, 0, -2));
            l.entries.push_back(Fixed(texts::kFillClear, 0, -1));
        }
        for (const NamedColor& c : kBuiltInColors)
            l.entries.push_back(Fixed(c.name, 0, c.color));
        AddCustomize(l);
        AddSwatches(l, s);
        break;
    }
    return l;
}

int SelectValue(const FilledList& l, double value)
{
    const bool colours = l.kind == ListKind::Colors || l.kind == ListKind::Fills;
    const bool weights = l.kind == ListKind::LineWeights || l.kind == ListKind::FrameWeights;
    auto matches = [&](const ListEntry& e) {
        if (colours)
            return e.color == static_cast<std::int32_t>(value);
        if (weights)
            return std::abs(e.value - value) < kWeightTolerance;
        return e.value == value;
    };
    const int n = static_cast<int>(l.entries.size());
    for (int p = 0; p < n; ++p) {
        const ListEntry& e = l.entries[static_cast<std::size_t>(p)];
        if (e.role == EntryRole::Fixed && matches(e))
            return p;
    }
    if (!colours) {
        for (int p = l.firstUser; p < n; ++p)
            if (matches(l.entries[static_cast<std::size_t>(p)]))
                return p;
        return -1;
    }
    // Within each group of swatches the last match counts.
    for (EntryRole group : {EntryRole::DialogSwatch, EntryRole::RecentSwatch}) {
        int found = -1;
        for (int p = l.firstUser; p < n; ++p) {
            const ListEntry& e = l.entries[static_cast<std::size_t>(p)];
            if (e.role == group && matches(e))
                found = p;
        }
        if (found >= 0)
            return found;
    }
    return -1;
}

int SelectShadow(const FilledList& l, ShadowBytes b)
{
    for (int p = 0; p < static_cast<int>(l.entries.size()); ++p) {
        const ListEntry& e = l.entries[static_cast<std::size_t>(p)];
        if (e.role != EntryRole::Customize && e.shadow.elevation == b.elevation && e.shadow.fade == b.fade &&
            e.shadow.lightness == b.lightness)
            return p;
    }
    return -1;
}

int EntryAt(const FilledList& l, int position)
{
    const int k = position - l.firstUser;
    if (k < 0 || k >= static_cast<int>(l.map.size()))
        return 0;
    return l.map[static_cast<std::size_t>(k)];
}

bool ColorOffered(const Settings& s, std::int32_t color)
{
    for (const NamedColor& c : kBuiltInColors)
        if (c.color == color)
            return true;
    for (const std::u16string& text : s.dialogColors)
        if (DialogColorValue(text) == color)
            return true;
    for (std::int32_t c : s.recentColors)
        if (c != kNoColor && c == color)
            return true;
    return false;
}

std::int32_t FillAfterColorChange(const Settings& s, std::int32_t fill, std::int32_t color)
{
    if (fill < 0 || ColorOffered(s, fill))
        return fill;
    return color;
}

const std::vector<int>& SideCounts()
{
    static const std::vector<int> counts{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 20};
    return counts;
}

void StorePatternChoice(Settings& s, const FilledList& l, int position)
{
    if (position < 0 || position >= static_cast<int>(l.entries.size())) {
        s.linePattern = 0;
        s.linePatternTab = 0;
        return;
    }
    s.linePattern = position;
    const int entry = EntryAt(l, position);
    s.linePatternTab = entry;
}

} // namespace vlm
