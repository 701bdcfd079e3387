#pragma once

// Small pictures of every accepted format, made here byte by byte (or with
// the format's own library), so that the tests need no files.

#include "pictures/picture_decoders.h"
#include "platform/bitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace vlm::test {

using Bytes = std::vector<std::uint8_t>;

inline Bitmap Gradient(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, RGBRef(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 128));
    return b;
}

inline Bytes QtBytes(const QImage& image, const char* format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {data.begin(), data.end()};
}

// A 5 x 3 GIF with four colours, index 3 transparent.
inline Bytes GifBytes(bool interlaced)
{
    Bytes out;
    auto write = [](GifFileType* gif, const GifByteType* data, int n) {
        auto* v = static_cast<Bytes*>(gif->UserData);
        v->insert(v->end(), data, data + n);
        return n;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&out, write, &error);
    EGifSetGifVersion(gif, true);
    GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, 5, 3, 8, 0, map);
    const GifByteType control[4] = {1, 0, 0, 3};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, 0, 0, 5, 3, interlaced, nullptr);
    GifPixelType rows[3][5] = {{0, 1, 2, 3, 0}, {1, 1, 1, 1, 1}, {2, 3, 2, 3, 2}};
    // Interlaced files carry rows 0, 2 (pass 3), 1 (pass 4) for 3 rows.
    const int order[2][3] = {{0, 1, 2}, {0, 2, 1}};
    for (const int y : order[interlaced ? 1 : 0])
        EGifPutLine(gif, rows[y], 5);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

// Little-endian writer for metafile records.
struct Writer
{
    Bytes bytes;
    void u16(std::uint32_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xffff);
        u16(v >> 16);
    }
    void put(std::initializer_list<std::uint32_t> words)
    {
        for (std::uint32_t w : words)
            u32(w);
    }
    void put16(std::initializer_list<int> words)
    {
        for (int w : words)
            u16(static_cast<std::uint32_t>(w) & 0xffff);
    }
    void set32(std::size_t at, std::uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); }
};

// A 2 x 2 24-bit DIB: top row red, white; bottom row blue, green.
inline Bytes TinyDib()
{
    Writer w;
    w.put({40, 2, 2, 1 | (24u << 16), 0, 16, 0, 0, 0, 0});
    const std::uint8_t rows[16] = {255, 0, 0, 0, 255, 0, 0, 0, /* bottom */ 0, 0, 255, 255, 255, 255, 0, 0};
    w.bytes.insert(w.bytes.end(), rows, rows + 16);
    return w.bytes;
}

// 100 x 50 pixels at 96 dpi: a red rectangle (10, 10)-(60, 40) without
// outline, and the tiny DIB stretched over (70, 5)-(90, 25).
inline Bytes EmfBytes()
{
    Writer w;
    w.put({1, 88, 0, 0, 99, 49, 0, 0, 2646, 1323, 0x464D4520, 0x10000, 0, 0, 3, 0, 0, 0, 960, 960, 254, 254});
    w.put({39, 24, 1, 0, 0x0000FF, 0}); // red solid brush in slot 1
    w.put({37, 12, 1});
    w.put({37, 12, 0x80000008}); // the null pen
    w.put({43, 24, 10, 10, 60, 40});
    const Bytes dib = TinyDib();
    w.put({81, 136, 70, 5, 90, 25, 70, 5, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 20, 20});
    w.bytes.insert(w.bytes.end(), dib.begin(), dib.end());
    w.put({14, 20, 0, 16, 20});
    w.set32(48, static_cast<std::uint32_t>(w.bytes.size()));
    w.set32(52, 7);
    return w.bytes;
}

// 100 x 50 pixels again: a blue rectangle over the whole picture clipped to
// its left half inside a saved state, then a green triangle filled from a
// path and the text "XX" in black at (2, 2).
inline Bytes EmfPathsClipAndText()
{
    Writer w;
    const Bytes header = EmfBytes();
    w.bytes.assign(header.begin(), header.begin() + 88);
    w.put({39, 24, 1, 0, 0xFF0000, 0}); // blue
    w.put({39, 24, 2, 0, 0x00FF00, 0}); // green
    w.put({37, 12, 0x80000008});
    w.put({37, 12, 1});
    w.put({33, 8});
    w.put({30, 24, 0, 0, 50, 50});
    w.put({43, 24, 0, 0, 100, 50});
    w.put({34, 12, 0xFFFFFFFF});
    w.put({37, 12, 2});
    w.put({59, 8});
    w.put({27, 16, 60, 10});
    w.put({54, 16, 90, 10});
    w.put({54, 16, 90, 40});
    w.put({61, 8});
    w.put({60, 8});
    w.put({62, 24, 60, 10, 90, 40});
    // Text: reference (2, 2), two characters, no rectangle.
    w.put({84, 88, 2, 2, 40, 20, 1, 0, 0, 2, 2, 2, 76, 0, 0, 0, 0, 0, 80});
    w.u16('X'), w.u16('X');
    w.put({8, 8});
    w.put({14, 20, 0, 16, 20});
    w.set32(48, static_cast<std::uint32_t>(w.bytes.size()));
    return w.bytes;
}

// 96 x 48 pixels: a placeable header (1000 x 500 units at 1000 per inch), a
// green rectangle (100, 100)-(500, 400) without outline.
inline Bytes WmfBytes(bool placeable = true)
{
    Writer w;
    if (placeable) {
        w.u32(0x9AC6CDD7);
        w.put16({0, 0, 0, 1000, 500, 1000});
        w.u32(0);
        std::uint16_t sum = 0;
        for (int i = 0; i < 10; ++i)
            sum ^= static_cast<std::uint16_t>(w.bytes[2 * i] | (w.bytes[2 * i + 1] << 8));
        w.u16(sum);
    }
    const std::size_t head = w.bytes.size();
    w.put16({1, 9, 0x0300, 0, 0, 2, 0, 0, 0});
    w.put16({5, 0, 0x020B, 0, 0});                 // window origin
    w.put16({5, 0, 0x020C, 500, 1000});            // window extent
    w.put16({7, 0, 0x02FC, 0, 0xFF00, 0x0000, 0}); // green solid brush
    w.put16({4, 0, 0x012D, 0});
    w.put16({8, 0, 0x02FA, 5, 0, 0, 0, 0}); // null pen
    w.put16({4, 0, 0x012D, 1});
    w.put16({7, 0, 0x041B, 400, 500, 100, 100});
    w.put16({3, 0, 0});
    const std::uint32_t words = static_cast<std::uint32_t>((w.bytes.size() - head) / 2);
    std::memcpy(w.bytes.data() + head + 6, &words, 4);
    const std::uint32_t largest = 8;
    std::memcpy(w.bytes.data() + head + 12, &largest, 4);
    return w.bytes;
}

} // namespace vlm::test
