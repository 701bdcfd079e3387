// Windows bitmaps written here byte by byte: both row orders at every depth,
// 16-bit channels, and files whose header promises far more than they hold.

#include <gtest/gtest.h>

#include "picture_fixtures.h"

#include <algorithm>
#include <array>

namespace vlm {
namespace {

using test::Bytes;

constexpr std::array<ColorRef, 4> kColours = {RGBRef(0, 0, 0), RGBRef(255, 255, 255), RGBRef(255, 0, 0),
                                              RGBRef(0, 0, 255)};
constexpr int kW = 5, kH = 3; // odd sizes: every depth pads its rows

// The test picture: a diagonal pattern of as many of kColours as the depth holds.
ColorRef Expected(int x, int y, int bpp)
{
    const int n = bpp == 1 ? 2 : 4;
    return kColours[static_cast<std::size_t>((x + 2 * y) % n)];
}

struct BmpSpec
{
    int bpp = 24;
    bool topDown = false;
    std::uint32_t compression = 0; // 3: bit fields (16-bit 5-6-5)
    int width = kW, height = kH;
};

// A BITMAPINFOHEADER file of the test picture.
Bytes BmpFile(const BmpSpec& s)
{
    test::Writer w;
    const int stride = (s.width * s.bpp + 31) / 32 * 4;
    const int colours = s.bpp <= 8 ? 1 << s.bpp : 0;
    const std::uint32_t masks = s.compression == 3 ? 12 : 0;
    const std::uint32_t offset = 14 + 40 + masks + 4 * colours;
    w.u16('B' | ('M' << 8));
    w.u32(offset + static_cast<std::uint32_t>(stride * s.height));
    w.u32(0);
    w.u32(offset);
    w.put({40, static_cast<std::uint32_t>(s.width),
           static_cast<std::uint32_t>(s.topDown ? -s.height : s.height)});
    w.u16(1);
    w.u16(static_cast<std::uint32_t>(s.bpp));
    w.put({s.compression, static_cast<std::uint32_t>(stride * s.height), 2835, 2835, 0, 0});
    if (masks)
        w.put({0xF800, 0x07E0, 0x001F});
    for (int i = 0; i < colours; ++i) {
        const ColorRef c = kColours[static_cast<std::size_t>(i % 4)];
        w.put({static_cast<std::uint32_t>(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16)});
    }
    for (int row = 0; row < s.height; ++row) {
        const int y = s.topDown ? row : s.height - 1 - row;
        Bytes line(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < s.width; ++x) {
            const ColorRef c = Expected(x, y, s.bpp);
            const std::size_t index = static_cast<std::size_t>((x + 2 * y) % (s.bpp == 1 ? 2 : 4));
            const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
            switch (s.bpp) {
            case 1:
                line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(index << (7 - x % 8));
                break;
            case 4:
                line[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(index << (x % 2 ? 0 : 4));
                break;
            case 8:
                line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(index);
                break;
            case 16: {
                const std::uint32_t v = s.compression == 3 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                                           : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
                line[static_cast<std::size_t>(2 * x)] = static_cast<std::uint8_t>(v);
                line[static_cast<std::size_t>(2 * x + 1)] = static_cast<std::uint8_t>(v >> 8);
                break;
            }
            default: {
                const std::size_t at = static_cast<std::size_t>(x * s.bpp / 8);
                line[at] = static_cast<std::uint8_t>(b);
                line[at + 1] = static_cast<std::uint8_t>(g);
                line[at + 2] = static_cast<std::uint8_t>(r);
            }
            }
        }
        w.bytes.insert(w.bytes.end(), line.begin(), line.end());
    }
    return w.bytes;
}

void ExpectPicture(const Bitmap& b, int bpp, const char* what)
{
    ASSERT_EQ(b.width(), kW) << what << bpp;
    ASSERT_EQ(b.height(), kH) << what << bpp;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            EXPECT_EQ(b.pixel(x, y), Expected(x, y, bpp)) << what << bpp << " at " << x << "," << y;
}

TEST(BmpDecoder, TopDownFilesDecodeLikeTheirBottomUpTwins)
{
    for (const int bpp : {1, 4, 8, 16, 24, 32}) {
        ExpectPicture(DecodeBmp(BmpFile({bpp, false})), bpp, "bottom-up ");
        ExpectPicture(DecodeBmp(BmpFile({bpp, true})), bpp, "top-down ");
    }
}

TEST(BmpDecoder, SixteenBitChannelsReachFullIntensity)
{
    // 5-5-5 without masks and 5-6-5 through bit fields, both row orders.
    for (const bool topDown : {false, true})
        for (const std::uint32_t compression : {0u, 3u})
            ExpectPicture(DecodeBmp(BmpFile({16, topDown, compression})), 16,
                          compression ? "5-6-5 " : "5-5-5 ");

    // Every 5-bit level v becomes v * 255 / 31, rounded.
    BmpSpec s{16, false, 0, 32, 1};
    Bytes file = BmpFile(s);
    const std::size_t pixels = file.size() - 64;
    for (std::uint32_t v = 0; v < 32; ++v) {
        const std::uint32_t word = v << 10 | (31 - v) << 5 | v;
        file[pixels + 2 * v] = static_cast<std::uint8_t>(word);
        file[pixels + 2 * v + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    const Bitmap b = DecodeBmp(file);
    ASSERT_EQ(b.width(), 32);
    for (int v = 0; v < 32; ++v) {
        const int level = (v * 255 + 15) / 31;
        EXPECT_EQ(b.pixel(v, 0), RGBRef(level, 255 - level, level)) << v;
    }
}

TEST(BmpDecoder, FilesShorterThanTheirRowsAreRefused)
{
    // 4000 x 4000 one-bit pixels claimed by a file of a dozen bytes of data.
    Bytes tiny = BmpFile({1, false});
    const std::uint8_t side[2] = {4000 & 0xff, 4000 >> 8};
    std::copy(side, side + 2, tiny.begin() + 18); // width
    std::copy(side, side + 2, tiny.begin() + 22); // height
    EXPECT_TRUE(DecodeBmp(tiny).isNull());
    EXPECT_TRUE(DecodePicture(tiny, PictureFormatBmp).bitmap.isNull());

    // A 24-bit file cut inside its last row; one that lacks only the last
    // row's padding still decodes.
    const Bytes whole = BmpFile({24, false});
    EXPECT_TRUE(DecodeBmp(Bytes(whole.begin(), whole.end() - 6)).isNull());
    EXPECT_FALSE(DecodeBmp(Bytes(whole.begin(), whole.end() - 1)).isNull());
}

// An 8-bit run-length file: `data` after a two-colour palette.
Bytes Rle8File(int w, int h, std::initializer_list<std::uint8_t> data)
{
    test::Writer out;
    const std::uint32_t offset = 14 + 40 + 8;
    out.u16('B' | ('M' << 8));
    out.u32(offset + static_cast<std::uint32_t>(data.size()));
    out.u32(0);
    out.u32(offset);
    out.put({40, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h)});
    out.u16(1);
    out.u16(8);
    out.put({1, static_cast<std::uint32_t>(data.size()), 2835, 2835, 2, 0});
    out.put({0x0000FF, 0xFFFFFF}); // blue, white
    out.bytes.insert(out.bytes.end(), data);
    return out.bytes;
}

TEST(BmpDecoder, RunLengthFilesAreBoundByTheirSize)
{
    // Two rows of four: white below, blue above.
    const Bitmap small = DecodeBmp(Rle8File(4, 2, {4, 1, 0, 0, 4, 0, 0, 1}));
    ASSERT_EQ(small.width(), 4);
    EXPECT_EQ(small.pixel(3, 1), RGBRef(255, 255, 255));
    EXPECT_EQ(small.pixel(0, 0), RGBRef(0, 0, 255));

    // Nine million pixels from eight bytes: only the end-of-picture mark.
    EXPECT_TRUE(DecodeBmp(Rle8File(3000, 3000, {4, 1, 0, 0, 4, 0, 0, 1})).isNull());
}

} // namespace
} // namespace vlm
