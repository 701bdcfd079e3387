#include "app/cli_commands.h"
#include "app/cli_open.h"
#include "app/cli_texts.h"

#include "model/item_list.h"
#include "output/data_file.h"
#include "output/merge_files.h"
#include "texts/merge_texts.h"
#include "texts/render_item_texts.h"

#include <QFileInfo>

#include <ostream>

namespace vlm::cli {

namespace {

enum class MergeOutput { Pdf, Pictures, Other };

MergeOutput mergeOutputOf(const std::string& fileName)
{
    const QString suffix = QFileInfo(QString::fromStdString(fileName)).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return MergeOutput::Pdf;
    for (const char* picture : {"png", "jpg", "jpeg", "bmp"})
        if (suffix == QLatin1String(picture))
            return MergeOutput::Pictures;
    return MergeOutput::Other;
}

} // namespace

int runMerge(const Context& ctx, const std::vector<std::string>& args)
{
    const std::string& in = args[0];
    const std::string& data = args[1];
    const std::string& out = args[2];
    const MergeOutput output = mergeOutputOf(out);
    if (output == MergeOutput::Other) {
        ctx.err << texts::kMergeNeedsOutput << out << '\n' << texts::kSeeHelp << '\n';
        return ExitUsage;
    }
    Document doc;
    if (!openPageForCommand(ctx, in, doc))
        return ExitFileFailed;
    // The whole table is read before the first page: a data file changed
    // meanwhile changes nothing printed.
    DataTable table;
    std::string error;
    if (!readDataFile(data, table, error)) {
        ctx.err << error << '\n';
        return ExitFileFailed;
    }
    if (table.records.empty()) {
        ctx.err << vlm::texts::kDataNoRecords << '\n';
        return ExitFileFailed;
    }
    const MergeRange range{ctx.first, ctx.last, ctx.copies};
    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    MergedSheets sheets(doc, table, ctx.cells, range, CommandLineSheetEnvironment(ctx));
    if (sheets.jobs() == 0) {
        ctx.err << vlm::texts::kDataBadRange << '\n';
        return ExitUsage;
    }
    std::size_t count = 0;
    const bool written =
        output == MergeOutput::Pdf
            ? writeMergedPdf(sheets, out, QFileInfo(QString::fromStdString(in)).completeBaseName(), error,
                             &count)
            : writeMergedPictures(sheets, out, error, &count);
    if (!written) {
        ctx.err << error << '\n';
        return ExitFileFailed;
    }
    ctx.out << count << (output == MergeOutput::Pdf ? texts::kMergePages : texts::kMergePictures) << '\n';
    return ExitOk;
}

} // namespace vlm::cli
