// Metafiles that end early or frame far more than their records draw.

#include <gtest/gtest.h>

#include "picture_fixtures.h"

#include <cstring>

namespace vlm {
namespace {

using test::Bytes;

TEST(MetafileBounds, CutEnhancedMetafilesAreRefused)
{
    const Bytes whole = test::EmfBytes();
    ASSERT_FALSE(DecodeMetafile(whole).isNull());
    // Without its end-of-file record; its header still counts the full size.
    Bytes cut(whole.begin(), whole.end() - 20);
    EXPECT_TRUE(DecodeMetafile(cut).isNull());
    // The same with the header's byte count corrected: still no end.
    test::Writer w;
    w.bytes = cut;
    w.set32(48, static_cast<std::uint32_t>(cut.size()));
    EXPECT_TRUE(DecodeMetafile(w.bytes).isNull());
    // Cut inside the picture record.
    EXPECT_TRUE(DecodeMetafile(Bytes(whole.begin(), whole.begin() + 200)).isNull());
}

TEST(MetafileBounds, AFrameFarLargerThanTheFileIsPlayedSmaller)
{
    // The header's frame grown to about 6000 x 6000 pixels at 96 dpi
    // (0.01 mm units); the records still draw the red rectangle at (10, 10)-(60, 40).
    Bytes emf = test::EmfBytes();
    const std::uint32_t side = 158750;
    std::memcpy(emf.data() + 32, &side, 4);
    std::memcpy(emf.data() + 36, &side, 4);
    const Bitmap b = DecodeMetafile(emf);
    ASSERT_FALSE(b.isNull());
    EXPECT_LE(double(b.width()) * b.height(), double(emf.size()) * 16384);
    EXPECT_NEAR(b.width(), b.height(), 1);
    const double f = b.width() / 6000.0;
    EXPECT_EQ(b.pixel(int(35 * f), int(25 * f)), RGBRef(255, 0, 0));
    EXPECT_EQ(b.pixel(int(80 * f), int(80 * f)), RGBRef(255, 255, 255));

    // A Windows metafile whose window asks for 8000 x 4000 pixels.
    Bytes wmf = test::WmfBytes(false);
    wmf[34] = 4000 & 0xff, wmf[35] = 4000 >> 8;
    wmf[36] = 8000 & 0xff, wmf[37] = 8000 >> 8;
    const Bitmap bare = DecodeMetafile(wmf);
    ASSERT_FALSE(bare.isNull());
    EXPECT_LE(double(bare.width()) * bare.height(), double(wmf.size()) * 16384);
    EXPECT_NEAR(bare.width(), 2 * bare.height(), 2);
}

} // namespace
} // namespace vlm
