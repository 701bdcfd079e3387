// PNG, WebP, TIFF and SVG: what each decodes to, how it is stored in a
// document, that it comes back the same after a save, and that an SVG is
// played at the size it is shown at.

#include "model/document.h"
#include "model/document_file.h"
#include "model/item_list.h"
#include "picture_fixtures.h"
#include "pictures/insert_picture.h"
#include "pictures/picture_open_filter.h"
#include "pictures/picture_services.h"
#include "pictures/picture_session.h"
#include "pictures/svg_picture.h"
#include "platform/canvas.h"
#include "render/picture_render.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace vlm {
namespace {

using test::Bytes;
using test::Gradient;
using test::QtBytes;

Bytes Text(const std::string& s)
{
    return {s.begin(), s.end()};
}

// A 20 x 10 picture: its left half opaque red, its right half fully
// transparent, one half-transparent blue pixel at (1, 1).
QImage WithAlpha()
{
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 0, 10, 10, QColor(255, 0, 0));
    p.end();
    image.setPixel(1, 1, qRgba(0, 0, 255, 128));
    return image;
}

Bytes Written(const QImage& image, const char* format, int quality = -1)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return {data.begin(), data.end()};
}

// A black square on white, 10 to 30 of a 40 x 40 picture, behind a document
// type that declares no entities.
const char* const kSquareSvg =
    R"~(<?xml version="1.0"?><!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 1.1//EN" )~"
    R"~("http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd">)~"
    R"~(<svg xmlns="http://www.w3.org/2000/svg" width="40px" height="40px" viewBox="0 0 40 40">)~"
    R"~(<rect x="10" y="10" width="20" height="20" fill="#000"/></svg>)~";

TEST(PictureFormats, NewExtensionsAndWhatTheRecordKeeps)
{
    EXPECT_EQ(PictureFormatForName(u"logo.PNG"), PictureFormatPng);
    EXPECT_EQ(PictureFormatForName(u"logo.svg"), PictureFormatSvg);
    EXPECT_EQ(PictureFormatForName(u"photo.webp"), PictureFormatWebp);
    EXPECT_EQ(PictureFormatForName(u"scan.tif"), PictureFormatTiff);
    EXPECT_EQ(PictureFormatForName(u"scan.TIFF"), PictureFormatTiff);
    EXPECT_EQ(PictureFormatForName(u"drawing.svgz"), PictureFormatNone);
    // The codes a Picture record gets: 1..5 as they were, 6 PNG, 7 SVG.
    for (const auto& [file, stored] : {std::pair{PictureFormatJpeg, 4}, std::pair{PictureFormatMetafile, 5},
                                       std::pair{PictureFormatPng, 6}, std::pair{PictureFormatSvg, 7},
                                       std::pair{PictureFormatWebp, 6}, std::pair{PictureFormatTiff, 6}})
        EXPECT_EQ(storedPictureFormat(file), stored) << file;
    EXPECT_STREQ(PictureFormatName(6), "PNG");
    EXPECT_STREQ(PictureFormatName(7), "SVG");
}

TEST(pictureOpenFilter, AllPicturesFirstAndOldChoicesKeepTheirFormat)
{
    const QStringList parts = QString::fromUtf16(pictureOpenFilter()).split(QLatin1Char('|'));
    ASSERT_EQ(parts.size() % 2, 0);
    const auto patternAt = [&](int position) { return parts.value((position - 1) * 2 + 1); };
    EXPECT_TRUE(parts[0].startsWith(QStringLiteral("All pictures")));
    for (const char* ext : {"jpg", "jpeg", "png", "gif", "bmp", "ico", "webp", "tif", "tiff", "svg", "emf", "wmf"})
        EXPECT_TRUE(patternAt(1).split(QLatin1Char(';')).contains(QStringLiteral("*.") + QLatin1String(ext))) << ext;
    // What each value meant before the newer formats still selects that format.
    const char* const before[] = {"*.jpg;*.jpeg", "*.gif", "*.bmp", "*.ico", "*.emf", "*.wmf", "*.vlmr"};
    for (int value = 1; value <= 7; ++value)
        EXPECT_EQ(patternAt(pictureFilterPosition(value)), QLatin1String(before[value - 1])) << value;
    // A chosen file is remembered by its extension, and selects its entry next time.
    for (const char16_t* name : {u"a.JPG", u"b.png", u"c.webp", u"d.tif", u"e.svg", u"f.wmf"}) {
        const int value = pictureFilterValueFor(name);
        const QString ext = QString::fromUtf16(name).section(QLatin1Char('.'), -1).toLower();
        EXPECT_TRUE(patternAt(pictureFilterPosition(value)).contains(QStringLiteral("*.") + ext))
            << QString::fromUtf16(name).toStdString();
    }
    EXPECT_EQ(pictureFilterValueFor(u"notes.txt"), 0);
    EXPECT_EQ(pictureFilterPosition(kPictureFilterAll), 1);
    EXPECT_EQ(pictureFilterPosition(0), 1);
}

TEST(ImageReaderFormats, TransparentPixelsShowWhite)
{
    const Bytes png = Written(WithAlpha(), "png");
    const Bitmap b = DecodePicture(png, PictureFormatPng).bitmap;
    ASSERT_EQ(b.width(), 20);
    EXPECT_EQ(b.pixel(5, 5), RGBRef(255, 0, 0));
    EXPECT_EQ(b.pixel(15, 5), RGBRef(255, 255, 255));
    // Half of blue over white.
    EXPECT_NEAR(BlueOf(b.pixel(1, 1)), 255, 1);
    EXPECT_NEAR(RedOf(b.pixel(1, 1)), 127, 2);
    // A PNG is stored as it came.
    EXPECT_EQ(StoredPictureBytes(png, PictureFormatPng), png);
}

TEST(ImageReaderFormats, WebpAndTiffAreKeptAsLosslessPng)
{
    const QImage source = WithAlpha();
    const Bytes webp = Written(source, "webp", 100); // 100: the lossless kind
    const Bytes tiff = Written(source, "tiff");
    for (const auto& [bytes, format] : {std::pair{webp, PictureFormatWebp}, std::pair{tiff, PictureFormatTiff}}) {
        const Bytes stored = StoredPictureBytes(bytes, format);
        ASSERT_GT(stored.size(), 8u) << format;
        EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 4), (Bytes{0x89, 'P', 'N', 'G'})) << format;
        QImage back;
        ASSERT_TRUE(back.loadFromData(stored.data(), static_cast<int>(stored.size()), "png"));
        EXPECT_TRUE(back.hasAlphaChannel()) << format;
        for (const QPoint at : {QPoint(5, 5), QPoint(15, 5), QPoint(1, 1)})
            EXPECT_EQ(back.pixel(at), source.pixel(at)) << format << " at " << at.x();
        EXPECT_EQ(DecodePicture(bytes, format).bitmap.pixel(15, 5), RGBRef(255, 255, 255));
    }
}

TEST(DamagedPictures, NewFormatsRefuseWhatTheyCannotRead)
{
    const Bytes png = Written(Gradient(30, 20).image(), "png");
    // Another format behind a PNG name, a cut-off PNG, bytes that are no
    // WebP or TIFF at all.
    EXPECT_TRUE(DecodePicture(EncodeJpeg(Gradient(30, 20)), PictureFormatPng).bitmap.isNull());
    EXPECT_TRUE(DecodePicture(Bytes(png.begin(), png.begin() + png.size() / 2), PictureFormatPng).bitmap.isNull());
    EXPECT_TRUE(StoredPictureBytes(Bytes(png.begin(), png.begin() + 40), PictureFormatPng).empty());
    for (const int format : {PictureFormatWebp, PictureFormatTiff}) {
        EXPECT_TRUE(DecodePicture(png, format).bitmap.isNull()) << format;
        EXPECT_TRUE(StoredPictureBytes(Text("RIFF....WEBPVP8 garbage"), format).empty()) << format;
    }

    // A PNG header claiming 100,000 x 100,000 pixels: refused for its size
    // before anything is allocated.
    Bytes huge = png;
    const std::uint8_t side[4] = {0x00, 0x01, 0x86, 0xA0};
    std::copy(side, side + 4, huge.begin() + 16);
    std::copy(side, side + 4, huge.begin() + 20);
    // The header chunk's checksum (CRC-32 of its type and data) made right.
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 12; i < 29; ++i) {
        crc ^= huge[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    const DecodedPicture d = DecodePicture(huge, PictureFormatPng);
    EXPECT_TRUE(d.bitmap.isNull());
    EXPECT_TRUE(d.tooLarge);
}

TEST(SvgPictures, NaturalSizeFromWidthHeightOrViewBoxAt96PerInch)
{
    const auto size = [](const std::string& root) {
        const SvgFacts f = inspectSvg(Text(R"~(<svg xmlns="http://www.w3.org/2000/svg" )~" + root + "></svg>"));
        return f.usable ? f.size : QSizeF();
    };
    EXPECT_EQ(size(R"~(width="200" height="100")~"), QSizeF(200, 100));
    EXPECT_EQ(size(R"~(width="2in" height="1in")~"), QSizeF(192, 96));
    EXPECT_EQ(size(R"~(width="25.4mm" height="72pt")~"), QSizeF(96, 96));
    EXPECT_EQ(size(R"~(viewBox="0 0 300 150")~"), QSizeF(300, 150));
    EXPECT_EQ(size(R"~(width="100%" height="100%" viewBox="0,0,64,32")~"), QSizeF(64, 32));
    EXPECT_EQ(size(R"~(width="120" viewBox="0 0 60 30")~"), QSizeF(120, 60));
    EXPECT_FALSE(inspectSvg(Text("<html><body/></html>")).usable);
    EXPECT_TRUE(inspectSvg(Text(kSquareSvg)).usable) << "a document type without entities is fine";
}

TEST(SvgPictures, FilesThatReachOutOrGrowAreRefused)
{
    const std::string open = R"~(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="10" height="10">)~";
    const std::string cases[] = {
        open + R"~(<image xlink:href="file:///etc/passwd" width="10" height="10"/></svg>)~",
        open + R"~(<image href="secret.png" width="10" height="10"/></svg>)~",
        open + R"~(<use href="other.svg#part"/></svg>)~",
        open + R"~(<rect width="5" height="5" style="fill:url(http://example.com/p.svg#g)"/></svg>)~",
        open + R"~(<style>@import url(theme.css);</style></svg>)~",
        R"~(<?xml-stylesheet href="look.css"?>)~" + open + "</svg>",
        // Billion laughs: entities that expand to 10^9 copies.
        R"~(<?xml version="1.0"?><!DOCTYPE svg [<!ENTITY a "lol"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">)~"
        R"~(<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">]>)~" +
            open + "<text>&d;</text></svg>",
        R"~(<!DOCTYPE svg [<!ENTITY ext SYSTEM "file:///etc/hostname">]>)~" + open + "<text>&ext;</text></svg>",
    };
    for (const std::string& svg : cases) {
        EXPECT_FALSE(inspectSvg(Text(svg)).usable) << svg;
        EXPECT_TRUE(DecodePicture(Text(svg), PictureFormatSvg).bitmap.isNull()) << svg;
    }
    // Fragments and embedded data stay inside the file.
    const std::string inside = open + R"~(<defs><linearGradient id="g"/></defs>)~" +
                               R"~(<rect width="5" height="5" fill="url(#g)"/><use href="#g"/>)~" +
                               R"~(<image href="data:image/png;base64,AAAA" width="1" height="1"/></svg>)~";
    EXPECT_TRUE(inspectSvg(Text(inside)).usable);
    // A compressed file is not inflated.
    EXPECT_TRUE(DecodePicture(Bytes{0x1f, 0x8b, 8, 0, 0, 0, 0, 0}, PictureFormatSvg).bitmap.isNull());

    // 10^9 x 10^9 pixels: "too large", not an attempt.
    const DecodedPicture huge = DecodePicture(
        Text(R"~(<svg xmlns="http://www.w3.org/2000/svg" width="1000000000" height="1000000000"/>)~"),
        PictureFormatSvg, 1, 16);
    EXPECT_TRUE(huge.bitmap.isNull());
    EXPECT_TRUE(huge.tooLarge);
}

TEST(SvgPictures, PlayedLargerStaysSharpWithinItsLimit)
{
    const Bytes svg = Text(kSquareSvg);
    const DecodedPicture one = DecodePicture(svg, PictureFormatSvg, 1, 1);
    ASSERT_EQ(one.bitmap.width(), 40);
    EXPECT_EQ(one.bitmap.pixel(20, 20), RGBRef(0, 0, 0));
    EXPECT_EQ(one.bitmap.pixel(9, 20), RGBRef(255, 255, 255));
    const DecodedPicture three = DecodePicture(svg, PictureFormatSvg, 1, 3);
    ASSERT_EQ(three.enlargement, 3);
    ASSERT_EQ(three.bitmap.width(), 120);
    // The edge of the square is one step from white to black, not a ramp.
    EXPECT_EQ(three.bitmap.pixel(29, 60), RGBRef(255, 255, 255));
    EXPECT_EQ(three.bitmap.pixel(30, 60), RGBRef(0, 0, 0));

    // A 4000 x 4000 picture is played at most onto kMaxPlayedPixels.
    const DecodedPicture big = DecodePicture(
        Text(R"~(<svg xmlns="http://www.w3.org/2000/svg" width="4000" height="4000"/>)~"), PictureFormatSvg, 1, 16);
    ASSERT_FALSE(big.bitmap.isNull());
    EXPECT_LE(std::int64_t{big.bitmap.width()} * big.bitmap.height(), kMaxPlayedPixels);
    EXPECT_EQ(big.bitmap.width(), 4000 * big.enlargement);
}

// A Clip showing the whole picture at `zoom`, drawn as the view draws it.
Bitmap DrawWhole(ItemList& list, int pictureId, QSize natural, double zoom)
{
    Item* clip = nullptr;
    for (Item& it : list)
        if (it.rec.d.kind == KindClip && it.rec.d.pictureId == pictureId)
            clip = &it;
    EXPECT_NE(clip, nullptr);
    if (!clip)
        return {};
    DrawContext ctx;
    ctx.items = &list;
    ctx.zoom = zoom;
    const int w = static_cast<int>((natural.width() + 40) * zoom), h = static_cast<int>((natural.height() + 40) * zoom);
    Bitmap out(w, h, RGBRef(0, 128, 0));
    Canvas canvas(out);
    clip->cache.reset();
    RenderPicture(canvas, ctx, *clip, PictureServicesInstance());
    return out;
}

TEST(SvgPictures, AClipIsSharpAtOneAndThreeTimes)
{
    ItemList list;
    Item& picture = NewItem(list, KindPicture);
    picture.rec.d.pictureId = 5;
    picture.rec.d.clipShape = PictureFormatSvg;
    picture.pictureData = Text(kSquareSvg);
    Item& clip = NewItem(list, KindClip);
    DrawingFields& d = clip.rec.d;
    d.pictureId = 5;
    d.x1 = d.left = 0, d.y1 = d.top = 0, d.x2 = d.right = 40, d.y2 = d.bottom = 40;
    d.sourceRect[2] = 40, d.sourceRect[3] = 40;
    for (const int z : {1, 3}) {
        const Bitmap b = DrawWhole(list, 5, QSize(40, 40), z);
        // Inside the square black, outside white, and no more than one
        // in-between pixel where the edge runs (a blown-up 40-pixel picture
        // would ramp over about z pixels).
        EXPECT_EQ(b.pixel(20 * z, 20 * z), RGBRef(0, 0, 0)) << z;
        EXPECT_EQ(b.pixel(5 * z, 20 * z), RGBRef(255, 255, 255)) << z;
        int between = 0;
        for (int x = 5 * z; x < 15 * z; ++x) {
            const int r = RedOf(b.pixel(x, 20 * z));
            between += r > 16 && r < 240;
        }
        EXPECT_LE(between, 1) << "zoom " << z;
    }
}

struct Quiet final : FilePrompts
{
    bool askOpenInvalidFile() override { return false; }
    void warnNewerVersion() override {}
    void reportReadError(const std::string&) override {}
};

TEST(ModernFormats, EachRoundTripsThroughASavedDocument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage source = [] {
        QImage image = Gradient(48, 32).image().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        return image;
    }();
    const struct
    {
        PictureFormat format;
        Bytes bytes;
        int stored;
    } cases[] = {
        {PictureFormatPng, Written(source, "png"), PictureFormatPng},
        {PictureFormatWebp, Written(source, "webp", 100), PictureFormatPng},
        {PictureFormatTiff, Written(source, "tiff"), PictureFormatPng},
        {PictureFormatSvg, Text(kSquareSvg), PictureFormatSvg},
    };
    for (const auto& c : cases) {
        Document doc;
        OpenDocumentList open;
        open.add(&doc);
        InitDocument(doc, DocumentDefaults{}, open);
        HistoryCursor cursor;
        PictureSession s;
        s.fileName = u"/pictures/logo";
        ASSERT_TRUE(s.load(c.bytes, c.format, QSize(600, 400))) << c.format;
        const InsertedPicture r = insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor);
        ASSERT_TRUE(r.inserted) << c.format;
        const Item* picture = PictureById(doc.items, r.pictureId);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(+picture->rec.d.clipShape, c.stored) << c.format;
        const QSize natural(picture->rec.d.width, picture->rec.d.height);
        const Bitmap before = DrawWhole(doc.items, r.pictureId, natural, 1.0);
        if (c.format != PictureFormatSvg) {
            EXPECT_EQ(before.pixel(22, 22), RGBRef(255, 255, 255)) << "transparent shows white " << c.format;
            EXPECT_NE(before.pixel(40, 40), RGBRef(255, 255, 255)) << c.format;
        }

        const std::string file = (dir.path() + QStringLiteral("/round.vlmr")).toStdString();
        ASSERT_TRUE(WriteDocument(file, doc.items)) << c.format;
        ItemList back(doc.items.metrics());
        Quiet quiet;
        ASSERT_TRUE(ReadDocument(file, back, quiet)) << c.format;
        const Item* again = PictureById(back, r.pictureId);
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(again->pictureData, picture->pictureData);
        const Bitmap after = DrawWhole(back, r.pictureId, natural, 1.0);
        EXPECT_EQ(after.image(), before.image()) << c.format;
    }
}

} // namespace
} // namespace vlm
