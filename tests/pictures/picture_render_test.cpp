#include <gtest/gtest.h>

#include "model/item_list.h"
#include "pictures/picture_decoders.h"
#include "pictures/picture_services.h"
#include "platform/canvas.h"
#include "render/picture_render.h"
#include "render/resample.h"

#include <QBuffer>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>

namespace vlm {
namespace {

constexpr ColorRef kCanvas = RGBRef(10, 200, 30);
constexpr ColorRef kYellow = RGBRef(255, 255, 0);

Bitmap Numbered(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, RGBRef(x * 5, y * 7, 90));
    return b;
}

std::vector<std::uint8_t> BmpBytes(const Bitmap& b)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    b.image().save(&buffer, "BMP");
    return {data.begin(), data.end()};
}

// Counts how often the decoder is asked: the cache must spare it.
class CountingServices : public PictureServices
{
public:
    PreparedPicture prepare(const Item& picture, int a, int b, int t, int maxReduction,
                            int maxEnlargement) const override
    {
        ++prepared;
        lastReduction = maxReduction;
        return real.prepare(picture, a, b, t, maxReduction, maxEnlargement);
    }
    void applyColorEffects(Bitmap& bitmap, int s, int c, int l) const override
    {
        real.applyColorEffects(bitmap, s, c, l);
    }
    StandardPictureServices real;
    mutable int prepared = 0;
    mutable int lastReduction = 0;
};

struct Scene
{
    ItemList list;
    Item* picture = nullptr;
    DrawContext ctx;
    CountingServices services;

    explicit Scene(const Bitmap& source, int format = PictureFormatBmp)
    {
        picture = &NewItem(list, KindPicture);
        picture->rec.d.pictureId = 7;
        picture->rec.d.clipShape = format;
        picture->pictureData = format == PictureFormatBmp ? BmpBytes(source) : EncodeJpeg(source);
        picture->text = u"/home/user/pictures/holiday.bmp";
        ctx.items = &list;
    }
    Item& clip(QRect box, std::array<int, 4> source)
    {
        Item& c = NewItem(list, KindClip);
        DrawingFields& d = c.rec.d;
        d.pictureId = 7;
        d.x1 = box.left(), d.y1 = box.top(), d.x2 = box.left() + box.width(), d.y2 = box.top() + box.height();
        d.left = d.x1, d.top = d.y1, d.right = d.x2, d.bottom = d.y2;
        for (int i = 0; i < 4; ++i)
            d.sourceRect[i] = source[i];
        return c;
    }
    Bitmap draw(Item& c, PictureMode mode = PictureMode::Full, int w = 120, int h = 100)
    {
        Bitmap out(w, h, kCanvas);
        Canvas canvas(out);
        DrawPicture(canvas, ctx, c, mode, services);
        return out;
    }
};

bool SameRegion(const Bitmap& a, QPoint at, const Bitmap& expected)
{
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (a.pixel(at.x() + x, at.y() + y) != expected.pixel(x, y))
                return false;
    return true;
}

TEST(RenderPicture, CropsRescalesWithMitchellAndDrawsAtTheBox)
{
    const Bitmap source = Numbered(40, 30);
    Scene s(source);
    // A sub-rectangle given by reversed corners, enlarged.
    Item& c = s.clip(QRect(10, 12, 50, 40), {30, 25, 5, 5});
    const Bitmap out = s.draw(c);
    const Bitmap expected = resample(Bitmap(source.image().copy(5, 5, 25, 20)), 50, 40, 6);
    EXPECT_TRUE(SameRegion(out, QPoint(10, 12), expected));
    EXPECT_EQ(out.pixel(9, 12), kCanvas);
    EXPECT_EQ(out.pixel(60, 12), kCanvas);
    EXPECT_EQ(out.pixel(10, 52), kCanvas);

    // Negative scales mirror and flip the rescaled picture.
    c.rec.d.scaleX = -1.0;
    c.rec.d.scaleY = -2.0;
    c.cache.reset();
    Bitmap turned = expected;
    MirrorBitmap(turned);
    FlipBitmap(turned);
    EXPECT_TRUE(SameRegion(s.draw(c), QPoint(10, 12), turned));
}

TEST(RenderPicture, BoxesOfTwoPixelsOrLessAreNotDrawn)
{
    Scene s(Numbered(20, 20));
    Item& tiny = s.clip(QRect(5, 5, 2, 40), {0, 0, 19, 19});
    const Bitmap out = s.draw(tiny);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(out.pixel(x, y), kCanvas);
    EXPECT_FALSE(tiny.cache);

    Item& small = s.clip(QRect(5, 5, 3, 3), {0, 0, 19, 19});
    EXPECT_NE(s.draw(small).pixel(6, 6), kCanvas);
}

TEST(RenderPicture, FillsTheCacheOnceAndDrawsFromIt)
{
    Scene s(Numbered(40, 30));
    Item& c = s.clip(QRect(10, 10, 30, 20), {0, 0, 39, 29});
    const Bitmap first = s.draw(c);
    EXPECT_EQ(s.services.prepared, 1);
    ASSERT_TRUE(c.cache);
    std::set<std::int32_t> kinds;
    for (const Item& k : *c.cache)
        kinds.insert(k.rec.d.kind);
    EXPECT_EQ(kinds, (std::set<std::int32_t>{KindClipCache, KindClipCacheSource}));

    const Bitmap again = s.draw(c);
    EXPECT_EQ(s.services.prepared, 1);
    EXPECT_TRUE(SameRegion(again, QPoint(0, 0), first));

    // A dropped cache (zoom change, 3-D effects switched) renders afresh.
    DropClipCaches(s.list);
    s.draw(c);
    EXPECT_EQ(s.services.prepared, 2);
}

TEST(RenderPicture, ClampsACropThatReachesPastThePreparedPicture)
{
    // A 201 x 101 picture turned a quarter is prepared as 100 x 200; the
    // whole-picture source rectangle still reaches (101, 201).
    Scene s(Numbered(201, 101));
    Item& overreaching = s.clip(QRect(0, 0, 50, 100), {0, 0, 101, 201});
    overreaching.rec.d.pictureTurn = 90;
    Item& exact = s.clip(QRect(0, 0, 50, 100), {0, 0, 100, 200});
    exact.rec.d.pictureTurn = 90;
    const Bitmap a = s.draw(overreaching), b = s.draw(exact);
    EXPECT_TRUE(SameRegion(a, QPoint(0, 0), b));
}

TEST(RenderPicture, RotatedPictureDropsItsOddColumnBeforeTurning)
{
    Scene s(Numbered(40, 30));
    Item& c = s.clip(QRect(30, 30, 31, 21), {0, 0, 39, 29});
    c.rec.d.rotation = std::numbers::pi / 2;
    const Bitmap out = s.draw(c, PictureMode::Full, 140, 140);
    ASSERT_TRUE(c.cache);
    const Item& cached = *c.cache->begin();
    EXPECT_EQ(+cached.rec.d.width, 30);
    EXPECT_EQ(+cached.rec.d.height, 20);
    // Turned a quarter, the box stands upright about the same centre.
    EXPECT_EQ(+cached.rec.d.x2, 20);
    EXPECT_EQ(+cached.rec.d.y2, 30);
    EXPECT_NE(out.pixel(45, 40), kCanvas);
    EXPECT_EQ(out.pixel(32, 32), kCanvas);

    // From the cache the same pixels come out.
    const Bitmap again = s.draw(c, PictureMode::Full, 140, 140);
    EXPECT_TRUE(SameRegion(again, QPoint(0, 0), out));
}

TEST(RenderPicture, RoundClipShowsTheCanvasOutsideItsCircle)
{
    Scene s(Numbered(60, 60));
    Item& c = s.clip(QRect(), {30, 30, 50, 30});
    DrawingFields& d = c.rec.d;
    d.clipShape = 2;
    d.x1 = 50, d.y1 = 50, d.x2 = 70, d.y2 = 50;
    d.left = 30, d.top = 30, d.right = 70, d.bottom = 70;
    const Bitmap out = s.draw(c);
    EXPECT_EQ(out.pixel(31, 31), kCanvas);
    EXPECT_EQ(out.pixel(68, 68), kCanvas);
    EXPECT_NE(out.pixel(50, 50), kCanvas);
    EXPECT_NE(out.pixel(50, 31), kCanvas);
    EXPECT_EQ(out.pixel(50, 29), kCanvas);
}

TEST(RectFrame, FourPixelsAreShadedAndThreeFlat)
{
    Scene s(Numbered(40, 40));
    Item& c = s.clip(QRect(20, 20, 40, 40), {0, 0, 39, 39});
    c.rec.d.framed = 1;
    c.rec.d.weight = 1.06; // 4 pixels at 100 %, 3 at 75 %
    c.rec.d.surface = 127;
    c.rec.d.lineColor = RGBRef(0, 0, 200);
    ASSERT_EQ(FrameWidth(s.ctx, c), 4);
    const Bitmap shaded = s.draw(c);
    std::set<ColorRef> border;
    for (int i = 0; i < 4; ++i)
        border.insert(shaded.pixel(16 + i, 40));
    EXPECT_GT(border.size(), 1u);
    EXPECT_EQ(shaded.pixel(15, 40), kCanvas);

    s.ctx.zoom = 0.75;
    c.cache.reset();
    ASSERT_EQ(FrameWidth(s.ctx, c), 3);
    const Bitmap flat = s.draw(c);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(flat.pixel(15 - 3 + i + 0, 30), RGBRef(0, 0, 200)) << i;

    // With 3-D effects off the 4-pixel frame is flat as well.
    s.ctx.zoom = 1.0;
    s.ctx.show3DEffects = false;
    c.cache.reset();
    const Bitmap off = s.draw(c);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(off.pixel(16 + i, 40), RGBRef(0, 0, 200));
}

TEST(PictureOutline, SubstitutesFollowTheMode)
{
    Scene s(Numbered(40, 30));
    Item& c = s.clip(QRect(10, 10, 60, 40), {0, 0, 39, 29});
    c.rec.d.framed = 1;
    c.rec.d.weight = 1.06;

    // Hidden: dotted black on yellow along the box, nothing inside.
    const Bitmap hidden = s.draw(c, PictureMode::Hidden);
    std::set<ColorRef> edge;
    for (int x = 10; x < 30; ++x)
        edge.insert(hidden.pixel(x, 10));
    EXPECT_EQ(edge, (std::set<ColorRef>{RGBRef(0, 0, 0), kYellow}));
    EXPECT_EQ(hidden.pixel(40, 30), kCanvas);
    EXPECT_EQ(s.services.prepared, 0);

    // Quick: red dots, and a second outline the frame width further out.
    const Bitmap quick = s.draw(c, PictureMode::Quick);
    EXPECT_TRUE(quick.pixel(10, 10) == RGBRef(255, 0, 0) || quick.pixel(10, 10) == kYellow);
    EXPECT_NE(quick.pixel(10, 6), kCanvas);
    EXPECT_EQ(quick.pixel(10, 8), kCanvas);

    // Fast: a silver line inset by one pixel.
    const Bitmap fast = s.draw(c, PictureMode::Fast);
    EXPECT_EQ(fast.pixel(11, 20), RGBRef(192, 192, 192));
    EXPECT_EQ(fast.pixel(10, 20), kCanvas);
}

TEST(RenderPicture, JpegDecodesReducedWhenTheBoxIsSmall)
{
    Scene s(Numbered(400, 320), PictureFormatJpeg);
    Item& c = s.clip(QRect(0, 0, 50, 40), {0, 0, 400, 320});
    const Bitmap out = s.draw(c);
    EXPECT_EQ(s.services.lastReduction, 8);
    // Still the picture: its top-left is dark red, not the canvas.
    EXPECT_NE(out.pixel(2, 2), kCanvas);
    Item& large = s.clip(QRect(0, 0, 300, 200), {0, 0, 400, 320});
    s.draw(large, PictureMode::Full, 320, 220);
    EXPECT_EQ(s.services.lastReduction, 1);
}

TEST(RenderPicture, MissingOrUndecodablePicturesDrawNothing)
{
    Scene s(Numbered(20, 20));
    Item& c = s.clip(QRect(5, 5, 20, 20), {0, 0, 19, 19});
    s.picture->pictureData.resize(30);
    const Bitmap damaged = s.draw(c);
    EXPECT_EQ(damaged.pixel(10, 10), kCanvas);
    c.rec.d.pictureId = 99;
    EXPECT_EQ(s.draw(c).pixel(10, 10), kCanvas);
}

TEST(RenderPicture, ADamagedRoundClipDrawsNothingWithoutOverflowing)
{
    // A source circle wider than any picture: the guard's product would
    // pass 2^63 (the sanitizers stop on it).
    Scene s(Numbered(20, 20));
    Item& c = s.clip(QRect(), {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()});
    DrawingFields& d = c.rec.d;
    d.clipShape = 2;
    d.x1 = 50, d.y1 = 50, d.x2 = 70, d.y2 = 50;
    d.left = 30, d.top = 30, d.right = 70, d.bottom = 70;
    const Bitmap out = s.draw(c);
    EXPECT_EQ(out.pixel(50, 50), kCanvas);
    EXPECT_EQ(s.services.prepared, 0);
}

// The round clip of radius 20 at (50, 50), framed 4 pixels wide: the frame
// lies wholly outside the picture and reaches 4 pixels out on every side.
TEST(RoundFrame, TheRingLiesOutsideTheCircleOnEverySide)
{
    for (const int surface : {0, 127}) {
        Scene s(Numbered(60, 60));
        Item& c = s.clip(QRect(), {30, 30, 50, 30});
        DrawingFields& d = c.rec.d;
        d.clipShape = 2;
        d.x1 = 50, d.y1 = 50, d.x2 = 70, d.y2 = 50;
        d.left = 30, d.top = 30, d.right = 70, d.bottom = 70;
        const Bitmap bare = s.draw(c);
        c.cache.reset();
        d.framed = 1;
        d.weight = 1.06;
        d.surface = surface;
        d.lineColor = RGBRef(0, 0, 200);
        ASSERT_EQ(FrameWidth(s.ctx, c), 4);
        const Bitmap framed = s.draw(c);
        for (int y = 20; y < 80; ++y)
            for (int x = 20; x < 80; ++x) {
                // Distance of the pixel's centre from the circle's centre (50, 50).
                const double delta = std::hypot(x + 0.5 - 50, y + 0.5 - 50);
                if (bare.pixel(x, y) != kCanvas)
                    EXPECT_EQ(framed.pixel(x, y), bare.pixel(x, y)) << surface << " picture at " << x << "," << y;
                else if (delta > 20.0 && delta <= 23.5)
                    EXPECT_NE(framed.pixel(x, y), kCanvas) << surface << " ring at " << x << "," << y;
                else if (delta > 24.5)
                    EXPECT_EQ(framed.pixel(x, y), kCanvas) << surface << " outside at " << x << "," << y;
            }
        // The picture reaches the circle on all four sides, the ring right after it.
        for (const auto& [inside, ring] : {std::pair{QPoint(30, 50), QPoint(29, 50)}, {QPoint(69, 50), QPoint(70, 50)},
                                           {QPoint(50, 30), QPoint(50, 29)}, {QPoint(50, 69), QPoint(50, 70)}}) {
            EXPECT_NE(bare.pixel(inside.x(), inside.y()), kCanvas) << surface;
            EXPECT_EQ(bare.pixel(ring.x(), ring.y()), kCanvas) << surface;
        }
    }
}

} // namespace
} // namespace vlm
