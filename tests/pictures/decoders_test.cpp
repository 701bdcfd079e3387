#include <gtest/gtest.h>

#include "picture_fixtures.h"
#include "pictures/metafile_player.h"

#include <QPainter>

#include <random>

namespace vlm {
namespace {

using test::Bytes;

int Distance(ColorRef a, ColorRef b)
{
    return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
           std::abs(BlueOf(a) - BlueOf(b));
}

TEST(PictureFormats, ComeFromTheExtension)
{
    EXPECT_EQ(PictureFormatForName(u"C:\\photos\\Beach.JPG"), PictureFormatJpeg);
    EXPECT_EQ(PictureFormatForName(u"a.jpeg"), PictureFormatJpeg);
    EXPECT_EQ(PictureFormatForName(u"a.Gif"), PictureFormatGif);
    EXPECT_EQ(PictureFormatForName(u"a.bmp"), PictureFormatBmp);
    EXPECT_EQ(PictureFormatForName(u"a.ico"), PictureFormatIco);
    EXPECT_EQ(PictureFormatForName(u"a.EMF"), PictureFormatMetafile);
    EXPECT_EQ(PictureFormatForName(u"a.wmf"), PictureFormatMetafile);
    EXPECT_EQ(PictureFormatForName(u"a.pcx"), PictureFormatNone);
    EXPECT_EQ(PictureFormatForName(u"folder.jpg/file"), PictureFormatNone);
}

TEST(JpegDecoder, DecodesAtEachScaleAndSavesAgain)
{
    const Bitmap source = test::Gradient(64, 48);
    const Bytes jpeg = EncodeJpeg(source);
    ASSERT_FALSE(jpeg.empty());
    for (const auto& [k, w, h] :
         {std::tuple{1, 64, 48}, std::tuple{2, 32, 24}, std::tuple{4, 16, 12}, std::tuple{8, 8, 6}}) {
        const DecodedPicture d = DecodePicture(jpeg, PictureFormatJpeg, k);
        ASSERT_EQ(d.bitmap.width(), w) << k;
        ASSERT_EQ(d.bitmap.height(), h) << k;
        EXPECT_EQ(d.reduction, k);
        EXPECT_LT(Distance(d.bitmap.pixel(w - 1, h - 1), source.pixel(63, 47)), 60) << k;
    }
    // Other formats ignore the reduction and say so.
    EXPECT_EQ(DecodePicture(test::QtBytes(source.image(), "BMP"), PictureFormatBmp, 8).reduction, 1);

    // "Saved again in its own format": a JPEG file is stored re-encoded at full size.
    const Bytes stored = StoredPictureBytes(jpeg, PictureFormatJpeg);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(DecodeJpeg(stored).width(), 64);
    EXPECT_TRUE(StoredPictureBytes(Bytes(jpeg.begin(), jpeg.begin() + 20), PictureFormatJpeg).empty());
}

TEST(GifDecoder, FirstImageWithTransparencyOnWhite)
{
    for (const bool interlaced : {false, true}) {
        const Bitmap b = DecodeGif(test::GifBytes(interlaced));
        ASSERT_EQ(b.width(), 5) << interlaced;
        ASSERT_EQ(b.height(), 3);
        EXPECT_EQ(b.pixel(0, 0), RGBRef(255, 0, 0));
        EXPECT_EQ(b.pixel(2, 0), RGBRef(0, 0, 255));
        EXPECT_EQ(b.pixel(3, 0), RGBRef(255, 255, 255)); // transparent
        EXPECT_EQ(b.pixel(4, 1), RGBRef(0, 255, 0));
        EXPECT_EQ(b.pixel(1, 2), RGBRef(255, 255, 255)) << interlaced;
        EXPECT_EQ(b.pixel(0, 2), RGBRef(0, 0, 255)) << interlaced;
    }
}

TEST(QtDecoders, BitmapAndIconOnWhite)
{
    const Bitmap source = test::Gradient(8, 6);
    const Bitmap bmp = DecodeBmp(test::QtBytes(source.image(), "BMP"));
    ASSERT_EQ(bmp.width(), 8);
    EXPECT_EQ(bmp.pixel(7, 5), source.pixel(7, 5));

    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.fillRect(4, 4, 8, 8, QColor(0, 0, 255));
    }
    const Bitmap ico = DecodeIco(test::QtBytes(icon, "ICO"));
    ASSERT_EQ(ico.width(), 16);
    EXPECT_EQ(ico.pixel(0, 0), RGBRef(255, 255, 255));
    EXPECT_EQ(ico.pixel(8, 8), RGBRef(0, 0, 255));
}

TEST(MetafileDecoder, PlaysAnEnhancedMetafileAtItsNaturalSize)
{
    const Bitmap b = DecodeMetafile(test::EmfBytes());
    ASSERT_EQ(b.width(), 100);
    ASSERT_EQ(b.height(), 50);
    EXPECT_EQ(b.pixel(30, 20), RGBRef(255, 0, 0));
    EXPECT_EQ(b.pixel(80, 45), RGBRef(255, 255, 255));
    EXPECT_EQ(b.pixel(5, 5), RGBRef(255, 255, 255));
    // The picture record, its top row first.
    EXPECT_EQ(b.pixel(72, 7), RGBRef(255, 0, 0));
    EXPECT_EQ(b.pixel(86, 7), RGBRef(255, 255, 255));
    EXPECT_EQ(b.pixel(72, 22), RGBRef(0, 0, 255));
    EXPECT_EQ(b.pixel(86, 22), RGBRef(0, 255, 0));
}

TEST(MetafileDecoder, ClipsInASavedStateFillsPathsAndWritesText)
{
    const Bitmap b = DecodeMetafile(test::EmfPathsClipAndText());
    ASSERT_EQ(b.width(), 100);
    EXPECT_EQ(b.pixel(40, 45), RGBRef(0, 0, 255));
    EXPECT_EQ(b.pixel(55, 45), RGBRef(255, 255, 255)); // outside the clip
    EXPECT_EQ(b.pixel(85, 15), RGBRef(0, 255, 0));     // the restored state draws anywhere
    EXPECT_EQ(b.pixel(65, 35), RGBRef(255, 255, 255));
    int black = 0;
    for (int y = 2; y < 25; ++y)
        for (int x = 2; x < 40; ++x)
            black += b.pixel(x, y) == RGBRef(0, 0, 0);
    EXPECT_GT(black, 10);
}

TEST(MetafileDecoder, PicturesInsideShareOnePixelBudget)
{
    const Bytes dib = test::TinyDib();
    std::int64_t budget = 6;
    const QImage first = metafile::PackedDibToImage(dib.data(), dib.size(), budget);
    ASSERT_EQ(first.width(), 2);
    EXPECT_EQ(first.pixel(0, 0), QColor(255, 0, 0).rgb());
    EXPECT_EQ(budget, 2);
    EXPECT_TRUE(metafile::PackedDibToImage(dib.data(), dib.size(), budget).isNull());
    EXPECT_EQ(budget, 2);
}

TEST(MetafileDecoder, PlaysAWindowsMetafileOntoItsWindow)
{
    const Bitmap b = DecodeMetafile(test::WmfBytes());
    ASSERT_EQ(b.width(), 96);
    ASSERT_EQ(b.height(), 48);
    EXPECT_EQ(b.pixel(20, 20), RGBRef(0, 255, 0));
    EXPECT_EQ(b.pixel(5, 5), RGBRef(255, 255, 255));
    EXPECT_EQ(b.pixel(70, 40), RGBRef(255, 255, 255));

    // Without a placeable header the file's window gives the size.
    const Bitmap bare = DecodeMetafile(test::WmfBytes(false));
    ASSERT_EQ(bare.width(), 1000);
    EXPECT_EQ(bare.height(), 500);
    EXPECT_EQ(bare.pixel(200, 200), RGBRef(0, 255, 0));
}

// ---------------------------------------------------------------- damaged files

void ExpectSane(const Bytes& bytes, int format)
{
    const Bitmap b = DecodePicture(bytes, format).bitmap;
    if (!b.isNull()) {
        EXPECT_LE(std::int64_t{b.width()} * b.height(), kMaxDecodedPixels);
    }
}

// Every prefix (in steps) and a few hundred single-byte changes of a valid
// file: each decodes or fails, and nothing crashes under the sanitizers.
void Corrupt(const Bytes& valid, int format, unsigned seed)
{
    const std::size_t step = std::max<std::size_t>(1, valid.size() / 97);
    for (std::size_t n = 0; n < valid.size(); n += step)
        ExpectSane(Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n)), format);
    std::mt19937 random(seed);
    for (int i = 0; i < 300; ++i) {
        Bytes damaged = valid;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        ExpectSane(damaged, format);
    }
}

TEST(DamagedPictures, EveryDecoderFailsSafely)
{
    const Bitmap source = test::Gradient(24, 16);
    Corrupt(EncodeJpeg(source), PictureFormatJpeg, 1);
    Corrupt(test::GifBytes(false), PictureFormatGif, 2);
    Corrupt(test::GifBytes(true), PictureFormatGif, 3);
    Corrupt(test::QtBytes(source.image(), "BMP"), PictureFormatBmp, 4);
    Corrupt(test::QtBytes(source.image(), "ICO"), PictureFormatIco, 5);
    Corrupt(test::EmfBytes(), PictureFormatMetafile, 6);
    Corrupt(test::WmfBytes(), PictureFormatMetafile, 7);
    Corrupt(test::WmfBytes(false), PictureFormatMetafile, 8);
    Corrupt(test::EmfPathsClipAndText(), PictureFormatMetafile, 9);
    QImage withAlpha = source.image().convertToFormat(QImage::Format_ARGB32);
    withAlpha.setPixel(3, 3, qRgba(10, 20, 30, 40));
    Corrupt(test::QtBytes(withAlpha, "PNG"), PictureFormatPng, 10);
    Corrupt(test::QtBytes(source.image(), "PNG"), PictureFormatPng, 11);
    Corrupt(test::QtBytes(source.image(), "WEBP"), PictureFormatWebp, 12);
    Corrupt(test::QtBytes(source.image(), "TIFF"), PictureFormatTiff, 13);
    const std::string svg =
        R"~(<svg xmlns="http://www.w3.org/2000/svg" width="24" height="16" viewBox="0 0 24 16">)~"
        R"~(<defs><linearGradient id="g"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="blue"/>)~"
        R"~(</linearGradient></defs><rect x="2" y="2" width="20" height="12" fill="url(#g)" stroke="#000"/>)~"
        R"~(<circle cx="12" cy="8" r="5" fill="none" stroke="green"/><path d="M1 1 L23 15 Q12 0 1 15z"/>)~"
        R"~(<text x="3" y="12" font-size="6">Ab</text></svg>)~";
    Corrupt(Bytes(svg.begin(), svg.end()), PictureFormatSvg, 14);
}

TEST(DamagedPictures, TruncatedJpegFails)
{
    const Bytes jpeg = EncodeJpeg(test::Gradient(64, 64));
    EXPECT_TRUE(DecodeJpeg(Bytes(jpeg.begin(), jpeg.end() - 40)).isNull());
}

TEST(DamagedPictures, HugeClaimsAreRefusedBeforeAllocating)
{
    // A JPEG whose frame header claims 65,535 x 65,535 pixels.
    Bytes jpeg = EncodeJpeg(test::Gradient(16, 16));
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 6] = jpeg[i + 7] = jpeg[i + 8] = 0xFF;
            break;
        }
    for (const int k : {1, 8})
        EXPECT_TRUE(DecodeJpeg(jpeg, k).isNull());

    // GIFs claiming 65,535 x 65,535 and 9,000 x 9,000 pixels with a few bytes of data.
    for (const std::uint16_t side : {std::uint16_t{65535}, std::uint16_t{9000}}) {
        Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
        auto u16 = [&](std::uint16_t v) {
            gif.push_back(static_cast<std::uint8_t>(v));
            gif.push_back(static_cast<std::uint8_t>(v >> 8));
        };
        u16(side), u16(side);
        gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255, 0x2C});
        u16(0), u16(0), u16(side), u16(side);
        gif.insert(gif.end(), {0, 2, 2, 0x4C, 0x01, 0, 0x3B});
        EXPECT_TRUE(DecodeGif(gif).isNull()) << side;
    }

    // A metafile whose header frames a picture of 10^10 pixels.
    Bytes emf = test::EmfBytes();
    const std::uint32_t far = 0x7FFFFFFF;
    std::memcpy(emf.data() + 32, &far, 4);
    std::memcpy(emf.data() + 36, &far, 4);
    EXPECT_TRUE(DecodeMetafile(emf).isNull());
}

TEST(DamagedPictures, MetafileRecordsThatLoopOrLieStopThePlay)
{
    // A record of size 0 after the header: the walk stops instead of
    // circling on it; what was drawn before stays.
    Bytes emf = test::EmfBytes();
    const std::uint32_t zero = 0;
    std::memcpy(emf.data() + 88 + 4, &zero, 4);
    EXPECT_EQ(DecodeMetafile(emf).width(), 100);

    // A polyline claiming four billion points in a 40-byte record.
    test::Writer w;
    const Bytes valid = test::EmfBytes();
    w.bytes.assign(valid.begin(), valid.begin() + 88);
    w.put({4, 40, 0, 0, 10, 10, 0xFFFFFFFF, 1, 1, 5});
    w.put({7, 40, 0, 0, 10, 10, 0xFFFFFFF0, 0xFFFFFFF0, 1, 2});
    w.put({14, 20, 0, 16, 20});
    w.set32(48, static_cast<std::uint32_t>(w.bytes.size()));
    EXPECT_EQ(DecodeMetafile(w.bytes).pixel(5, 5), RGBRef(255, 255, 255));

    // A Windows metafile record whose size points past the file's end.
    Bytes wmf = test::WmfBytes();
    const std::size_t firstRecord = 22 + 18;
    wmf[firstRecord] = 0xFF;
    wmf[firstRecord + 1] = 0xFF;
    wmf[firstRecord + 2] = 0xFF;
    const Bitmap b = DecodeMetafile(wmf);
    if (!b.isNull()) {
        EXPECT_EQ(b.pixel(20, 20), RGBRef(255, 255, 255));
    }
}

} // namespace
} // namespace vlm
