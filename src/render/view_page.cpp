#include "render/view_page.h"

#include "model/page_setup.h"
#include "model/rounding.h"
#include "render/units.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vlm {

namespace {

class PageMapper {
public:
    PageMapper(const HeaderFields& h, double zoom, int ox, int oy, int w, int ht)
        : h_(h), zoom_(zoom), ox_(ox), oy_(oy), w_(w), h2_(ht)
    {
    }

    // Lengths in the document's unit to canvas pixels. Lines here are all
    // parallel to an axis, so pulling a far-away end in to just outside the
    // canvas changes no pixel on it, and keeps values from a damaged header
    // within reach of the rasterizer.
    int x(double units) const
    {
        return std::clamp(ToCanvasX(zoom_, ox_, Round(units * h_.pixelsPerUnitX)), -2, w_ + 2);
    }
    int y(double units) const
    {
        return std::clamp(ToCanvasY(zoom_, oy_, Round(units * h_.pixelsPerUnitY)), -2, h2_ + 2);
    }
    QPoint at(double ux, double uy) const { return {x(ux), y(uy)}; }

private:
    const HeaderFields& h_;
    double zoom_;
    int ox_, oy_, w_, h2_;
};

// Fold lines at start + l * step for l = 1..count - 1. A count or step from
// a damaged header could be anything; no canvas shows more than a few
// thousand distinct lines, so the walk stops there or once it leaves the canvas.
template <typename Add>
void RepeatedFolds(int count, double start, double step, int (PageMapper::*coord)(double) const,
                   const PageMapper& m, int limit, Add add)
{
    const int last = std::min(count - 1, 4 * kCanvasLimit);
    int previous = 0;
    for (int l = 1; l <= last; ++l) {
        const int c = (m.*coord)(l * step + start);
        if (c > limit)
            break;
        if (l == 1 || c != previous)
            add(c);
        previous = c;
    }
}

} // namespace

std::vector<PageLine> PageDecorations(const HeaderFields& header, double zoom, int originX, int originY,
                                      int canvasWidth, int canvasHeight)
{
    std::vector<PageLine> lines;
    const long long d = std::llabs(static_cast<long long>(header.designType));
    if (d == 0)
        return lines;
    const PageMapper m(header, zoom, originX, originY, canvasWidth, canvasHeight);
    // The header is a packed record: its reals are read by copy.
    double dims[12];
    std::memcpy(dims, header.pageDims, sizeof dims);
    const double paperW = dims[DimPaperWidth];
    const double paperH = dims[DimPaperHeight];
    const double cardW = dims[DimCardWidth];
    const double cardH = dims[DimCardHeight];
    const bool cards = (d >= 2 && d <= 5) || d == DesignTentCards;
    const bool margins = d == DesignIllustrations || (d >= 6 && d <= 10);

    if (margins) {
        const QPoint m1 = m.at(dims[DimMarginLeft], dims[DimMarginTop]);
        const QPoint m2 = m.at(paperW - dims[DimMarginRight], paperH - dims[DimMarginBottom]);
        lines.push_back({{QPoint(m2.x(), m1.y()), m2, QPoint(m1.x(), m2.y())}, true});
        if (m1.x() > 0)
            lines.push_back({{QPoint(m1.x(), m2.y()), m1}, true});
        if (m1.y() >= 1)
            lines.push_back({{m1, QPoint(m2.x(), m1.y())}, true});
    }

    double edgeW = paperW;
    double edgeH = paperH;
    if (cards) {
        edgeW = header.columnFold ? 2 * cardW : cardW;
        edgeH = header.rowFold ? 2 * cardH : cardH;
    }
    const QPoint e = m.at(edgeW, edgeH);
    const int top = m.y(0);
    const int left = m.x(0);
    lines.push_back({{QPoint(e.x(), top), e, QPoint(left, e.y())}, false});

    if (cards) {
        if (header.columnFold) {
            const int x = m.x(cardW);
            lines.push_back({{QPoint(x, top), QPoint(x, e.y())}, true});
        }
        if (header.rowFold) {
            const int y = m.y(cardH);
            lines.push_back({{QPoint(left, y), QPoint(e.x(), y)}, true});
        }
    }

    if (d == DesignBrochures) {
        const int bottom = m.y(paperH);
        const int right = m.x(paperW);
        if (header.columnFold && header.columns > 1)
            RepeatedFolds(header.columns, dims[DimMarginLeft], cardW, &PageMapper::x, m, canvasWidth,
                          [&](int x) { lines.push_back({{QPoint(x, top), QPoint(x, bottom)}, true}); });
        if (header.rowFold && header.rows >= 2)
            RepeatedFolds(header.rows, dims[DimMarginTop], cardH, &PageMapper::y, m, canvasHeight,
                          [&](int y) { lines.push_back({{QPoint(left, y), QPoint(right, y)}, true}); });
    }
    return lines;
}

} // namespace vlm
