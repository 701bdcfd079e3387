#pragma once

// The pictures the exports save and the preview shows, each made by the
// page renderer and reduced with the triangle filter.

#include "output/render_sheet.h"

namespace vlm {

// The output size of "Exact": a Digital Image at its paper size in pixels,
// any other design at the export size brought back to the screen's
// resolution.
QSize ExactSize(const HeaderFields& header, const ScreenMetrics& screen);

// "Exact": the sheet at screen resolution, every cell printed, resampled
// to ExactSize. Null without a header or when the sheet is too large.
std::optional<Bitmap> ExactPicture(Document& document, const SheetEnvironment& env, bool* tooLarge = nullptr);

// The print preview image, which "Smooth" saves: the sheet at the export
// resolution with the area selection, reduced to the display size.
std::optional<Bitmap> PreviewPicture(Document& document, const std::string& selection,
                                     const SheetEnvironment& env, bool* tooLarge = nullptr);

} // namespace vlm
