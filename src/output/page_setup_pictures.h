#pragma once

// The two drawings of the Page Setup dialog: the symbolic picture of a design
// type shown beside the design-type menu, and the sample of the paper with
// its margins, cards and folds beside the dimension panel.

#include "model/page_setup.h"
#include "platform/bitmap.h"

#include <QLine>
#include <QRect>

#include <cstdint>
#include <vector>

namespace vlm {

inline constexpr int kDesignPictureWidth = 180;
inline constexpr int kDesignPictureHeight = 260;

inline constexpr ColorRef kSampleMarginColor = RGBRef(255, 0, 0);
inline constexpr ColorRef kSampleFirstCardColor = RGBRef(255, 0, 0);
inline constexpr ColorRef kSampleCardColor = RGBRef(192, 192, 192);
inline constexpr ColorRef kSamplePaneColor = RGBRef(240, 240, 240);

// A kDesignPictureWidth x kDesignPictureHeight picture of `designType`.
Bitmap DesignTypePicture(std::int32_t designType);

// Where the sample puts the paper and the card positions, in pane pixels.
struct SampleLayout
{
    bool shown = false;      // false: a paper text does not parse or is 0
    bool actualSize = false; // pixels, drawn 1:1
    QRect paper;
    std::vector<QRect> cells;                        // print cells row by row, the canvas first
    std::vector<QLine> folds;                        // dotted: inside each cell, or between brochure panels
    bool margins = false;                            // margin lines are drawn
    double left = 0, top = 0, right = 0, bottom = 0; // margins, pane pixels
};

// The layout of the current set of `pageset` in a picture area `area`.
SampleLayout LayOutSample(const pageset_t& pageset, std::int32_t designType, const QRect& area);

// The whole sample pane: heading, the paper and what it carries.
void DrawPageSample(Bitmap& pane, const pageset_t& pageset, std::int32_t designType);

} // namespace vlm
