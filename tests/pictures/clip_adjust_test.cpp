// The clip panel's changes: slider labels, the halved lightness, and one
// undo step per change of the selected Clips.

#include "model/item_list.h"
#include "pictures/clip_adjust.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

TEST(ClipAdjust, SliderLabels)
{
    EXPECT_EQ(EffectSliderLabel(0), u"Normal");
    EXPECT_EQ(EffectSliderLabel(-64), u"-50%");
    EXPECT_EQ(EffectSliderLabel(-128), u"-100%");
    EXPECT_EQ(EffectSliderLabel(300), u"59%");
    EXPECT_EQ(EffectSliderLabel(512), u"100%");
    EXPECT_EQ(EffectSliderLabel(2), u"Normal"); // rounds to 0
}

TEST(ClipAdjust, LightnessIsStoredHalved)
{
    EXPECT_EQ(StoredLightness(300), 150);
    EXPECT_EQ(StoredLightness(-100), -100);
    EXPECT_EQ(LightnessSlider(150), 300);
    EXPECT_EQ(LightnessSlider(-7), -7);
}

struct ClipList : ::testing::Test
{
    ItemList list;
    HistoryCursor cursor;
    Item& clip(bool selected)
    {
        Item& c = NewItem(list, KindClip);
        SetEditStep(list, c, NextEditStep(list));
        c.rec.d.selected = selected ? 1 : 0;
        return c;
    }
    std::vector<Item*> live()
    {
        std::vector<Item*> out;
        for (Item& it : list)
            if (IsLive(it) && it.rec.d.kind == KindClip)
                out.push_back(&it);
        return out;
    }
};

TEST_F(ClipList, ColoursGoToTheSelectedClipsAsOneStep)
{
    clip(true);
    clip(false);
    clip(true);
    EXPECT_EQ(ApplyClipColors(list, cursor, -64, 100, 300), 2);
    auto c = live();
    ASSERT_EQ(c.size(), 3u);
    int changed = 0;
    for (Item* it : c)
        if (it->rec.d.colorEffects[2] == 150) {
            ++changed;
            EXPECT_EQ(+it->rec.d.colorEffects[0], -64);
            EXPECT_EQ(+it->rec.d.colorEffects[1], 100);
        }
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(CommonClipValue(list, [](const Item& it) { return it.rec.d.colorEffects[2]; }), 150);
    ASSERT_TRUE(UndoLastAction(list, cursor));
    for (Item* it : live())
        EXPECT_EQ(+it->rec.d.colorEffects[2], 0);
}

TEST_F(ClipList, CommonValueOnlyWhenTheClipsAgree)
{
    Item& a = clip(true);
    Item& b = clip(true);
    a.rec.d.surface = 127;
    auto surface = [](const Item& it) { return std::int64_t{it.rec.d.surface}; };
    EXPECT_FALSE(CommonClipValue(list, surface).has_value());
    b.rec.d.surface = 127;
    EXPECT_EQ(CommonClipValue(list, surface), 127);
    SelectOnly(list, nullptr);
    EXPECT_FALSE(CommonClipValue(list, surface).has_value());
    EXPECT_EQ(EditSelectedClips(list, cursor, [](Item&) {}), 0);
}

} // namespace
} // namespace vlm
