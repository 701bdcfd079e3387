#include "pictures/bmp_decoder.h"

#include "pictures/picture_decoders.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <bit>
#include <cstring>

namespace vlm {

namespace {

// Run-length data repeats a byte at most 255 times per two bytes; a file
// claiming far more pixels than its data could spell is not decoded.
constexpr std::int64_t kRunLengthPixelsPerByte = 4096;
// Qt's reader refuses larger images itself; this is its budget in MB.
constexpr int kQtAllocationLimitMb = 512;

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The headers alone, before their promise is weighed against the file.
std::optional<BmpLayout> ReadHeaders(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    BmpLayout l;
    l.dataOffset = U32(bytes, 10);
    const std::uint32_t headerSize = U32(bytes, 14);
    if (headerSize == 12) { // the OS/2 core header: unsigned 16-bit sides
        l.width = U16(bytes, 18);
        l.height = U16(bytes, 20);
        l.bitCount = static_cast<int>(U16(bytes, 24));
    } else if (headerSize >= 16 && headerSize <= 1024 && bytes.size() >= 14 + std::size_t{headerSize}) {
        l.width = static_cast<std::int32_t>(U32(bytes, 18));
        const std::int64_t h = static_cast<std::int32_t>(U32(bytes, 22));
        l.topDown = h < 0;
        l.height = h < 0 ? -h : h;
        l.bitCount = static_cast<int>(U16(bytes, 28));
        l.compression = headerSize >= 20 ? U32(bytes, 30) : 0;
        // The OS/2 2.x header numbers its Huffman and 24-bit run-length codes 3 and 4.
        if (headerSize == 64 && l.compression >= 3)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (l.width < 1 || l.height < 1)
        return std::nullopt;
    if (l.compression == 3 || l.compression == 6) {
        // The masks follow a short header and are part of a long one: at 54 either way.
        if (bytes.size() < 66)
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            l.masks[i] = U32(bytes, 54 + 4 * static_cast<std::size_t>(i));
    } else if (l.bitCount == 16) {
        l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
    }
    return l;
}

// Whether the data after the headers can hold what they announce.
bool DataSuffices(const BmpLayout& l, std::size_t fileSize)
{
    if (l.dataOffset > fileSize)
        return false;
    const std::int64_t data = static_cast<std::int64_t>(fileSize - l.dataOffset);
    if (l.runLength())
        return !l.topDown && l.pixels() <= data * kRunLengthPixelsPerByte;
    if (l.compression != 0 && l.compression != 3 && l.compression != 6)
        return false;
    if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 16 && l.bitCount != 24 &&
        l.bitCount != 32)
        return false;
    // Rows are padded to four bytes; a writer that leaves out the last
    // row's padding loses nothing.
    const std::int64_t rowBytes = (l.width * l.bitCount + 7) / 8;
    const std::int64_t stride = (l.width * l.bitCount + 31) / 32 * 4;
    return data >= rowBytes && (data - rowBytes) / stride >= l.height - 1;
}

// 16-bit pixels, each channel spread over 0..255 with rounding: Qt's reader
// shifts them instead, so that 5-bit white comes out as 248.
Bitmap DecodeSixteenBit(std::span<const std::uint8_t> bytes, const BmpLayout& l)
{
    struct Channel
    {
        std::uint32_t mask;
        int shift;
        std::uint32_t max;
    };
    Channel channels[3];
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t mask = l.masks[i] & 0xFFFF;
        const int shift = mask ? std::countr_zero(mask) : 0;
        channels[i] = {mask, shift, mask >> shift};
    }
    auto level = [](const Channel& c, std::uint32_t v) -> int {
        return c.max == 0 ? 0 : static_cast<int>((((v & c.mask) >> c.shift) * 255 + c.max / 2) / c.max);
    };
    const int w = static_cast<int>(l.width), h = static_cast<int>(l.height);
    Bitmap out(w, h);
    if (out.isNull())
        return out;
    const std::size_t stride = static_cast<std::size_t>((l.width * 16 + 31) / 32 * 4);
    for (int y = 0; y < h; ++y) {
        const std::size_t stored = static_cast<std::size_t>(l.topDown ? y : h - 1 - y);
        const std::uint8_t* p = bytes.data() + l.dataOffset + stored * stride;
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < w; ++x, p += 2) {
            const std::uint32_t v = static_cast<std::uint32_t>(p[0] | p[1] << 8);
            row[x] = 0xff000000u | static_cast<std::uint32_t>(level(channels[0], v)) << 16 |
                     static_cast<std::uint32_t>(level(channels[1], v)) << 8 |
                     static_cast<std::uint32_t>(level(channels[2], v));
        }
    }
    return out;
}

} // namespace

std::optional<BmpLayout> ReadBmpLayout(std::span<const std::uint8_t> bytes)
{
    std::optional<BmpLayout> l = ReadHeaders(bytes);
    if (!l || !DataSuffices(*l, bytes.size()))
        return std::nullopt;
    return l;
}

bool BmpTooLarge(std::span<const std::uint8_t> bytes)
{
    const std::optional<BmpLayout> l = ReadBmpLayout(bytes);
    return l && l->pixels() > kMaxDecodedPixels;
}

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes)
{
    const std::optional<BmpLayout> l = ReadBmpLayout(bytes);
    if (!l || l->pixels() > kMaxDecodedPixels)
        return {};
    if (l->bitCount == 16 && !l->runLength())
        return DecodeSixteenBit(bytes, *l);

    // The bytes stay where they are; the buffer only reads them.
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(kQtAllocationLimitMb);
    QImage image;
    if (!reader.read(&image) || image.width() != l->width || image.height() != l->height)
        return {};
    return Bitmap(image.convertToFormat(QImage::Format_RGB32));
}

} // namespace vlm
