#pragma once

// Documents for the page renderer tests: a page setup written straight into
// the header, and filled rectangles placed in document pixels.

#include "model/document.h"
#include "model/item_list.h"
#include "model/page_setup.h"
#include "platform/bitmap.h"
#include "render/splines.h"

#include <QRect>

namespace vlm::test {

struct SheetDoc
{
    Document doc;

    SheetDoc()
    {
        OpenDocumentList none;
        InitDocument(doc, DocumentDefaults{}, none);
    }

    HeaderFields& header() { return Header(doc.items)->rec.h; }

    // A page setup: paper and card sizes, margins and gaps in the unit.
    void setup(std::int32_t type, std::int32_t unit, double paperW, double paperH, double cardW = 0,
               double cardH = 0, int rows = 1, int columns = 1)
    {
        HeaderFields& h = header();
        h.designType = type;
        h.units = unit;
        h.orientation = Portrait;
        h.pageDims[DimPaperWidth] = paperW;
        h.pageDims[DimPaperHeight] = paperH;
        h.pageDims[DimCardWidth] = cardW;
        h.pageDims[DimCardHeight] = cardH;
        for (int d = DimMarginLeft; d <= DimColumnGap; ++d)
            h.pageDims[d] = 0.0;
        h.rows = rows;
        h.columns = columns;
        h.rowFold = 0;
        h.columnFold = 0;
    }

    // A 4 x 4 inch sheet of one-inch labels, half-inch margins and gaps, and
    // a red mark from (10, 10) to (30, 30) in the first card: at 96 dpi the
    // cells start at 48 + 144 k and carry 24 pixels of bleed.
    void labels(int rows, int columns)
    {
        setup(DesignLabels, UnitInches, 4, 4, 1, 1, rows, columns);
        HeaderFields& h = header();
        h.pageDims[DimMarginLeft] = 0.5;
        h.pageDims[DimMarginTop] = 0.5;
        h.pageDims[DimRowGap] = 0.5;
        h.pageDims[DimColumnGap] = 0.5;
        box(QRect(10, 10, 20, 20), RGBRef(255, 0, 0));
    }

    // A filled rectangle without an outline, in document pixels.
    Item& box(const QRect& r, ColorRef fill)
    {
        Item& it = NewItem(doc.items, KindRectangle);
        it.rec.d.fillColor = fill;
        it.rec.d.lineColor = fill;
        it.rec.d.shapeVariant = 2;
        for (QPoint p : {r.topLeft(), QPoint(r.right() + 1, r.top()), QPoint(r.right() + 1, r.bottom() + 1),
                         QPoint(r.left(), r.bottom() + 1)}) {
            Vertex v;
            v.x = p.x();
            v.y = p.y();
            it.vertices.push_back(v);
        }
        it.rec.d.x1 = r.left();
        it.rec.d.y1 = r.top();
        it.rec.d.x2 = r.right() + 1;
        it.rec.d.y2 = r.bottom() + 1;
        RealsFromIntegers(it, doc.items.metrics());
        SmoothCurve(it);
        SetStackOrder(doc.items, it, ++order_);
        return it;
    }

private:
    std::int32_t order_ = 0;
};

} // namespace vlm::test
