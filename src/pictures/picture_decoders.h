#pragma once

// The decoders of the picture formats a document can hold. Each takes the
// bytes of a Picture record exactly as they were stored and gives a 24-bit
// bitmap, or a null bitmap when the bytes are not a picture of that format.
// Every byte is outside data: a damaged, truncated or hostile file fails,
// and no decoder allocates more than kMaxDecodedPixels pixels for it.

#include "output/jpeg_writer.h" // EncodeJpeg, shared with the exports
#include "platform/bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vlm {

// The Picture record's format codes.
enum PictureFormat : int {
    PictureFormatNone = 0,
    PictureFormatGif = 1,
    PictureFormatBmp = 2,
    PictureFormatIco = 3,
    PictureFormatJpeg = 4,
    PictureFormatMetafile = 5,
    PictureFormatPng = 6,
    PictureFormatSvg = 7,
    // Files of these formats are read, never stored: a Picture record keeps
    // them as PNG (storedPictureFormat).
    PictureFormatWebp = 101,
    PictureFormatTiff = 102,
};

inline constexpr std::int64_t kMaxDecodedPixels = 100'000'000;
// A vector picture is played at most this many times its natural size, and
// onto at most this many pixels (a sheet at printer resolution needs no more).
inline constexpr int kMaxEnlargement = 16;
inline constexpr std::int64_t kMaxPlayedPixels = 40'000'000;

// The format a file name's extension stands for (compared without case);
// PictureFormatNone for every other extension.
PictureFormat PictureFormatForName(std::u16string_view fileName);

// A file name's extension in lower case, without the dot; empty for none
// (or one with characters outside ASCII).
std::string lowerExtension(std::u16string_view name);

// The format's name as `info` shows it ("JPEG", ..., "unknown").
const char* PictureFormatName(int format);

// The format code a Picture record gets for a file of `format`: WebP and
// TIFF become PNG, every other format keeps its code.
int storedPictureFormat(int format);

// Pictures drawn from a description rather than from pixels (SVG): they are
// played at the size they are shown at.
bool isVectorPicture(int format);

struct DecodedPicture
{
    Bitmap bitmap;
    int reduction = 1; // the picture was decoded at 1 / reduction of its size
    int enlargement = 1; // a vector picture was played at this many times its size
    // No bitmap because the picture, well-formed as far as its headers tell,
    // has more than kMaxDecodedPixels pixels at every reduction.
    bool tooLarge = false;
};

// Decodes with the format's decoder. `reduction` (1, 2, 4 or 8) asks for a
// picture that much smaller; only JPEG honours it, and where a JPEG has more
// than kMaxDecodedPixels pixels at that reduction it is decoded at the first
// coarser one where it has not. Every other format decodes at full size. The
// result says which reduction was used.
//
// `enlargement` (1..kMaxEnlargement) asks a vector picture to be played that
// many times its natural size; it is lowered until the played picture has at
// most kMaxPlayedPixels pixels. Pixel formats ignore it.
DecodedPicture DecodePicture(std::span<const std::uint8_t> bytes, int format, int reduction = 1,
                             int enlargement = 1);

// The single decoders. DecodeJpeg fails where the picture has more than
// kMaxDecodedPixels pixels at `reduction`.
Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, int reduction = 1);
// The reduction (`reduction` or a coarser one) at which the JPEG has at most
// kMaxDecodedPixels pixels; 0 when its header does not read.
int JpegFittingReduction(std::span<const std::uint8_t> bytes, int reduction);
// The first image; transparent pixels are white.
Bitmap DecodeGif(std::span<const std::uint8_t> bytes);
Bitmap DecodeBmp(std::span<const std::uint8_t> bytes);
// The icon drawn onto a white 24-bit bitmap of its size.
Bitmap DecodeIco(std::span<const std::uint8_t> bytes);
// An enhanced or a Windows metafile, played onto a white bitmap of its
// natural size.
Bitmap DecodeMetafile(std::span<const std::uint8_t> bytes);
// PNG, WebP and TIFF (its first page) through Qt's image readers,
// transparent pixels composited over white. `qtFormat` is "png", "webp" or
// "tiff". `tooLarge`, when given, tells a refusal for size.
Bitmap decodeWithImageReader(std::span<const std::uint8_t> bytes, const char* qtFormat,
                             bool* tooLarge = nullptr);

// The bytes a new Picture record stores for a file of `format`: a JPEG is
// decoded and saved again at full size (a JPEG too large for that keeps its
// bytes); WebP and TIFF are converted, without loss and with their
// transparency, to PNG; the other formats keep their bytes.
// Empty when the file does not decode.
std::vector<std::uint8_t> StoredPictureBytes(std::span<const std::uint8_t> fileBytes, int format);

} // namespace vlm
