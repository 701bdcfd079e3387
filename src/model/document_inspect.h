#pragma once

// Walks a document file record by record exactly as the reader does, without
// building a Document, and notes what is structurally wrong with it. Used by
// the command-line tool's info and check commands.

#include "model/record_stream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vlm {

enum class BlobStatus : std::uint8_t {
    None,       // length 0 or below: there is no blob
    OutOfRange, // a text blob of 1024000 bytes or more: not read, its bytes are taken for records
    Read,
    Short,      // longer than the rest of the file: the rest is consumed
    NotReached, // an earlier blob of the record was short
};

struct InspectedBlob {
    BlobUse use;
    std::int32_t declared;
    BlobStatus status;
};

struct InspectedRecord {
    std::int32_t index; // 0-based, in file order
    std::uint64_t offset;
    const ItemRecord* rec;
    int blobCount;
    InspectedBlob blobs[3];
    // GridLines: entries whose orientation is neither 1 nor 2.
    std::int32_t badGridEntries;
};

enum class FileProblemKind : std::uint8_t {
    // Problems: the file does not hold what a saved document holds.
    BadSignature,       // record
    NoHeader,
    HeaderNotFirst,     // record
    ExtraHeader,        // record
    NoVisibleGrid,
    ExtraVisibleGrid,   // record
    UnknownRole,        // record, value = role
    UnknownKind,        // record, value = kind
    BlobOutOfRange,     // record, blob, value = declared length
    BlobShort,          // record, blob, value = declared length, extra = bytes left
    OddTextBlob,        // record, blob, value = length
    RaggedBlob,         // record, blob, value = length (vertex or grid blob not a whole number of entries)
    BadGridEntries,     // record, value = count
    DuplicatePictureId, // record, value = id
    MissingPicture,     // record (a visible Clip), value = id
    DuplicatePattern,   // record, value = kind
    MissingPattern,     // record (a visible Line), value = pattern
    // Notes: the file reads as its author meant, but this is worth knowing.
    StrayTail,          // value = bytes after the last record
    NewerVersion,       // value = formatVersion
    HistoryIncluded,
};

struct FileProblem {
    FileProblemKind kind;
    std::int32_t record = -1;
    std::int32_t blob = -1; // 0-based
    std::int64_t value = 0;
    std::int64_t extra = 0;
};

bool IsNote(FileProblemKind kind);

struct FileInspection {
    bool opened = false;
    std::string error;  // why the file could not be opened or read
    std::uint64_t size = 0;
    std::int32_t records = 0;
    std::vector<FileProblem> problems;
};

// Calls `onRecord` (may be empty) for every record after its blobs were
// walked; the record pointer is valid only during the call.
FileInspection InspectDocumentFile(const std::string& path,
                                   const std::function<void(const InspectedRecord&)>& onRecord);

// The kind's name in the code ("Text", "Line", ..., "Picture"); patterns and
// unknown codes give an empty string.
const char* KindName(std::int32_t kind);

} // namespace vlm
