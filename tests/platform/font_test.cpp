#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/screen.h"
#include "test_pixels.h"

#include <QFontDatabase>

#include <set>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;

FontRequest Arial(int points)
{
    FontRequest s;
    s.faceName = QStringLiteral("Arial");
    s.sizePoints = points;
    return s;
}

TEST(Font, ArialResolvesToLiberationSansWithItsMetrics)
{
    const std::optional<Font> f = Font::make(Arial(12), 96);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(f->pixelSize(), 16);
    EXPECT_EQ(f->ascent(), 14);
    EXPECT_EQ(f->descent(), 3);
    EXPECT_EQ(f->externalLeading(), 1);
    EXPECT_EQ(f->averageCharWidth(), 9);
    EXPECT_EQ(f->overhang(), 0);
}

TEST(Font, OtherDocumentFacesResolveToTheirMetricTwins)
{
    struct Case
    {
        const char* face;
        const char* family;
    };
    for (const Case& k :
         {Case{"Times New Roman", "Liberation Serif"}, Case{"Courier New", "Liberation Mono"}}) {
        FontRequest s = Arial(12);
        s.faceName = QString::fromLatin1(k.face);
        const std::optional<Font> f = Font::make(s, 96);
        ASSERT_TRUE(f.has_value()) << k.face;
        EXPECT_EQ(f->family(), QString::fromLatin1(k.family));
    }
}

TEST(Font, SizeFollowsPointsAndResolution)
{
    struct Case
    {
        int points;
        int dpi;
        int pixels;
    };
    const Case cases[] = {{12, 96, 16},  {6, 96, 8},   {7, 96, 9}, {11, 96, 15},
                          {12, 120, 20}, {3, 300, 13}, {1, 96, 1}};
    for (const Case& k : cases) {
        const std::optional<Font> f = Font::make(Arial(k.points), k.dpi);
        ASSERT_TRUE(f.has_value()) << k.points << "pt at " << k.dpi;
        EXPECT_EQ(f->pixelSize(), k.pixels) << k.points << "pt at " << k.dpi;
    }
}

TEST(Font, SizesThatMakeNoFontAreReportedNotDrawn)
{
    struct Case
    {
        int points;
        int dpi;
    };
    for (const Case& k : {Case{0, 96}, Case{-12, 96}, Case{12, 0}, Case{2000000000, 96}, Case{13000, 96}}) {
        EXPECT_FALSE(Font::make(Arial(k.points), k.dpi).has_value()) << k.points << "pt at " << k.dpi;
    }
    EXPECT_TRUE(Font::make(Arial(12000), 96).has_value());
}

TEST(Font, WeightAndStyleChangeWidthsButNotTheCell)
{
    const QString text = QStringLiteral("Wide load");
    FontRequest bold = Arial(12);
    bold.weight = 700;
    FontRequest dontCare = Arial(12);
    dontCare.weight = 0;
    FontRequest decorated = Arial(12);
    decorated.underline = decorated.strikeout = true;

    const Font normal = *Font::make(Arial(12), 96);
    EXPECT_GT(Font::make(bold, 96)->textWidth(text), normal.textWidth(text));
    EXPECT_EQ(Font::make(dontCare, 96)->textWidth(text), normal.textWidth(text));
    EXPECT_EQ(Font::make(decorated, 96)->textWidth(text), normal.textWidth(text));
    EXPECT_EQ(Font::make(bold, 96)->ascent(), normal.ascent());
    EXPECT_EQ(normal.textWidth(QString()), 0);
    // Widths are plain sums of advances: no kerning between "A" and "V".
    EXPECT_EQ(normal.textWidth(QStringLiteral("AV")),
              normal.textWidth(QStringLiteral("A")) + normal.textWidth(QStringLiteral("V")));
}

// Widths are remembered per font: asked again, from a copy, from the cache,
// and after so many texts that the memory started over, they are still the
// widths the metrics give, and two fonts never answer for each other.
TEST(Font, RememberedWidthsStayTheMeasuredOnes)
{
    FontCache cache;
    FontRequest bold = Arial(15);
    bold.weight = 700;
    const Font plain = *cache.get(Arial(15), 96);
    const Font heavy = *cache.get(bold, 96);
    const Font copy = plain;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 5000; i += 7) {
            const QString text = QStringLiteral("Label %1 W").arg(i);
            const int expected = QFontMetrics(plain.qfont()).horizontalAdvance(text);
            ASSERT_EQ(plain.textWidth(text), expected) << i;
            ASSERT_EQ(copy.textWidth(text), expected) << i;
            ASSERT_EQ(cache.get(Arial(15), 96)->textWidth(text), expected) << i;
            ASSERT_EQ(heavy.textWidth(text), QFontMetrics(heavy.qfont()).horizontalAdvance(text)) << i;
        }
}

TEST(Font, UnknownFaceStillMakesAFont)
{
    FontRequest s = Arial(12);
    s.faceName = QStringLiteral("No Such Face 12345");
    const std::optional<Font> f = Font::make(s, 96);
    ASSERT_TRUE(f.has_value());
    EXPECT_FALSE(f->family().isEmpty());
    EXPECT_GT(f->ascent(), 0);
}

TEST(Font, CharsetPicksAFaceThatCoversItsScript)
{
    FontRequest s = Arial(12);
    s.charset = 204; // Cyrillic: Liberation Sans covers it and stays
    EXPECT_EQ(Font::make(s, 96)->family(), QStringLiteral("Liberation Sans"));
    s.charset = 1; // "default": no preference
    EXPECT_EQ(Font::make(s, 96)->family(), QStringLiteral("Liberation Sans"));
    s.charset = 178; // Arabic, which Liberation Sans lacks: another face that has it
    const std::optional<Font> arabic = Font::make(s, 96);
    ASSERT_TRUE(arabic.has_value());
    EXPECT_NE(arabic->family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(QFontDatabase::writingSystems(arabic->family()).contains(QFontDatabase::Arabic));
    s.charset = 128; // Japanese: no installed face has it, the requested one stays
    EXPECT_TRUE(Font::make(s, 96).has_value());
}

TEST(Font, TextIsDrawnBelowAndRightOfItsReferenceOrRotatedAboutIt)
{
    const QString text = QStringLiteral("HHHH");
    FontRequest s = Arial(12);
    const Font flat = *Font::make(s, 96);
    const int w = flat.textWidth(text);

    Bitmap bmp(120, 120);
    {
        Canvas c(bmp);
        c.drawText(flat, QPoint(50, 50), text, RGBRef(0, 0, 0));
    }
    Extent e = InkExtent(bmp);
    // Capital H sits on the baseline (reference + ascent) and rises about
    // 0.73 em above it; the cell starts at the reference.
    EXPECT_EQ(e.bottom, 50 + flat.ascent() - 1);
    EXPECT_GE(e.top, 50);
    EXPECT_GE(e.left, 50);
    EXPECT_LE(e.right, 50 + w);
    EXPECT_GT(e.right, 50 + w - 4);

    s.escapement = 900; // upwards
    const Font up = *Font::make(s, 96);
    Bitmap rot(120, 120);
    {
        Canvas c(rot);
        c.drawText(up, QPoint(50, 100), text, RGBRef(0, 0, 0));
    }
    e = InkExtent(rot);
    EXPECT_LT(e.top, 100 - w + 4); // runs up the page
    EXPECT_LE(e.bottom, 100);
    EXPECT_GE(e.left, 50); // the cell lies to the right of the reference
    EXPECT_LE(e.right, 50 + up.ascent());
}

TEST(Font, SmoothingOnlyWhenAskedFor)
{
    auto colours = [](int quality) {
        FontRequest s = Arial(20);
        s.quality = quality;
        Bitmap bmp(80, 40);
        {
            Canvas c(bmp);
            c.drawText(*Font::make(s, 96), QPoint(2, 2), QStringLiteral("Ox"), RGBRef(0, 0, 0));
        }
        std::set<ColorRef> seen;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                seen.insert(bmp.pixel(x, y));
        return seen.size();
    };
    EXPECT_EQ(colours(2), 2u);
    EXPECT_EQ(colours(3), 2u);
    EXPECT_GT(colours(4), 2u);
}

TEST(Font, InstalledFamiliesAreSortedOnceEach)
{
    const QStringList families = InstalledFontFamilies();
    EXPECT_TRUE(families.contains(QStringLiteral("Liberation Sans")));
    EXPECT_FALSE(families.contains(QStringLiteral("Arial"))); // a substitute, not a family
    for (qsizetype i = 1; i < families.size(); ++i)
        EXPECT_LT(families[i - 1].compare(families[i], Qt::CaseInsensitive), 0) << families[i].toStdString();
}

TEST(FontCache, AnswersWhatMakeAnswersOncePerRequestAndResolution)
{
    FontCache cache;
    FontRequest bold = Arial(12);
    bold.weight = 700;
    FontRequest turned = Arial(12);
    turned.escapement = 450;
    const QString text = QStringLiteral("Wide load");
    for (int round = 0; round < 3; ++round) {
        for (const FontRequest& r : {Arial(12), bold, turned, Arial(0)}) {
            for (int dpi : {96, 120}) {
                const std::optional<Font> cached = cache.get(r, dpi);
                const std::optional<Font> made = Font::make(r, dpi);
                ASSERT_EQ(cached.has_value(), made.has_value());
                if (!made)
                    continue;
                EXPECT_EQ(cached->pixelSize(), made->pixelSize());
                EXPECT_EQ(cached->ascent(), made->ascent());
                EXPECT_EQ(cached->escapement(), made->escapement());
                EXPECT_EQ(cached->textWidth(text), made->textWidth(text));
                EXPECT_EQ(cached->qfont(), made->qfont());
            }
        }
        EXPECT_EQ(cache.size(), 8u); // fonts that cannot be made are remembered too
    }
}

TEST(FontCache, StartsOverWhenFull)
{
    FontCache cache;
    for (int points = 1; points <= static_cast<int>(FontCache::kMaxFonts) + 10; ++points)
        ASSERT_TRUE(cache.get(Arial(points), 96).has_value()) << points;
    EXPECT_LE(cache.size(), FontCache::kMaxFonts);
    EXPECT_EQ(cache.get(Arial(3), 96)->pixelSize(), 4);
}

TEST(FontCache, ForgetsItsFontsWhenFontsAreInstalledOrRemoved)
{
    FontCache cache;
    ASSERT_TRUE(cache.get(Arial(12), 96).has_value());
    ASSERT_TRUE(cache.get(Arial(14), 96).has_value());
    const std::uint64_t before = FontListGeneration();
    const int id =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    ASSERT_NE(id, -1);
    const std::uint64_t added = FontListGeneration();
    EXPECT_NE(added, before);
    ASSERT_TRUE(cache.get(Arial(12), 96).has_value());
    EXPECT_EQ(cache.size(), 1u); // the earlier fonts were dropped
    QFontDatabase::removeApplicationFont(id);
    EXPECT_NE(FontListGeneration(), added);
    EXPECT_EQ(cache.get(Arial(12), 96)->family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(cache.size(), 1u);
}

TEST(Screen, OffscreenReportsNinetySixDpi)
{
    EXPECT_EQ(Screen::logicalDpiX(), 96.0);
    EXPECT_EQ(Screen::logicalDpiY(), 96.0);
}

} // namespace
} // namespace vlm
