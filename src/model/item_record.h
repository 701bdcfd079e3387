#pragma once

// The fixed 448-byte stored part of every Item and the 56-byte vertex node.
// Both are written to document files byte for byte, so every offset is pinned
// with a static_assert. Which fields mean what depends on the record's role:
// drawing Items use DrawingFields, the DocumentHeader HeaderFields, embedded
// line patterns PatternFields and stored pictures PictureFields. The four views
// share one storage (ItemRecord) and agree on the first 116 bytes.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace vlm {

static_assert(std::endian::native == std::endian::little,
              "document records are stored little-endian exactly as in memory");

inline constexpr std::int32_t kRecordSize = 448;
inline constexpr std::int32_t kVertexSize = 56;
inline constexpr std::int32_t kSignature = 147483647;     // 0x08CA6BFF
inline constexpr std::int32_t kFormatVersion = 164;
inline constexpr std::int32_t kWhite = 16777215;           // 0x00FFFFFF
inline constexpr double kDefaultTension = 0.27614237;      // half of 0.5522847
inline constexpr std::int32_t kFontNameMax = 32;

// Roles (offset 0).
enum Role : std::int32_t {
    RoleDrawing = 0,
    RolePattern = 3,
    RolePicture = 6,
    RoleHeader = 2000000,
};

// ItemKind codes (offset 4). Embedded line patterns use negative kinds.
enum ItemKind : std::int32_t {
    KindText = 1000100,
    KindLine = 1000200,
    KindTriangle = 1000300,
    KindSquare = 1000400,
    KindRectangle = 1000500,
    KindCircle = 1000600,
    KindEllipse = 1000700,
    KindPolygon = 1000800,
    KindStar = 1000900,
    KindPie = 1001000,
    KindArc = 1001100,
    KindSpline = 1001200,
    KindCurve = 1001400,
    KindShapeRangeEnd = 1002000, // upper bound of the shape range only
    KindClipCache = 1003000,       // in memory: rendered clip bitmap; picture frame: rectangular outline
    KindClipCacheSource = 1003100, // in memory: source bitmap as loaded
    KindRoundOutline = 1003001,    // picture frame: round clip outline
    KindClip = 1004000,
    KindGroup = 1005000,
    KindDocumentHeader = 2000000,
    KindDeletionMarker = 3000000,
    KindGridLines = 4000000,
    KindPicture = 5000000,
};

inline constexpr bool IsShapeKind(std::int32_t k) { return k >= KindTriangle && k <= KindShapeRangeEnd; }

// Kinds that can be selected, deleted, copied, brought to front, sent to back.
inline constexpr bool IsEditableKind(std::int32_t k)
{
    return k == KindText || (k >= KindLine && k <= KindShapeRangeEnd) || k == KindClip;
}

// Kinds a selection tag can select again.
inline constexpr bool IsTaggableKind(std::int32_t k)
{
    return IsEditableKind(k) || k == KindClipCache;
}

#pragma pack(push, 1)

// The length-prefixed ANSI face name at offset 148 (1 + 32 bytes).
struct ShortString32 {
    std::uint8_t length;
    char chars[kFontNameMax];
};

struct DrawingFields {
    std::int32_t role;            // 0
    std::int32_t kind;            // 4
    std::int32_t reserved8;       // 8
    std::int32_t windowId;        // 12
    std::int32_t x1;              // 16
    std::int32_t y1;              // 20
    std::int32_t x2;              // 24
    std::int32_t y2;              // 28
    std::int32_t left;            // 32
    std::int32_t right;           // 36
    std::int32_t top;             // 40
    std::int32_t bottom;          // 44
    std::int32_t width;           // 48
    std::int32_t height;          // 52
    std::int32_t length;          // 56
    std::int32_t signature;       // 60
    std::uint8_t selected;        // 64
    std::uint8_t extending;       // 65
    std::uint8_t hidden;          // 66
    std::uint8_t mark;            // 67
    std::int32_t stackOrder;      // 68
    double x1Real;                // 72
    double y1Real;                // 80
    double x2Real;                // 88
    double y2Real;                // 96
    double angle;                 // 104
    std::int32_t blobLength;      // 112
    std::int32_t word116;         // 116
    std::int32_t lineColor;       // 120
    std::int32_t penWidth;        // 124
    std::int32_t fontSize;        // 128
    std::int32_t textColor;       // 132
    std::int32_t textAngle;       // 136
    std::int32_t fontWeight;      // 140
    std::uint8_t italic;          // 144
    std::uint8_t underline;       // 145
    std::uint8_t strikeout;       // 146
    std::uint8_t justification;   // 147
    ShortString32 fontName;       // 148
    std::int32_t charset;         // 181
    std::int32_t textDirection;   // 185
    std::int32_t word189;         // 189
    std::int32_t word193;         // 193
    double weight;                // 197
    double outlineWeight;         // 205
    std::int32_t pattern;         // 213
    std::int32_t fillColor;       // 217
    double direction;             // 221
    std::int32_t historyState;    // 229
    std::int32_t orderMove;       // 233
    std::int32_t sequence;        // 237
    std::int32_t editStep;        // 241
    std::int32_t predecessor;     // 245
    std::int32_t sides;           // 249
    std::int32_t reference[4];    // 253
    std::int32_t reserved269;     // 269
    std::int32_t shapeVariant;    // 273
    double tension;               // 277
    std::int32_t clipShape;       // 285
    std::int32_t pictureId;       // 289
    std::int32_t sourceRect[4];   // 293
    double scaleX;                // 309
    double scaleY;                // 317
    double rotation;              // 325
    double rotationAtGrab;        // 333
    std::int32_t colorEffects[6]; // 341
    std::int32_t mirrorX;         // 365
    std::int32_t mirrorY;         // 369
    std::int32_t pictureTurn;     // 373
    double placementScale;        // 377
    std::int32_t pictureSize[2];  // 385
    std::int32_t groupId;         // 393
    std::int32_t reserved397[2];  // 397
    std::int32_t extraLength1;    // 405
    std::int32_t extraLength2;    // 409
    std::uint8_t framed;          // 413
    std::uint8_t shadowElevation; // 414
    std::uint8_t shadowFade;      // 415
    std::uint8_t shadowLightness; // 416
    std::uint8_t surface;         // 417
    std::uint8_t reserved418[30]; // 418
};

// The DocumentHeader's view of the record (role and kind 2000000).
struct HeaderFields {
    std::int32_t role;            // 0
    std::int32_t kind;            // 4
    std::int32_t reserved8;       // 8
    std::int32_t windowId;        // 12
    std::int32_t x1;              // 16  page rectangle, zoomed pixels
    std::int32_t y1;              // 20
    std::int32_t x2;              // 24
    std::int32_t y2;              // 28
    std::int32_t left;            // 32
    std::int32_t right;           // 36
    std::int32_t top;             // 40
    std::int32_t bottom;          // 44
    std::int32_t width;           // 48
    std::int32_t height;          // 52
    std::int32_t length;          // 56
    std::int32_t signature;       // 60
    std::uint8_t selected;        // 64
    std::uint8_t extending;       // 65
    std::uint8_t hidden;          // 66
    std::uint8_t mark;            // 67
    std::int32_t stackOrder;      // 68
    double x1Real;                // 72
    double y1Real;                // 80
    double x2Real;                // 88
    double y2Real;                // 96
    double angle;                 // 104
    std::int32_t blobLength;      // 112 header text length in bytes
    double zoom;                  // 116
    std::int32_t units;           // 124 1 pixels, 2 millimetres, 3 inches
    double pixelsPerUnitX;        // 128
    double pixelsPerUnitY;        // 136
    std::int32_t angles;          // 144 1 degrees, 2 radians
    double originX;               // 148
    double originY;               // 156
    double areaWidth;             // 164
    double areaHeight;            // 172
    std::uint8_t modified;        // 180
    double gridSpacingX;          // 181
    double gridSpacingY;          // 189
    std::uint8_t gridH;           // 197
    std::uint8_t anchorsH;        // 198
    std::uint8_t snapH;           // 199
    std::uint8_t gridV;           // 200
    std::uint8_t anchorsV;        // 201
    std::uint8_t snapV;           // 202
    std::int32_t designType;      // 203
    std::int32_t orientation;     // 207
    std::int32_t quickSelect;     // 211
    // paper width, paper height, card width, card height, left, top, right and
    // bottom margins, row gap, column gap, two reserved
    double pageDims[12];          // 215
    std::int32_t rows;            // 311
    std::int32_t columns;         // 315
    std::uint8_t rowFold;         // 319
    std::uint8_t columnFold;      // 320
    std::uint8_t historyIncluded; // 321
    std::uint8_t reserved322;     // 322
    std::int32_t formatVersion;   // 323
    std::uint8_t lightDirection;  // 327
    std::uint8_t reserved328[120];
};

// Indices into HeaderFields::pageDims.
enum PageDim : int {
    DimPaperWidth = 0,
    DimPaperHeight,
    DimCardWidth,
    DimCardHeight,
    DimMarginLeft,
    DimMarginTop,
    DimMarginRight,
    DimMarginBottom,
    DimRowGap,
    DimColumnGap,
    DimReserved1,
    DimReserved2,
};

// An embedded line pattern (role 3, negative kind): up to twelve lengths in
// millimetres (dash, space, dash, ...) and the count of leading non-zero ones.
struct PatternFields {
    std::int32_t role;        // 0
    std::int32_t kind;        // 4
    std::uint8_t head[108];   // 8..115, as DrawingFields
    double lengths[12];       // 116
    std::int32_t count;       // 212
    std::uint8_t tail[232];   // 216..447, as DrawingFields
};

// A stored picture (role 6): the insertion dialog's zoom as a real at 116.
struct PictureFields {
    std::int32_t role;        // 0
    std::int32_t kind;        // 4
    std::uint8_t head[108];   // 8..115, as DrawingFields
    double dialogZoom;        // 116
    std::uint8_t tail[324];   // 124..447, as DrawingFields
};

// One defining point of a shape, spline or curve, stored as 56 bytes.
struct Vertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t savedX = 0;
    std::int32_t savedY = 0;
    std::int32_t controlA[2] = {0, 0};
    std::int32_t controlB[2] = {0, 0};
    std::int32_t savedControlA[2] = {0, 0};
    std::int32_t savedControlB[2] = {0, 0};
    std::uint8_t reserved48[2] = {0, 0};
    std::uint8_t reserved50[6] = {0, 0, 0, 0, 0, 0};
};

#pragma pack(pop)

// One storage, four views. GCC and Clang define reading a union member other
// than the one last written, which is exactly what the file format does.
union ItemRecord {
    DrawingFields d;
    HeaderFields h;
    PatternFields p;
    PictureFields pic;
    std::uint8_t bytes[kRecordSize];
};

static_assert(sizeof(DrawingFields) == kRecordSize);
static_assert(sizeof(HeaderFields) == kRecordSize);
static_assert(sizeof(PatternFields) == kRecordSize);
static_assert(sizeof(PictureFields) == kRecordSize);
static_assert(sizeof(ItemRecord) == kRecordSize);
static_assert(sizeof(Vertex) == kVertexSize);

#define VLM_AT(S, f, off) static_assert(offsetof(S, f) == (off), #S "." #f)
VLM_AT(DrawingFields, kind, 4);
VLM_AT(DrawingFields, windowId, 12);
VLM_AT(DrawingFields, x1, 16);
VLM_AT(DrawingFields, length, 56);
VLM_AT(DrawingFields, signature, 60);
VLM_AT(DrawingFields, selected, 64);
VLM_AT(DrawingFields, mark, 67);
VLM_AT(DrawingFields, stackOrder, 68);
VLM_AT(DrawingFields, x1Real, 72);
VLM_AT(DrawingFields, angle, 104);
VLM_AT(DrawingFields, blobLength, 112);
VLM_AT(DrawingFields, word116, 116);
VLM_AT(DrawingFields, lineColor, 120);
VLM_AT(DrawingFields, penWidth, 124);
VLM_AT(DrawingFields, fontSize, 128);
VLM_AT(DrawingFields, fontWeight, 140);
VLM_AT(DrawingFields, italic, 144);
VLM_AT(DrawingFields, justification, 147);
VLM_AT(DrawingFields, fontName, 148);
VLM_AT(DrawingFields, charset, 181);
VLM_AT(DrawingFields, textDirection, 185);
VLM_AT(DrawingFields, word189, 189);
VLM_AT(DrawingFields, word193, 193);
VLM_AT(DrawingFields, weight, 197);
VLM_AT(DrawingFields, outlineWeight, 205);
VLM_AT(DrawingFields, pattern, 213);
VLM_AT(DrawingFields, fillColor, 217);
VLM_AT(DrawingFields, direction, 221);
VLM_AT(DrawingFields, historyState, 229);
VLM_AT(DrawingFields, orderMove, 233);
VLM_AT(DrawingFields, sequence, 237);
VLM_AT(DrawingFields, editStep, 241);
VLM_AT(DrawingFields, predecessor, 245);
VLM_AT(DrawingFields, sides, 249);
VLM_AT(DrawingFields, reference, 253);
VLM_AT(DrawingFields, reserved269, 269);
VLM_AT(DrawingFields, shapeVariant, 273);
VLM_AT(DrawingFields, tension, 277);
VLM_AT(DrawingFields, clipShape, 285);
VLM_AT(DrawingFields, pictureId, 289);
VLM_AT(DrawingFields, sourceRect, 293);
VLM_AT(DrawingFields, scaleX, 309);
VLM_AT(DrawingFields, scaleY, 317);
VLM_AT(DrawingFields, rotation, 325);
VLM_AT(DrawingFields, rotationAtGrab, 333);
VLM_AT(DrawingFields, colorEffects, 341);
VLM_AT(DrawingFields, mirrorX, 365);
VLM_AT(DrawingFields, mirrorY, 369);
VLM_AT(DrawingFields, pictureTurn, 373);
VLM_AT(DrawingFields, placementScale, 377);
VLM_AT(DrawingFields, pictureSize, 385);
VLM_AT(DrawingFields, groupId, 393);
VLM_AT(DrawingFields, reserved397, 397);
VLM_AT(DrawingFields, extraLength1, 405);
VLM_AT(DrawingFields, extraLength2, 409);
VLM_AT(DrawingFields, framed, 413);
VLM_AT(DrawingFields, shadowElevation, 414);
VLM_AT(DrawingFields, shadowFade, 415);
VLM_AT(DrawingFields, shadowLightness, 416);
VLM_AT(DrawingFields, surface, 417);
VLM_AT(DrawingFields, reserved418, 418);

VLM_AT(HeaderFields, x1, 16);
VLM_AT(HeaderFields, height, 52);
VLM_AT(HeaderFields, signature, 60);
VLM_AT(HeaderFields, blobLength, 112);
VLM_AT(HeaderFields, zoom, 116);
VLM_AT(HeaderFields, units, 124);
VLM_AT(HeaderFields, pixelsPerUnitX, 128);
VLM_AT(HeaderFields, pixelsPerUnitY, 136);
VLM_AT(HeaderFields, angles, 144);
VLM_AT(HeaderFields, originX, 148);
VLM_AT(HeaderFields, originY, 156);
VLM_AT(HeaderFields, areaWidth, 164);
VLM_AT(HeaderFields, areaHeight, 172);
VLM_AT(HeaderFields, modified, 180);
VLM_AT(HeaderFields, gridSpacingX, 181);
VLM_AT(HeaderFields, gridSpacingY, 189);
VLM_AT(HeaderFields, gridH, 197);
VLM_AT(HeaderFields, snapV, 202);
VLM_AT(HeaderFields, designType, 203);
VLM_AT(HeaderFields, orientation, 207);
VLM_AT(HeaderFields, quickSelect, 211);
VLM_AT(HeaderFields, pageDims, 215);
VLM_AT(HeaderFields, rows, 311);
VLM_AT(HeaderFields, columns, 315);
VLM_AT(HeaderFields, rowFold, 319);
VLM_AT(HeaderFields, columnFold, 320);
VLM_AT(HeaderFields, historyIncluded, 321);
VLM_AT(HeaderFields, reserved322, 322);
VLM_AT(HeaderFields, formatVersion, 323);
VLM_AT(HeaderFields, lightDirection, 327);

VLM_AT(PatternFields, lengths, 116);
VLM_AT(PatternFields, count, 212);
VLM_AT(PictureFields, dialogZoom, 116);

VLM_AT(Vertex, savedX, 8);
VLM_AT(Vertex, controlA, 16);
VLM_AT(Vertex, controlB, 24);
VLM_AT(Vertex, savedControlA, 32);
VLM_AT(Vertex, savedControlB, 40);
VLM_AT(Vertex, reserved48, 48);
#undef VLM_AT

} // namespace vlm
