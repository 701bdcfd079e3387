#pragma once

// What a new Document takes from the Settings: the unit, grid and design area
// of the grid defaults, the light direction, and the page setup of the
// default design type, applied quietly while the Document is initialised.

#include "model/document.h"

namespace vlm {

struct Settings;

// The callback carries copies of what it needs, so the result stays valid
// when the Settings change or go away.
DocumentDefaults DocumentDefaultsFrom(const Settings& s);

} // namespace vlm
