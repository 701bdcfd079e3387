#include "pictures/picture_open_filter.h"

#include "pictures/picture_decoders.h"

#include "texts/picture_texts.h"

#include <array>
#include <cctype>
#include <string>

namespace vlm {

namespace {

// The remembered value of each filter entry, in the dialog's order.
constexpr std::array<int, kPictureFilterLast> kEntryValues = {
    kPictureFilterAll, 1 /* JPEG */, 8 /* PNG */, 2 /* GIF */, 3 /* BMP */, 4 /* ICO */,
    9 /* WebP */,      10 /* TIFF */, 11 /* SVG */, 5 /* EMF */, 6 /* WMF */, 7 /* documents */};

} // namespace

const char16_t* pictureOpenFilter()
{
    return texts::kPictureOpenFilter;
}

int pictureFilterPosition(int remembered)
{
    for (std::size_t i = 0; i < kEntryValues.size(); ++i)
        if (kEntryValues[i] == remembered)
            return static_cast<int>(i) + 1;
    return 1;
}

int pictureFilterValueFor(std::u16string_view fileName)
{
    const std::string ext = lowerExtension(fileName);
    const std::pair<const char*, int> values[] = {
        {"jpg", 1}, {"jpeg", 1}, {"gif", 2},  {"bmp", 3},  {"ico", 4}, {"emf", 5},  {"wmf", 6},
        {"vlmr", 7}, {"png", 8}, {"webp", 9}, {"tif", 10}, {"tiff", 10}, {"svg", 11},
    };
    for (const auto& [e, v] : values)
        if (ext == e)
            return v;
    return 0;
}

} // namespace vlm
