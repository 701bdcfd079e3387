#pragma once

// Items built directly for the renderer tests, and the context they are
// drawn in (96 dpi, zoom 1, no window offset unless a test says otherwise).

#include "model/geometry.h"
#include "model/item.h"
#include "model/item_record.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "render/draw_item.h"

#include <QPoint>

#include <initializer_list>
#include <memory>
#include <string_view>

namespace vlm::test {

inline constexpr ColorRef kBlack = RGBRef(0, 0, 0);
inline constexpr ColorRef kWhite = RGBRef(255, 255, 255);
inline constexpr ColorRef kRed = RGBRef(255, 0, 0);
inline constexpr ColorRef kBlue = RGBRef(0, 0, 255);

inline std::unique_ptr<Item> MakeShape(std::int32_t kind, std::initializer_list<QPoint> points,
                                       std::int32_t fill = -2, double weightMm = 0.0, ColorRef line = kBlack)
{
    auto item = std::make_unique<Item>();
    DrawingFields& d = item->rec.d;
    d.role = RoleDrawing;
    d.kind = kind;
    d.lineColor = line;
    d.fillColor = fill;
    d.weight = weightMm;
    d.penWidth = 1;
    d.tension = kDefaultTension;
    d.shapeVariant = 2;
    for (QPoint p : points) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        item->vertices.push_back(v);
    }
    return item;
}

// A line from a to b, `width` pixels wide at 100 %, "Solid", weight 1 mm.
inline std::unique_ptr<Item> MakeLine(QPoint a, QPoint b, int width, ColorRef colour = kBlack)
{
    auto item = std::make_unique<Item>();
    DrawingFields& d = item->rec.d;
    d.role = RoleDrawing;
    d.kind = KindLine;
    d.x1 = a.x();
    d.y1 = a.y();
    d.x2 = b.x();
    d.y2 = b.y();
    d.angle = Direction(a.x(), a.y(), b.x(), b.y());
    d.penWidth = width;
    d.weight = 1.0;
    d.fillColor = -2;
    d.lineColor = colour;
    return item;
}

inline std::unique_ptr<Item> MakeText(std::u16string_view text, QPoint start, QPoint end, int justification = 1,
                                      std::int32_t angleTenths = 0, int sizePoints = 12)
{
    auto item = std::make_unique<Item>();
    DrawingFields& d = item->rec.d;
    d.role = RoleDrawing;
    d.kind = KindText;
    d.x1 = start.x();
    d.y1 = start.y();
    d.x2 = end.x();
    d.y2 = end.y();
    d.fontSize = sizePoints;
    d.fontWeight = 400;
    d.textColor = kBlack;
    d.textAngle = angleTenths;
    d.justification = static_cast<std::uint8_t>(justification);
    SetFontName(*item, "Arial");
    SetText(*item, text);
    return item;
}

// The Item's shadow bytes: elevation, fade and lightness.
inline void Shadow(Item& item, int elevation, int fade, int lightness)
{
    item.rec.d.shadowElevation = static_cast<std::uint8_t>(elevation);
    item.rec.d.shadowFade = static_cast<std::uint8_t>(fade);
    item.rec.d.shadowLightness = static_cast<std::uint8_t>(lightness);
}

// Draws one Item on a fresh white bitmap and hands the bitmap back.
inline Bitmap Render(Item& item, const DrawContext& ctx = {}, int w = 120, int h = 120, bool quick = false)
{
    Bitmap bmp(w, h);
    {
        Canvas canvas(bmp); // finishes painting before the bitmap leaves
        DrawItem(canvas, ctx, item, quick);
    }
    return bmp;
}

} // namespace vlm::test
