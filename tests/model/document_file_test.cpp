#include "model_test_support.h"

#include "model/record_stream.h"

#include <algorithm>

namespace vlm {
namespace {

using test::Get;
using test::Put;
using test::ReadBytes;
using test::RecordingPrompts;
using test::WriteBytes;

constexpr std::size_t R = kRecordSize;

bool Renumbered(const Item& it)
{
    return it.rec.d.kind != KindDocumentHeader && it.rec.d.kind != KindPicture;
}

// The bytes a reader changes on purpose: the history words it renumbers.
bool SameStoredFields(const Item& a, const Item& b)
{
    ItemRecord x = a.rec, y = b.rec;
    if (Renumbered(a)) {
        x.d.historyState = y.d.historyState = 0;
        x.d.predecessor = y.d.predecessor = 0;
        x.d.sequence = y.d.sequence = 0;
    }
    for (std::size_t i = 0; i < R; ++i)
        if (x.bytes[i] != y.bytes[i]) {
            ADD_FAILURE() << "kind " << +a.rec.d.kind << " differs at byte " << i;
            return false;
        }
    return true;
}

std::vector<std::int32_t> KindsOf(const ItemList& list)
{
    std::vector<std::int32_t> kinds;
    for (const Item& it : list)
        kinds.push_back(it.rec.d.kind);
    return kinds;
}

class DocumentFile : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(DocumentFile, HeaderGridAndLineAreThreeRecordsWithTheirBlobs)
{
    Document doc = test::EmptyDocument();
    SetText(*Header(doc.items), u"ab\u07EC");
    test::Placed(doc.items, KindLine, 1, 2, 3, 4);
    const std::string path = dir.file("three.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    EXPECT_FALSE(IsModified(doc.items));

    const std::vector<std::uint8_t> b = ReadBytes(path);
    const std::size_t text = 6, grid = 8 * (35 + 45);
    ASSERT_EQ(b.size(), 3 * R + text + grid);
    EXPECT_EQ(Get<std::int32_t>(b, 0), 2000000);
    EXPECT_EQ(Get<std::int32_t>(b, 112), 6);
    EXPECT_EQ(Get<std::int32_t>(b, 323), 164);
    EXPECT_EQ(b[321], 0);
    EXPECT_EQ(Get<char16_t>(b, R + 2), u'b');
    EXPECT_EQ(Get<char16_t>(b, R + 4), u'\u07EC');
    const std::size_t g = R + text;
    EXPECT_EQ(Get<std::int32_t>(b, g + 4), KindGridLines);
    EXPECT_EQ(Get<std::int32_t>(b, g + 112), static_cast<std::int32_t>(grid));
    EXPECT_EQ(Get<std::int32_t>(b, g + R), 1);          // first entry: vertical
    EXPECT_EQ(Get<std::int32_t>(b, g + R + 4), 19);     // at the page's left
    EXPECT_EQ(Get<std::int32_t>(b, g + R + 8 * 35), 2); // horizontals follow
    const std::size_t l = g + R + grid;
    EXPECT_EQ(Get<std::int32_t>(b, l + 4), KindLine);
    for (std::size_t rec : {std::size_t{0}, g, l})
        EXPECT_EQ(Get<std::int32_t>(b, rec + 60), 147483647);

    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    ASSERT_EQ(back.items.size(), 3u);
    const Item* gridRec = back.items.head()->next;
    EXPECT_EQ(+gridRec->rec.d.sequence, 1);
    EXPECT_EQ(+gridRec->next->rec.d.sequence, 2);
    EXPECT_EQ(+gridRec->next->rec.d.historyState, 0);
    EXPECT_EQ(prompts.asked + prompts.warned + prompts.errors + prompts.headerAdded, 0);
    EXPECT_TRUE(back.items.indexConsistent());
}

TEST_F(DocumentFile, EveryKindReadsBackEqual)
{
    Document doc = test::EveryKindDocument();
    const std::string path = dir.file("every.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    ASSERT_EQ(back.items.size(), doc.items.size());
    EXPECT_FALSE(IsModified(back.items));

    std::int32_t expectedSequence = 0;
    for (const Item *a = doc.items.head(), *b = back.items.head(); a; a = a->next, b = b->next) {
        SCOPED_TRACE(+a->rec.d.kind);
        EXPECT_TRUE(SameStoredFields(*a, *b));
        EXPECT_EQ(a->text, b->text);
        ASSERT_EQ(a->vertices.size(), b->vertices.size());
        if (!a->vertices.empty()) {
            EXPECT_EQ(std::memcmp(a->vertices.data(), b->vertices.data(), a->vertices.size() * kVertexSize), 0);
        }
        EXPECT_EQ(a->pictureData, b->pictureData);
        if (Renumbered(*b)) {
            EXPECT_EQ(+b->rec.d.sequence, ++expectedSequence);
            EXPECT_EQ(+b->rec.d.historyState, 0);
        }
    }
    const Item& grid = *FindVisibleByKind(back.items, KindGridLines);
    ASSERT_EQ(grid.verticalGridLines.size(), 2u); // the deleted line is not kept
    EXPECT_EQ(GridLinePosition(GridVertical, grid.verticalGridLines[1]), 333);
    EXPECT_EQ(GridLinePosition(GridHorizontal, grid.horizontalGridLines.back()), 77);
    EXPECT_EQ(LineOf(*back.items.head()->next->next, 2), u"second \u00E9\u20AC line");
}

TEST_F(DocumentFile, OnlyTheVisibleStateIsWritten)
{
    Document doc = test::EmptyDocument();
    ItemList& list = doc.items;
    test::Placed(list, KindText, 0, 0, 10, 0);                             // empty text
    Item& old = test::Placed(list, KindText, 0, 0, 10, 0);
    SetText(old, u"old");
    old.rec.d.hidden = 255;
    test::Placed(list, KindDeletionMarker, 0, 0, 1, 1);
    Item& unused = NewItem(list, KindPicture);
    unused.rec.d.pictureId = 1;
    Item& used = NewItem(list, KindPicture);
    used.rec.d.pictureId = 2;
    Item& deleted = test::Placed(list, KindClip, 0, 0, 5, 5);
    deleted.rec.d.pictureId = 1;
    deleted.rec.d.hidden = 255;
    test::Placed(list, KindClip, 0, 0, 5, 5).rec.d.pictureId = 2;
    const double dashes[12] = {1, 1};
    EmbedLinePattern(list, dashes);
    Item& oldGrid = NewItem(list, KindGridLines);
    oldGrid.rec.d.hidden = 255;

    const std::string path = dir.file("visible.vlmr");
    ASSERT_TRUE(WriteDocument(path, list));
    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    EXPECT_EQ(KindsOf(back.items), (std::vector<std::int32_t>{KindDocumentHeader, KindGridLines, KindPicture, KindClip, -1}));
    EXPECT_EQ(+PictureById(back.items, 2)->rec.d.pictureId, 2);
}

TEST_F(DocumentFile, TheGridInUseFollowsTheHeaderEvenWhenAnEditAppendedIt)
{
    Document doc = test::EmptyDocument();
    ItemList& list = doc.items;
    test::Placed(list, KindLine, 0, 0, 9, 9);
    // A grid edit hides the grid and appends its new version behind the Items.
    Item& first = *FindVisibleByKind(list, KindGridLines);
    Item& next = *CopyItem(list, &first);
    first.rec.d.hidden = 255;
    next.horizontalGridLines = {MakeGridLine(GridHorizontal, 77)};

    const std::string path = dir.file("grid-order.vlmr");
    ASSERT_TRUE(WriteDocument(path, list));
    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    EXPECT_EQ(KindsOf(back.items), (std::vector<std::int32_t>{KindDocumentHeader, KindGridLines, KindLine}));
    const Item* grid = FindVisibleByKind(back.items, KindGridLines);
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->horizontalGridLines.size(), 1u);
    EXPECT_EQ(GridLinePosition(GridHorizontal, grid->horizontalGridLines[0]), 77);
}

TEST_F(DocumentFile, FilesWithHistoryKeepTheirNumbers)
{
    Document doc = test::EmptyDocument();
    Item& line = test::Placed(doc.items, KindLine, 0, 0, 9, 9);
    SetSequence(doc.items, line, 40);
    line.rec.d.predecessor = 39;
    const std::string path = dir.file("history.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));

    for (const bool withHistory : {false, true}) {
        std::vector<std::uint8_t> b = ReadBytes(path);
        b[321] = withHistory ? 1 : 0;
        WriteBytes(path, b);
        Document back;
        RecordingPrompts prompts;
        ASSERT_TRUE(ReadDocument(path, back.items, prompts));
        const Item& l = *back.items.tail();
        EXPECT_EQ(+l.rec.d.sequence, withHistory ? 40 : 2);
        EXPECT_EQ(+l.rec.d.predecessor, withHistory ? 39 : 0);
        EXPECT_EQ(+l.rec.d.historyState, withHistory ? 1 : 0);
        EXPECT_EQ(BySequence(back.items, withHistory ? 40 : 2), &l);
    }
}

TEST_F(DocumentFile, AnInvalidRecordAsksOnceAndNoLeavesTheDocumentAlone)
{
    Document doc = test::EmptyDocument();
    for (int i = 0; i < 3; ++i)
        test::Placed(doc.items, KindLine, i, i, 10, 10);
    const std::string path = dir.file("invalid.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    std::vector<std::uint8_t> b = ReadBytes(path);
    const std::size_t firstLine = b.size() - 3 * R; // the third record
    Put<std::int32_t>(b, firstLine + 60, 0);
    Put<std::int32_t>(b, b.size() - R + 60, 1); // and the last one
    WriteBytes(path, b);

    Document target = test::EmptyDocument();
    test::Placed(target.items, KindText, 0, 0, 1, 1);
    RecordingPrompts no(false);
    EXPECT_FALSE(ReadDocument(path, target.items, no));
    EXPECT_EQ(no.asked, 1);
    EXPECT_EQ(target.items.size(), 3u);

    RecordingPrompts yes(true);
    ASSERT_TRUE(ReadDocument(path, target.items, yes));
    EXPECT_EQ(yes.asked, 1);
    EXPECT_EQ(target.items.size(), 5u);
    EXPECT_TRUE(IsModified(target.items));
}

TEST_F(DocumentFile, StrayTailIgnoredAndNewerVersionsWarnedAfterLoading)
{
    Document doc = test::EmptyDocument();
    const std::string path = dir.file("version.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    const std::vector<std::uint8_t> saved = ReadBytes(path);
    struct Case {
        std::int32_t version;
        std::size_t tail;
        int warned;
    };
    for (const Case c : {Case{164, 100, 0}, Case{0, 0, 0}, Case{165, 447, 1}}) {
        std::vector<std::uint8_t> b = saved;
        Put<std::int32_t>(b, 323, c.version);
        b.resize(b.size() + c.tail, 0xAB);
        WriteBytes(path, b);
        Document back;
        RecordingPrompts prompts;
        ASSERT_TRUE(ReadDocument(path, back.items, prompts));
        EXPECT_EQ(back.items.size(), 2u);
        EXPECT_EQ(prompts.warned, c.warned) << c.version;
        EXPECT_EQ(prompts.asked, 0);
    }
}

TEST_F(DocumentFile, NamesThatCannotBeReadFailWithoutTouchingTheDocument)
{
    Document target = test::EmptyDocument();
    struct Case {
        std::string name;
        int errors;
    };
    for (const Case& c : {Case{"", 0}, Case{"   ", 0}, Case{dir.file("missing.vlmr"), 0}, Case{dir.file(""), 1}}) {
        RecordingPrompts prompts;
        EXPECT_FALSE(ReadDocument(c.name, target.items, prompts)) << c.name;
        EXPECT_EQ(prompts.errors, c.errors) << c.name;
        EXPECT_EQ(target.items.size(), 2u);
    }
}

TEST_F(DocumentFile, OutOfRangeTextBlobIsSkippedAndReadingGoesOn)
{
    Document doc = test::EmptyDocument();
    SetText(test::Placed(doc.items, KindText, 0, 0, 5, 0), u"hello");
    test::Placed(doc.items, KindLine, 0, 0, 5, 5);
    const std::string path = dir.file("range.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    std::vector<std::uint8_t> b = ReadBytes(path);
    const std::size_t text = b.size() - R - 10 - R; // Text record, its 10 bytes, the Line
    ASSERT_EQ(Get<std::int32_t>(b, text + 4), KindText);
    Put<std::int32_t>(b, text + 112, 1024000);
    // Drop the text bytes: the reader must take the next 448 bytes as the Line.
    b.erase(b.begin() + static_cast<std::ptrdiff_t>(text + R), b.begin() + static_cast<std::ptrdiff_t>(text + R + 10));
    WriteBytes(path, b);
    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    EXPECT_EQ(+back.items.tail()->rec.d.kind, KindLine);
    EXPECT_EQ(LineCount(*back.items.tail()->prev), 0);
}

TEST_F(DocumentFile, ABlobLongerThanTheFileEndsReadingWithoutAllocatingIt)
{
    Document doc = test::EmptyDocument();
    Item& shape = test::Placed(doc.items, KindTriangle, 0, 0, 5, 5);
    shape.vertices.resize(2);
    test::Placed(doc.items, KindLine, 0, 0, 5, 5);
    const std::string path = dir.file("short.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    std::vector<std::uint8_t> b = ReadBytes(path);
    const std::size_t tri = b.size() - R - 112 - R;
    ASSERT_EQ(Get<std::int32_t>(b, tri + 4), KindTriangle);
    Put<std::int32_t>(b, tri + 112, 0x7FFFFFFF);
    WriteBytes(path, b);

    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    EXPECT_EQ(+back.items.tail()->rec.d.kind, KindTriangle); // the Line was swallowed
    EXPECT_TRUE(back.items.tail()->vertices.empty());

    RecordSource src;
    std::string error;
    ASSERT_TRUE(src.open(path, error));
    ItemRecord rec;
    ASSERT_TRUE(src.readRecord(rec));
    std::vector<std::uint8_t> blob;
    EXPECT_EQ(src.readBlob(0x7FFFFFFF, &blob), RecordSource::Blob::Short);
    EXPECT_EQ(blob.capacity(), 0u);
    EXPECT_EQ(src.remaining(), 0u);
}

TEST_F(DocumentFile, AFileWithoutHeaderGetsAFreshOneInFront)
{
    Document doc = test::EmptyDocument();
    test::Placed(doc.items, KindLine, 0, 0, 500, 300);
    const std::string path = dir.file("headless.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    std::vector<std::uint8_t> b = ReadBytes(path);
    const std::size_t headerBytes = R + Get<std::uint32_t>(b, 112);
    const std::size_t gridBytes = R + Get<std::uint32_t>(b, headerBytes + 112);
    b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(headerBytes + gridBytes));
    WriteBytes(path, b);

    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    EXPECT_EQ(prompts.headerAdded, 1);
    ASSERT_EQ(back.items.size(), 3u);
    const Item& h = *back.items.head();
    EXPECT_EQ(&h, Header(back.items));
    EXPECT_EQ(+h.rec.h.units, 1);
    EXPECT_EQ(+h.rec.h.width, 500);
    EXPECT_EQ(+h.rec.h.height, 300);
    EXPECT_EQ(+h.next->rec.d.kind, KindGridLines);
    EXPECT_FALSE(h.next->verticalGridLines.empty());
    EXPECT_EQ(+back.items.tail()->rec.d.kind, KindLine);
    EXPECT_TRUE(back.items.indexConsistent());
    // It saves and reads like any other document now.
    ASSERT_TRUE(WriteDocument(path, back.items));
    RecordingPrompts again;
    ASSERT_TRUE(ReadDocument(path, back.items, again));
    EXPECT_EQ(again.headerAdded, 0);
}

TEST_F(DocumentFile, AnOverlongTextIsCutSoTheFileReadsBack)
{
    Document doc = test::EmptyDocument();
    Item& text = test::Placed(doc.items, KindText, 0, 0, 5, 0);
    text.text.assign(600000, u'x'); // set directly, past SetText's cut
    text.text[kMaxStoredTextChars - 1] = 0xD800;
    test::Placed(doc.items, KindLine, 0, 0, 5, 5);
    const std::string path = dir.file("long.vlmr");
    ASSERT_TRUE(WriteDocument(path, doc.items));
    Document back;
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadDocument(path, back.items, prompts));
    ASSERT_EQ(back.items.size(), 4u);
    EXPECT_EQ(TextLength(*back.items.tail()->prev), kMaxStoredTextChars - 1);
    EXPECT_EQ(+back.items.tail()->rec.d.kind, KindLine);
}

TEST_F(DocumentFile, AFailedSaveLeavesTheOldFileAndTheModifiedFlag)
{
    Document doc = test::EmptyDocument();
    test::Placed(doc.items, KindLine, 0, 0, 5, 5);
    ASSERT_TRUE(IsModified(doc.items));

    const std::string blocked = dir.file("blocked.vlmr");
    std::filesystem::create_directory(blocked); // a folder where the file should go
    std::filesystem::create_directory(blocked + "/keep");
    EXPECT_FALSE(WriteDocument(blocked, doc.items));
    EXPECT_FALSE(WriteDocument(dir.file("no/such/folder.vlmr"), doc.items));
    EXPECT_TRUE(std::filesystem::exists(blocked + "/keep"));
    EXPECT_TRUE(IsModified(doc.items));

    ItemList headless;
    EXPECT_FALSE(WriteDocument(dir.file("headless.vlmr"), headless));

    const std::string path = dir.file("kept.vlmr");
    WriteBytes(path, {1, 2, 3});
    ASSERT_TRUE(WriteDocument(path, doc.items));
    EXPECT_FALSE(IsModified(doc.items));
    EXPECT_EQ(ReadBytes(path).size(), 3 * R + 8 * 80);

    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u); // no temporary file left behind, nothing for the headless list
}

TEST_F(DocumentFile, SaveToExistingWritesOnlyOverAnExistingFile)
{
    Document doc = test::EmptyDocument();
    EXPECT_FALSE(SaveToExisting(doc));
    doc.fileName = dir.file("later.vlmr");
    EXPECT_FALSE(SaveToExisting(doc));
    EXPECT_FALSE(std::filesystem::exists(doc.fileName));
    WriteBytes(doc.fileName, {});
    SetModified(doc.items, true);
    EXPECT_TRUE(SaveToExisting(doc));
    EXPECT_FALSE(IsModified(doc.items));
    EXPECT_EQ(ReadBytes(doc.fileName).size(), 2 * R + 8 * 80);
}

TEST_F(DocumentFile, ASaveRemovesTheTemporariesOfInterruptedSaves)
{
    namespace fs = std::filesystem;
    Document doc = test::EmptyDocument();
    const std::string path = dir.file("card.vlmr");
    for (const char* leftover : {"card.vlmr.0123abcd.tmp", "card.vlmr.7fffffff.tmp"})
        WriteBytes(dir.file(leftover), {1, 2, 3});
    // Names that only look alike stay, and so does a folder.
    for (const char* other : {"card.vlmr.notes.tmp", "other.vlmr.0123abcd.tmp", "card.vlmr.0123abcd.tmp.bak"})
        WriteBytes(dir.file(other), {4});
    fs::create_directory(dir.file("card.vlmr.00000000.tmp"));
    ASSERT_TRUE(WriteDocument(path, doc.items));

    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"card.vlmr", "card.vlmr.00000000.tmp", "card.vlmr.0123abcd.tmp.bak",
                                               "card.vlmr.notes.tmp", "other.vlmr.0123abcd.tmp"}));
}

TEST_F(DocumentFile, SavingThroughALinkWritesWhereTheLinksLead)
{
    namespace fs = std::filesystem;
    Document doc = test::EmptyDocument();
    // A link to a file not there yet, reached through a second link.
    fs::create_directory(dir.file("real"));
    fs::create_symlink("real/card.vlmr", dir.file("dangling.vlmr"));
    fs::create_symlink(dir.file("dangling.vlmr"), dir.file("outer.vlmr"));
    ASSERT_TRUE(WriteDocument(dir.file("outer.vlmr"), doc.items));
    EXPECT_TRUE(fs::is_symlink(dir.file("outer.vlmr")));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.vlmr")));
    EXPECT_EQ(ReadBytes(dir.file("real/card.vlmr")).size(), 2 * R + 8 * 80);

    // A link into a missing folder, and links in a circle: the save fails
    // and every link stays.
    fs::create_symlink("gone/card.vlmr", dir.file("nowhere.vlmr"));
    fs::create_symlink("b.vlmr", dir.file("a.vlmr"));
    fs::create_symlink("a.vlmr", dir.file("b.vlmr"));
    SetModified(doc.items, true);
    for (const char* link : {"nowhere.vlmr", "a.vlmr"}) {
        EXPECT_FALSE(WriteDocument(dir.file(link), doc.items)) << link;
        EXPECT_TRUE(fs::is_symlink(dir.file(link))) << link;
    }
    EXPECT_TRUE(IsModified(doc.items));
}

} // namespace
} // namespace vlm
