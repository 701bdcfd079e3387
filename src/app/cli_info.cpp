#include "app/cli_commands.h"
#include "app/cli_inspect.h"
#include "app/cli_texts.h"


#include <cstring>
#include <optional>
#include <ostream>

namespace vlm::cli {

namespace {

void PrintRole(std::ostream& out, std::int32_t role)
{
    switch (role) {
    case RoleDrawing: out << "drawing"; break;
    case RolePattern: out << "pattern"; break;
    case RolePicture: out << "picture"; break;
    case RoleHeader: out << "header"; break;
    default: out << "role " << role; break;
    }
}

void PrintKind(std::ostream& out, std::int32_t kind)
{
    const char* name = KindName(kind);
    if (*name)
        out << name;
    else if (kind < 0)
        out << "Pattern" << kind;
    else
        out << "kind " << kind;
}

void PrintBlob(std::ostream& out, const InspectedBlob& b)
{
    switch (b.use) {
    case BlobUse::HeaderText: out << "page texts "; break;
    case BlobUse::Text: out << "text "; break;
    case BlobUse::TextExtra: out << "extra "; break;
    case BlobUse::Vertices: out << "vertices " << b.declared / kVertexSize << ' '; break;
    case BlobUse::GridLines: out << "grid lines " << b.declared / 8 << ' '; break;
    case BlobUse::PictureData: out << "picture "; break;
    case BlobUse::PictureName: out << "name "; break;
    }
    out << b.declared << 'B';
    switch (b.status) {
    case BlobStatus::OutOfRange: out << " (out of range, not read)"; break;
    case BlobStatus::Short: out << " (cut short)"; break;
    case BlobStatus::NotReached: out << " (not reached)"; break;
    default: break;
    }
}

void PrintRecord(std::ostream& out, const InspectedRecord& r)
{
    const DrawingFields& d = r.rec->d;
    out << '#' << r.index << " @" << r.offset << ' ';
    PrintRole(out, d.role);
    out << ' ';
    PrintKind(out, d.kind);
    if (d.role == RoleDrawing)
        out << " seq " << d.sequence << " step " << d.editStep;
    if (d.role != RolePattern)
        out << " (" << d.x1 << ',' << d.y1 << ")-(" << d.x2 << ',' << d.y2 << ')';
    if (d.hidden)
        out << " hidden";
    bool first = true;
    for (int i = 0; i < r.blobCount; ++i) {
        if (r.blobs[i].status == BlobStatus::None)
            continue;
        out << (first ? " | " : ", ");
        first = false;
        PrintBlob(out, r.blobs[i]);
    }
    out << '\n';
}

void PrintHeader(std::ostream& out, const HeaderFields& h)
{
    out << "unit: ";
    if (h.units >= 1 && h.units <= 3)
        out << texts::kUnitNames[h.units - 1];
    else
        out << h.units;
    out << "  zoom: " << h.zoom * 100.0 << "%  format version: " << h.formatVersion << '\n';
    out << "design area: origin " << h.originX << ", " << h.originY << "  size " << h.areaWidth << " x "
        << h.areaHeight << "  grid " << h.gridSpacingX << " x " << h.gridSpacingY << '\n';
    // Indexing the packed array directly; a pointer into it would be misaligned.
    const auto p = [&h](int i) { return h.pageDims[i]; };
    out << "page setup: design type " << h.designType << ", orientation " << h.orientation
        << ", quick-select " << h.quickSelect << '\n'
        << "  paper " << p(DimPaperWidth) << " x " << p(DimPaperHeight) << ", card " << p(DimCardWidth)
        << " x " << p(DimCardHeight) << '\n'
        << "  margins left " << p(DimMarginLeft) << " top " << p(DimMarginTop) << " right "
        << p(DimMarginRight) << " bottom " << p(DimMarginBottom) << '\n'
        << "  rows " << h.rows << " columns " << h.columns << ", gaps row " << p(DimRowGap) << " column "
        << p(DimColumnGap) << ", folds row " << int{h.rowFold} << " column " << int{h.columnFold} << '\n';
}

} // namespace

int RunInfo(const Context& ctx, const std::vector<std::string>& args)
{
    std::optional<HeaderFields> header;
    FileInspection r;
    const auto print = [&](const InspectedRecord& rec) {
        PrintRecord(ctx.out, rec);
        if (rec.rec->d.kind == KindDocumentHeader && !header)
            header = rec.rec->h;
    };
    if (!InspectForCommand(ctx, args[0], print, r))
        return ExitFileFailed;
    ctx.out << r.records << " records, " << r.size << " bytes\n";
    if (header)
        PrintHeader(ctx.out, *header);
    else
        ctx.out << texts::kNoHeader << '\n';
    return ExitOk;
}

} // namespace vlm::cli
