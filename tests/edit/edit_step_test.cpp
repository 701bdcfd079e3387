#include <gtest/gtest.h>

#include "edit/edit_step.h"

#include "edit/clipboard_edit.h"
#include "edit/sandbox.h"
#include "selection_fixture.h"

#include <vector>

namespace vlm {
namespace {

TEST(DocumentChanged, EverySubscriberHearsInOrderUntilItLeaves)
{
    DocumentChanged changed;
    std::vector<int> heard;
    int second = 0;
    changed.subscribe([&](const DocumentChange&) { heard.push_back(1); });
    second = changed.subscribe([&](const DocumentChange&) {
        heard.push_back(2);
        changed.unsubscribe(second); // leaving while being told is safe
    });
    changed.subscribe([&](const DocumentChange& c) { heard.push_back(c.header ? 30 : 3); });
    changed.notify({.header = true});
    changed.notify({});
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 30, 1, 3}));
    EXPECT_EQ(changed.subscriberCount(), 2u);
}

// A document window without its widget, telling what it hears.
struct StepWindow : test::SelectionFixture {
    StepWindow() : box(doc, *view, settings)
    {
        box.documentChanged().subscribe([this](const DocumentChange& c) { told.push_back(c); });
    }
    Settings settings;
    Sandbox box;
    std::vector<DocumentChange> told;
};

TEST(EditStep, OneStepTellsOnceWithWhatChangedAndTheModifiedFlag)
{
    StepWindow w;
    SetModified(w.doc.items, false);
    {
        EditStep edit(w.box);
        edit.changed({.selection = true});
        edit.changed({.items = true});
        edit.markModified();
        edit.repaintAll(false);
        EXPECT_TRUE(w.told.empty()); // nothing before the step ends
        EXPECT_FALSE(IsModified(w.doc.items));
    }
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_TRUE(w.told[0].selection && w.told[0].items && w.told[0].history);
    EXPECT_FALSE(w.told[0].header);
    EXPECT_TRUE(IsModified(w.doc.items));
}

TEST(EditStep, CommandsThatEditTellOnceAndUndoTakesTheStepBack)
{
    StepWindow w;
    Item& a = w.line({10, 10}, {200, 10});
    w.line({10, 40}, {200, 40});
    SelectOnly(w.doc.items, &a);
    ASSERT_TRUE(DeleteSelection(w.box));
    ASSERT_EQ(w.told.size(), 1u);
    int lines = 0;
    for (const Item& it : w.doc.items)
        lines += IsLive(it) && it.rec.d.kind == KindLine ? 1 : 0;
    EXPECT_EQ(lines, 1);
    EXPECT_TRUE(w.told[0].items);
    EXPECT_TRUE(w.box.CanUndo());

    // An empty selection changes nothing and tells nothing.
    EXPECT_FALSE(DeleteSelection(w.box));
    EXPECT_EQ(w.told.size(), 1u);

    SetModified(w.doc.items, false);
    w.box.Undo();
    ASSERT_EQ(w.told.size(), 2u);
    EXPECT_TRUE(w.told[1].items && w.told[1].history);
    EXPECT_TRUE(IsModified(w.doc.items));
    EXPECT_TRUE(w.box.CanRedo());
    lines = 0;
    for (const Item& it : w.doc.items)
        lines += IsLive(it) && it.rec.d.kind == KindLine ? 1 : 0;
    EXPECT_EQ(lines, 2) << "the deleted line is back";
}

} // namespace
} // namespace vlm
