#pragma once

// Mirror, flip and the two quarter-turns of a placed Clip: they change which
// way its picture is turned and mirrored, and move its source rectangle with
// the picture, so that the Clip keeps showing the same part of it. The
// picture dialog applies the same transforms to its outlines.

#include "model/item.h"
#include "model/screen_metrics.h"

namespace vlm {

void MirrorClip(Item& clip, const ScreenMetrics& metrics);
void FlipClip(Item& clip, const ScreenMetrics& metrics);
void TurnClipClockwise(Item& clip, const ScreenMetrics& metrics);
void TurnClipCounterClockwise(Item& clip, const ScreenMetrics& metrics);

} // namespace vlm
