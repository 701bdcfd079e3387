#include "model/document_file.h"

#include "model/random.h"
#include "model/record_stream.h"
#include "model/rounding.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <set>
#include <system_error>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define VLM_HAVE_FSYNC 1
#endif

namespace vlm {

namespace fs = std::filesystem;

namespace {

// ----------------------------------------------------------------------------
// Writing

class FileWriter {
public:
    explicit FileWriter(std::FILE* f) : f_(f) {}
    bool ok() const { return ok_; }
    void bytes(const void* p, std::size_t n)
    {
        if (ok_ && n > 0 && std::fwrite(p, 1, n, f_) != n)
            ok_ = false;
    }
    void int32(std::int32_t v) { bytes(&v, sizeof v); }
    void text(std::u16string_view s)
    {
        char buf[4096];
        std::size_t used = 0;
        for (char16_t c : s) {
            buf[used++] = static_cast<char>(c & 0xFF);
            buf[used++] = static_cast<char>(c >> 8);
            if (used == sizeof buf) {
                bytes(buf, used);
                used = 0;
            }
        }
        bytes(buf, used);
    }

private:
    std::FILE* f_;
    bool ok_ = true;
};

// The characters of a text that go to the file: up to the first zero, and
// never so many that the reader would refuse the blob.
std::u16string_view StoredText(const Item& item)
{
    std::size_t n = static_cast<std::size_t>(std::min(TextLength(item), kMaxStoredTextChars));
    if (n > 0 && n == static_cast<std::size_t>(kMaxStoredTextChars) && item.text[n - 1] >= 0xD800 &&
        item.text[n - 1] <= 0xDBFF)
        --n;
    return std::u16string_view(item.text.data(), n);
}

bool KeptOnSave(const Item& item, const std::set<std::int32_t>& picturesInUse)
{
    const DrawingFields& d = item.rec.d;
    switch (d.role) {
    case RoleDrawing:
        if (d.hidden != 0 || d.kind == KindDeletionMarker)
            return false;
        return d.kind != KindText || LineCount(item) > 0;
    case RolePicture:
        return picturesInUse.count(+d.pictureId) > 0;
    case RolePattern:
    case RoleHeader:
        return true;
    default:
        return false;
    }
}

std::int64_t ByteLength(std::size_t count, std::size_t each)
{
    return static_cast<std::int64_t>(count) * static_cast<std::int64_t>(each);
}

bool FitsInt32(std::int64_t n)
{
    return n <= std::numeric_limits<std::int32_t>::max();
}

bool WriteRecord(FileWriter& out, Item& item)
{
    DrawingFields& d = item.rec.d;
    const std::int32_t kind = d.kind;
    if (kind == KindDocumentHeader || kind == KindText) {
        const std::u16string_view text = StoredText(item);
        d.blobLength = static_cast<std::int32_t>(2 * text.size());
        if (kind == KindText)
            d.extraLength1 = d.extraLength2 = 0;
        out.bytes(item.rec.bytes, kRecordSize);
        out.text(text);
    } else if (IsShapeKind(kind)) {
        const std::int64_t n = ByteLength(item.vertices.size(), kVertexSize);
        if (!FitsInt32(n))
            return false;
        d.blobLength = static_cast<std::int32_t>(n);
        out.bytes(item.rec.bytes, kRecordSize);
        out.bytes(item.vertices.data(), static_cast<std::size_t>(n));
    } else if (kind == KindGridLines) {
        std::vector<std::int32_t> entries;
        for (const auto* lines : {&item.verticalGridLines, &item.horizontalGridLines}) {
            const GridOrientation o = lines == &item.verticalGridLines ? GridVertical : GridHorizontal;
            for (const GridLine& g : *lines) {
                if (g.deleted)
                    continue;
                entries.push_back(o);
                entries.push_back(GridLinePosition(o, g));
            }
        }
        const std::int64_t n = ByteLength(entries.size(), sizeof(std::int32_t));
        if (!FitsInt32(n))
            return false;
        d.blobLength = static_cast<std::int32_t>(n);
        out.bytes(item.rec.bytes, kRecordSize);
        out.bytes(entries.data(), static_cast<std::size_t>(n));
    } else if (kind == KindPicture) {
        const std::u16string_view name = StoredText(item);
        if (!FitsInt32(static_cast<std::int64_t>(item.pictureData.size())))
            return false;
        d.blobLength = static_cast<std::int32_t>(item.pictureData.size());
        d.length = static_cast<std::int32_t>(2 * name.size());
        out.bytes(item.rec.bytes, kRecordSize);
        out.bytes(item.pictureData.data(), item.pictureData.size());
        out.text(name);
    } else {
        out.bytes(item.rec.bytes, kRecordSize);
    }
    return out.ok();
}

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f)
            std::fclose(f);
    }
};

// A name beside the target that no other file has; created exclusively.
std::unique_ptr<std::FILE, FileCloser> CreateTemporary(const fs::path& target, fs::path& tmp)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(Random(0x7FFFFFFF)));
        tmp = target;
        tmp += suffix;
        std::unique_ptr<std::FILE, FileCloser> f(std::fopen(tmp.c_str(), "wbx"));
        if (f)
            return f;
        if (errno != EEXIST)
            break;
    }
    return nullptr;
}

// The file a save writes: where a chain of symbolic links ends, even when
// the last one points at nothing yet; false for a loop of links.
bool SaveTarget(fs::path name, fs::path& target)
{
    std::error_code ec;
    for (int hops = 0; hops < 40; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(name, ec))) {
            target = name;
            return true;
        }
        const fs::path next = fs::read_symlink(name, ec);
        if (ec)
            return false;
        name = next.is_absolute() ? next : name.parent_path() / next;
    }
    return false;
}

// Whether `name` is one of CreateTemporary's names for `target`.
bool IsTemporaryOf(const std::string& name, const std::string& target)
{
    constexpr std::size_t kHex = 8;
    if (name.size() != target.size() + 1 + kHex + 4 || name.compare(0, target.size(), target) != 0 ||
        name[target.size()] != '.' || name.compare(name.size() - 4, 4, ".tmp") != 0)
        return false;
    for (std::size_t i = target.size() + 1; i < target.size() + 1 + kHex; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// Temporaries an interrupted save of `target` left beside it.
void RemoveStaleTemporaries(const fs::path& target)
{
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string own = target.filename().string();
    fs::directory_iterator it(folder, ec), end;
    std::vector<fs::path> stale;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (IsTemporaryOf(it->path().filename().string(), own) &&
            fs::is_regular_file(fs::symlink_status(it->path(), statusError)))
            stale.push_back(it->path());
    }
    for (const fs::path& p : stale)
        fs::remove(p, ec);
}

bool CloseDurably(std::unique_ptr<std::FILE, FileCloser>& f)
{
    bool ok = std::fflush(f.get()) == 0;
#ifdef VLM_HAVE_FSYNC
    ok = ok && ::fsync(::fileno(f.get())) == 0;
#endif
    std::FILE* raw = f.release();
    return std::fclose(raw) == 0 && ok;
}

} // namespace

bool WriteDocument(const std::string& fileName, ItemList& list)
{
    Item* header = Header(list);
    if (!header || fileName.empty())
        return false;
    header->rec.h.historyIncluded = 0;

    std::error_code ec;
    // Saving through a link replaces the file it points to, not the link.
    fs::path target;
    if (!SaveTarget(fs::path(fileName), target))
        return false;

    fs::path tmp;
    auto f = CreateTemporary(target, tmp);
    if (!f)
        return false;
    std::setvbuf(f.get(), nullptr, _IOFBF, 1 << 16);

    std::set<std::int32_t> picturesInUse;
    for (const Item& it : list)
        if (it.rec.d.kind == KindClip && it.rec.d.hidden == 0)
            picturesInUse.insert(+it.rec.d.pictureId);

    // The header and the grid in use lead the file, whatever grid versions
    // an edit appended behind the Items.
    Item* grid = FindVisibleByKind(list, KindGridLines);
    std::vector<Item*> order;
    order.reserve(list.size());
    order.push_back(header);
    if (grid)
        order.push_back(grid);
    for (Item& it : list)
        if (&it != header && &it != grid)
            order.push_back(&it);

    FileWriter out(f.get());
    bool ok = true;
    for (Item* record : order) {
        Item& it = *record;
        it.rec.d.signature = kSignature;
        if (it.rec.d.kind == KindDocumentHeader)
            it.rec.h.formatVersion = kFormatVersion;
        if (!KeptOnSave(it, picturesInUse))
            continue;
        if (!WriteRecord(out, it)) {
            ok = false;
            break;
        }
    }
    ok = CloseDurably(f) && ok;

    if (ok) {
        const fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old))
            fs::permissions(tmp, old.permissions(), ec);
        fs::rename(tmp, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(tmp, ec);
        return false;
    }
    RemoveStaleTemporaries(target);
    SetModified(list, false);
    return true;
}

bool SaveToExisting(Document& doc)
{
    std::error_code ec;
    if (doc.fileName.empty() || !fs::exists(fs::path(doc.fileName), ec))
        return false;
    return WriteDocument(doc.fileName, doc.items);
}

// ----------------------------------------------------------------------------
// Reading

namespace {

bool IsBlank(const std::string& s)
{
    return s.find_first_not_of(" \t") == std::string::npos;
}

void SetPixelsPerUnit(HeaderFields& h, const ScreenMetrics& m)
{
    switch (h.units) {
    case 1:
        h.pixelsPerUnitX = h.pixelsPerUnitY = 1.0;
        break;
    case 2:
        h.pixelsPerUnitX = m.pxPerMmX;
        h.pixelsPerUnitY = m.pxPerMmY;
        break;
    case 3:
        h.pixelsPerUnitX = m.dpiX;
        h.pixelsPerUnitY = m.dpiY;
        break;
    default:
        break;
    }
}

void GridLinesFromBlob(Item& grid, const std::vector<std::uint8_t>& blob)
{
    const std::size_t n = blob.size() / 8;
    for (std::size_t i = 0; i < n; ++i) {
        std::int32_t e[2];
        std::memcpy(e, blob.data() + 8 * i, sizeof e);
        if (e[0] == GridVertical)
            grid.verticalGridLines.push_back(MakeGridLine(GridVertical, e[1]));
        else if (e[0] == GridHorizontal)
            grid.horizontalGridLines.push_back(MakeGridLine(GridHorizontal, e[1]));
    }
}

void VerticesFromBlob(Item& shape, const std::vector<std::uint8_t>& blob)
{
    shape.vertices.resize(blob.size() / kVertexSize);
    if (!shape.vertices.empty())
        std::memcpy(shape.vertices.data(), blob.data(), shape.vertices.size() * kVertexSize);
}

// A file without a DocumentHeader still opens as a Document the rest of the
// program can work with: a page in pixels that holds every Item, and a grid.
void AddMissingHeader(ItemList& list, bool hasHeader)
{
    ItemList scratch(list.metrics());
    if (!hasHeader) {
        std::int32_t right = 200, bottom = 200;
        for (const Item& it : list) {
            if (it.rec.d.role == RoleDrawing && it.rec.d.hidden == 0) {
                right = std::max(right, +it.rec.d.right);
                bottom = std::max(bottom, +it.rec.d.bottom);
            }
        }
        Item& h = NewItem(scratch, KindDocumentHeader);
        std::memset(h.rec.bytes + 116, 0, kRecordSize - 116);
        HeaderFields& hf = h.rec.h;
        hf.windowId = Random(2147483647);
        hf.zoom = 1.0;
        hf.units = 1;
        hf.pixelsPerUnitX = hf.pixelsPerUnitY = 1.0;
        hf.angles = 1;
        hf.areaWidth = right;
        hf.areaHeight = bottom;
        hf.gridSpacingX = hf.gridSpacingY = 25.0;
        hf.anchorsH = hf.anchorsV = 1;
        hf.pageDims[DimPaperWidth] = hf.pageDims[DimPaperHeight] = 200.0;
        hf.formatVersion = kFormatVersion;
        ApplyHeader(h);
    }
    const HeaderFields& page = hasHeader ? Header(list)->rec.h : Header(scratch)->rec.h;
    Item& grid = NewItem(scratch, KindGridLines);
    grid.rec.d.historyState = 0;
    FillInitialGridLines(grid, page);
    grid.rec.d.sequence = NextSequence(list);

    if (hasHeader) {
        list.append(scratch.unlink(grid));
    } else {
        Item& h = *Header(scratch);
        list.prepend(scratch.unlink(grid));
        list.prepend(scratch.unlink(h));
    }
}

bool HasVisibleGrid(const ItemList& list)
{
    for (const Item& it : list)
        if (it.rec.d.kind == KindGridLines && it.rec.d.role == RoleDrawing && it.rec.d.hidden == 0)
            return true;
    return false;
}

} // namespace

bool ReadDocument(const std::string& fileName, ItemList& list, FilePrompts& prompts)
{
    if (IsBlank(fileName))
        return false;
    std::error_code ec;
    if (!fs::exists(fs::path(fileName), ec))
        return false;

    RecordSource src;
    std::string error;
    if (!src.open(fileName, error)) {
        prompts.reportReadError(error);
        return false;
    }

    ItemList loaded(list.metrics());
    const ScreenMetrics& m = loaded.metrics();
    std::int64_t sequence = 0;
    bool checking = true;
    bool acceptedInvalid = false;
    std::uint8_t historyIncluded = 0;
    std::int32_t version = 0;
    bool hasHeader = false;
    std::vector<std::uint8_t> blob;

    ItemRecord rec;
    while (src.readRecord(rec)) {
        // Filled before it joins the list, so the list indexes it once.
        auto fresh = std::make_unique<Item>();
        Item& it = *fresh;
        it.rec = rec;
        DrawingFields& d = it.rec.d;

        if (checking && d.signature != kSignature) {
            if (!prompts.askOpenInvalidFile())
                return false;
            checking = false;
            acceptedInvalid = true;
        }

        bool complete = true;
        bool renumber = true;
        const BlobPlan plan = PlanBlobs(it.rec);
        const auto take = [&](int i, bool keep) {
            const PlannedBlob& b = plan.blobs[i];
            if (!complete || !b.taken)
                return false;
            blob.clear();
            complete = src.readBlob(b.length, keep ? &blob : nullptr) == RecordSource::Blob::Complete;
            return complete;
        };

        if (d.kind == KindDocumentHeader) {
            // Only its role makes a header survive the next save.
            d.role = RoleHeader;
            hasHeader = true;
            version = it.rec.h.formatVersion;
            historyIncluded = it.rec.h.historyIncluded;
            if (take(0, true))
                SetText(it, TextFromBlob(blob));
            SetPixelsPerUnit(it.rec.h, m);
            ApplyHeader(it);
            renumber = false;
        } else if (d.kind == KindText) {
            RecomputeFromReals(it, m);
            if (take(0, true))
                SetText(it, TextFromBlob(blob));
            take(1, false);
            take(2, false);
        } else if (IsShapeKind(d.kind)) {
            RecomputeFromReals(it, m);
            if (take(0, true))
                VerticesFromBlob(it, blob);
        } else if (d.kind == KindGridLines) {
            RecomputeFromReals(it, m);
            if (take(0, true) && blob.size() >= 8)
                GridLinesFromBlob(it, blob);
        } else if (d.kind == KindPicture) {
            if (take(0, true))
                it.pictureData = std::move(blob);
            if (take(1, true))
                SetText(it, TextFromBlob(blob));
            renumber = false;
        } else {
            RecomputeFromReals(it, m);
        }

        if (renumber && historyIncluded == 0) {
            d.historyState = 0;
            d.predecessor = 0;
            d.sequence = Clamp32(++sequence);
        }
        loaded.append(std::move(fresh));
        if (!complete)
            break;
    }
    if (!src.error().empty()) {
        prompts.reportReadError(src.error());
        return false;
    }

    if (!hasHeader || !HasVisibleGrid(loaded)) {
        AddMissingHeader(loaded, hasHeader);
        if (!hasHeader)
            prompts.noteHeaderAdded();
    }
    SetModified(loaded, acceptedInvalid);
    list = std::move(loaded);

    if (version > kFormatVersion)
        prompts.warnNewerVersion();
    return true;
}

} // namespace vlm
