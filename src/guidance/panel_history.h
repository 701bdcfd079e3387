#pragma once

// The panel history behind the Back and forward buttons of the left column.
// Every panel shown makes an entry (some codes excepted) with copies of the
// drawing settings of that moment and a tag stamped on the Items selected
// then; going back or forward writes the settings back, or selects the
// tagged Items again in their window. Entries of windows that have closed
// stay and are passed over.

#include "model/document.h"
#include "settings/settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vlm {

struct LineSettingsCopy
{
    std::int32_t color = 0;
    double weight = 0.0;
    double outline = 0.0;
    std::int32_t pattern = 0;
    std::int32_t fill = 0;
    double direction = 0.0;
    bool operator==(const LineSettingsCopy&) const = default;
};

struct TextSettingsCopy
{
    std::int32_t color = 0;
    std::int32_t size = 0;
    std::int32_t weight = 0;
    std::array<std::uint8_t, 4> options{};
    std::u16string font; // at most 32 characters
    std::int32_t charset = 0;
    double direction = 0.0;
    bool operator==(const TextSettingsCopy&) const = default;
};

// The settings of new shapes an entry of a new-shape panel gives back.
struct ShapeSettingsCopy
{
    std::int32_t color = 0;
    double weight = 0.0;
    std::int32_t fill = 0;
    bool operator==(const ShapeSettingsCopy&) const = default;
};

struct HistoryEntry
{
    int panelCode = 0;
    bool visited = true;
    std::int32_t entryNumber = 0;
    std::int32_t windowId = -1;
    std::int32_t selectionTag = -1;
    LineSettingsCopy line;
    TextSettingsCopy text;
    ShapeSettingsCopy shape;
};

// The document windows as the history sees them.
class HistoryWindows
{
public:
    virtual ~HistoryWindows() = default;
    // The windowId of the active window, -1 when none is open.
    virtual std::int32_t activeWindowId() const = 0;
    // The Document of the open window with that id, or null.
    virtual Document* documentOf(std::int32_t windowId) const = 0;
    // The window's tagged Items were selected again: it comes to the front
    // and shows their Markers.
    virtual void selectionRestored(std::int32_t windowId) = 0;
};

// Only these panels make entries.
bool MakesHistoryEntry(int panelCode);
// The panels that stand for a selection: going to their entries selects the
// tagged Items again, and an entry without them is passed over.
bool IsSelectionEntry(int panelCode);

class PanelHistory
{
public:
    // A tag source for tests; Random(2147483647) when not set.
    using TagSource = std::int32_t (*)();

    PanelHistory(Settings& settings, HistoryWindows& windows) : settings_(settings), windows_(windows) {}
    void setTagSource(TagSource source) { tags_ = source; }

    // Called as a panel is shown (unless the caller asked for no entry).
    void PushHistory(int panelCode);
    // The panel to show without a history entry: the previous usable entry's,
    // or the insert panel when none is left.
    int Back();
    // The next usable entry's panel; none when there is no usable entry ahead
    // (the history then stays where it is).
    std::optional<int> Forward();
    bool CanGoBack() const;
    bool CanGoForward() const;

    const std::vector<HistoryEntry>& entries() const { return entries_; }
    // The index of the current entry (the last visited one), -1 when none.
    int current() const;

private:
    std::int32_t freshTag(Document* doc) const;
    bool sameAsCurrent(int panelCode) const;
    // Brings back what belonged to the entry; false when it cannot be used.
    bool restore(const HistoryEntry& entry);
    bool usable(const HistoryEntry& entry) const;
    void restoreLine(const HistoryEntry& entry);
    void restoreText(const HistoryEntry& entry);
    void restoreShape(const HistoryEntry& entry);

    Settings& settings_;
    HistoryWindows& windows_;
    TagSource tags_ = nullptr;
    std::vector<HistoryEntry> entries_;
};

} // namespace vlm
