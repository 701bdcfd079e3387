#pragma once

// The device context a metafile's records play against: drawing objects,
// the window/viewport mapping, the world transform, the current position,
// paths and clipping, with save and restore. Both metafile readers (enhanced
// and Windows) feed it in logical coordinates; it paints with QPainter onto
// one white true-colour bitmap.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <vector>

namespace vlm::metafile {

// Limits on what one metafile may ask for; past them it is played no further.
inline constexpr std::int64_t kMaxRecords = 1'000'000;
inline constexpr std::int64_t kMaxPoints = 5'000'000;
// Pixels of all the pictures inside one metafile together.
inline constexpr std::int64_t kMaxImagePixels = 200'000'000;
// Characters of one text record that are drawn.
inline constexpr int kMaxTextChars = 65536;
inline constexpr int kMaxSavedStates = 1024;
inline constexpr int kMaxClipOperations = 4096;
inline constexpr int kMaxObjects = 65536;

inline QColor ColorOf(std::uint32_t colorRef)
{
    return QColor(colorRef & 0xff, (colorRef >> 8) & 0xff, (colorRef >> 16) & 0xff);
}

struct LogFont
{
    int height = 0;
    int escapement = 0; // tenths of a degree
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    QString face;
};

struct GdiObject
{
    enum class Kind { None, Pen, Brush, Font, Other } kind = Kind::None;
    QPen pen;
    QBrush brush;
    LogFont font;

    static GdiObject Pen(const QPen& pen) { return {Kind::Pen, pen, {}, {}}; }
    static GdiObject Brush(const QBrush& brush) { return {Kind::Brush, {}, brush, {}}; }
    static GdiObject Font(const LogFont& font) { return {Kind::Font, {}, {}, font}; }
    // A pattern brush from a picture; grey when the picture is damaged.
    static GdiObject Pattern(const QImage& pattern)
    {
        return Brush(pattern.isNull() ? QBrush(Qt::gray) : QBrush(pattern));
    }
};

enum class ArcKind { Arc, Chord, Pie };

class Player
{
public:
    // `toBitmap` takes device coordinates (after the window/viewport
    // mapping) to bitmap pixels.
    Player(QImage& target, const QTransform& toBitmap);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Objects.
    static QPen MakePen(std::uint32_t style, double width, std::uint32_t color);
    static QBrush MakeBrush(std::uint32_t style, std::uint32_t color, std::uint32_t hatch);
    void setObject(std::uint32_t index, GdiObject object);
    // The lowest free slot (Windows metafiles number their objects so).
    std::uint32_t freeSlot() const;
    void selectObject(std::uint32_t index);
    void selectStock(std::uint32_t stock);
    void select(const GdiObject& object);
    void deleteObject(std::uint32_t index);

    // Attributes.
    void setTextColor(std::uint32_t c) { s_.textColor = ColorOf(c); }
    void setBkColor(std::uint32_t c) { s_.bkColor = ColorOf(c); }
    void setBkMode(int mode) { s_.bkMode = mode; }
    void setTextAlign(std::uint32_t align) { s_.textAlign = align; }
    void setPolyFillMode(int mode) { s_.winding = mode == 2; }

    // Mapping.
    void setMapMode(int mode) { s_.mapMode = mode; }
    void setWindowOrg(QPointF p) { s_.winOrg = p; }
    void setWindowExt(QSizeF e);
    void setViewportOrg(QPointF p) { s_.vpOrg = p; }
    void setViewportExt(QSizeF e);
    void offsetWindowOrg(QPointF d) { s_.winOrg += d; }
    void offsetViewportOrg(QPointF d) { s_.vpOrg += d; }
    void scaleWindowExt(double xNum, double xDen, double yNum, double yDen);
    void scaleViewportExt(double xNum, double xDen, double yNum, double yDen);
    QPointF windowOrg() const { return s_.winOrg; }
    QSizeF windowExt() const { return s_.winExt; }
    // Device pixels per millimetre, for the fixed mapping modes.
    void setDeviceResolution(double pxPerMmX, double pxPerMmY);
    void setWorldTransform(const QTransform& t) { s_.world = t; }
    void modifyWorldTransform(const QTransform& t, int mode);

    // State.
    void save();
    void restore(int relative);

    // Clipping, rectangles in logical coordinates.
    void intersectClip(const QRectF& r);
    void excludeClip(const QRectF& r);
    // A region in device coordinates; an empty list with copy resets.
    void selectClipRegion(const std::vector<QRect>& deviceRects, int mode);
    void selectClipPath(int mode);

    // Figures, in logical coordinates.
    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void polyline(const std::vector<QPointF>& points, bool fromCurrent);
    void polygon(const std::vector<QPointF>& points);
    void polyPolygon(const std::vector<std::vector<QPointF>>& polygons);
    void polyBezier(const std::vector<QPointF>& points, bool fromCurrent);
    void rectangle(const QRectF& r);
    void roundRect(const QRectF& r, QSizeF corner);
    void ellipse(const QRectF& r);
    void arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind, bool moveCurrent);
    void setPixel(QPointF p, std::uint32_t color);
    // Paths.
    void beginPath();
    void endPath() { inPath_ = false; }
    void abortPath();
    void closeFigure();
    void fillPath(bool fill, bool stroke);

    // Text at `reference` (logical), with the current font and alignment.
    void textOut(QPointF reference, const QString& text, std::uint32_t options,
                 const std::optional<QRectF>& box);
    // A picture stretched from `source` (its pixels) onto `dest` (logical).
    void drawImage(const QImage& image, const QRectF& dest, const QRectF& source, std::uint32_t rop);
    // A raster operation without source (PATCOPY, BLACKNESS, WHITENESS).
    void patBlt(const QRectF& dest, std::uint32_t rop);

    // Budget for points; false once the file has asked for too many.
    bool spendPoints(std::int64_t n);
    // What is left of kMaxImagePixels for the pictures still to come.
    std::int64_t& imageBudget() { return imagePixels_; }

private:
    struct State
    {
        QPen pen;
        QBrush brush;
        LogFont font;
        QColor textColor = Qt::black;
        QColor bkColor = Qt::white;
        int bkMode = 2;
        std::uint32_t textAlign = 0;
        bool winding = false;
        QPointF position;
        int mapMode = 1;
        QPointF winOrg, vpOrg;
        QSizeF winExt{1, 1}, vpExt{1, 1};
        QTransform world;
        std::optional<QRegion> clip;
    };

    QTransform page() const;
    QTransform full() const;
    void draw(const QPainterPath& path, bool fill, bool stroke);
    void applyClip();
    QRegion deviceRegion(const QRectF& logical) const;
    bool clipBudget() { return ++clipOperations_ <= kMaxClipOperations; }

    QImage& target_;
    QPainter painter_;
    QTransform toBitmap_;
    double pxPerMmX_ = 96 / 25.4, pxPerMmY_ = 96 / 25.4;
    State s_;
    std::vector<State> saved_;
    std::vector<GdiObject> objects_;
    QPainterPath path_;
    bool inPath_ = false;
    int clipOperations_ = 0;
    std::int64_t points_ = 0;
    std::int64_t imagePixels_ = kMaxImagePixels;
};

// A device-independent bitmap (a BITMAPINFO followed by its pixels) as an
// image; null when it is damaged, larger than the decoding limit or than
// what is left of `budget` (which it then takes its pixels from).
QImage DibToImage(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                  std::size_t bitsSize, std::int64_t& budget);
// The same for a packed one: the header, its colour table and the pixels in
// one run of `size` bytes.
QImage PackedDibToImage(const std::uint8_t* dib, std::size_t size, std::int64_t& budget);

} // namespace vlm::metafile
