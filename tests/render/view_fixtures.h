#pragma once

// Documents built for the view tests: a header with a page of a given size
// in pixels at the origin of the scrolled area, and solid blocks and lines
// placed directly, each on its own stacking number unless a test says so.

#include "model/document.h"
#include "model/geometry.h"
#include "model/item.h"
#include "model/item_list.h"
#include "render/document_view.h"

#include <QPoint>
#include <QRect>

#include <vector>

namespace vlm::test {

inline constexpr ColorRef kCanvasColour = RGBRef(250, 248, 240);
inline constexpr QSize kClient(812, 612); // an 800 x 600 viewport beside the rulers

struct RecordingHost : ViewHost {
    std::vector<ViewTimer> timers;
    int canvasChanges = 0;
    void startTimer(ViewTimer t) override { timers.push_back(t); }
    void canvasChanged(const QRect&) override { ++canvasChanges; }
    bool asked(ViewTimer t) const
    {
        for (ViewTimer x : timers)
            if (x == t)
                return true;
        return false;
    }
};

inline ViewSettings TestViewSettings()
{
    ViewSettings s;
    s.canvasColor = kCanvasColour;
    return s;
}

// A document in pixels whose page is width x height at the top left.
inline void MakePage(Document& doc, double width, double height, double gridSpacing = 25.0)
{
    DocumentDefaults d;
    d.units = 1;
    d.pixelsPerUnitX = 1.0;
    d.pixelsPerUnitY = 1.0;
    d.blocks[0] = {gridSpacing, gridSpacing, 0.0, 0.0, width, height};
    d.gridH = d.anchorsH = d.gridV = d.anchorsV = 0;
    InitDocument(doc, d, OpenDocumentList{});
}

inline HeaderFields& HeaderOf(Document& doc)
{
    return doc.items.header()->rec.h;
}

inline Item& GridOf(Document& doc)
{
    return *FindVisibleByKind(doc.items, KindGridLines);
}

inline void SetBox(Item& item, int l, int t, int r, int b)
{
    DrawingFields& d = item.rec.d;
    d.left = l;
    d.top = t;
    d.right = r;
    d.bottom = b;
    d.width = r - l;
    d.height = b - t;
}

inline std::int32_t NextZ(const Document& doc)
{
    return MaxStackOrder(doc.items) + 1;
}

// A filled rectangle in one colour covering document pixels l..r-1, t..b-1
// at zoom 1.
inline Item& AddBlock(Document& doc, int l, int t, int r, int b, ColorRef colour, std::int32_t z = 0)
{
    Item& item = NewItem(doc.items, KindRectangle);
    DrawingFields& d = item.rec.d;
    d.lineColor = colour;
    d.fillColor = colour;
    d.penWidth = 1;
    d.shapeVariant = 2; // solid
    for (QPoint p : {QPoint(l, t), QPoint(r - 1, t), QPoint(r - 1, b - 1), QPoint(l, b - 1)}) {
        Vertex v;
        v.x = v.savedX = p.x();
        v.y = v.savedY = p.y();
        item.vertices.push_back(v);
    }
    SetBox(item, l, t, r - 1, b - 1);
    SetStackOrder(doc.items, item, z > 0 ? z : NextZ(doc));
    return item;
}

inline Item& AddLine(Document& doc, QPoint a, QPoint b, ColorRef colour, std::int32_t z = 0)
{
    Item& item = NewItem(doc.items, KindLine);
    DrawingFields& d = item.rec.d;
    d.x1 = a.x();
    d.y1 = a.y();
    d.x2 = b.x();
    d.y2 = b.y();
    d.lineColor = colour;
    d.fillColor = -2;
    d.penWidth = 1;
    d.angle = Direction(a.x(), a.y(), b.x(), b.y());
    SetBox(item, std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y()));
    SetStackOrder(doc.items, item, z > 0 ? z : NextZ(doc));
    return item;
}

inline int CountColour(const Bitmap& b, ColorRef c, QRect area = QRect())
{
    if (area.isNull())
        area = QRect(0, 0, b.width(), b.height());
    area &= QRect(0, 0, b.width(), b.height());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += b.pixel(x, y) == c;
    return n;
}

// Paints a rectangle of the canvas in a colour nothing draws, to see what a
// repaint touches.
inline void Smudge(DocumentView& view, const QRect& r, ColorRef colour = RGBRef(1, 2, 3))
{
    Bitmap& c = view.canvas();
    const QRect fit = r & QRect(0, 0, c.width(), c.height());
    for (int y = fit.top(); y <= fit.bottom(); ++y)
        for (int x = fit.left(); x <= fit.right(); ++x)
            c.setPixel(x, y, colour);
}

} // namespace vlm::test
