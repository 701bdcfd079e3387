#include "model/record_stream.h"

#include "model/item.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vlm {

namespace {

// Text blobs are read only when 0 < length < 1024000; the others whenever
// they are positive, however long they claim to be.
PlannedBlob TextBlob(BlobUse use, std::int32_t length)
{
    return PlannedBlob{use, length, length > 0 && length < kTextScanLimit};
}

PlannedBlob DataBlob(BlobUse use, std::int32_t length)
{
    return PlannedBlob{use, length, length > 0};
}

} // namespace

BlobPlan PlanBlobs(const ItemRecord& rec)
{
    BlobPlan plan;
    const DrawingFields& d = rec.d;
    const std::int32_t kind = d.kind;
    if (kind == KindDocumentHeader) {
        plan.blobs[plan.count++] = TextBlob(BlobUse::HeaderText, d.blobLength);
    } else if (kind == KindText) {
        plan.blobs[plan.count++] = TextBlob(BlobUse::Text, d.blobLength);
        plan.blobs[plan.count++] = TextBlob(BlobUse::TextExtra, d.extraLength1);
        plan.blobs[plan.count++] = TextBlob(BlobUse::TextExtra, d.extraLength2);
    } else if (IsShapeKind(kind)) {
        plan.blobs[plan.count++] = DataBlob(BlobUse::Vertices, d.blobLength);
    } else if (kind == KindGridLines) {
        plan.blobs[plan.count++] = DataBlob(BlobUse::GridLines, d.blobLength);
    } else if (kind == KindPicture) {
        plan.blobs[plan.count++] = DataBlob(BlobUse::PictureData, d.blobLength);
        plan.blobs[plan.count++] = TextBlob(BlobUse::PictureName, d.length);
    }
    return plan;
}

bool RecordSource::open(const std::string& path, std::string& error)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    errno = 0;
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) {
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    size_ = size;
    pos_ = 0;
    error_.clear();
    return true;
}

bool RecordSource::readExact(void* dst, std::size_t n)
{
    const std::size_t got = std::fread(dst, 1, n, file_.get());
    pos_ += got;
    if (got == n)
        return true;
    if (std::ferror(file_.get()))
        error_ = std::strerror(errno ? errno : EIO);
    // The file may have shrunk since its size was taken; nothing more follows.
    pos_ = size_;
    return false;
}

bool RecordSource::readRecord(ItemRecord& rec)
{
    if (!error_.empty() || remaining() < static_cast<std::uint64_t>(kRecordSize))
        return false;
    return readExact(rec.bytes, kRecordSize);
}

RecordSource::Blob RecordSource::readBlob(std::int64_t length, std::vector<std::uint8_t>* out)
{
    if (!error_.empty())
        return Blob::Short;
    if (length <= 0)
        return Blob::Complete;
    const auto n = static_cast<std::uint64_t>(length);
    if (n > remaining()) {
        // What the record claims is not there: the rest is consumed unread.
        std::fseek(file_.get(), 0, SEEK_END);
        pos_ = size_;
        return Blob::Short;
    }
    if (!out) {
        // Skipping by reading keeps the position honest on any stream.
        std::uint8_t buf[8192];
        std::uint64_t left = n;
        while (left > 0) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buf));
            if (!readExact(buf, chunk))
                return Blob::Short;
            left -= chunk;
        }
        return Blob::Complete;
    }
    out->resize(static_cast<std::size_t>(n));
    if (!readExact(out->data(), out->size())) {
        out->clear();
        return Blob::Short;
    }
    return Blob::Complete;
}

std::u16string TextFromBlob(const std::vector<std::uint8_t>& blob)
{
    std::u16string s(blob.size() / 2, u'\0');
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char16_t>(blob[2 * i] | (blob[2 * i + 1] << 8));
    return s;
}

} // namespace vlm
