#pragma once

// Outlines with far more corners than the pixels they cover. A polygon or
// star of a million corners turns on whole canvas pixels, so its corners
// repeat: runs of equal points, and spikes that go out to the same pixel and
// back again and again. Drawing them all costs time for nothing. The
// thinning here drops only what cannot change a pixel of the figure, its
// outline or its fill, so a figure whose corners lie at least a pixel apart
// is drawn from the same points as before.

#include <QPoint>

#include <vector>

namespace vlm {

// Thins out the closed outline `points` (the last point joins the first) for
// a canvas of `width` x `height` pixels and a pen `penWidth` pixels wide:
// - consecutive equal points become one;
// - a back-and-forth that repeats one already drawn (X Y X Y X) becomes a
//   single one (X Y X): the segments dropped are drawn already, in both
//   directions, and cancel each other in the fill;
// - a run of corners that lies wholly beyond one edge of the canvas, further
//   out than the pen reaches, keeps only its first and last corner: the
//   straight cut stays out of sight and leaves the fill inside as it was.
void ThinOutClosedOutline(std::vector<QPoint>& points, int width, int height, int penWidth);

// Whether a star's spikes stand closer than a pixel on its outer rim (radii
// in canvas pixels). Its outline then covers the whole band between the two
// radii, and the star looks like that band and the disc inside it.
bool SpikesDenserThanPixels(double innerRadius, double outerRadius, int spikes);

} // namespace vlm
