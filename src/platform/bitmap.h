#pragma once

#include <QImage>

#include <cstdint>

namespace vlm {

// A colour as the documents store it: 0x00BBGGRR.
using ColorRef = std::int32_t;

inline constexpr ColorRef RGBRef(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
inline constexpr int RedOf(ColorRef c) { return c & 0xff; }
inline constexpr int GreenOf(ColorRef c) { return (c >> 8) & 0xff; }
inline constexpr int BlueOf(ColorRef c) { return (c >> 16) & 0xff; }

// A true-colour bitmap: 8 bits per channel, no alpha. Pixels are kept as
// 32-bit words 0xffRRGGBB (QImage::Format_RGB32), the layout QPainter draws
// fastest into and the resampler reads four bytes at a time; files written from
// it (BMP, JPEG) carry 24 bits per pixel.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, ColorRef fill = RGBRef(255, 255, 255))
        : image_(width > 0 ? width : 0, height > 0 ? height : 0, QImage::Format_RGB32)
    {
        // Text metrics drawn on a bitmap must not depend on the screen it was made on.
        image_.setDotsPerMeterX(3780); // 96 dpi
        image_.setDotsPerMeterY(3780);
        if (!image_.isNull())
            image_.fill(toArgb(fill));
    }
    explicit Bitmap(QImage image) : image_(std::move(image))
    {
        if (!image_.isNull() && image_.format() != QImage::Format_RGB32)
            image_ = image_.convertToFormat(QImage::Format_RGB32);
    }

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool isNull() const { return image_.isNull(); }

    // Row access: width() words 0xffRRGGBB.
    std::uint32_t* row(int y) { return reinterpret_cast<std::uint32_t*>(image_.scanLine(y)); }
    const std::uint32_t* row(int y) const
    {
        return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
    }

    ColorRef pixel(int x, int y) const { return fromArgb(row(y)[x]); }
    void setPixel(int x, int y, ColorRef c) { row(y)[x] = toArgb(c); }
    void fill(ColorRef c) { image_.fill(toArgb(c)); }

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    static constexpr std::uint32_t toArgb(ColorRef c)
    {
        return 0xff000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
               (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
    }
    static constexpr ColorRef fromArgb(std::uint32_t p)
    {
        return RGBRef((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    }

private:
    QImage image_;
};

} // namespace vlm
