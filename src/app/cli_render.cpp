#include "app/cli_commands.h"
#include "app/cli_open.h"
#include "app/cli_texts.h"

#include "model/item_list.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "pictures/picture_services.h"
#include "render/draw_item.h"
#include "render/painted_items.h"
#include "render/picture_render.h"
#include "render/raster_effects.h"
#include "texts/render_item_texts.h"

#include <QGuiApplication>
#include <QString>

#include <memory>
#include <ostream>

namespace vlm::cli {

namespace {

// A rendering of any larger page would take more memory than a picture of a
// design is worth; only a damaged header asks for it.
constexpr std::int64_t kMaxRenderPixels = 64LL * 1024 * 1024;
constexpr int kMaxRenderSide = 32767;

// Every visible Item in stacking order, as the document view paints them,
// except those still being extended.
void PaintItems(Canvas& canvas, const DrawContext& ctx, ItemList& items)
{
    for (Item* item : PaintedItems(items))
        if (item->rec.d.extending == 0)
            DrawItem(canvas, ctx, *item, false);
}

} // namespace

int RunRender(const Context& ctx, const std::vector<std::string>& args)
{
    const std::string& in = args[0];
    const std::string& out = args[1];
    Document doc;
    Item* header = openPageForCommand(ctx, in, doc);
    if (!header)
        return ExitFileFailed;
    header->rec.h.zoom = ctx.zoom;
    ApplyHeader(*header);
    const std::int32_t width = header->rec.h.width;
    const std::int32_t height = header->rec.h.height;
    if (width < 1 || height < 1) {
        ctx.err << vlm::texts::kNoPage << '\n';
        return ExitFileFailed;
    }
    if (width > kMaxRenderSide || height > kMaxRenderSide ||
        std::int64_t{width} * height > kMaxRenderPixels) {
        ctx.err << vlm::texts::kPageTooLarge << width << " x " << height << vlm::texts::kPixels << '\n';
        return ExitFileFailed;
    }

    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    Bitmap page(width, height, RGBRef(255, 255, 255));
    DrawContext dc;
    dc.zoom = ctx.zoom;
    dc.metrics = ctx.screen;
    dc.items = &doc.items;
    const std::uint8_t light = header->rec.h.lightDirection;
    dc.lightDirection = light <= 3 ? light : 0;
    // A rendering shows the design with every effect on, and Clips at full
    // quality as a window shows them once they are painted.
    const RasterEffects effects(PictureRendererFor(PictureServicesInstance()));
    dc.effects = &effects;
    {
        Canvas canvas(page);
        PaintItems(canvas, dc, doc.items);
    }
    if (!page.image().save(QString::fromStdString(out), "PNG")) {
        ctx.err << texts::kCannotWrite << out << '\n';
        return ExitFileFailed;
    }
    return ExitOk;
}

} // namespace vlm::cli
