#include "output/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vlm {

namespace {

struct ErrorJump
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

bool EncodeInto(const Bitmap& bitmap, int quality, unsigned char** buffer, unsigned long* size)
{
    jpeg_compress_struct info;
    ErrorJump err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = Silent;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(bitmap.width());
    info.image_height = static_cast<JDIMENSION>(bitmap.height());
    // Rows are 0xffRRGGBB words: B, G, R, X in memory.
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    // The defaults are baseline: one sequential scan, Huffman tables
    // optimised by no one, readable by every decoder.
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            reinterpret_cast<const JSAMPLE*>(bitmap.row(static_cast<int>(info.next_scanline))));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality)
{
    if (bitmap.isNull())
        return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeInto(bitmap, quality, &buffer, &size);
    std::vector<std::uint8_t> out;
    if (ok && buffer)
        out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace vlm
