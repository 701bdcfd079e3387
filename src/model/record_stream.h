#pragma once

// The record stream of a document file as the reader walks it: which blobs
// follow a record, and a source that hands out records and blobs without
// ever allocating more than the file still holds. The reader and the file
// inspector share both, so they agree byte for byte on where records start.

#include "model/item_record.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace vlm {

enum class BlobUse : std::uint8_t {
    HeaderText,
    Text,
    TextExtra,
    Vertices,
    GridLines,
    PictureData,
    PictureName,
};

struct PlannedBlob {
    BlobUse use;
    std::int32_t length; // as declared in the record
    bool taken;          // false: the length is out of range and nothing is read
};

struct BlobPlan {
    int count = 0;
    PlannedBlob blobs[3];
};

// The blobs that follow a record of this kind, in file order.
BlobPlan PlanBlobs(const ItemRecord& rec);

class RecordSource {
public:
    // Opens the file; on failure `error` holds the system's words.
    bool open(const std::string& path, std::string& error);

    // The next full record; false when fewer than 448 bytes remain (they are
    // left unread) or on a read error.
    bool readRecord(ItemRecord& rec);

    enum class Blob { Complete, Short };
    // Reads (or, with no `out`, skips) `length` bytes. A blob longer than
    // what is left consumes the rest of the file and comes back Short.
    Blob readBlob(std::int64_t length, std::vector<std::uint8_t>* out);

    std::uint64_t position() const { return pos_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t remaining() const { return size_ - pos_; }
    // A read error of the file system, in the system's words; empty if none.
    const std::string& error() const { return error_; }

private:
    bool readExact(void* dst, std::size_t n);

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::uint64_t pos_ = 0;
    std::uint64_t size_ = 0;
    std::string error_;
};

// The file's text blob as UTF-16 (floor(bytes / 2) characters).
std::u16string TextFromBlob(const std::vector<std::uint8_t>& blob);

} // namespace vlm
