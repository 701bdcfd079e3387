#include <gtest/gtest.h>

#include "model/item_list.h"
#include "render/pens.h"

#include <vector>

namespace vlm {
namespace {

std::vector<std::int32_t> Lengths(const PatternTable& t)
{
    return {t.lengths.begin(), t.lengths.begin() + t.count};
}

const std::vector<std::int32_t> kSolid = {kSolidDash};

TEST(Pens, WidthsAtZoom)
{
    const ScreenMetrics m; // 96 dpi
    struct Case
    {
        double zoom;
        double mm;
        int px;
    };
    // The lower bound is Round(zoom): 0 at 25 % and 50 % (ties to even).
    const Case pens[] = {{0.25, 0.0, 0}, {0.5, 0.0, 0}, {0.75, 0.0, 1}, {1.0, 0.0, 1}, {2.0, 0.0, 2},
                         {1.0, 0.5, 2},  {1.0, 2.0, 8}, {3.0, 1.0, 11}, {0.5, 3.0, 6}, {2.5, 0.1, 2}};
    for (const Case& c : pens)
        EXPECT_EQ(PenWidthAtZoom(c.zoom, c.mm, m), c.px) << c.zoom << " " << c.mm;

    struct LineCase
    {
        double zoom;
        int stored;
        int px;
    };
    const LineCase lines[] = {{0.25, 1, 1}, {1.0, 1, 1}, {3.0, 1, 3},
                              {0.5, 5, 2},  {0.5, 7, 4}, {1.25, 11, 14}};
    for (const LineCase& c : lines)
        EXPECT_EQ(LineWidthAtZoom(c.zoom, c.stored), c.px) << c.zoom << " " << c.stored;
}

TEST(Pens, BuiltInPatternsScaleWithTheWidth)
{
    struct Case
    {
        int code;
        int w;
        std::vector<std::int32_t> lengths;
    };
    const Case cases[] = {
        {PatternDot, 1, {1, 2}},
        {PatternDot, 3, {3, 6}},
        {PatternDot, 0, {1, 1}},
        {PatternDash, 1, {6, 2}},
        {PatternDash, 0, {6, 2}},
        {PatternDash, 2, {12, 4}},
        {PatternCenter, 1, {6, 3, 2, 3}},
        {PatternCenter, 2, {12, 4, 4, 4}},
        {PatternPhantom, 1, {6, 3, 2, 3, 2, 3}},
        {PatternPhantom, 3, {18, 6, 6, 6, 6, 6}},
        // Below one pixel "Center" and "Phantom" keep their one-pixel
        // lengths instead of collapsing to empty dashes.
        {PatternCenter, 0, {6, 3, 2, 3}},
        {PatternPhantom, 0, {6, 3, 2, 3, 2, 3}},
        {PatternSolid, 4, kSolid},
        {5, 1, kSolid},
        {-1, 1, kSolid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lengths(BuiltInPattern(c.code, c.w)), c.lengths) << "code " << c.code << " w " << c.w;
    EXPECT_EQ(Lengths(BuiltInPattern(PatternCenter, 1000000000)).front(), kSolidDash); // 6w saturates
}

class ItemPatternTest : public ::testing::Test
{
protected:
    Item& line(std::int32_t pattern, double weightMm = 0.0)
    {
        Item& it = NewItem(list, KindLine);
        it.rec.d.pattern = pattern;
        SetWeight(it, weightMm, metrics);
        return it;
    }
    std::vector<std::int32_t> lengths(const Item& it, double zoom)
    {
        return Lengths(ItemPattern(&list, it, zoom, metrics));
    }

    ScreenMetrics metrics; // 96 dpi
    ItemList list{metrics};
};

TEST_F(ItemPatternTest, BuiltInPatternsFollowTheLinesWidthAndZoom)
{
    EXPECT_EQ(lengths(line(PatternDot), 1.0), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(lengths(line(PatternDot), 3.0), (std::vector<std::int32_t>{3, 6}));
    EXPECT_EQ(lengths(line(PatternCenter), 1.0), (std::vector<std::int32_t>{6, 3, 2, 3}));
    // 1 mm is 4 pixels at 96 dpi; at 50 % the pattern width is 2.
    EXPECT_EQ(lengths(line(PatternDash, 1.0), 0.5), (std::vector<std::int32_t>{12, 4}));
    EXPECT_EQ(lengths(line(PatternSolid, 2.0), 1.0), kSolid);
    EXPECT_EQ(lengths(line(5), 1.0), kSolid);
}

TEST_F(ItemPatternTest, EmbeddedPatternsKeepTheirMillimetresAndScaleOnlyWithZoom)
{
    const double mm[12] = {2.0, 1.0};
    const Item& record = EmbedLinePattern(list, mm);
    const Item& thin = line(record.rec.d.kind);
    const Item& heavy = line(record.rec.d.kind, 3.0);
    // Round(2 * Round(7.559)) = 16 and Round(2 * Round(3.779)) = 8.
    EXPECT_EQ(lengths(thin, 2.0), (std::vector<std::int32_t>{16, 8}));
    EXPECT_EQ(lengths(heavy, 2.0), (std::vector<std::int32_t>{16, 8}));
    EXPECT_EQ(lengths(thin, 1.0), (std::vector<std::int32_t>{8, 4}));
    EXPECT_EQ(lengths(thin, 0.5), (std::vector<std::int32_t>{4, 2}));

    const double odd[12] = {2.0, 1.0, 0.5};
    const Item& three = line(EmbedLinePattern(list, odd).rec.d.kind);
    const PatternTable t = ItemPattern(&list, three, 1.0, metrics);
    EXPECT_EQ(Lengths(t), (std::vector<std::int32_t>{8, 4, 2}));
    EXPECT_EQ(t.lengths[3], 0);

    EXPECT_EQ(lengths(line(record.rec.d.kind - 40), 1.0), kSolid); // no such record
    EXPECT_EQ(Lengths(ItemPattern(nullptr, thin, 1.0, metrics)), kSolid);
}

TEST_F(ItemPatternTest, DamagedPatternRecordsAreReadWithinBounds)
{
    const double mm[12] = {2.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    Item& record = EmbedLinePattern(list, mm);
    const Item& it = line(record.rec.d.kind);
    record.rec.p.count = 99;
    EXPECT_EQ(ItemPattern(&list, it, 1.0, metrics).count, 12);
    record.rec.p.count = -4;
    EXPECT_EQ(ItemPattern(&list, it, 1.0, metrics).count, 0);
}

TEST(Pens, RubberBandPatternComesFromTheSettings)
{
    std::array<custPatternRec_t, kCustomEntryCount> user{};
    user[0].count = 2;
    user[0].pixels = {8, 4};
    user[11].count = 3;
    user[11].pixels = {5, 3, 1};

    EXPECT_EQ(Lengths(RubberBandPattern(PatternDot, 3, user, 1.0, 50.0)), (std::vector<std::int32_t>{3, 6}));
    EXPECT_EQ(Lengths(RubberBandPattern(6, 1, user, 1.0, 50.0)), (std::vector<std::int32_t>{8, 4}));
    EXPECT_EQ(Lengths(RubberBandPattern(6, 1, user, 2.0, 50.0)), (std::vector<std::int32_t>{16, 8}));
    EXPECT_EQ(Lengths(RubberBandPattern(17, 1, user, 1.0, 50.0)), (std::vector<std::int32_t>{5, 3, 1}));
    for (int code : {5, 18, -3})
        EXPECT_EQ(Lengths(RubberBandPattern(code, 1, user, 1.0, 100.4)), (std::vector<std::int32_t>{132}))
            << code;
    EXPECT_EQ(Lengths(RubberBandPattern(7, 1, {}, 1.0, 10.0)), (std::vector<std::int32_t>{42}));
}

} // namespace
} // namespace vlm
