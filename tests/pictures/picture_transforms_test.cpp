#include <gtest/gtest.h>

#include "model/item_list.h"
#include "pictures/clip_turns.h"
#include "pictures/color_effects.h"
#include "pictures/prepare_picture.h"
#include "render/picture_render.h"

#include <numbers>

namespace vlm {
namespace {

// A picture whose every pixel is different: red counts columns, green rows.
Bitmap Numbered(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, RGBRef(x, y, 7));
    return b;
}

bool Same(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

TEST(ColorEffects, FollowTheWorkedExamples)
{
    Bitmap b(2, 1);
    b.setPixel(0, 0, RGBRef(255, 0, 0));
    b.setPixel(1, 0, RGBRef(200, 100, 50));
    Bitmap grey = b;
    applyColorEffects(grey, -128, 0, 0);
    EXPECT_EQ(grey.pixel(0, 0), RGBRef(127, 127, 127));

    Bitmap contrast = b;
    applyColorEffects(contrast, 0, 512, 0);
    EXPECT_EQ(contrast.pixel(1, 0), RGBRef(255, 44, 0));

    // Contrast -128 halves the distance from 128, truncating toward zero;
    // lightness then adds and clamps.
    Bitmap soft = b;
    applyColorEffects(soft, 0, -128, 100);
    EXPECT_EQ(soft.pixel(1, 0), RGBRef(255, 214, 189));

    // Saturation runs on the original pixel, contrast on its result.
    Bitmap both = b;
    applyColorEffects(both, 128, 256, 0);
    // L = 125: 200 -> 275 -> 255 then 255 + 127 = 255; 100 -> 75 -> 22; 50 -> 0 -> 0.
    EXPECT_EQ(both.pixel(1, 0), RGBRef(255, 22, 0));

    Bitmap same = b;
    applyColorEffects(same, 0, 0, 0);
    EXPECT_TRUE(Same(same, b));
}

TEST(RotateInto, MirrorAndFlipTogetherAreAHalfTurn)
{
    // Even sizes, as every rotated picture is cut to.
    for (const auto& [w, h] : {std::pair{6, 4}, std::pair{2, 2}, std::pair{8, 8}}) {
        const Bitmap source = Numbered(w, h);
        Bitmap turned(w, h, RGBRef(1, 2, 3));
        RotateInto(source, turned, std::numbers::pi);
        Bitmap mirrored = source;
        MirrorBitmap(mirrored);
        FlipBitmap(mirrored);
        EXPECT_TRUE(Same(turned, mirrored)) << w << " x " << h;
    }
}

TEST(RotateInto, QuarterTurnIsCounterClockwiseAndLeavesUncoveredPixels)
{
    const Bitmap source = Numbered(4, 2);
    Bitmap d(2, 4, RGBRef(9, 9, 9));
    RotateInto(source, d, std::numbers::pi / 2);
    // The top-right pixel of the source comes to the top-left.
    EXPECT_EQ(+d.pixel(0, 0), RGBRef(3, 0, 7));
    EXPECT_EQ(+d.pixel(1, 0), RGBRef(3, 1, 7));
    EXPECT_EQ(+d.pixel(0, 3), RGBRef(0, 0, 7));

    // A larger destination keeps what it had around the turned picture.
    Bitmap wide(6, 6, RGBRef(9, 9, 9));
    RotateInto(source, wide, std::numbers::pi / 2);
    EXPECT_EQ(wide.pixel(0, 0), RGBRef(9, 9, 9));
    EXPECT_EQ(wide.pixel(2, 1), RGBRef(3, 0, 7));
}

TEST(PreparePicture, MirrorsBySignsThenTurnsCounterClockwise)
{
    const Bitmap source = Numbered(4, 2);
    // Sign -1 and a quarter turn: mirrored left to right, then turned.
    const Bitmap p = preparePicture(source, -1, 1, 90);
    ASSERT_EQ(p.width(), 2);
    ASSERT_EQ(p.height(), 4);
    Bitmap expected = source;
    MirrorBitmap(expected);
    Bitmap turned(2, 4);
    RotateInto(expected, turned, std::numbers::pi / 2);
    EXPECT_TRUE(Same(p, turned));

    // 180 with both signs +1 mirrors both ways and does not rotate.
    Bitmap half = source;
    MirrorBitmap(half);
    FlipBitmap(half);
    EXPECT_TRUE(Same(preparePicture(source, 1, 1, 180), half));
    EXPECT_TRUE(Same(preparePicture(source, 1, 1, 360), source));
}

TEST(PreparePicture, QuarterTurnDropsTheOddColumnAndRow)
{
    const Bitmap p = preparePicture(Numbered(5, 3), 1, 1, 270);
    ASSERT_EQ(p.width(), 2);
    ASSERT_EQ(p.height(), 4);
    // Turned clockwise: the source's bottom-left (0, 1) is the top-left now;
    // column 4 and row 2 are gone.
    EXPECT_EQ(p.pixel(0, 0), RGBRef(0, 1, 7));
    EXPECT_EQ(p.pixel(1, 3), RGBRef(3, 0, 7));
}

Item& EntireClip(ItemList& list)
{
    Item& clip = NewItem(list, KindClip);
    DrawingFields& d = clip.rec.d;
    d.x1 = 20, d.y1 = 20, d.x2 = 220, d.y2 = 120;
    d.pictureSize[0] = 200, d.pictureSize[1] = 100;
    d.placementScale = 1.0;
    d.sourceRect[0] = 0, d.sourceRect[1] = 0, d.sourceRect[2] = 199, d.sourceRect[3] = 99;
    RealsFromIntegers(clip, list.metrics());
    RecomputeFromReals(clip, list.metrics());
    return clip;
}

TEST(ClipTurns, QuarterTurnClockwiseTurnsBoxAndSource)
{
    ItemList list;
    Item& clip = EntireClip(list);
    clip.cache = std::make_unique<ItemList>();
    TurnClipClockwise(clip, list.metrics());
    const DrawingFields& d = clip.rec.d;
    EXPECT_EQ(+d.pictureTurn, 270);
    EXPECT_EQ(QRect(QPoint(d.x1, d.y1), QPoint(d.x2, d.y2)), QRect(QPoint(70, -30), QPoint(170, 170)));
    EXPECT_EQ(+d.pictureSize[0], 100);
    EXPECT_EQ(+d.pictureSize[1], 200);
    EXPECT_EQ((std::array{d.sourceRect[0], d.sourceRect[1], d.sourceRect[2], d.sourceRect[3]}),
              (std::array{100, 0, 1, 199}));
    EXPECT_EQ(+d.left, 70);
    EXPECT_EQ(+d.bottom, 170);
    EXPECT_FALSE(clip.cache);

    // Back again counter-clockwise: 270 + 90 = 360, upright.
    TurnClipCounterClockwise(clip, list.metrics());
    EXPECT_EQ(+d.pictureTurn, 360);
    EXPECT_EQ((std::array{d.sourceRect[0], d.sourceRect[1], d.sourceRect[2], d.sourceRect[3]}),
              (std::array{0, 0, 199, 99}));
    TurnClipCounterClockwise(clip, list.metrics());
    EXPECT_EQ(+d.pictureTurn, 90);
}

TEST(ClipTurns, MirrorChangesTheSignOfTheUnturnedFrame)
{
    ItemList list;
    Item& clip = EntireClip(list);
    MirrorClip(clip, list.metrics());
    EXPECT_EQ(+clip.rec.d.mirrorX, -1);
    EXPECT_EQ(+clip.rec.d.sourceRect[0], 1);
    EXPECT_EQ(+clip.rec.d.sourceRect[2], 200);
    // Turned a quarter, mirroring is the vertical sign.
    clip.rec.d.pictureTurn = 90;
    MirrorClip(clip, list.metrics());
    EXPECT_EQ(+clip.rec.d.mirrorX, -1);
    EXPECT_EQ(+clip.rec.d.mirrorY, -1);
    FlipClip(clip, list.metrics());
    EXPECT_EQ(+clip.rec.d.mirrorX, 1);
}

TEST(ClipTurns, MirroringARoundClipKeepsItsCircle)
{
    ItemList list;
    Item& clip = NewItem(list, KindClip);
    DrawingFields& d = clip.rec.d;
    d.clipShape = 2;
    d.x1 = 100, d.y1 = 100, d.x2 = 130, d.y2 = 100;
    d.pictureSize[0] = 200, d.pictureSize[1] = 100;
    d.sourceRect[0] = 50, d.sourceRect[1] = 40, d.sourceRect[2] = 70, d.sourceRect[3] = 40;
    MirrorClip(clip, list.metrics());
    EXPECT_EQ(+d.x1, 100);
    EXPECT_EQ(+d.x2, 130);
    EXPECT_EQ(+d.sourceRect[0], 150);
    EXPECT_EQ(+d.sourceRect[2], 130);
    EXPECT_EQ(+d.sourceRect[1], 40);
}

TEST(ClipTurns, ZeroPlacementScaleChangesOnlyTheTurn)
{
    ItemList list;
    Item& clip = EntireClip(list);
    clip.rec.d.placementScale = 0.0;
    TurnClipClockwise(clip, list.metrics());
    EXPECT_EQ(+clip.rec.d.pictureTurn, 270);
    EXPECT_EQ(+clip.rec.d.sourceRect[2], 199);
    EXPECT_EQ(+clip.rec.d.x1, 20);
}

} // namespace
} // namespace vlm
