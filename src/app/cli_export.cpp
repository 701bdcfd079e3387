#include "app/cli_commands.h"
#include "app/cli_open.h"
#include "app/cli_texts.h"

#include "model/item_list.h"
#include "output/export_picture.h"
#include "output/image_files.h"
#include "output/vector_files.h"
#include "pictures/picture_services.h"
#include "texts/output_texts.h"
#include "texts/render_item_texts.h"

#include <QFileInfo>

#include <ostream>

namespace vlm::cli {

SheetEnvironment CommandLineSheetEnvironment(const Context& ctx)
{
    SheetEnvironment env;
    env.screen = ctx.screen;
    env.pictures = PictureRendererFor(PictureServicesInstance());
    return env;
}

int RunExport(const Context& ctx, const std::vector<std::string>& args)
{
    const std::string& in = args[0];
    const std::string& out = args[1];
    const bool smooth = ctx.mode == "smooth";
    if (!smooth && !ctx.mode.empty() && ctx.mode != "exact") {
        ctx.err << texts::kNeedsMode << '\n' << texts::kSeeHelp << '\n';
        return ExitUsage;
    }
    Document doc;
    if (!openPageForCommand(ctx, in, doc))
        return ExitFileFailed;
    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    const SheetEnvironment env = CommandLineSheetEnvironment(ctx);
    // A PDF or an SVG drawing is the vector sheet, cells as for printing.
    if (VectorFormat vector; vectorFormatOf(out, vector)) {
        std::string error;
        const QString title = QFileInfo(QString::fromStdString(in)).completeBaseName();
        if (!writeVectorSheet(doc, ctx.cells, env, out, vector, title, error)) {
            ctx.err << error << '\n';
            return ExitFileFailed;
        }
        return ExitOk;
    }
    bool tooLarge = false;
    // "Exact" prints every cell; the preview's picture honours the selection.
    const std::optional<Bitmap> picture =
        smooth ? PreviewPicture(doc, ctx.cells, env, &tooLarge) : ExactPicture(doc, env, &tooLarge);
    if (!picture) {
        ctx.err << (tooLarge ? vlm::texts::kSheetTooLarge : vlm::texts::kNoPage) << '\n';
        return ExitFileFailed;
    }
    std::string error;
    if (!WriteExport(*picture, out, ExportFormatOf(out, true), ctx.screen.dpiX, error)) {
        ctx.err << error << '\n';
        return ExitFileFailed;
    }
    return ExitOk;
}

} // namespace vlm::cli
