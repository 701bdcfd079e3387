#include <gtest/gtest.h>

#include "model/document.h"
#include "model/document_file.h"
#include "model/geometry.h"
#include "model/rounding.h"
#include "platform/bitmap.h"
#include "render/resample.h"
#include "render/splines.h"

#include <QBuffer>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>

namespace vlm {
namespace {

constexpr ColorRef kRed = RGBRef(255, 0, 0);
constexpr ColorRef kBlue = RGBRef(0, 0, 255);
constexpr ColorRef kGreen = RGBRef(0, 128, 0);
constexpr ColorRef kWhite = RGBRef(255, 255, 255);

class Folder {
public:
    Folder()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vlm-cli-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~Folder()
    {
        if (!std::getenv("VLM_KEEP_RENDERS")) {
            std::error_code ec;
            std::filesystem::remove_all(path_, ec);
        }
    }
    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

int RunCli(const QStringList& args, QString* output = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(VLM_CLI_PATH), args);
    if (!p.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Builds a document the way the program would store it.
class SampleBuilder {
public:
    SampleBuilder()
    {
        OpenDocumentList none;
        InitDocument(doc, DocumentDefaults{}, none); // 8.5 x 11 inches: 816 x 1056 pixels
    }

    Item& shape(std::int32_t kind, std::initializer_list<QPoint> pts, std::int32_t fill, ColorRef line,
                double weight = 0.0)
    {
        Item& it = add(kind);
        it.rec.d.fillColor = fill;
        it.rec.d.lineColor = line;
        SetWeight(it, weight, doc.items.metrics());
        it.rec.d.shapeVariant = 2;
        for (QPoint p : pts) {
            Vertex v;
            v.x = p.x();
            v.y = p.y();
            it.vertices.push_back(v);
        }
        SmoothCurve(it);
        return it;
    }

    Item& line(QPoint a, QPoint b, double weight, std::int32_t pattern, ColorRef colour)
    {
        Item& it = add(KindLine);
        setPoints(it, a, b);
        it.rec.d.angle = Direction(a.x(), a.y(), b.x(), b.y());
        it.rec.d.lineColor = colour;
        it.rec.d.pattern = pattern;
        SetWeight(it, weight, doc.items.metrics());
        return it;
    }

    Item& text(std::u16string_view s, QPoint a, QPoint b, int justification, std::int32_t angle)
    {
        Item& it = add(KindText);
        setPoints(it, a, b);
        SetText(it, s);
        it.rec.d.justification = static_cast<std::uint8_t>(justification);
        it.rec.d.textAngle = angle;
        it.rec.d.textColor = kBlue;
        it.rec.d.fontSize = 14;
        return it;
    }

    // A Picture record holding `picture` as a BMP file, and a whole-picture
    // Clip of it in the box.
    Item& clip(std::int32_t pictureId, const Bitmap& picture, QPoint a, QPoint b)
    {
        if (!PictureById(doc.items, pictureId)) {
            Item& p = NewItem(doc.items, KindPicture);
            p.rec.d.pictureId = pictureId;
            p.rec.d.clipShape = 2;
            QByteArray data;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            picture.image().save(&buffer, "BMP");
            p.pictureData.assign(data.begin(), data.end());
            SetText(p, u"C:\\pictures\\sample.bmp");
        }
        Item& it = add(KindClip);
        setPoints(it, a, b);
        RecomputeFromReals(it, doc.items.metrics());
        it.rec.d.pictureId = pictureId;
        it.rec.d.sourceRect[2] = picture.width();
        it.rec.d.sourceRect[3] = picture.height();
        return it;
    }

    Document doc;

private:
    Item& add(std::int32_t kind)
    {
        Item& it = NewItem(doc.items, kind);
        SetStackOrder(doc.items, it, ++order_);
        return it;
    }
    void setPoints(Item& it, QPoint a, QPoint b)
    {
        it.rec.d.x1 = a.x();
        it.rec.d.y1 = a.y();
        it.rec.d.x2 = b.x();
        it.rec.d.y2 = b.y();
        RealsFromIntegers(it, doc.items.metrics());
    }
    std::int32_t order_ = 0;
};

// One of every kind, in rows.
void BuildEveryKind(SampleBuilder& b)
{
    b.line({40, 40}, {300, 40}, 2.0, 2, kBlue);   // dashed band
    b.line({40, 70}, {300, 120}, 0.0, 0, 0);       // thin diagonal
    b.line({330, 40}, {500, 120}, 3.0, 0, kGreen); // wide band
    b.shape(KindTriangle, {{540, 120}, {640, 120}, {590, 40}}, kRed, 0, 1.0);
    b.shape(KindSquare, {{680, 40}, {760, 40}, {760, 120}, {680, 120}}, -2, kGreen);

    b.shape(KindRectangle, {{50, 160}, {200, 160}, {200, 240}, {50, 240}}, kBlue, kRed, 1.0);
    b.shape(KindCircle, {{290, 200}, {290, 160}}, -1, kBlue, 0.5);
    b.shape(KindEllipse, {{440, 200}, {510, 170}, {420, 180}}, RGBRef(255, 255, 0), 0, 0.5);
    b.shape(KindPolygon, {{640, 200}, {690, 200}}, RGBRef(0, 255, 255), kBlue, 0.5).rec.d.sides = 6;

    b.shape(KindStar, {{100, 340}, {100, 280}, {120, 340}}, kRed, kRed).rec.d.sides = 5;
    b.shape(KindPie, {{260, 330}, {310, 330}, {260, 380}}, kGreen, 0, 0.5);
    b.shape(KindArc, {{420, 330}, {470, 330}, {420, 280}}, -2, kRed, 1.0);
    b.shape(KindSpline, {{540, 290}, {600, 370}, {650, 290}, {760, 370}}, -1, 0, 0.5).rec.d.shapeVariant = 0;

    Item& closed = b.shape(KindSpline, {{50, 420}, {150, 420}, {100, 500}}, -1, kBlue, 0.5);
    closed.rec.d.shapeVariant = 1;
    b.shape(KindSpline, {{200, 420}, {300, 420}, {250, 500}}, kRed, 0, 0.0);
    Item& open = b.shape(KindCurve, {{340, 500}, {380, 420}, {440, 480}, {500, 420}}, -1, kGreen, 1.0);
    open.rec.d.shapeVariant = 0;
    SmoothCurve(open);
    Item& loop = b.shape(KindCurve, {{560, 420}, {640, 480}, {560, 520}}, -1, kBlue, 0.5);
    loop.rec.d.shapeVariant = 1;
    SmoothCurve(loop);
    b.shape(KindCurve, {{680, 420}, {780, 440}, {760, 520}, {690, 500}}, RGBRef(255, 200, 0), kRed, 0.5);

    b.text(u"Left justified\u07ECsecond line", {50, 620}, {300, 620}, 1, 0);
    b.text(u"Centred\u07ECtext", {50, 700}, {300, 700}, 2, 0);
    b.text(u"Right\u07ECjustified", {50, 780}, {300, 780}, 3, 0);
    b.text(u"Upwards\u07ECtwo lines", {420, 800}, {420, 600}, 1, 900);
    b.text(u"Turned 45 degrees", {520, 800}, {720, 600}, 1, 450);
}

struct Rendered {
    int exitCode = -1;
    QImage image;
};

Rendered Render(const Folder& folder, Document& doc, const QStringList& options)
{
    Rendered r;
    const std::string in = folder.file("sample.vlmr");
    const std::string out = folder.file("sample.png");
    std::filesystem::remove(out);
    if (!WriteDocument(in, doc.items))
        return r;
    QStringList args = options;
    args << QStringLiteral("render") << QString::fromStdString(in) << QString::fromStdString(out);
    r.exitCode = RunCli(args);
    r.image = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    return r;
}

ColorRef PixelAt(const QImage& image, int x, int y)
{
    return Bitmap::fromArgb(image.pixel(x, y));
}

TEST(CliRender, PaintsEveryKindOnTheZoomedPage)
{
    Folder folder;
    SampleBuilder b;
    BuildEveryKind(b);
    struct Case {
        const char* zoom;
        double factor;
        int width, height;
    };
    const Case cases[] = {{"1", 1.0, 816, 1056}, {"0.5", 0.5, 408, 528}, {"2", 2.0, 1632, 2112}};
    for (const Case& c : cases) {
        const Rendered r = Render(folder, b.doc, {QStringLiteral("--zoom"), QString::fromLatin1(c.zoom)});
        ASSERT_EQ(r.exitCode, 0) << c.zoom;
        ASSERT_EQ(r.image.width(), c.width) << c.zoom;
        ASSERT_EQ(r.image.height(), c.height) << c.zoom;
        auto at = [&](int x, int y) { return PixelAt(r.image, Round(x * c.factor), Round(y * c.factor)); };
        EXPECT_EQ(at(125, 200), kBlue) << c.zoom;  // the rectangle's fill
        EXPECT_EQ(at(50, 200), kRed) << c.zoom;    // its outline
        EXPECT_EQ(at(290, 200), kWhite) << c.zoom; // the hollow circle's centre
        EXPECT_EQ(at(640, 200), RGBRef(0, 255, 255)) << c.zoom;
        EXPECT_EQ(at(275, 345), kWhite) << c.zoom; // the pie leaves out its lower right quarter
        EXPECT_EQ(at(250, 320), kGreen) << c.zoom;
        EXPECT_EQ(at(810, 1050), kWhite) << c.zoom;
    }
}

TEST(CliRender, StackingOrderAndHiddenVersions)
{
    Folder folder;
    SampleBuilder b;
    Item& under = b.shape(KindSquare, {{100, 100}, {200, 100}, {200, 200}, {100, 200}}, -2, kRed);
    Item& over = b.shape(KindSquare, {{150, 150}, {250, 150}, {250, 250}, {150, 250}}, -2, kBlue);
    // Appended first, but stacked on top.
    SetStackOrder(b.doc.items, under, 2);
    SetStackOrder(b.doc.items, over, 1);
    // An undone version stays in the file, hidden.
    Item& gone = b.shape(KindSquare, {{400, 400}, {500, 400}, {500, 500}, {400, 500}}, -2, kGreen);
    gone.rec.d.hidden = 1;
    const Rendered r = Render(folder, b.doc, {});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(PixelAt(r.image, 175, 175), kRed);
    EXPECT_EQ(PixelAt(r.image, 225, 225), kBlue);
    EXPECT_EQ(PixelAt(r.image, 450, 450), kWhite);
}

TEST(CliRender, ClipsOfABitmapPixelForPixel)
{
    Folder folder;
    SampleBuilder b;
    Bitmap picture(20, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture.setPixel(x, y, RGBRef(x * 12, y * 25, 200 - x * 5));
    b.clip(5, picture, {100, 100}, {140, 120});
    b.clip(5, picture, {200, 100}, {240, 120}).rec.d.scaleX = -1.0;
    const Rendered r = Render(folder, b.doc, {});
    ASSERT_EQ(r.exitCode, 0);
    const Bitmap expected = resample(picture, 40, 20, 6);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(PixelAt(r.image, 100 + x, 100 + y), expected.pixel(x, y)) << x << ',' << y;
            ASSERT_EQ(PixelAt(r.image, 239 - x, 100 + y), expected.pixel(x, y)) << x << ',' << y;
        }
    EXPECT_EQ(PixelAt(r.image, 99, 100), kWhite);
    EXPECT_EQ(PixelAt(r.image, 140, 100), kWhite);

    // info names the picture and the clips that show it.
    QString out;
    ASSERT_EQ(RunCli({QStringLiteral("info"), QString::fromStdString(folder.file("sample.vlmr"))}, &out), 0);
    QString line;
    for (const QString& l : out.split(QLatin1Char('\n')))
        if (l.startsWith(QStringLiteral("picture 5: BMP 20 x 10")))
            line = l;
    EXPECT_TRUE(line.contains(QStringLiteral("\"C:\\pictures\\sample.bmp\""))) << out.toStdString();
    EXPECT_EQ(line.count(QStringLiteral("seq ")), 2) << out.toStdString();
}

// Format 6 (PNG bytes) and 7 (SVG bytes), written here byte for byte as any
// other program writing the format would.
TEST(CliRender, PngAndSvgPicturesFromOutside)
{
    Folder folder;
    SampleBuilder b;
    QImage png(20, 10, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            png.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray pngBytes;
    QBuffer buffer(&pngBytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\">"
                            "<rect x=\"10\" y=\"10\" width=\"20\" height=\"20\" fill=\"#00f\"/></svg>";
    const auto picture = [&](std::int32_t id, std::int32_t format, const std::vector<std::uint8_t>& bytes, QPoint at,
                             QSize size) {
        Item& p = NewItem(b.doc.items, KindPicture);
        p.rec.d.pictureId = id;
        p.rec.d.clipShape = format;
        p.pictureData = bytes;
        SetText(p, format == 6 ? u"logo.png" : u"logo.svg");
        Item& c = NewItem(b.doc.items, KindClip);
        SetStackOrder(b.doc.items, c, MaxStackOrder(b.doc.items) + 1);
        c.rec.d.x1 = at.x();
        c.rec.d.y1 = at.y();
        c.rec.d.x2 = at.x() + size.width();
        c.rec.d.y2 = at.y() + size.height();
        RealsFromIntegers(c, b.doc.items.metrics());
        RecomputeFromReals(c, b.doc.items.metrics());
        c.rec.d.pictureId = id;
        c.rec.d.sourceRect[2] = size.width();
        c.rec.d.sourceRect[3] = size.height();
    };
    picture(6, 6, std::vector<std::uint8_t>(pngBytes.begin(), pngBytes.end()), {100, 100}, {20, 10});
    picture(7, 7, std::vector<std::uint8_t>(svg.begin(), svg.end()), {200, 100}, {40, 40});
    for (const int zoom : {1, 3}) {
        const Rendered r = Render(folder, b.doc, {QStringLiteral("--zoom"), QString::number(zoom)});
        ASSERT_EQ(r.exitCode, 0) << zoom;
        EXPECT_EQ(PixelAt(r.image, 104 * zoom, 104 * zoom), kRed) << zoom;
        EXPECT_EQ(PixelAt(r.image, 116 * zoom, 104 * zoom), kWhite) << "transparent shows white, " << zoom;
        EXPECT_EQ(PixelAt(r.image, 220 * zoom, 120 * zoom), kBlue) << zoom;
        EXPECT_EQ(PixelAt(r.image, 205 * zoom, 120 * zoom), kWhite) << zoom;
        // Played at the size shown: at most one in-between pixel across the
        // square's left edge at either zoom.
        int between = 0;
        for (int x = 205 * zoom; x < 215 * zoom; ++x) {
            const int blue = BlueOf(PixelAt(r.image, x, 120 * zoom)), red = RedOf(PixelAt(r.image, x, 120 * zoom));
            between += blue == 255 && red > 16 && red < 240;
        }
        EXPECT_LE(between, 1) << zoom;
    }
    QString out;
    ASSERT_EQ(RunCli({QStringLiteral("info"), QString::fromStdString(folder.file("sample.vlmr"))}, &out), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("picture 6: PNG 20 x 10"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("picture 7: SVG 40 x 40"))) << out.toStdString();
}

TEST(CliRender, DrawsShadowsAndRoundSurfaces)
{
    Folder folder;
    struct Case {
        int lightness;
        ColorRef shadow;
    };
    for (const Case& c : {Case{0, RGBRef(0, 0, 0)}, Case{255, kWhite}}) {
        SampleBuilder b;
        Item& square = b.shape(KindSquare, {{100, 100}, {160, 100}, {160, 160}, {100, 160}}, -2, kRed);
        square.rec.d.shadowElevation = 85;
        square.rec.d.shadowFade = 0;
        square.rec.d.shadowLightness = static_cast<std::uint8_t>(c.lightness);
        const Rendered r = Render(folder, b.doc, {});
        ASSERT_EQ(r.exitCode, 0);
        // Ten pixels to the lower right (light 0), nothing on the other sides.
        EXPECT_EQ(PixelAt(r.image, 165, 165), c.shadow) << c.lightness;
        EXPECT_EQ(PixelAt(r.image, 170, 130), c.shadow) << c.lightness;
        EXPECT_EQ(PixelAt(r.image, 130, 170), c.shadow) << c.lightness;
        EXPECT_EQ(PixelAt(r.image, 171, 171), kWhite) << c.lightness;
        for (int k = 90; k < 180; ++k) {
            EXPECT_EQ(PixelAt(r.image, k, 99), kWhite) << c.lightness << " above " << k;
            EXPECT_EQ(PixelAt(r.image, 99, k), kWhite) << c.lightness << " left " << k;
        }
        if (c.lightness == 255) {
            for (int y = 0; y < r.image.height(); y += 3)
                for (int x = 0; x < r.image.width(); x += 3) {
                    if (x < 100 || x > 160 || y < 100 || y > 160) {
                        ASSERT_EQ(PixelAt(r.image, x, y), kWhite) << x << "," << y;
                    }
                }
        }
    }

    SampleBuilder b;
    Item& circle = b.shape(KindCircle, {{300, 300}, {300, 240}}, -2, RGBRef(0, 0, 200));
    circle.rec.d.surface = 127;
    const Rendered r = Render(folder, b.doc, {});
    ASSERT_EQ(r.exitCode, 0);
    auto brightness = [&](int x, int y) {
        const ColorRef p = PixelAt(r.image, x, y);
        return RedOf(p) + GreenOf(p) + BlueOf(p);
    };
    // The highlight a sixth of the diameter up and left of the centre.
    EXPECT_GT(brightness(280, 280), brightness(300, 300));
    EXPECT_GT(brightness(300, 300), brightness(330, 330));
    EXPECT_GT(brightness(280, 280), brightness(340, 340) + 100);
}

TEST(CliRender, Failures)
{
    Folder folder;
    SampleBuilder b;
    const std::string in = folder.file("doc.vlmr");
    ASSERT_TRUE(WriteDocument(in, b.doc.items));
    const QString doc = QString::fromStdString(in);
    const QString png = QString::fromStdString(folder.file("out.png"));
    struct Case {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{QStringLiteral("render"), QString::fromStdString(folder.file("missing.vlmr")), png}, 1},
        {{QStringLiteral("render"), doc, QString::fromStdString(folder.file("no/such/dir/out.png"))}, 1},
        {{QStringLiteral("--zoom"), QStringLiteral("0"), QStringLiteral("render"), doc, png}, 2},
        {{QStringLiteral("--zoom"), QStringLiteral("4"), QStringLiteral("render"), doc, png}, 2},
        {{QStringLiteral("--zoom=abc"), QStringLiteral("render"), doc, png}, 2},
        {{QStringLiteral("render"), doc}, 2},
        {{QStringLiteral("--zoom=0.25"), QStringLiteral("render"), doc, png}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunCli(c.args), c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString();

    // A header that asks for an absurd page is refused, not allocated.
    Header(b.doc.items)->rec.h.areaWidth = 1e9;
    ASSERT_TRUE(WriteDocument(in, b.doc.items));
    EXPECT_EQ(RunCli({QStringLiteral("render"), doc, png}), 1);
}

} // namespace
} // namespace vlm
