// Damaged documents: thousands of truncated and corrupted copies of valid
// files must read without a crash, a leak or an unbounded allocation, and
// whatever reads must save and read back cleanly.

#include "model_test_support.h"

#include "model/document_inspect.h"

namespace vlm {
namespace {

using test::Get;
using test::Put;

std::vector<std::vector<std::uint8_t>> Bases(const test::TempDir& dir)
{
    std::vector<std::vector<std::uint8_t>> bases;
    bases.push_back(test::ReadBytes(std::string(VLM_TEST_DATA_DIR) + "/model/every_kind.vlmr"));

    Document small = test::EmptyDocument();
    SetText(test::Placed(small.items, KindText, 0, 0, 9, 0), u"a\u07ECb");
    test::Placed(small.items, KindLine, 0, 0, 9, 9);
    Item& tri = test::Placed(small.items, KindTriangle, 0, 0, 9, 9);
    tri.vertices.resize(3);
    const std::string path = dir.file("small.vlmr");
    EXPECT_TRUE(WriteDocument(path, small.items));
    bases.push_back(test::ReadBytes(path));
    return bases;
}

// Offsets whose damage steers the reader: role, kind, signature, the blob
// lengths, and the header's units, version and history flag.
constexpr std::size_t kSteering[] = {0, 4, 56, 60, 112, 124, 321, 323, 405, 409};
constexpr std::int32_t kNasty[] = {0, -1, 1, 2, 3, 7, 8, 55, 56, 1023999, 1024000, 0x7FFFFFFF, INT32_MIN,
                                   KindText, KindTriangle, KindGridLines, KindPicture, KindDocumentHeader};

std::vector<std::uint8_t> Damage(const std::vector<std::uint8_t>& base, std::mt19937& rng, int variant)
{
    std::vector<std::uint8_t> b = base;
    if (variant % 3 == 0) {
        b.resize(rng() % (b.size() + 1));
        return b;
    }
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !b.empty(); ++e) {
        if (rng() % 2 && b.size() >= kRecordSize) {
            const std::size_t records = b.size() / kRecordSize;
            // Records do not sit on multiples of 448 once blobs follow them;
            // damaging "record-like" offsets still hits real fields often.
            const std::size_t at = (rng() % records) * kRecordSize + kSteering[rng() % std::size(kSteering)];
            if (at + 4 <= b.size())
                Put<std::int32_t>(b, at, kNasty[rng() % std::size(kNasty)]);
        } else {
            b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        }
    }
    return b;
}

TEST(DocumentRobustness, DamagedFilesReadSafelyAndSaveCleanly)
{
    test::TempDir dir;
    const auto bases = Bases(dir);
    ASSERT_GT(bases[0].size(), 10000u);
    std::mt19937 rng(2024);
    const std::string damaged = dir.file("damaged.vlmr");
    const std::string resaved = dir.file("resaved.vlmr");
    int loaded = 0;
    for (int variant = 0; variant < 3000; ++variant) {
        const auto& base = bases[static_cast<std::size_t>(variant) % bases.size()];
        test::WriteBytes(damaged, Damage(base, rng, variant));

        const FileInspection inspection = InspectDocumentFile(damaged, {});
        ASSERT_TRUE(inspection.opened) << variant;

        Document doc = test::EmptyDocument();
        test::RecordingPrompts prompts(variant % 4 != 1);
        if (!ReadDocument(damaged, doc.items, prompts)) {
            EXPECT_EQ(prompts.asked, 1) << variant;
            EXPECT_EQ(doc.items.size(), 2u) << variant;
            continue;
        }
        ++loaded;
        ASSERT_NE(Header(doc.items), nullptr) << variant;
        ASSERT_NE(FindVisibleByKind(doc.items, KindGridLines), nullptr) << variant;
        ASSERT_TRUE(doc.items.indexConsistent()) << variant;
        if (variant % 10 != 0)
            continue;
        // Whatever was read is a document the program can save and reopen.
        ASSERT_TRUE(WriteDocument(resaved, doc.items)) << variant;
        Document again;
        test::RecordingPrompts quiet(false);
        ASSERT_TRUE(ReadDocument(resaved, again.items, quiet)) << variant;
        EXPECT_EQ(quiet.asked + quiet.headerAdded, 0) << variant;
        const FileInspection clean = InspectDocumentFile(resaved, {});
        for (const FileProblem& p : clean.problems)
            EXPECT_TRUE(IsNote(p.kind) || p.kind == FileProblemKind::MissingPicture ||
                        p.kind == FileProblemKind::MissingPattern || p.kind == FileProblemKind::DuplicatePattern ||
                        p.kind == FileProblemKind::DuplicatePictureId || p.kind == FileProblemKind::UnknownKind ||
                        p.kind == FileProblemKind::ExtraHeader || p.kind == FileProblemKind::ExtraVisibleGrid ||
                        p.kind == FileProblemKind::HeaderNotFirst)
                << variant << " problem " << static_cast<int>(p.kind);
    }
    EXPECT_GT(loaded, 1500);
}

} // namespace
} // namespace vlm
