#include "edit/grid_options.h"

#include "edit/grid_edit.h"
#include "settings/settings_parse.h"

namespace vlm {

defaults_t GridOptionsFor(const Settings& settings, const HeaderFields* header)
{
    defaults_t d = settings.defaults;
    if (!header)
        return d;
    const HeaderFields& h = *header;
    if (IsMeasuringUnit(h.units)) {
        d.unit = h.units;
        d.pixelsPerUnitX = h.pixelsPerUnitX;
        d.pixelsPerUnitY = h.pixelsPerUnitY;
    }
    d.angles = h.angles;
    if (IsMeasuringUnit(d.unit)) {
        GridBlock& b = d.block(d.unit);
        b.values[GridSpacingX] = h.gridSpacingX;
        b.values[GridSpacingY] = h.gridSpacingY;
        b.values[GridOriginX] = h.originX;
        b.values[GridOriginY] = h.originY;
        b.values[GridAreaWidth] = h.areaWidth;
        b.values[GridAreaHeight] = h.areaHeight;
        for (int i = 0; i < kGridValueCount; ++i)
            b.texts[static_cast<std::size_t>(i)] = FormatReal(b.values[static_cast<std::size_t>(i)]);
    }
    d.gridH = h.gridH;
    d.gridV = h.gridV;
    d.snapH = h.snapH;
    d.snapV = h.snapV;
    d.anchorsH = h.anchorsH;
    d.anchorsV = h.anchorsV;
    return d;
}

void SaveGridOptionsForNewFiles(Settings& settings, defaults_t options)
{
    ApplyGridTexts(options, settings.screen);
    settings.defaults = std::move(options);
}

bool SaveGridOptionsForDocument(ItemList& list, defaults_t options, const ScreenMetrics& screen)
{
    Item* item = Header(list);
    if (!item || !IsMeasuringUnit(options.unit))
        return false;
    ApplyGridTexts(options, screen);
    HeaderFields& h = item->rec.h;
    const GridBlock& b = options.block(options.unit);
    h.units = options.unit;
    h.pixelsPerUnitX = options.pixelsPerUnitX;
    h.pixelsPerUnitY = options.pixelsPerUnitY;
    h.angles = options.angles;
    h.originX = b.values[GridOriginX];
    h.originY = b.values[GridOriginY];
    h.areaWidth = b.values[GridAreaWidth];
    h.areaHeight = b.values[GridAreaHeight];
    h.gridSpacingX = b.values[GridSpacingX];
    h.gridSpacingY = b.values[GridSpacingY];
    h.gridH = options.gridH;
    h.gridV = options.gridV;
    h.snapH = options.snapH;
    h.snapV = options.snapV;
    h.anchorsH = options.anchorsH;
    h.anchorsV = options.anchorsV;
    ApplyHeader(*item);
    SetModified(list, true);
    ResetGrid(list, ViewDirection::Horizontal);
    ResetGrid(list, ViewDirection::Vertical);
    return true;
}

} // namespace vlm
