#include "model/item_list.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "render/picture_render.h"
#include "render/shapes.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vlm {

namespace {

constexpr ColorRef kSilver = RGBRef(192, 192, 192);
constexpr ColorRef kBlack = RGBRef(0, 0, 0);

// The four corners of `box` grown by `grow`, turned about the box's centre
// by `angle` (counter-clockwise on the screen), closed.
std::vector<QPoint> Corners(const QRect& box, int grow, double angle)
{
    const double l = box.left() - grow, t = box.top() - grow;
    const double r = box.left() + box.width() + grow, b = box.top() + box.height() + grow;
    const double cx = (box.left() + box.left() + box.width()) / 2.0;
    const double cy = (box.top() + box.top() + box.height()) / 2.0;
    const double c = std::cos(angle), s = std::sin(angle);
    std::vector<QPoint> out;
    for (const auto& [x, y] :
         std::array<std::pair<double, double>, 5>{{{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}}) {
        const double dx = x - cx, dy = y - cy;
        out.emplace_back(Round(cx + dx * c + dy * s), Round(cy - dx * s + dy * c));
    }
    return out;
}

// A dotted 1-pixel line whose gaps show `back`; a null back draws it solid.
void Outline(Canvas& canvas, const std::vector<QPoint>& points, bool bezier, ColorRef pen,
             const ColorRef* back)
{
    auto draw = [&] {
        if (bezier)
            canvas.polyBezier(points);
        else
            canvas.polyline(points);
    };
    if (back) {
        canvas.setPen(*back, 1, PenStyle::Solid);
        draw();
        canvas.setPen(pen, 1, PenStyle::Dotted);
    } else {
        canvas.setPen(pen, 1, PenStyle::Solid);
    }
    draw();
}

QString FileNameOf(const DrawContext& ctx, const Item& clip)
{
    const Item* picture = ctx.items ? PictureById(*ctx.items, clip.rec.d.pictureId) : nullptr;
    if (!picture)
        return {};
    const std::u16string& path = picture->text;
    const std::size_t cut = path.find_last_of(u"/\\");
    const std::u16string name = cut == std::u16string::npos ? path : path.substr(cut + 1);
    return QString::fromStdU16String(name);
}

// The source file name in 10-point silver, 5 pixels into the box, cut at it.
void FileNameInBox(Canvas& canvas, const DrawContext& ctx, const Item& clip, const QRect& box)
{
    const QString name = FileNameOf(ctx, clip);
    if (name.isEmpty() || box.width() <= 5 || box.height() <= 5)
        return;
    const QRect visible = box.intersected(QRect(0, 0, canvas.width(), canvas.height()));
    if (visible.isEmpty())
        return;
    FontRequest request;
    request.faceName = QStringLiteral("Arial");
    request.sizePoints = 10;
    request.quality = ctx.fontQuality;
    const std::optional<Font> font = Font::make(request, canvas.logicalDpiY());
    if (!font)
        return;
    Bitmap area(visible.width(), visible.height());
    Canvas(area).copyRect(canvas.bitmap(), visible, QPoint(0, 0));
    {
        Canvas on(area);
        on.drawText(*font, box.topLeft() + QPoint(5, 5) - visible.topLeft(), name, ctx.paint(kSilver));
    }
    canvas.copyRect(area, area.image().rect(), visible.topLeft());
}

} // namespace

void DrawPictureOutline(Canvas& canvas, const DrawContext& ctx, const Item& clip, PictureMode mode)
{
    if (mode == PictureMode::Full)
        return;
    const DrawingFields& d = clip.rec.d;
    const ColorRef back = ctx.guideBackColor;
    const ColorRef pen = ctx.paint(mode == PictureMode::Quick  ? ctx.guideColor
                                   : mode == PictureMode::Fast ? kSilver
                                                               : kBlack);
    const ColorRef* behind = mode == PictureMode::Fast ? nullptr : &back;
    const int frame = FrameWidth(ctx, clip);
    const bool second = mode == PictureMode::Quick && frame > 2;

    if (d.clipShape == 2) {
        const QPoint c = ctx.toCanvas(d.x1, d.y1), rim = ctx.toCanvas(d.x2, d.y2);
        const int r = std::min(Round(std::hypot(double(rim.x()) - c.x(), double(rim.y()) - c.y())),
                               DrawContext::kCanvasReach);
        for (const int radius : {r, second ? r + frame : -1}) {
            if (radius < 0)
                continue;
            Outline(canvas, EllipseBezier(c, c + QPoint(radius, 0), c - QPoint(0, radius)), true, pen,
                    behind);
        }
        if (d.rotation != 0.0) {
            const QPoint end(c.x() + Round(std::sin(d.rotation) * r),
                             c.y() + Round(std::cos(d.rotation) * r));
            Outline(canvas, {c, end}, false, pen, behind);
        }
        return;
    }
    const int x1 = ctx.toCanvasX(d.x1), x2 = ctx.toCanvasX(d.x2);
    const int y1 = ctx.toCanvasY(d.y1), y2 = ctx.toCanvasY(d.y2);
    const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)), QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
    if (mode == PictureMode::Fast && d.rotation == 0.0) {
        Outline(canvas, Corners(box, -1, 0.0), false, pen, nullptr);
        FileNameInBox(canvas, ctx, clip, box);
        return;
    }
    Outline(canvas, Corners(box, 0, d.rotation), false, pen, behind);
    if (second)
        Outline(canvas, Corners(box, frame, d.rotation), false, pen, behind);
}

} // namespace vlm
