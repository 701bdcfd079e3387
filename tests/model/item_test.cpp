#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/document.h"
#include "model/item_list.h"

namespace vlm {
namespace {

Document NewDocument()
{
    Document doc;
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    return doc;
}

TEST(Item, NewItemTakesTheNextSequenceAndMarksAllButTheHeaderModified)
{
    ItemList list;
    Item& header = NewItem(list, KindDocumentHeader);
    EXPECT_EQ(+header.rec.d.role, RoleHeader);
    EXPECT_FALSE(IsModified(list));
    Item& a = NewItem(list, KindLine);
    EXPECT_TRUE(IsModified(list));
    Item& b = NewItem(list, KindText);
    EXPECT_EQ(+b.rec.d.sequence, a.rec.d.sequence + 1);
    EXPECT_EQ(NewItem(list, KindPicture).rec.d.role, RolePicture);
    EXPECT_EQ(NewItem(list, -1).rec.d.role, RolePattern);
}

TEST(Item, TextLinesAreSeparatedByTheSeparatorCharacter)
{
    struct Case {
        std::u16string text;
        int lines;
        std::u16string line1, line2, line3;
    };
    const Case cases[] = {
        {u"", 0, u"", u"", u""},
        {u"ab", 1, u"ab", u"", u""},
        {u"a\u07ECb", 2, u"a", u"b", u""},
        {u"a\u07EC", 2, u"a", u"", u""},
        {u"\u07EC\u07ECc", 3, u"", u"", u"c"},
        {std::u16string(u"x\0y\u07ECz", 5), 1, u"x", u"", u""}, // stops at the first zero
    };
    for (const Case& c : cases) {
        ItemList list;
        Item& t = NewItem(list, KindText);
        SetText(t, c.text);
        EXPECT_EQ(LineCount(t), c.lines);
        EXPECT_EQ(LineOf(t, 0), u"");
        EXPECT_EQ(LineOf(t, 1), c.line1);
        EXPECT_EQ(LineOf(t, 2), c.line2);
        EXPECT_EQ(LineOf(t, 3), c.line3);
    }
}

TEST(Item, OverlongTextIsCutToWhatStillReadsBack)
{
    ItemList list;
    Item& t = NewItem(list, KindText);
    EXPECT_TRUE(SetText(t, std::u16string(kMaxStoredTextChars, u'a')));
    EXPECT_EQ(TextLength(t), kMaxStoredTextChars);

    std::u16string longer(kMaxStoredTextChars + 10, u'b');
    longer[kMaxStoredTextChars - 1] = 0xD83D; // a surrogate pair straddling the cut
    longer[kMaxStoredTextChars] = 0xDE00;
    EXPECT_FALSE(SetText(t, longer));
    EXPECT_EQ(TextLength(t), kMaxStoredTextChars - 1);
    EXPECT_LT(2 * TextLength(t), 1024000);
}

TEST(Item, CopyIsIndependentKeepsStackingAndStartsItsOwnHistory)
{
    Document doc = NewDocument();
    ItemList& list = doc.items;
    Item& src = NewItem(list, KindCurve);
    SetText(src, u"x");
    src.rec.d.x1 = 10;
    src.rec.d.x2 = 40;
    src.rec.d.lineColor = 0x123456;
    src.rec.d.penWidth = 7;
    src.rec.d.historyState = 2;
    src.rec.d.orderMove = 1;
    src.rec.d.predecessor = 5;
    src.rec.d.rotationAtGrab = 1.5;
    src.rec.d.word116 = 3;
    src.rec.d.selected = 255;
    src.rec.d.tension = 0.4;
    src.rec.d.fontName.length = 200; // damaged: longer than the field
    SetStackOrder(list, src, 9);
    SetGroupId(list, src, 4);
    SetEditStep(list, src, 6);
    src.vertices.resize(3);
    src.vertices[1].controlB[1] = 77;
    src.pictureData = {1, 2, 3};
    src.selectionTags = {11, 12};
    src.cache = std::make_unique<ItemList>();
    NewItem(*src.cache, KindClipCache).pictureData = {9, 9};

    Item* copy = CopyItem(list, &src);
    ASSERT_NE(copy, nullptr);
    const DrawingFields& c = copy->rec.d;
    EXPECT_EQ(+c.sequence, src.rec.d.sequence + 1);
    EXPECT_EQ(+c.historyState, 1);
    EXPECT_EQ(+c.orderMove, 0);
    EXPECT_EQ(+c.predecessor, 0);
    EXPECT_EQ(+c.editStep, 0);
    EXPECT_EQ(+c.rotationAtGrab, 0.0);
    EXPECT_EQ(+c.word116, 16777215);
    EXPECT_EQ(+c.stackOrder, 9);
    EXPECT_EQ(+c.groupId, 4);
    EXPECT_EQ(+c.lineColor, 0x123456);
    EXPECT_EQ(+c.penWidth, 7);
    EXPECT_EQ(int{c.selected}, 255);
    EXPECT_EQ(+c.tension, 0.4);
    EXPECT_EQ(int{c.fontName.length}, 32);
    EXPECT_DOUBLE_EQ(+c.x2Real, 40 * list.metrics().pxPerMmX);
    EXPECT_EQ(CopyItem(list, nullptr), nullptr);
    EXPECT_TRUE(list.indexConsistent());

    RemoveItem(list, src);
    EXPECT_EQ(copy->text, u"x");
    ASSERT_EQ(copy->vertices.size(), 3u);
    EXPECT_EQ(copy->vertices[1].controlB[1], 77);
    EXPECT_EQ(copy->pictureData, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(copy->selectionTags, (std::vector<std::uint32_t>{11, 12}));
    ASSERT_TRUE(copy->cache);
    EXPECT_EQ(copy->cache->head()->pictureData, (std::vector<std::uint8_t>{9, 9}));
}

TEST(Item, CopiesOfHeadersPatternsAndPicturesKeepTheirOverlaidData)
{
    Document doc = NewDocument();
    ItemList clip;
    Item* h = CopyItem(clip, Header(doc.items));
    EXPECT_EQ(+h->rec.h.zoom, 1.0);
    EXPECT_EQ(+h->rec.h.pageDims[DimPaperWidth], 8.5);
    EXPECT_EQ(+h->rec.h.pageDims[DimCardWidth], +Header(doc.items)->rec.h.pageDims[DimCardWidth]);

    double lengths[12] = {1.5, 0.5, 2, 0, 4};
    Item* p = CopyItem(clip, &EmbedLinePattern(doc.items, lengths));
    EXPECT_EQ(+p->rec.p.lengths[0], 1.5);
    EXPECT_EQ(+p->rec.p.count, 3);

    Item& pic = NewItem(doc.items, KindPicture);
    pic.rec.pic.dialogZoom = 0.25;
    EXPECT_EQ(+CopyItem(clip, &pic)->rec.pic.dialogZoom, 0.25);
}

TEST(Item, RecomputeFromRealsRebuildsBoxLengthAndAngle)
{
    const ScreenMetrics m; // 96 dpi
    struct Case {
        int kind, clipShape;
        int x1, y1, x2, y2;
        int left, top, right, bottom, width, height, length;
        double angle;
    };
    constexpr double pi = std::numbers::pi;
    const Case cases[] = {
        {KindLine, 0, 30, 40, 10, 10, 10, 10, 30, 40, 20, 30, 36, std::atan2(30.0, -20.0)},
        {KindLine, 0, 0, 0, 0, 25, 0, 0, 0, 25, 0, 25, 25, 3 * pi / 2},
        // A round clip: centre and a rim point 5 away give a box of radius 5.
        {KindClip, 2, 100, 100, 103, 104, 95, 95, 105, 105, 10, 10, 14, std::atan2(-4.0, 3.0) + 2 * pi},
        {KindClip, 1, 100, 100, 103, 104, 100, 100, 103, 104, 3, 4, 5, std::atan2(-4.0, 3.0) + 2 * pi},
    };
    for (const Case& c : cases) {
        ItemList list(m);
        Item& it = NewItem(list, c.kind);
        it.rec.d.clipShape = c.clipShape;
        it.rec.d.x1 = c.x1;
        it.rec.d.y1 = c.y1;
        it.rec.d.x2 = c.x2;
        it.rec.d.y2 = c.y2;
        RealsFromIntegers(it, m);
        it.rec.d.x1 = it.rec.d.y1 = it.rec.d.x2 = it.rec.d.y2 = -1;
        RecomputeFromReals(it, m);
        const DrawingFields& d = it.rec.d;
        EXPECT_EQ(+d.x1, +c.x1);
        EXPECT_EQ(+d.y2, +c.y2);
        EXPECT_EQ(+d.left, +c.left);
        EXPECT_EQ(+d.top, +c.top);
        EXPECT_EQ(+d.right, +c.right);
        EXPECT_EQ(+d.bottom, +c.bottom);
        EXPECT_EQ(+d.width, +c.width);
        EXPECT_EQ(+d.height, +c.height);
        EXPECT_EQ(+d.length, +c.length);
        EXPECT_NEAR(+d.angle, +c.angle, 1e-12);
    }
}

TEST(Item, DamagedRealsSaturateInsteadOfOverflowing)
{
    const ScreenMetrics m;
    ItemList list(m);
    Item& it = NewItem(list, KindClip);
    it.rec.d.clipShape = 2;
    it.rec.d.x1Real = 1e300;
    it.rec.d.y1Real = std::nan("");
    it.rec.d.x2Real = -1e300;
    it.rec.d.y2Real = -1e300;
    RecomputeFromReals(it, m);
    EXPECT_EQ(+it.rec.d.x1, INT32_MAX);
    EXPECT_EQ(+it.rec.d.y1, 0);
    EXPECT_EQ(+it.rec.d.x2, INT32_MIN);
    EXPECT_EQ(+it.rec.d.width, INT32_MAX);
}

TEST(Item, PenWidthFollowsTheWeightAndIsAtLeastOnePixel)
{
    const ScreenMetrics m; // 96 / 25.4 px per mm
    struct Case {
        double mm;
        int px;
    };
    for (const Case c : {Case{0.0, 1}, Case{0.1, 1}, Case{0.5, 2}, Case{1.0, 4}, Case{2.0, 8}, Case{10.0, 38}}) {
        ItemList list(m);
        Item& it = NewItem(list, KindLine);
        SetWeight(it, c.mm, m);
        EXPECT_EQ(+it.rec.d.penWidth, +c.px) << c.mm;
    }
}

TEST(Item, FontNameKeepsAtMostThirtyTwoCharacters)
{
    ItemList list;
    Item& t = NewItem(list, KindText);
    EXPECT_EQ(FontName(t), "Arial");
    SetFontName(t, std::string(40, 'q'));
    EXPECT_EQ(FontName(t), std::string(32, 'q'));
}

} // namespace
} // namespace vlm
