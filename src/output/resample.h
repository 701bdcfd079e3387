#pragma once

// The resampler lives with the renderers, which blur shadows and stretch the
// view's pictures with it; output code includes it from there.
#include "render/resample.h"
