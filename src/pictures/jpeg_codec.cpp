#include "pictures/picture_decoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace vlm {

namespace {

// A JPEG file needs at least a few bits for every 8 x 8 block it holds; a
// file claiming far more pixels than that is not decoded at all.
constexpr std::int64_t kMaxPixelsPerByte = 4096;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated = false;
};

[[noreturn]] void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level)
{
    // Warnings only; a file that ends early is a damaged file.
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && err->pub.msg_code == JWRN_JPEG_EOF)
        err->truncated = true;
}

void Silent(j_common_ptr) {}

struct Decoder
{
    jpeg_decompress_struct info;
    ErrorManager err;
    bool cmyk = false;
};

void Create(Decoder& d)
{
    d.info.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = OnError;
    d.err.pub.emit_message = OnMessage;
    d.err.pub.output_message = Silent;
    jpeg_create_decompress(&d.info);
}

// Each step jumps back to its own frame on an error, so a longjmp never
// skips a C++ destructor; the caller owns the bitmap.
bool ReadHeader(Decoder& d, std::span<const std::uint8_t> bytes, int reduction)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    const std::int64_t claimed = std::int64_t{d.info.image_width} * d.info.image_height;
    if (claimed < 1 || claimed > static_cast<std::int64_t>(bytes.size()) * kMaxPixelsPerByte)
        return false;
    d.info.scale_num = 1;
    d.info.scale_denom = static_cast<unsigned int>(reduction);
    d.cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = d.cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    // The limit applies to what is made, not to what the file holds.
    jpeg_calc_output_dimensions(&d.info);
    if (std::int64_t{d.info.output_width} * d.info.output_height > kMaxDecodedPixels)
        return false;
    // Limits what progressive files may keep in memory at once.
    d.info.mem->max_memory_to_use = 1024L * 1024 * 1024;
    jpeg_start_decompress(&d.info);
    return d.info.output_components == 4;
}

bool ReadSize(Decoder& d, std::span<const std::uint8_t> bytes, std::int64_t& w, std::int64_t& h)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    w = d.info.image_width;
    h = d.info.image_height;
    return true;
}

bool ReadPixels(Decoder& d, Bitmap& bitmap)
{
    if (setjmp(d.err.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(bitmap.row(static_cast<int>(d.info.output_scanline)));
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return false;
        if (d.cmyk) {
            // Adobe writes CMYK inverted: each byte is 255 - ink.
            std::uint32_t* px = reinterpret_cast<std::uint32_t*>(row);
            for (JDIMENSION x = 0; x < d.info.output_width; ++x) {
                const std::uint8_t* p = reinterpret_cast<const std::uint8_t*>(px + x);
                const unsigned c = p[0], m = p[1], y = p[2], k = p[3];
                px[x] = 0xff000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (y * k / 255);
            }
        }
        if (d.err.truncated)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return !d.err.truncated;
}

} // namespace

int JpegFittingReduction(std::span<const std::uint8_t> bytes, int reduction)
{
    if (bytes.size() < 4 || (reduction != 1 && reduction != 2 && reduction != 4 && reduction != 8))
        return 0;
    Decoder d;
    Create(d);
    std::int64_t w = 0, h = 0;
    const bool read = ReadSize(d, bytes, w, h);
    jpeg_destroy_decompress(&d.info);
    if (!read || w < 1 || h < 1)
        return 0;
    // libjpeg rounds a reduced side up.
    for (int k = reduction; k <= 8; k *= 2)
        if (((w + k - 1) / k) * ((h + k - 1) / k) <= kMaxDecodedPixels)
            return k;
    return 0;
}

Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes, int reduction)
{
    if (bytes.size() < 4 || (reduction != 1 && reduction != 2 && reduction != 4 && reduction != 8))
        return {};
    Decoder d;
    Create(d);
    Bitmap out;
    if (ReadHeader(d, bytes, reduction)) {
        out = Bitmap(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height));
        if (out.isNull() || !ReadPixels(d, out))
            out = Bitmap();
    }
    jpeg_destroy_decompress(&d.info);
    return out;
}

} // namespace vlm
