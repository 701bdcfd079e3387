#include "output/export_picture.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "model/rounding.h"
#include "render/resample.h"

#include <algorithm>

namespace vlm {

namespace {

constexpr int kTriangleFilter = 1;

std::optional<Bitmap> Reduced(std::optional<Bitmap> sheet, QSize size, bool* tooLarge)
{
    if (!sheet)
        return sheet;
    size = size.expandedTo(QSize(1, 1));
    if (size == QSize(sheet->width(), sheet->height()))
        return sheet;
    if (static_cast<long long>(size.width()) * size.height() > kMaxSheetPixels) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    Bitmap out = resample(*sheet, size.width(), size.height(), kTriangleFilter);
    if (out.isNull())
        return std::nullopt;
    return out;
}

} // namespace

QSize ExactSize(const HeaderFields& h, const ScreenMetrics& screen)
{
    if (h.designType == DesignDigitalImages || h.designType == -DesignDigitalImages)
        return {Round(h.pageDims[DimPaperWidth]), Round(h.pageDims[DimPaperHeight])};
    return DisplaySize(ExportSizeOf(h, screen), screen);
}

std::optional<Bitmap> ExactPicture(Document& document, const SheetEnvironment& env, bool* tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    const Item* header = Header(document.items);
    if (!header)
        return std::nullopt;
    const HeaderFields h = header->rec.h;
    return Reduced(renderSheet(document, ScreenDevice(h, env.screen), std::string(), env, tooLarge),
                   ExactSize(h, env.screen), tooLarge);
}

std::optional<Bitmap> PreviewPicture(Document& document, const std::string& selection,
                                     const SheetEnvironment& env, bool* tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    const Item* header = Header(document.items);
    if (!header)
        return std::nullopt;
    const HeaderFields h = header->rec.h;
    return Reduced(renderSheet(document, ExportDevice(h, env.screen), selection, env, tooLarge),
                   DisplaySize(ExportSizeOf(h, env.screen), env.screen), tooLarge);
}

} // namespace vlm
