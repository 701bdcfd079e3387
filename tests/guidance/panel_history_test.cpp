#include "guidance/panel_history.h"

#include "edit/panel_lists.h"
#include "model/item_list.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace vlm {
namespace {

// Open windows by id, one of them active; the windows whose selection came
// back are noted.
struct FakeWindows final : HistoryWindows
{
    std::map<std::int32_t, std::unique_ptr<Document>> open;
    std::int32_t active = -1;
    std::vector<std::int32_t> restored;

    Document& openWindow(std::int32_t id)
    {
        open[id] = std::make_unique<Document>();
        active = id;
        return *open[id];
    }
    void close(std::int32_t id)
    {
        open.erase(id);
        if (active == id)
            active = -1;
    }
    std::int32_t activeWindowId() const override { return active; }
    Document* documentOf(std::int32_t id) const override
    {
        auto found = open.find(id);
        return found == open.end() ? nullptr : found->second.get();
    }
    void selectionRestored(std::int32_t id) override { restored.push_back(id); }
};

struct HistoryTest : ::testing::Test
{
    Settings settings;
    FakeWindows windows;
    PanelHistory history{settings, windows};

    static Item& selectedLine(Document& doc)
    {
        Item& line = NewItem(doc.items, KindLine);
        line.rec.d.selected = 255;
        return line;
    }
    std::vector<int> codes() const
    {
        std::vector<int> c;
        for (const HistoryEntry& e : history.entries())
            c.push_back(e.panelCode);
        return c;
    }
    // A weight the line weight list offers, at its position.
    std::pair<double, int> listedWeight(int position)
    {
        Settings scratch = settings;
        const FilledList l = FillList(ListKind::LineWeights, scratch);
        return {l.entries.at(static_cast<std::size_t>(position)).value, position};
    }
};

TEST_F(HistoryTest, TheSameNewLinePanelTwiceMakesOneEntry)
{
    history.PushHistory(98);
    history.PushHistory(98);
    EXPECT_EQ(codes(), std::vector<int>{98});
    // Another colour is another step to come back to.
    settings.lineColor = 255;
    history.PushHistory(98);
    EXPECT_EQ(codes(), (std::vector<int>{98, 98}));
    // Text settings make no difference to a line entry, nor line settings to
    // a text entry.
    settings.tsize = 30;
    history.PushHistory(98);
    history.PushHistory(300);
    settings.lineColor = 0;
    history.PushHistory(300);
    EXPECT_EQ(codes(), (std::vector<int>{98, 98, 300}));
    // Panels other than the new-item ones make an entry each time.
    history.PushHistory(20);
    history.PushHistory(20);
    EXPECT_EQ(codes().size(), 5u);
    EXPECT_EQ(history.entries().back().entryNumber, 5);
}

TEST_F(HistoryTest, OnlyPanelsMakeEntries)
{
    for (int code : {21, 58, 302, 303, 402, 1081, 43, 0})
        history.PushHistory(code);
    EXPECT_TRUE(history.entries().empty());
    EXPECT_EQ(history.Back(), 20) << "with nothing to go back to, the insert menu";
}

TEST_F(HistoryTest, EntriesTagTheSelectionOfTheActiveWindow)
{
    history.PushHistory(20);
    EXPECT_EQ(history.entries()[0].windowId, -1);
    EXPECT_EQ(history.entries()[0].selectionTag, -1);

    Document& doc = windows.openWindow(7);
    Item& a = selectedLine(doc);
    Item& b = NewItem(doc.items, KindLine); // not selected
    // The first tags drawn are taken already.
    a.selectionTags.push_back(11);
    static std::vector<std::int32_t> draws;
    draws = {11, 11, 12};
    history.setTagSource([] {
        const std::int32_t t = draws.front();
        draws.erase(draws.begin());
        return t;
    });
    history.PushHistory(99);
    const HistoryEntry& e = history.entries().back();
    EXPECT_EQ(e.windowId, 7);
    EXPECT_EQ(e.selectionTag, 12);
    EXPECT_EQ(a.selectionTags, (std::vector<std::uint32_t>{11, 12}));
    EXPECT_TRUE(b.selectionTags.empty());
}

TEST_F(HistoryTest, BackPassesOverTheEntriesOfAClosedWindowAndEndsAtTheInsertMenu)
{
    history.PushHistory(20);
    Document& doc = windows.openWindow(3);
    selectedLine(doc);
    history.PushHistory(99);
    windows.close(3);
    history.PushHistory(98);
    EXPECT_TRUE(history.CanGoBack());

    EXPECT_EQ(history.Back(), 20) << "the fine-tune entry of the closed window is passed over";
    EXPECT_EQ(history.current(), 0);
    EXPECT_TRUE(windows.restored.empty());
    EXPECT_EQ(history.Back(), 20) << "from the first entry: the insert menu";
    EXPECT_EQ(history.current(), -1);
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_TRUE(history.CanGoForward());
}

TEST_F(HistoryTest, GoingBackSelectsTheTaggedItemsAgain)
{
    Document& doc = windows.openWindow(5);
    Item& first = selectedLine(doc);
    history.PushHistory(99);
    // Now another Item is selected alone.
    first.rec.d.selected = 0;
    Item& second = selectedLine(doc);
    history.PushHistory(99);
    history.PushHistory(20);

    EXPECT_EQ(history.Back(), 99);
    EXPECT_TRUE(second.rec.d.selected);
    EXPECT_FALSE(first.rec.d.selected);
    EXPECT_EQ(history.Back(), 99);
    EXPECT_TRUE(first.rec.d.selected);
    EXPECT_FALSE(second.rec.d.selected);
    EXPECT_EQ(windows.restored, (std::vector<std::int32_t>{5, 5}));

    // Forward brings the later selection back.
    EXPECT_EQ(history.Forward(), 99);
    EXPECT_TRUE(second.rec.d.selected);
    EXPECT_FALSE(first.rec.d.selected);
}

TEST_F(HistoryTest, AnEntryWhoseItemsAreGoneIsPassedOverAndTheSelectionStays)
{
    Document& doc = windows.openWindow(5);
    Item& deleted = selectedLine(doc);
    history.PushHistory(20);
    history.PushHistory(99);
    deleted.rec.d.selected = 0;
    deleted.rec.d.hidden = 1; // undone or deleted
    Item& other = selectedLine(doc);
    history.PushHistory(98);

    EXPECT_EQ(history.Back(), 20);
    EXPECT_TRUE(other.rec.d.selected) << "an entry that cannot be used changes nothing";
    EXPECT_TRUE(windows.restored.empty());
}

TEST_F(HistoryTest, BackWritesTheLineSettingsOfTheEntryBack)
{
    const auto [weight, position] = listedWeight(3);
    settings.lineColor = 0x0000FF;
    settings.lineFill = -1;
    settings.linePattern = 2;
    settings.lineWidth = weight;
    settings.lineWidthTab = position;
    history.PushHistory(98);

    settings.lineColor = 0x00FF00;
    settings.lineFill = -2;
    settings.linePattern = 1;
    settings.linePatternTab = 1;
    settings.lineWidth = 9.87; // no list entry
    settings.lineWidthTab = 0;
    history.PushHistory(98);
    const auto [later, laterPosition] = listedWeight(1);
    settings.lineWidth = later;
    settings.lineWidthTab = laterPosition;
    history.PushHistory(20);

    EXPECT_EQ(history.Back(), 98);
    // A weight that is not in the list is not written back.
    EXPECT_EQ(settings.lineWidth, later);
    EXPECT_EQ(settings.lineWidthTab, laterPosition);
    EXPECT_EQ(settings.lineColor, 0x00FF00);
    EXPECT_EQ(history.Back(), 98);
    EXPECT_EQ(settings.lineColor, 0x0000FF);
    EXPECT_EQ(settings.lineFill, -1);
    EXPECT_EQ(settings.linePattern, 2);
    EXPECT_EQ(settings.linePatternTab, 2);
    EXPECT_EQ(settings.lineWidth, weight);
    EXPECT_EQ(settings.lineWidthTab, position);
}

TEST_F(HistoryTest, BackWritesTheTextAndShapeSettingsBack)
{
    settings.tsize = 20;
    settings.tfont = u"Serif";
    settings.toptions = {1, 0, 0, 1};
    history.PushHistory(300);
    const auto [weight, position] = listedWeight(2);
    settings.polycolor = 0x123456;
    settings.polyfill = 0x00FF00;
    settings.polywidth = weight;
    history.PushHistory(103);

    settings.tsize = 8;
    settings.tfont = u"Sans";
    settings.toptions = {0, 0, 0, 0};
    settings.polycolor = 0;
    settings.polyfill = -1;
    settings.polywidth = 0.0;
    settings.polytab = 0;
    // The shape settings changed: a new entry even though the line settings
    // did not.
    history.PushHistory(103);
    EXPECT_EQ(codes(), (std::vector<int>{300, 103, 103}));

    EXPECT_EQ(history.Back(), 103);
    EXPECT_EQ(settings.polycolor, 0x123456);
    EXPECT_EQ(settings.polyfill, 0x00FF00);
    EXPECT_EQ(settings.polywidth, weight);
    EXPECT_EQ(settings.polytab, position);
    EXPECT_EQ(history.Back(), 300);
    EXPECT_EQ(settings.tsize, 20);
    EXPECT_EQ(settings.tfont, u"Serif");
    EXPECT_EQ(settings.toptions, (std::array<std::uint8_t, 4>{1, 0, 0, 1}));
}

TEST_F(HistoryTest, ANewStepForgetsTheStepsAhead)
{
    history.PushHistory(20);
    history.PushHistory(1024);
    history.PushHistory(99);
    history.Back();
    history.Back();
    EXPECT_TRUE(history.CanGoForward());
    history.PushHistory(300);
    EXPECT_EQ(codes(), (std::vector<int>{20, 300}));
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_FALSE(history.Forward().has_value());
    EXPECT_EQ(history.current(), 1);
}

TEST_F(HistoryTest, ForwardPassesOverUnusableEntriesOrStaysWhenNoneIsLeft)
{
    history.PushHistory(20);
    Document& doc = windows.openWindow(4);
    selectedLine(doc);
    history.PushHistory(99);
    history.PushHistory(1024);
    history.Back();
    history.Back();
    ASSERT_EQ(history.current(), 0);
    windows.close(4);
    EXPECT_EQ(history.Forward(), 1024);
    EXPECT_EQ(history.current(), 2);

    // Only an unusable entry ahead: forward does nothing.
    history.Back();
    history.Back();
    history.PushHistory(20); // forgets the rest
    windows.openWindow(6);
    selectedLine(*windows.documentOf(6));
    history.PushHistory(301);
    history.Back();
    windows.close(6);
    EXPECT_FALSE(history.CanGoForward());
    const int before = history.current();
    EXPECT_FALSE(history.Forward().has_value());
    EXPECT_EQ(history.current(), before);
}

} // namespace
} // namespace vlm
