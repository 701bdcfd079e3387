#pragma once

// The drawing surface every renderer paints through: one Bitmap, a current
// pen and brush, and the figures the renderers need, with the pixel rules the
// program's drawings were made under. Antialiasing is always off, so a figure
// covers whole pixels and a test can name them.
//
// Pixel rules kept here, once, for everybody:
// - A pen of width 0 or 1 is the thinnest pen: one pixel, whatever the width.
// - A one-pixel line or polyline starts on its first point and leaves its
//   final pixel unset, in whatever direction it runs; every vertex between is
//   painted once. Qt's own thin lines drop the right or bottom end instead,
//   so thin pens are rasterized here.
// - A polygon with a pen covers its vertices inclusive ((0,0)-(10,10) paints
//   columns 0..10); filled without a pen it covers 0..9.
// - An ellipse in the box (left, top, right, bottom) stays inside
//   left..right-1 and top..bottom-1 and is symmetric in it.
// - Pens wider than one pixel have round ends and round joins.
// - A dotted pen draws 3 pixels on, 3 off, continuing across the vertices of
//   a polyline; a wide pen is never dotted.
//
// A canvas may also paint onto a vector device (a PDF or SVG page) through a
// painter its owner keeps. The figures then keep their exact geometry in
// device pixels: a thin pen is a one-pixel-wide stroke, a dotted one a dash
// pattern of 3 on, 3 off, and text stays text. Such a canvas has no pixels:
// bitmap() is null, and whoever needs pixels draws into a bitmap of its own
// and places it with drawImage().

#include "platform/bitmap.h"

#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <span>

namespace vlm {

class Font;

enum class PenStyle { Solid, Dotted };

// An open or closed figure made of straight and cubic Bezier pieces.
class Path
{
public:
    void moveTo(QPoint p);
    void lineTo(QPoint p);
    void bezierTo(QPoint c1, QPoint c2, QPoint p);
    void close();

    // A chain p0, (c1, c2, p)... as the Bezier renderers emit it; points that
    // do not complete a segment are ignored.
    static Path bezierChain(std::span<const QPoint> points, bool closed);

    bool isEmpty() const { return path_.elementCount() == 0; }
    const QPainterPath& qt() const { return path_; }

private:
    QPainterPath path_;
};

class Canvas
{
public:
    // Qt refuses wider pens; nothing on a canvas needs more.
    static constexpr int kMaxPenWidth = 32767;

    explicit Canvas(Bitmap& target);
    // A vector canvas of width x height device pixels over an active
    // painter, which stays its owner's.
    Canvas(QPainter& painter, int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Bitmap& bitmap() { return target_; }
    bool isVector() const { return vector_; }
    int width() const { return vector_ ? vectorWidth_ : target_.width(); }
    int height() const { return vector_ ? vectorHeight_ : target_.height(); }
    // Pixels per inch of the bitmap (96 unless its owner set another).
    int logicalDpiX() const;
    int logicalDpiY() const;

    void setPen(ColorRef color, int width = 0, PenStyle style = PenStyle::Solid);
    // No outline at all: figures are filled only.
    void setNullPen();
    void setSolidBrush(ColorRef color);
    void setHollowBrush();

    void polyline(std::span<const QPoint> points);
    void line(QPoint from, QPoint to);
    void polygon(std::span<const QPoint> points);
    void ellipse(int left, int top, int right, int bottom);
    // Outline of a Bezier chain (1 + 3n points).
    void polyBezier(std::span<const QPoint> points);
    void strokePath(const Path& path);
    void fillPath(const Path& path);
    void strokeAndFillPath(const Path& path);
    // Fills exactly the pixels of `r`, with neither pen nor brush involved.
    void fillRect(const QRect& r, ColorRef color);
    // Copies `sourceRect` of `source` to `dest` on this canvas, clipped to
    // both bitmaps. The source may be this canvas's own bitmap.
    void copyRect(const Bitmap& source, const QRect& sourceRect, QPoint dest);

    // Draws `text` with the cell's top-left corner at `reference`, rotated
    // about it by the font's escapement, over a transparent background.
    void drawText(const Font& font, QPoint reference, const QString& text, ColorRef color);

    // Draws `image` stretched over `target` (device pixels), its alpha
    // honoured, without smoothing.
    void drawImage(const QRectF& target, const QImage& image);

private:
    bool thinPen() const { return penKind_ == PenKind::Thin || penKind_ == PenKind::Dotted; }
    bool hasBrush() const { return painter_.brush().style() != Qt::NoBrush; }
    void thinPolyline(std::span<const QPoint> points, bool closed);
    void thinOutline(const QPainterPath& path);
    void fillOnly(const QPainterPath& path);
    // Thin and dotted strokes of a vector canvas.
    void vectorThinStroke(const QPainterPath& path);

    enum class PenKind { None, Thin, Dotted, Wide };

    Bitmap& target_;
    QPainter ownPainter_;
    // The painter every figure goes through: the own one over the bitmap,
    // or the owner's on a vector canvas.
    QPainter& painter_;
    Bitmap noPixels_;
    bool vector_ = false;
    int vectorWidth_ = 0;
    int vectorHeight_ = 0;
    PenKind penKind_ = PenKind::Thin;
    ColorRef penColor_ = 0;
    // The bitmap's words the painter draws into, row by row.
    std::uint32_t* pixels_ = nullptr;
    qsizetype stride_ = 0;
};

} // namespace vlm
