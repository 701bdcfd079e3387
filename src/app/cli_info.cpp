#include "app/cli_commands.h"
#include "app/cli_inspect.h"
#include "app/cli_texts.h"

#include "model/document_file.h"
#include "model/item_list.h"
#include "model/rounding.h"
#include "pictures/picture_decoders.h"
#include "pictures/svg_picture.h"

#include <QString>

#include <algorithm>
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

// Reads everything, whatever the file's state: info only looks.
class QuietPrompts final : public FilePrompts {
public:
    bool askOpenInvalidFile() override { return true; }
    void warnNewerVersion() override {}
    void reportReadError(const std::string&) override {}
};

// Each Picture record: its number, format, size and file name, and the
// Clips that show it.
void PrintPictures(const Context& ctx, const std::string& path)
{
    ItemList items(ctx.screen);
    QuietPrompts prompts;
    if (!ReadDocument(path, items, prompts))
        return;
    for (const Item& picture : items) {
        const DrawingFields& d = picture.rec.d;
        if (d.kind != KindPicture)
            continue;
        ctx.out << "picture " << d.pictureId << ": " << PictureFormatName(d.clipShape);
        // A vector picture is not played here (its text would need the
        // font system): its natural size is what it says of itself.
        QSize size;
        if (isVectorPicture(d.clipShape)) {
            const SvgFacts facts = inspectSvg(picture.pictureData);
            if (facts.usable)
                size = QSize(std::max(1, Round(facts.size.width())), std::max(1, Round(facts.size.height())));
        } else {
            const Bitmap decoded = DecodePicture(picture.pictureData, d.clipShape).bitmap;
            size = decoded.isNull() ? QSize() : decoded.image().size();
        }
        if (size.isEmpty())
            ctx.out << texts::kPictureUndecodable;
        else
            ctx.out << ' ' << size.width() << " x " << size.height();
        ctx.out << ", " << picture.pictureData.size() << "B, \"" << QString::fromStdU16String(picture.text).toStdString()
                << '"';
        bool any = false;
        for (const Item& clip : items) {
            if (clip.rec.d.kind != KindClip || clip.rec.d.pictureId != d.pictureId)
                continue;
            ctx.out << (any ? ", " : texts::kPictureUsedBy) << "seq " << clip.rec.d.sequence
                    << (clip.rec.d.hidden ? " (hidden)" : "");
            any = true;
        }
        if (!any)
            ctx.out << texts::kPictureUnused;
        ctx.out << '\n';
    }
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
    PrintPictures(ctx, args[0]);
    return ExitOk;
}

} // namespace vlm::cli
