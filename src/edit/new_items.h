#pragma once

// New Items as a creating tool makes them: the attributes from the Settings
// and the geometry from the construction of creation.h, appended to a list.
// The same builders make the previews (in a scratch list) and the committed
// Items (in the Document), so a preview always shows what the click will make.

#include "edit/creation.h"
#include "model/item_list.h"
#include "settings/settings.h"

#include <QPoint>

#include <span>

namespace vlm {

struct TextSettings;

// What a builder needs besides the Settings.
struct BuildContext {
    const Settings& settings;
    double zoom = 1.0;   // the pie's bounding box allows for the outline at this zoom
    int markerWidth = 8; // and for half the Marker box
};

// A Line from `start` to `end` (the end already brought onto a preset
// direction). A custom line pattern of the Settings is embedded in `list`.
Item& BuildLine(ItemList& list, const BuildContext& ctx, QPoint start, QPoint end);

// Triangles, squares, rectangles, splines and curves: the vertices as given;
// a curve is smoothed. `variant` is the shape value (2 for the basic shapes).
Item& BuildPointShape(ItemList& list, const BuildContext& ctx, std::int32_t kind, std::int32_t variant,
                      std::span<const QPoint> nodes);

Item& BuildCircle(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint rim);
Item& BuildPolygon(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint rim);
Item& BuildStar(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint inner, QPoint tip);
// Pies and arcs: `end` is the third click; the Item's end lies on the circle.
Item& BuildPieOrArc(ItemList& list, const BuildContext& ctx, std::int32_t kind, QPoint centre, QPoint start,
                    QPoint end);
Item& BuildEllipse(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint lengthPoint, QPoint widthPoint);

// The text settings of the next text (colour, size, weight, the style and
// justification bytes, face, character set, preset direction) written into
// `text`; its geometry is left as it is.
void TakeTextSettings(Item& text, const Settings& settings);

// A text without lines yet, along `baseline`.
Item& BuildText(ItemList& list, const BuildContext& ctx, const TextBaseline& baseline, const TextSettings& text);

// The shape kind a shape tool mode makes (100..199 and the continuations).
std::int32_t KindForToolMode(int toolMode);

} // namespace vlm
