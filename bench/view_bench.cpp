// The document view painting a busy page: a full repaint of 2,000 mixed
// Items at 100 % and 200 %, the same with every Item given the "Medium"
// shadow (with the shadow masks of the repaint before, and without them)
// and with every closed shape given the "Round" surface, the
// partial repaint an edit of a small area costs in the same document, and
// the floor a full repaint is measured against: the same page's figures
// drawn straight with QPainter.

#include "model/document.h"
#include "model/geometry.h"
#include "model/item.h"
#include "model/item_list.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "render/document_view.h"
#include "render/raster_effects.h"
#include "render/pens.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vlm;

constexpr int kItems = 2000;
constexpr int kPageW = 1600;
constexpr int kPageH = 1200;

// The same page every run.
struct Random {
    std::mt19937 engine{20240611u};
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
};

void Box(Item& item, int l, int t, int r, int b)
{
    item.rec.d.left = l;
    item.rec.d.top = t;
    item.rec.d.right = r;
    item.rec.d.bottom = b;
    item.rec.d.width = r - l;
    item.rec.d.height = b - t;
}

void AddVertex(Item& item, int x, int y)
{
    Vertex v;
    v.x = v.savedX = x;
    v.y = v.savedY = y;
    item.vertices.push_back(v);
}

ColorRef Colour(Random& r)
{
    return RGBRef(r.below(200), r.below(200), r.below(200));
}

// Lines, rectangles, triangles, curves and texts in equal turns, 20 to 120
// pixels across, all over the page.
void Fill(Document& doc, const ViewSettings& settings)
{
    DocumentDefaults d;
    d.units = 1;
    d.pixelsPerUnitX = d.pixelsPerUnitY = 1.0;
    d.blocks[0] = {25.0, 25.0, 0.0, 0.0, double(kPageW), double(kPageH)};
    d.gridH = d.gridV = 1;
    InitDocument(doc, d, OpenDocumentList{});
    TextSettings text;
    text.metrics = settings.metrics;
    Random r;
    for (int i = 0; i < kItems; ++i) {
        const int x = r.below(kPageW - 130);
        const int y = r.below(kPageH - 130);
        const int w = r.between(20, 120);
        const int h = r.between(20, 120);
        Item* item = nullptr;
        switch (i % 5) {
        case 0: {
            item = &NewItem(doc.items, KindLine);
            DrawingFields& f = item->rec.d;
            f.x1 = x;
            f.y1 = y + r.below(h);
            f.x2 = x + w;
            f.y2 = y + r.below(h);
            f.angle = Direction(f.x1, f.y1, f.x2, f.y2);
            f.penWidth = r.between(1, 4);
            f.fillColor = -2;
            Box(*item, std::min(f.x1, f.x2), std::min(f.y1, f.y2), std::max(f.x1, f.x2), std::max(f.y1, f.y2));
            break;
        }
        case 1:
        case 2: {
            item = &NewItem(doc.items, i % 5 == 1 ? KindRectangle : KindTriangle);
            if (i % 5 == 1) {
                AddVertex(*item, x, y);
                AddVertex(*item, x + w, y);
                AddVertex(*item, x + w, y + h);
                AddVertex(*item, x, y + h);
            } else {
                AddVertex(*item, x, y + h);
                AddVertex(*item, x + w / 2, y);
                AddVertex(*item, x + w, y + h);
            }
            item->rec.d.shapeVariant = 2;
            item->rec.d.fillColor = r.below(2) ? -1 : Colour(r);
            item->rec.d.weight = 0.3;
            item->rec.d.penWidth = 1;
            Box(*item, x, y, x + w, y + h);
            break;
        }
        case 3: {
            item = &NewItem(doc.items, KindCurve);
            for (int k = 0; k < 5; ++k)
                AddVertex(*item, x + k * w / 4, y + r.below(h));
            item->rec.d.shapeVariant = 0;
            item->rec.d.tension = kDefaultTension;
            item->rec.d.fillColor = -1;
            item->rec.d.penWidth = 1;
            SmoothCurve(*item);
            break;
        }
        default: {
            item = &NewItem(doc.items, KindText);
            DrawingFields& f = item->rec.d;
            f.x1 = x;
            f.y1 = y + 30;
            f.x2 = x + w;
            f.y2 = y + 30;
            f.fontSize = r.between(9, 16);
            f.fontWeight = 400;
            f.textColor = Colour(r);
            f.justification = 1;
            SetFontName(*item, "Arial");
            SetText(*item, u"Label " + std::u16string(1, char16_t(u'A' + r.below(26))) + u" 42");
            UpdateTextBox(*item, text);
            break;
        }
        }
        item->rec.d.lineColor = Colour(r);
        SetStackOrder(doc.items, *item, i + 1);
    }
}

enum class Effect { None, MediumShadow, RoundSurface };

struct Scene {
    Document doc;
    RasterEffects effects;
    std::unique_ptr<DocumentView> view;

    explicit Scene(double zoom, Effect effect = Effect::None, double deviceRatio = 1.0)
    {
        const ViewSettings settings;
        Fill(doc, settings);
        for (Item& item : doc.items) {
            DrawingFields& d = item.rec.d;
            if (d.role != RoleDrawing)
                continue;
            if (effect == Effect::MediumShadow) {
                d.shadowElevation = 50;
                d.shadowFade = 20;
                d.shadowLightness = 110;
            } else if (effect == Effect::RoundSurface && d.shapeVariant == 2 &&
                       (d.kind == KindRectangle || d.kind == KindTriangle)) {
                d.surface = 127;
            }
        }
        doc.items.header()->rec.h.zoom = zoom;
        ApplyHeader(*doc.items.header());
        view = std::make_unique<DocumentView>(doc, settings);
        view->setEffects(&effects);
        view->setDeviceRatio(deviceRatio);
        view->LayoutView(QSize(1200, 900), 16);
    }
};

void RepaintAll(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0);
    for (auto _ : state)
        scene.view->RepaintAll(false);
    state.counters["items"] = kItems;
}
BENCHMARK(RepaintAll)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The same page at 100 % on a screen of device pixel ratio r (argument
// r * 100): r * r times the pixels.
void repaintAllDense(benchmark::State& state)
{
    Scene scene(1.0, Effect::None, state.range(0) / 100.0);
    for (auto _ : state)
        scene.view->RepaintAll(false);
    state.counters["items"] = kItems;
}
BENCHMARK(repaintAllDense)->Name("RepaintAllDense")->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void RepaintAllMediumShadow(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0, Effect::MediumShadow);
    for (auto _ : state)
        scene.view->RepaintAll(false);
    state.counters["items"] = kItems;
}
BENCHMARK(RepaintAllMediumShadow)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// The same with no shadow mask kept from the repaint before: what the first
// repaint after an edit of every Item, or of a zoom, costs.
void RepaintAllMediumShadowCold(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0, Effect::MediumShadow);
    for (auto _ : state) {
        scene.effects.shadowMasks().clear();
        scene.view->RepaintAll(false);
    }
    scene.view->RepaintAll(false);
    state.counters["items"] = kItems;
    state.counters["kept_MB"] = static_cast<double>(scene.effects.shadowMasks().bytes()) / (1 << 20);
}
BENCHMARK(RepaintAllMediumShadowCold)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void RepaintAllRoundSurface(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0, Effect::RoundSurface);
    for (auto _ : state)
        scene.view->RepaintAll(false);
    state.counters["items"] = kItems;
}
BENCHMARK(RepaintAllRoundSurface)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// A pen as the canvas uses it: one pixel up to width 1, round ends and joins
// above.
QPen Pen(const QColor& colour, int width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    if (width <= 1)
        return QPen(colour, 0);
    return QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

// One figure of the page as QPainter draws it, made before the clock runs.
struct Figure
{
    enum Kind { Line, Polygon, Curve, Text } kind = Line;
    QPen pen;
    QBrush brush;
    QPolygon points;
    QPainterPath path;
    const QFont* font = nullptr;
    QString text;
};

// The floor of a full repaint: the figures RepaintAll draws for the same page
// and window, drawn straight with QPainter at the same sizes and colours,
// antialiasing off and every font made once. Only Items whose box meets the
// canvas are kept, so the floor culls for free.
class Floor
{
public:
    explicit Floor(const Scene& scene)
    {
        const DocumentView& view = *scene.view;
        const DrawContext ctx = view.drawContext();
        canvas_ = Bitmap(view.canvas().width(), view.canvas().height());
        const QRect visible(0, 0, canvas_.width(), canvas_.height());
        TextSettings text;
        text.metrics = ctx.metrics;
        const std::int32_t top = MaxStackOrder(scene.doc.items);
        for (Item* item : scene.doc.items.withStackOrderIn(1, top)) {
            const DrawingFields& d = item->rec.d;
            const QRect box(ctx.toCanvas(d.left, d.top), ctx.toCanvas(d.right, d.bottom));
            if (!box.normalized().adjusted(-8, -8, 8, 8).intersects(visible))
                continue;
            Figure f;
            const QColor line = QColor::fromRgb(Bitmap::toArgb(d.lineColor));
            switch (d.kind) {
            case KindLine:
                f.kind = Figure::Line;
                // A wide line is a band with square ends.
                f.pen = Pen(line, LineWidthAtZoom(ctx.zoom, d.penWidth), Qt::FlatCap);
                f.points << ctx.toCanvas(d.x1, d.y1) << ctx.toCanvas(d.x2, d.y2);
                break;
            case KindRectangle:
            case KindTriangle:
                f.kind = Figure::Polygon;
                f.pen = Pen(line, d.fillColor == -2 ? 1 : PenWidthAtZoom(ctx.zoom, d.weight, ctx.metrics));
                if (d.fillColor >= 0)
                    f.brush = QBrush(QColor::fromRgb(Bitmap::toArgb(d.fillColor)));
                for (const Vertex& v : item->vertices)
                    f.points << ctx.toCanvas(v.x, v.y);
                break;
            case KindCurve: {
                f.kind = Figure::Curve;
                f.pen = Pen(line, PenWidthAtZoom(ctx.zoom, d.weight, ctx.metrics));
                const std::vector<QPoint> chain = CurveBezierPoints(ctx, *item);
                f.path = Path::bezierChain(chain, false).qt();
                break;
            }
            case KindText: {
                f.kind = Figure::Text;
                f.pen = QPen(QColor::fromRgb(Bitmap::toArgb(d.textColor)));
                f.font = fontOfSize(*item, Round(ctx.zoom * d.fontSize), text);
                if (!f.font)
                    continue;
                f.points << ctx.toCanvas(d.x1, d.y1);
                f.text = QString::fromStdU16String(LineOf(*item, 1));
                break;
            }
            default:
                continue;
            }
            figures_.push_back(std::move(f));
        }
    }

    void paint()
    {
        QPainter p(&canvas_.image());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.fillRect(QRect(0, 0, canvas_.width(), canvas_.height()), Qt::white);
        for (const Figure& f : figures_) {
            p.setPen(f.pen);
            switch (f.kind) {
            case Figure::Line:
                p.drawLine(f.points[0], f.points[1]);
                break;
            case Figure::Polygon:
                p.setBrush(f.brush);
                p.drawPolygon(f.points);
                break;
            case Figure::Curve:
                p.setBrush(Qt::NoBrush);
                p.drawPath(f.path);
                break;
            case Figure::Text:
                p.setFont(*f.font);
                p.drawText(f.points[0], f.text);
                break;
            }
        }
    }

    std::size_t size() const { return figures_.size(); }

private:
    const QFont* fontOfSize(const Item& item, int points, const TextSettings& text)
    {
        auto it = fonts_.find(points);
        if (it == fonts_.end()) {
            std::optional<Font> font = MakeFont(item, points, true, text);
            if (!font)
                return nullptr;
            it = fonts_.emplace(points, font->qfont()).first;
        }
        return &it->second;
    }

    Bitmap canvas_;
    std::vector<Figure> figures_;
    std::map<int, QFont> fonts_;
};

void RepaintFloor(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0);
    Floor floor(scene);
    for (auto _ : state)
        floor.paint();
    state.counters["figures"] = static_cast<double>(floor.size());
}
BENCHMARK(RepaintFloor)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void RepaintRect40(benchmark::State& state)
{
    Scene scene(state.range(0) / 100.0);
    const QRect area(700, 500, 40, 40);
    for (auto _ : state)
        scene.view->RepaintRect(area);
}
BENCHMARK(RepaintRect40)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// One step of a Marker drag at 100 % on a screen of ratio r (argument
// r * 100): the old and the new place of a 60-pixel Item repainted, in
// device pixels, and its Markers placed again.
void markerDragDense(benchmark::State& state)
{
    const double r = state.range(0) / 100.0;
    Scene scene(1.0, Effect::None, r);
    const auto device = [r](int v) { return static_cast<int>(v * r); };
    int step = 0;
    for (auto _ : state) {
        const int shift = device(step++ % 8);
        scene.view->RepaintRect(QRect(device(600) + shift, device(400), device(70), device(70)));
        scene.view->RepaintRect(QRect(device(601) + shift, device(401), device(70), device(70)));
        for (int k = 0; k < 4; ++k)
            scene.view->PlaceMarker(1, k + 1, MarkerFigure::Square,
                                    QPoint(device(600 + 60 * (k % 2)) + shift, device(400 + 60 * (k / 2))));
        scene.view->RemoveMarkers();
    }
}
BENCHMARK(markerDragDense)->Name("MarkerDragDense")->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
