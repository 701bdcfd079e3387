#pragma once

// The sheet as a vector page: the paper, the design drawn in its first cell
// and again in every other selected cell of a card sheet (with the bleed a
// printed cell carries along), blank cells left blank. Every Item goes
// through the same renderers as the printed bitmap, onto a vector canvas:
// lines, shapes, curves and dashes keep their device-pixel geometry as
// paths, text stays text, and what is made of pixels (shadows, shaded
// surfaces, pictures) comes in as lossless images (vector_layers.h).

#include "model/document.h"
#include "output/render_sheet.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace vlm {
class FontCache;
}

namespace vlm {

struct VectorSheetOptions
{
    // The device pixel the geometry is rounded to.
    int deviceDpi = 600;
    // Shadows, surfaces and shaded text.
    int layerDpi = 300;
    // Pictures keep their own pixels up to this resolution.
    int pictureDpiLimit = 1200;
    // Where the texts' fonts are kept between sheets; null makes each anew.
    FontCache* fonts = nullptr;
};

// Printing with data: asked before each cell on the sheet is drawn (row and
// column 1-based; a design without cells has just the one), it readies the
// document for that cell and tells whether the cell prints at all.
using CellFiller = std::function<bool(int row, int column)>;

// The paper of the document in device pixels at `dpi`, each side at least
// 1; empty without a header.
QSize vectorSheetSize(const Document& document, const ScreenMetrics& screen, int dpi);
// The paper in points (1/72 inch).
QSizeF vectorPaperPoints(const Document& document, const ScreenMetrics& screen);

// Draws the sheet with `painter`, whose units are device pixels at
// options.deviceDpi with (0, 0) at the paper's top-left corner. `noted`
// hears of every image before it is drawn. False without a header.
// With `fillCell`, each cell draws the document as the filler leaves it,
// clipped to the cell and its bleed, and the selection is the filler's to
// apply.
bool drawVectorSheet(QPainter& painter, Document& document, const std::string& selection,
                     const SheetEnvironment& env, const VectorSheetOptions& options,
                     const std::function<void(const QImage&)>& noted = {}, const CellFiller& fillCell = {});

// The cells of the document's sheet that lie on the paper (columns as x,
// rows as y, 1-based, in print order); one for a design without cells.
std::vector<QPoint> vectorSheetCells(const Document& document, const ScreenMetrics& screen, int dpi);

} // namespace vlm
