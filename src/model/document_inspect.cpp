#include "model/document_inspect.h"

#include "model/item.h"

#include <cstring>
#include <map>
#include <set>
#include <utility>

namespace vlm {

bool IsNote(FileProblemKind kind)
{
    return kind == FileProblemKind::StrayTail || kind == FileProblemKind::NewerVersion ||
           kind == FileProblemKind::HistoryIncluded;
}

const char* KindName(std::int32_t kind)
{
    switch (kind) {
    case KindText: return "Text";
    case KindLine: return "Line";
    case KindTriangle: return "Triangle";
    case KindSquare: return "Square";
    case KindRectangle: return "Rectangle";
    case KindCircle: return "Circle";
    case KindEllipse: return "Ellipse";
    case KindPolygon: return "Polygon";
    case KindStar: return "Star";
    case KindPie: return "Pie";
    case KindArc: return "Arc";
    case KindSpline: return "Spline";
    case KindCurve: return "Curve";
    case KindClip: return "Clip";
    case KindGroup: return "Group";
    case KindDocumentHeader: return "DocumentHeader";
    case KindDeletionMarker: return "DeletionMarker";
    case KindGridLines: return "GridLines";
    case KindPicture: return "Picture";
    default: return "";
    }
}

namespace {

// Cross-record facts, settled once the whole file was walked.
struct Checker {
    explicit Checker(std::vector<FileProblem>& problems) : out(problems) {}

    std::vector<FileProblem>& out;
    std::int32_t headers = 0;
    std::int32_t visibleGrids = 0;
    std::set<std::int32_t> pictureIds;
    std::set<std::int32_t> patternKinds;
    std::vector<std::pair<std::int32_t, std::int32_t>> clipsUsing;    // record, picture id
    std::vector<std::pair<std::int32_t, std::int32_t>> linesUsing;    // record, pattern

    void add(FileProblemKind k, std::int32_t record, std::int64_t value = 0, std::int32_t blob = -1,
             std::int64_t extra = 0)
    {
        out.push_back(FileProblem{k, record, blob, value, extra});
    }

    void record(const InspectedRecord& r)
    {
        const DrawingFields& d = r.rec->d;
        if (d.signature != kSignature)
            add(FileProblemKind::BadSignature, r.index, d.signature);
        const bool knownRole = d.role == RoleDrawing || d.role == RolePattern || d.role == RolePicture ||
                               d.role == RoleHeader;
        if (!knownRole)
            add(FileProblemKind::UnknownRole, r.index, d.role);
        else if (d.kind >= 0 && KindName(d.kind)[0] == '\0')
            add(FileProblemKind::UnknownKind, r.index, d.kind);

        if (d.kind == KindDocumentHeader) {
            if (headers > 0)
                add(FileProblemKind::ExtraHeader, r.index);
            else if (r.index != 0)
                add(FileProblemKind::HeaderNotFirst, r.index);
            else {
                if (r.rec->h.formatVersion > kFormatVersion)
                    add(FileProblemKind::NewerVersion, r.index, r.rec->h.formatVersion);
                if (r.rec->h.historyIncluded != 0)
                    add(FileProblemKind::HistoryIncluded, r.index);
            }
            ++headers;
        }
        if (d.kind == KindGridLines && d.hidden == 0 && ++visibleGrids > 1)
            add(FileProblemKind::ExtraVisibleGrid, r.index);
        if (d.kind == KindPicture && !pictureIds.insert(+d.pictureId).second)
            add(FileProblemKind::DuplicatePictureId, r.index, d.pictureId);
        if (d.role == RolePattern && !patternKinds.insert(+d.kind).second)
            add(FileProblemKind::DuplicatePattern, r.index, d.kind);
        if (d.kind == KindClip && d.hidden == 0)
            clipsUsing.emplace_back(r.index, +d.pictureId);
        if (d.kind == KindLine && d.hidden == 0 && d.pattern < 0)
            linesUsing.emplace_back(r.index, +d.pattern);
        if (r.badGridEntries > 0)
            add(FileProblemKind::BadGridEntries, r.index, r.badGridEntries);

        for (int i = 0; i < r.blobCount; ++i) {
            const InspectedBlob& b = r.blobs[i];
            if (b.status == BlobStatus::OutOfRange)
                add(FileProblemKind::BlobOutOfRange, r.index, b.declared, i);
            if (b.status != BlobStatus::Read)
                continue;
            const bool text = b.use == BlobUse::HeaderText || b.use == BlobUse::Text ||
                              b.use == BlobUse::PictureName;
            if (text && b.declared % 2 != 0)
                add(FileProblemKind::OddTextBlob, r.index, b.declared, i);
            if ((b.use == BlobUse::Vertices && b.declared % kVertexSize != 0) ||
                (b.use == BlobUse::GridLines && b.declared % 8 != 0))
                add(FileProblemKind::RaggedBlob, r.index, b.declared, i);
        }
    }

    void finish()
    {
        if (headers == 0)
            add(FileProblemKind::NoHeader, -1);
        if (visibleGrids == 0)
            add(FileProblemKind::NoVisibleGrid, -1);
        for (auto [index, id] : clipsUsing)
            if (!pictureIds.count(id))
                add(FileProblemKind::MissingPicture, index, id);
        for (auto [index, pattern] : linesUsing)
            if (!patternKinds.count(pattern))
                add(FileProblemKind::MissingPattern, index, pattern);
    }
};

std::int32_t CountBadGridEntries(const std::vector<std::uint8_t>& blob)
{
    std::int32_t bad = 0;
    for (std::size_t i = 0; i + 8 <= blob.size(); i += 8) {
        std::int32_t orientation;
        std::memcpy(&orientation, blob.data() + i, sizeof orientation);
        if (orientation != GridVertical && orientation != GridHorizontal)
            ++bad;
    }
    return bad;
}

} // namespace

FileInspection InspectDocumentFile(const std::string& path,
                                   const std::function<void(const InspectedRecord&)>& onRecord)
{
    FileInspection result;
    RecordSource src;
    if (!src.open(path, result.error))
        return result;
    result.opened = true;
    result.size = src.size();

    Checker check(result.problems);
    ItemRecord rec;
    std::vector<std::uint8_t> grid;
    bool ended = false;
    while (!ended) {
        const std::uint64_t offset = src.position();
        if (!src.readRecord(rec))
            break;
        InspectedRecord r{result.records++, offset, &rec, 0, {}, 0};
        const BlobPlan plan = PlanBlobs(rec);
        r.blobCount = plan.count;
        for (int i = 0; i < plan.count; ++i) {
            const PlannedBlob& b = plan.blobs[i];
            InspectedBlob& ib = r.blobs[i];
            ib = InspectedBlob{b.use, b.length, BlobStatus::None};
            if (ended) {
                ib.status = b.length > 0 ? BlobStatus::NotReached : BlobStatus::None;
                continue;
            }
            if (b.length <= 0)
                continue;
            if (!b.taken) {
                ib.status = BlobStatus::OutOfRange;
                continue;
            }
            const bool keep = b.use == BlobUse::GridLines;
            const std::uint64_t left = src.remaining();
            grid.clear();
            if (src.readBlob(b.length, keep ? &grid : nullptr) == RecordSource::Blob::Complete) {
                ib.status = BlobStatus::Read;
                if (keep)
                    r.badGridEntries = CountBadGridEntries(grid);
            } else {
                ib.status = BlobStatus::Short;
                check.add(FileProblemKind::BlobShort, r.index, b.length, i, static_cast<std::int64_t>(left));
                ended = true;
            }
        }
        check.record(r);
        if (onRecord)
            onRecord(r);
    }
    if (!src.error().empty()) {
        result.opened = false;
        result.error = src.error();
        return result;
    }
    if (src.remaining() > 0)
        check.add(FileProblemKind::StrayTail, -1, static_cast<std::int64_t>(src.remaining()));
    check.finish();
    return result;
}

} // namespace vlm
