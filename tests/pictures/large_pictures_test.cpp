// Pictures near and beyond the decoders' pixel limit: a JPEG decodes at a
// reduction that fits, other formats are refused as too large (not as
// damaged), and small files cannot make the decoders work as if they were big.

#include <gtest/gtest.h>

#include "picture_fixtures.h"
#include "pictures/picture_session.h"
#include "texts/picture_texts.h"

#include <cstdio>
#include <jpeglib.h>

namespace vlm {
namespace {

using test::Bytes;

// A grey JPEG of w x h pixels, written a row at a time so that the test never
// holds the whole picture.
Bytes GreyJpeg(int w, int h)
{
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 50, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(w) * 3, 128);
    JSAMPROW rows[1] = {row.data()};
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows, 1);
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

TEST(LargePictures, AJpegOverTheLimitDecodesAtAReductionThatFits)
{
    // 100.16 million pixels: a quarter of that at 1/2.
    const Bytes jpeg = GreyJpeg(10016, 10000);
    EXPECT_TRUE(DecodeJpeg(jpeg, 1).isNull());
    EXPECT_EQ(JpegFittingReduction(jpeg, 1), 2);
    EXPECT_EQ(JpegFittingReduction(jpeg, 4), 4);

    const DecodedPicture eighth = DecodePicture(jpeg, PictureFormatJpeg, 8);
    EXPECT_EQ(eighth.bitmap.width(), 1252);
    EXPECT_EQ(eighth.bitmap.height(), 1250);
    EXPECT_EQ(eighth.reduction, 8);
    const DecodedPicture full = DecodePicture(jpeg, PictureFormatJpeg, 1);
    EXPECT_EQ(full.bitmap.width(), 5008);
    EXPECT_EQ(full.reduction, 2);

    // The dialog opens it, and zooming to 100 % decodes it at the finest
    // reduction there is for it.
    PictureSession s;
    ASSERT_TRUE(s.load(jpeg, PictureFormatJpeg, QSize(600, 400)));
    EXPECT_EQ(s.reduction(), 8);
    s.setZoomPercent(100);
    EXPECT_EQ(s.reduction(), 2);
    EXPECT_EQ(s.decoded().width(), 5008);

    // Too large to be saved again at full size: the file's own bytes are kept.
    EXPECT_EQ(StoredPictureBytes(jpeg, PictureFormatJpeg), jpeg);
}

// A one-bit bitmap of w x h pixels, its rows all zero.
Bytes MonoBmp(int w, int h)
{
    test::Writer out;
    const std::uint32_t stride = static_cast<std::uint32_t>((w + 31) / 32 * 4);
    out.u16('B' | ('M' << 8));
    out.u32(62 + stride * static_cast<std::uint32_t>(h));
    out.u32(0);
    out.u32(62);
    out.put({40, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h)});
    out.u16(1);
    out.u16(1);
    out.put({0, stride * static_cast<std::uint32_t>(h), 2835, 2835, 2, 0, 0, 0xFFFFFF});
    out.bytes.resize(out.bytes.size() + stride * static_cast<std::size_t>(h));
    return out.bytes;
}

TEST(LargePictures, OtherFormatsOverTheLimitAreTooLargeNotInvalid)
{
    const Bytes big = MonoBmp(10016, 10000);
    const DecodedPicture d = DecodePicture(big, PictureFormatBmp);
    EXPECT_TRUE(d.bitmap.isNull());
    EXPECT_TRUE(d.tooLarge);

    PictureSession s;
    EXPECT_FALSE(s.load(big, PictureFormatBmp, QSize(600, 400)));
    EXPECT_TRUE(s.tooLarge());
    EXPECT_EQ(std::u16string_view(LoadFailureText(s)), texts::kPictureTooLarge);

    // The same header with a fraction of its rows is damaged, not large.
    const Bytes cut(big.begin(), big.begin() + 5000);
    EXPECT_FALSE(DecodePicture(cut, PictureFormatBmp).tooLarge);
    EXPECT_FALSE(s.load(cut, PictureFormatBmp, QSize(600, 400)));
    EXPECT_EQ(std::u16string_view(LoadFailureText(s)), texts::kNotAValidFile);

    // A picture that fits loads as before.
    EXPECT_TRUE(s.load(MonoBmp(100, 10), PictureFormatBmp, QSize(600, 400)));
    EXPECT_FALSE(s.tooLarge());
}

} // namespace
} // namespace vlm
