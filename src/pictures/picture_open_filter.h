#pragma once

// The open dialog of "Insert picture": its filter, "All pictures" first and
// then one entry per format, and the remembered choice ("picndx").
//
// The remembered value keeps the numbers it always had (1 JPEG, 2 GIF, 3 BMP,
// 4 ICO, 5 EMF, 6 WMF, 7 documents), so settings written before the newer
// formats existed still select the same entry; the newer entries continue
// the numbering (8 PNG, 9 WebP, 10 TIFF, 11 SVG, 12 "All pictures"), which
// an older program reads as out of range and replaces by its default.

#include <string_view>

namespace vlm {

inline constexpr int kPictureFilterAll = 12;
inline constexpr int kPictureFilterLast = 12;

// The dialog's filter text in the "Name|pattern|..." form.
const char16_t* pictureOpenFilter();

// The filter entry (1-based, as the dialog counts) a remembered value
// selects; "All pictures" for a value outside 1..12.
int pictureFilterPosition(int remembered);

// The value to remember for a chosen file: the entry of its extension;
// 0 when no entry names it.
int pictureFilterValueFor(std::u16string_view fileName);

} // namespace vlm
