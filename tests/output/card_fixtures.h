#pragma once

// Documents for the vector sheet tests and benchmark: an A4 sheet of ten
// business cards (5 x 2, 85 x 55 mm) whose design has a frame, three text
// lines and 40 small circles, and an A4 illustration of many shapes.

#include "model/document.h"
#include "model/item.h"
#include "model/item_list.h"
#include "model/page_setup.h"
#include "platform/bitmap.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <string>
#include <vector>

namespace vlm::test {

inline void CardCorner(Item& item, int x, int y)
{
    Vertex v;
    v.x = v.savedX = x;
    v.y = v.savedY = y;
    item.vertices.push_back(v);
}

// The box, and the two points the file keeps it by.
inline void CardBox(Item& item, int left, int top, int right, int bottom)
{
    item.rec.d.x1 = left;
    item.rec.d.y1 = top;
    item.rec.d.x2 = right;
    item.rec.d.y2 = bottom;
    item.rec.d.left = left;
    item.rec.d.top = top;
    item.rec.d.right = right;
    item.rec.d.bottom = bottom;
    item.rec.d.width = right - left;
    item.rec.d.height = bottom - top;
}

inline void A4Page(Document& doc, std::int32_t type)
{
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    HeaderFields& h = doc.items.header()->rec.h;
    h.designType = type;
    h.units = UnitMillimeters;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0 / 25.4;
    for (int d = 0; d < 12; ++d)
        h.pageDims[d] = 0.0;
    h.pageDims[DimPaperWidth] = 210;
    h.pageDims[DimPaperHeight] = 297;
    h.rows = h.columns = 1;
    h.rowFold = h.columnFold = 0;
}

inline const std::vector<std::u16string>& CardLines()
{
    static const std::vector<std::u16string> lines = {u"Ada Quill", u"Lantern Street Printing Works",
                                                      u"+44 20 7946 0018"};
    return lines;
}

// One text line in 11 pt Arial with its baseline at y, from x over width.
inline Item& CardText(Document& doc, std::u16string_view text, int x, int y, int width, std::int32_t& order)
{
    Item& t = NewItem(doc.items, KindText);
    DrawingFields& d = t.rec.d;
    d.x1 = x;
    d.y1 = y;
    d.x2 = x + width;
    d.y2 = y;
    d.fontSize = 11;
    d.fontWeight = 400;
    d.textColor = RGBRef(20, 30, 90);
    d.justification = 1;
    SetFontName(t, "Arial");
    SetText(t, text);
    TextSettings settings;
    UpdateTextBox(t, settings);
    // The file keeps the exact coordinates beside the pixel ones.
    RealsFromIntegers(t, doc.items.metrics());
    SetStackOrder(doc.items, t, ++order);
    return t;
}

// The ten-card sheet. With `effects`, the frame casts a shadow and a circle
// has the "Round" surface.
inline void TenCardSheet(Document& doc, bool effects = false)
{
    A4Page(doc, DesignBusinessCards);
    HeaderFields& h = doc.items.header()->rec.h;
    h.pageDims[DimCardWidth] = 85;
    h.pageDims[DimCardHeight] = 55;
    h.pageDims[DimMarginLeft] = 15;
    h.pageDims[DimMarginTop] = 10;
    h.pageDims[DimRowGap] = 3;
    h.pageDims[DimColumnGap] = 10;
    h.rows = 5;
    h.columns = 2;
    std::int32_t order = 0;

    Item& frame = NewItem(doc.items, KindRectangle);
    CardCorner(frame, 8, 200);
    CardCorner(frame, 8, 8);
    CardCorner(frame, 313, 8);
    CardCorner(frame, 313, 200);
    frame.rec.d.shapeVariant = 2;
    frame.rec.d.fillColor = -1;
    frame.rec.d.lineColor = RGBRef(0, 90, 160);
    frame.rec.d.weight = 0.5;
    frame.rec.d.penWidth = 1;
    CardBox(frame, 8, 8, 313, 200);
    RealsFromIntegers(frame, doc.items.metrics());
    SmoothCurve(frame);
    if (effects) {
        frame.rec.d.shadowElevation = 60;
        frame.rec.d.shadowFade = 30;
        frame.rec.d.shadowLightness = 120;
    }
    SetStackOrder(doc.items, frame, ++order);

    for (int i = 0; i < 40; ++i) {
        const int cx = 30 + (i % 10) * 28;
        const int cy = 140 + (i / 10) * 14;
        Item& c = NewItem(doc.items, KindCircle);
        CardCorner(c, cx, cy);
        CardCorner(c, cx + 5, cy);
        c.rec.d.fillColor = RGBRef(200 - i * 4, 60 + i * 3, 40 + i * 5);
        c.rec.d.lineColor = RGBRef(40, 40, 40);
        c.rec.d.weight = 0.2;
        c.rec.d.penWidth = 1;
        if (effects && i == 0)
            c.rec.d.surface = 127;
        CardBox(c, cx - 5, cy - 5, cx + 5, cy + 5);
        RealsFromIntegers(c, doc.items.metrics());
        SetStackOrder(doc.items, c, ++order);
    }
    const std::vector<std::u16string>& lines = CardLines();
    for (std::size_t k = 0; k < lines.size(); ++k)
        CardText(doc, lines[k], 24, 44 + static_cast<int>(k) * 26, 280, order);
}

} // namespace vlm::test
