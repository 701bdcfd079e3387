#include "settings/document_defaults.h"

#include "model/item_list.h"
#include "settings/settings.h"

namespace vlm {

DocumentDefaults DocumentDefaultsFrom(const Settings& s)
{
    const defaults_t& d = s.defaults;
    DocumentDefaults out;
    out.units = d.unit;
    out.pixelsPerUnitX = d.pixelsPerUnitX;
    out.pixelsPerUnitY = d.pixelsPerUnitY;
    out.angles = d.angles;
    for (std::int32_t u = UnitPixels; u <= UnitInches; ++u) {
        const auto& v = d.block(u).values;
        out.blocks[u - 1] = UnitBlock{v[GridSpacingX], v[GridSpacingY], v[GridOriginX],
                                      v[GridOriginY],  v[GridAreaWidth], v[GridAreaHeight]};
    }
    out.gridH = d.gridH;
    out.anchorsH = d.anchorsH;
    out.snapH = d.snapH;
    out.gridV = d.gridV;
    out.anchorsV = d.anchorsV;
    out.snapV = d.snapV;
    out.lightDirection = s.lgtdir;
    out.zoom = s.zoom;

    if (IsDesignType(s.pspage)) {
        out.applyDefaultPageSetup = [pageset = s.pageSetups[s.pspage], type = s.pspage,
                                     env = PageSetupEnvironmentOf(s)](Document& doc) {
            if (Item* header = Header(doc.items))
                applyPageSetup(*header, pageset, type, env, true);
        };
    }
    return out;
}

} // namespace vlm
