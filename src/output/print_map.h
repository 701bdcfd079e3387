#pragma once

// The symbolic map of "Prepare Print": the paper and its grid of print
// cells drawn at a reduced scale, one-pixel spacers between the cells, so
// that even thin gaps show. Geometry only; the frame paints it.

#include "model/item_record.h"

#include <QRect>
#include <QSize>

#include <vector>

namespace vlm {

struct PrintMap
{
    int rows = 1;
    int columns = 1;
    QSize picture;            // the map's own size; empty: no map
    std::vector<QRect> cells; // row by row, column by column (edges inclusive)
};

// The map of a header for a pane of `pane` pixels. Without a header it is
// one cell the size of `background`, with no margins or gaps.
PrintMap PrintMapOf(const HeaderFields* header, QSize pane, QSize background = {});

// The cell under `point` (map coordinates), first found row by row, as
// x the column and y the row, 1-based; (0, 0) outside every cell.
QPoint PrintMapCellAt(const PrintMap& map, QPoint point);

} // namespace vlm
