#include "app/cli_commands.h"
#include "app/cli_open.h"
#include "app/cli_texts.h"

#include "model/item_list.h"
#include "model/rounding.h"
#include "output/pdf_sheet_sink.h"
#include "output/render_sheet.h"
#include "texts/output_texts.h"
#include "texts/render_item_texts.h"

#include <QFileInfo>

#include <ostream>

namespace vlm::cli {

int RunPrint(const Context& ctx, const std::vector<std::string>& args)
{
    if (ctx.pdf.empty()) {
        ctx.err << texts::kPrintNeedsPdf << '\n' << texts::kSeeHelp << '\n';
        return ExitUsage;
    }
    Document doc;
    const Item* header = openPageForCommand(ctx, args[0], doc);
    if (!header)
        return ExitFileFailed;
    const HeaderFields& h = header->rec.h;
    const int dpi = Round(ctx.printerDpi);
    // A PDF page has no unprintable border: the sheet is the whole paper.
    const int width = Round(ToInchesX(h, h.pageDims[DimPaperWidth], ctx.screen) * dpi);
    const int height = Round(ToInchesY(h, h.pageDims[DimPaperHeight], ctx.screen) * dpi);
    const SheetDevice device = PrinterDevice(dpi, dpi, width, height, 0, 0);

    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    PdfFileSheetSink sink(QString::fromStdString(ctx.pdf), QFileInfo(QString::fromStdString(args[0])).completeBaseName(), dpi,
                          device.width, device.height);
    switch (PrintSheet(doc, device, ctx.cells, CommandLineSheetEnvironment(ctx), sink)) {
    case PrintOutcome::Printed:
        return ExitOk;
    case PrintOutcome::TooLarge:
        ctx.err << vlm::texts::kSheetTooLarge << '\n';
        return ExitFileFailed;
    case PrintOutcome::NoHeader:
        ctx.err << vlm::texts::kNoPage << '\n';
        return ExitFileFailed;
    case PrintOutcome::JobFailed:
        break;
    }
    ctx.err << texts::kCannotWrite << ctx.pdf << '\n';
    return ExitFileFailed;
}

} // namespace vlm::cli
