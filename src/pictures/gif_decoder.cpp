#include "pictures/picture_decoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace vlm {

namespace {

struct Reader
{
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* to, int want)
{
    auto* r = static_cast<Reader*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(want, 0)), r->bytes.size() - r->at);
    std::memcpy(to, r->bytes.data() + r->at, n);
    r->at += n;
    return static_cast<int>(n);
}

struct GifCloser
{
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Skips an extension block, noting a graphic control's transparent index.
bool ReadExtension(GifFileType* gif, int& transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparent = (block[1] & 1) ? block[4] : -1;
    // A file can hold only so many blocks; the reader stops at its end.
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

} // namespace

Bitmap DecodeGif(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 13)
        return {};
    Reader reader{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadBytes, &error));
    if (!gif)
        return {};
    int transparent = -1;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return {};
        if (type == EXTENSION_RECORD_TYPE && !ReadExtension(gif.get(), transparent))
            return {};
    } while (type != IMAGE_DESC_RECORD_TYPE && type != TERMINATE_RECORD_TYPE);
    if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return {};

    const GifImageDesc& desc = gif->Image;
    const int w = desc.Width, h = desc.Height;
    if (w < 1 || h < 1 || std::int64_t{w} * h > kMaxDecodedPixels)
        return {};
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount < 1 || !map->Colors)
        return {};

    // The index rows grow only as far as the data really decodes, so a file
    // that claims a huge picture fails before its picture is allocated.
    std::vector<GifPixelType> indices;
    for (int y = 0; y < h; ++y) {
        indices.resize(static_cast<std::size_t>(y + 1) * w);
        if (DGifGetLine(gif.get(), indices.data() + static_cast<std::size_t>(y) * w, w) == GIF_ERROR)
            return {};
    }
    // Interlaced rows arrive in four passes: rows 0, 8, ...; 4, 12, ...;
    // 2, 6, ...; 1, 3, ...
    std::vector<int> rowOf(static_cast<std::size_t>(h));
    if (desc.Interlace) {
        int n = 0;
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < h; y += step[pass])
                rowOf[static_cast<std::size_t>(n++)] = y;
    } else {
        for (int y = 0; y < h; ++y)
            rowOf[static_cast<std::size_t>(y)] = y;
    }
    std::uint32_t palette[256];
    for (int i = 0; i < 256; ++i) {
        if (i == transparent || i >= map->ColorCount) {
            palette[i] = 0xffffffffu;
            continue;
        }
        const GifColorType& c = map->Colors[i];
        palette[i] = 0xff000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
    }
    Bitmap out(w, h);
    for (int n = 0; n < h; ++n) {
        std::uint32_t* row = out.row(rowOf[static_cast<std::size_t>(n)]);
        const GifPixelType* in = indices.data() + static_cast<std::size_t>(n) * w;
        for (int x = 0; x < w; ++x)
            row[x] = palette[in[x]];
    }
    return out;
}

} // namespace vlm
