// The picture dialog's state without the dialog: decode scales and zoom,
// the shown part, outlines with their history, mirror and turns, and what
// "Insert" puts into the document.

#include "model/document.h"
#include "model/item_list.h"
#include "picture_fixtures.h"
#include "pictures/insert_picture.h"
#include "pictures/picture_session.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

using test::Bytes;
using test::Gradient;
using test::QtBytes;

Bytes Bmp(int w, int h)
{
    return QtBytes(Gradient(w, h).image(), "BMP");
}

struct DocFixture : ::testing::Test
{
    Document doc;
    OpenDocumentList open;
    HistoryCursor cursor;
    void SetUp() override { open.add(&doc); }
    std::vector<Item*> clips()
    {
        std::vector<Item*> out;
        for (Item& it : doc.items)
            if (IsLive(it) && it.rec.d.kind == KindClip)
                out.push_back(&it);
        return out;
    }
    int count(std::int32_t kind)
    {
        int n = 0;
        for (Item& it : doc.items)
            n += it.rec.d.kind == kind ? 1 : 0;
        return n;
    }
};

TEST(PictureSession, LargeJpegOpensAtAnEighthAndDecodesFinerForZoom)
{
    const Bytes jpeg = EncodeJpeg(Gradient(4000, 3000), 80);
    ASSERT_FALSE(jpeg.empty());
    PictureSession s;
    ASSERT_TRUE(s.load(jpeg, PictureFormatJpeg, QSize(600, 400)));
    EXPECT_EQ(s.reduction(), 8);
    EXPECT_EQ(s.zoomPercent(), 12);
    EXPECT_DOUBLE_EQ(s.zoom(), 0.125);
    EXPECT_EQ(s.shown().width(), 500);
    EXPECT_EQ(s.shown().height(), 375);

    s.setZoomPercent(50);
    EXPECT_EQ(s.reduction(), 2);
    EXPECT_EQ(s.shown().width(), 2000 > kMaxShownSide ? s.shown().width() : 2000);
    EXPECT_EQ(s.wholeShownSize(), QSize(2000, 1500));
    // Back out: the decode scale never becomes coarser.
    s.setZoomPercent(20);
    EXPECT_EQ(s.reduction(), 2);
    EXPECT_EQ(s.shown().width(), 800);
}

TEST(PictureSession, InitialReductionFollowsHowOftenThePictureFits)
{
    EXPECT_EQ(InitialReduction(QSize(500, 375), QSize(600, 400)), 8);
    EXPECT_EQ(InitialReduction(QSize(100, 100), QSize(317, 317)), 4); // n = 3
    EXPECT_EQ(InitialReduction(QSize(100, 100), QSize(417, 417)), 2); // n = 4
    EXPECT_EQ(InitialReduction(QSize(100, 100), QSize(817, 817)), 1); // n = 8
    EXPECT_EQ(InitialReduction(QSize(0, 10), QSize(817, 817)), 8);
}

TEST(PictureSession, ZoomButtonSteps)
{
    EXPECT_DOUBLE_EQ(ZoomOutFrom(25), 0.125);
    EXPECT_DOUBLE_EQ(ZoomOutFrom(26), 0.25);
    EXPECT_DOUBLE_EQ(ZoomOutFrom(100), 0.5);
    EXPECT_DOUBLE_EQ(ZoomOutFrom(101), 1.0);
    EXPECT_DOUBLE_EQ(ZoomOutFrom(300), 2.0);
    EXPECT_DOUBLE_EQ(ZoomInFrom(24), 0.25);
    EXPECT_DOUBLE_EQ(ZoomInFrom(25), 0.5);
    EXPECT_DOUBLE_EQ(ZoomInFrom(99), 1.0);
    EXPECT_DOUBLE_EQ(ZoomInFrom(199), 2.0);
    EXPECT_DOUBLE_EQ(ZoomInFrom(200), 3.0);
}

TEST(PictureSession, ZoomBeyondTheAreaShowsTheTopLeftPart)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(1000, 800), PictureFormatBmp, QSize(600, 400)));
    EXPECT_DOUBLE_EQ(s.zoom(), 1.0);
    s.setZoomPercent(300);
    EXPECT_EQ(s.shown().width(), 1600);
    EXPECT_EQ(s.shown().height(), 1280);
    EXPECT_EQ(s.wholeShownSize(), QSize(3000, 2400));
    // Its top-left pixel is the picture's.
    const ColorRef c = s.shown().pixel(0, 0), d = s.decoded().pixel(0, 0);
    EXPECT_NEAR(RedOf(c), RedOf(d), 3);
    // The track bar's 0 counts as 1 %.
    s.setZoomPercent(0);
    EXPECT_DOUBLE_EQ(s.zoom(), 0.01);
    EXPECT_EQ(s.shown().width(), 10);
}

TEST(PictureSession, UndecodableBytesLeaveTheSessionEmpty)
{
    PictureSession s;
    EXPECT_FALSE(s.load(Bytes{1, 2, 3}, PictureFormatJpeg, QSize(600, 400)));
    EXPECT_FALSE(s.loaded());
    s.setZoomPercent(200); // nothing to zoom; no crash
    EXPECT_TRUE(s.shown().isNull());
}

TEST(PictureSession, QuarterTurnSequences)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(20, 10), PictureFormatBmp, QSize(600, 400)));
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        s.turnCounterClockwise();
        seen.push_back(s.turn());
    }
    EXPECT_EQ(seen, (std::vector<int>{90, 180, 270, 360, 90}));
    PictureSession t;
    ASSERT_TRUE(t.load(Bmp(20, 10), PictureFormatBmp, QSize(600, 400)));
    t.turnClockwise();
    EXPECT_EQ(t.turn(), 270);
    EXPECT_EQ(t.shown().width(), 10);
    EXPECT_EQ(t.wholeShownSize(), QSize(10, 20));
}

TEST(PictureSession, MirrorOfATurnedPictureChangesTheVerticalSign)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(20, 10), PictureFormatBmp, QSize(600, 400)));
    s.turnCounterClockwise();
    s.mirror();
    EXPECT_EQ(s.mirrorX(), 1);
    EXPECT_EQ(s.mirrorY(), -1);
    s.flip();
    EXPECT_EQ(s.mirrorX(), -1);
}

TEST(PictureSession, OutlinesFollowMirrorAndTurns)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(200, 100), PictureFormatBmp, QSize(600, 400)));
    Item& rect = s.addOutline(kRectOutline, {10, 20}, {50, 40});
    Item& round = s.addOutline(kRoundOutline, {100, 50}, {110, 50});
    s.mirror();
    EXPECT_EQ(+rect.rec.d.x1, 150);
    EXPECT_EQ(+rect.rec.d.x2, 190);
    EXPECT_EQ(+round.rec.d.x1, 100);
    EXPECT_EQ(+round.rec.d.x2, 90);
    s.mirror();
    // Clockwise: (x1, y1, x2, y2) := (H - y1, x1, H - y2, x2) with H = 100.
    s.turnClockwise();
    EXPECT_EQ(+rect.rec.d.x1, 80);
    EXPECT_EQ(+rect.rec.d.y1, 10);
    EXPECT_EQ(+rect.rec.d.x2, 60);
    EXPECT_EQ(+rect.rec.d.y2, 50);
    // And back: W is now 100.
    s.turnCounterClockwise();
    EXPECT_EQ(+rect.rec.d.x1, 10);
    EXPECT_EQ(+rect.rec.d.y1, 20);
}

TEST(PictureSession, OutlineHistoryUndoesAddEraseAndReshape)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(200, 100), PictureFormatBmp, QSize(600, 400)));
    Item& a = s.addOutline(kRectOutline, {10, 10}, {50, 40});
    s.addOutline(kRoundOutline, {100, 50}, {110, 50});
    EXPECT_EQ(s.count(kRectOutline), 1);
    EXPECT_EQ(s.count(kRoundOutline), 1);

    Item* copy = s.beginReshape(a);
    ASSERT_NE(copy, nullptr);
    PictureSession::moveMarker(*copy, 3, {80, 70});
    EXPECT_EQ(+copy->rec.d.x2, 80);
    EXPECT_EQ(s.liveOutlines().size(), 2u);
    EXPECT_TRUE(s.eraseSelected());
    EXPECT_EQ(s.count(kRectOutline), 0);
    EXPECT_FALSE(s.eraseSelected()); // nothing selected any more

    ASSERT_TRUE(s.undo()); // the erase
    ASSERT_EQ(s.count(kRectOutline), 1);
    EXPECT_EQ(+s.liveOutlines()[1]->rec.d.x2, 80);
    ASSERT_TRUE(s.undo()); // the reshape
    EXPECT_EQ(+s.liveOutlines()[0]->rec.d.x2, 50);
    ASSERT_TRUE(s.undo());
    ASSERT_TRUE(s.undo());
    EXPECT_TRUE(s.liveOutlines().empty());
    EXPECT_FALSE(s.canUndo());
    ASSERT_TRUE(s.redo());
    EXPECT_EQ(s.count(kRectOutline), 1);
    // A new outline drops what was left to redo.
    s.addOutline(kRectOutline, {0, 0}, {5, 5});
    EXPECT_FALSE(s.canRedo());
}

TEST(PictureSession, MarkersOfBothShapes)
{
    PictureSession s;
    Item& r = s.addOutline(kRectOutline, {50, 40}, {10, 20});
    const auto m = PictureSession::markerPoints(r);
    ASSERT_EQ(m.size(), 9u);
    EXPECT_EQ(m[0], QPoint(30, 30));
    EXPECT_EQ(m[1], QPoint(10, 20));
    EXPECT_EQ(m[6], QPoint(50, 30));
    PictureSession::moveMarker(r, 0, {35, 30});
    EXPECT_EQ(+r.rec.d.x1, 15);
    EXPECT_EQ(+r.rec.d.x2, 55);
    Item& c = s.addOutline(kRoundOutline, {100, 100}, {103, 104});
    const auto k = PictureSession::markerPoints(c);
    ASSERT_EQ(k.size(), 5u);
    EXPECT_EQ(k[1], QPoint(100, 95));
    EXPECT_EQ(k[4], QPoint(95, 100));
    EXPECT_FALSE(PictureSession::usable(s.addOutline(kRectOutline, {1, 1}, {1, 9})));
    EXPECT_FALSE(PictureSession::usable(s.addOutline(kRoundOutline, {1, 1}, {1, 1})));
}

TEST_F(DocFixture, EntireImageOfABitmap)
{
    PictureSession s;
    s.fileName = u"/tmp/pic.bmp";
    ASSERT_TRUE(s.load(Bmp(200, 100), PictureFormatBmp, QSize(600, 400)));
    const InsertedPicture r = insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor);
    ASSERT_TRUE(r.inserted);
    ASSERT_EQ(clips().size(), 1u);
    const DrawingFields& d = clips()[0]->rec.d;
    EXPECT_EQ(+d.x1, 20);
    EXPECT_EQ(+d.y1, 20);
    EXPECT_EQ(+d.x2, 220);
    EXPECT_EQ(+d.y2, 120);
    EXPECT_EQ(+d.clipShape, 0);
    EXPECT_EQ((std::array<int, 4>{d.sourceRect[0], d.sourceRect[1], d.sourceRect[2], d.sourceRect[3]}),
              (std::array<int, 4>{0, 0, 199, 99}));
    EXPECT_EQ(+d.pictureId, r.pictureId);
    EXPECT_DOUBLE_EQ(d.placementScale, 1.0);
    const Item* pic = PictureById(doc.items, r.pictureId);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(+pic->rec.d.clipShape, PictureFormatBmp);
    EXPECT_EQ(+pic->rec.d.historyState, 0);
    EXPECT_EQ(+pic->rec.d.width, 200);
    EXPECT_EQ(pic->text, u"/tmp/pic.bmp");
    EXPECT_GE(r.pictureId, 1);
    EXPECT_FALSE(DecodePicture(pic->pictureData, +pic->rec.d.clipShape).bitmap.isNull());
}

TEST_F(DocFixture, JpegIsStoredAtFullSizeEvenWhenShownSmaller)
{
    PictureSession s;
    ASSERT_TRUE(s.load(EncodeJpeg(Gradient(800, 600), 80), PictureFormatJpeg, QSize(150, 150)));
    ASSERT_EQ(s.reduction(), 8);
    const InsertedPicture r = insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor);
    ASSERT_TRUE(r.inserted);
    const Item* pic = PictureById(doc.items, r.pictureId);
    const Bitmap back = DecodePicture(pic->pictureData, PictureFormatJpeg).bitmap;
    EXPECT_EQ(back.width(), 800);
    const DrawingFields& d = clips()[0]->rec.d;
    EXPECT_EQ(+d.x2 - d.x1, 100);
    EXPECT_EQ(+d.sourceRect[2], 799);
}

TEST_F(DocFixture, ClipsArePlacedDownTheDiagonalWithTheLook)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(400, 300), PictureFormatBmp, QSize(600, 400)));
    s.setZoom(0.5);
    s.insertMode = InsertRectClips;
    s.addOutline(kRectOutline, {100, 60}, {10, 20}); // drawn up and left
    s.addOutline(kRoundOutline, {200, 150}, {210, 150});
    s.addOutline(kRectOutline, {0, 0}, {40, 40});
    ClipLook look;
    look.framed = true;
    look.frameWidth = 1.0;
    look.frameColor = 255;
    look.shadowElevation = 30;
    look.surface = 127;
    ASSERT_TRUE(insertPicture(doc, s, PictureInsert::NewPicture, look, open, cursor).inserted);
    const auto c = clips();
    ASSERT_EQ(c.size(), 3u);
    const DrawingFields &a = c[0]->rec.d, &b = c[1]->rec.d, &e = c[2]->rec.d;
    EXPECT_EQ(QPoint(a.x1, +a.y1), QPoint(20, 20));
    EXPECT_EQ(QPoint(a.x2, +a.y2), QPoint(65, 40));
    EXPECT_EQ(+a.clipShape, 1);
    EXPECT_EQ(+a.sourceRect[0], 10);
    EXPECT_EQ(+a.sourceRect[2], 100);
    // Round: centre = (30, 30) + Round(0.5 * 10), rim 5 further right.
    EXPECT_EQ(+b.clipShape, 2);
    EXPECT_EQ(QPoint(b.x1, +b.y1), QPoint(35, 35));
    EXPECT_EQ(QPoint(b.x2, +b.y2), QPoint(40, 35));
    EXPECT_EQ(+b.left, 30);
    EXPECT_EQ(QPoint(e.x1, +e.y1), QPoint(40, 40));
    for (const Item* it : c) {
        EXPECT_EQ(+it->rec.d.framed, 1);
        EXPECT_EQ(+it->rec.d.lineColor, 255);
        EXPECT_EQ(+it->rec.d.surface, 127);
        EXPECT_EQ(+it->rec.d.shadowElevation, 30);
        EXPECT_DOUBLE_EQ(it->rec.d.scaleX, 0.5);
        EXPECT_EQ(+it->rec.d.editStep, +c[0]->rec.d.editStep);
    }
    EXPECT_LT(+a.stackOrder, +e.stackOrder);
    // The entire-image mode ignores the outlines.
    s.insertMode = InsertEntireImage;
    ASSERT_TRUE(insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor).inserted);
    EXPECT_EQ(clips().size(), 4u);
    EXPECT_EQ(count(KindPicture), 2);
    EXPECT_NE(+clips()[3]->rec.d.pictureId, +a.pictureId);
}

TEST_F(DocFixture, EditAndNewClipUseTheClipsPicture)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(200, 100), PictureFormatBmp, QSize(600, 400)));
    ASSERT_TRUE(insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor).inserted);
    Item* clip = clips()[0];
    const std::int32_t id = clip->rec.d.pictureId;

    PictureSession e;
    const Item* pic = PictureById(doc.items, id);
    ASSERT_TRUE(e.loadForClip(pic->pictureData, pic->rec.d.clipShape, 1, 1, 0, 1.0));
    e.insertMode = InsertRectClips;
    e.addOutline(kRectOutline, {10, 10}, {60, 30});
    e.addOutline(kRectOutline, {0, 0}, {20, 20});
    const InsertedPicture r = insertPicture(doc, e, PictureInsert::EditClip, {}, open, cursor, clip);
    ASSERT_TRUE(r.inserted);
    ASSERT_EQ(clips().size(), 2u);
    EXPECT_EQ(count(KindPicture), 1);
    const DrawingFields& edited = clips()[0]->rec.d;
    EXPECT_EQ(QPoint(edited.x1, +edited.y1), QPoint(20, 20));
    EXPECT_EQ(QPoint(edited.x2, +edited.y2), QPoint(70, 40));
    EXPECT_EQ(+edited.sourceRect[0], 10);
    EXPECT_NE(+edited.selected, 0);
    EXPECT_EQ(+clips()[1]->rec.d.pictureId, id);
    // One undo step brings the old clip back alone.
    ASSERT_TRUE(UndoLastAction(doc.items, cursor));
    ASSERT_EQ(clips().size(), 1u);
    EXPECT_EQ(+clips()[0]->rec.d.x2, 220);

    // A new clip of the same picture; a clip without its picture is refused.
    e.insertMode = InsertEntireImage;
    ASSERT_TRUE(insertPicture(doc, e, PictureInsert::NewClip, {}, open, cursor, clips()[0]).inserted);
    EXPECT_EQ(clips().size(), 2u);
    clips()[1]->rec.d.pictureId = 99;
    EXPECT_FALSE(insertPicture(doc, e, PictureInsert::NewClip, {}, open, cursor, clips()[1]).inserted);
    EXPECT_FALSE(insertPicture(doc, e, PictureInsert::EditClip, {}, open, cursor, nullptr).inserted);
}

TEST_F(DocFixture, EditingAClipStartsFromItsOwnOutline)
{
    PictureSession s;
    ASSERT_TRUE(s.load(Bmp(200, 100), PictureFormatBmp, QSize(600, 400)));
    s.insertMode = InsertRectClips;
    s.addOutline(kRectOutline, {60, 30}, {10, 10}); // drawn up and left
    s.addOutline(kRoundOutline, {150, 50}, {150, 70});
    ASSERT_TRUE(insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor).inserted);
    ASSERT_EQ(clips().size(), 2u);
    const Item* pic = PictureById(doc.items, clips()[0]->rec.d.pictureId);
    const DrawingFields roundClip = clips()[1]->rec.d;

    // A rectangular clip: its source rectangle comes back as a selected
    // rectangular outline that Undo cannot take away.
    PictureSession e;
    ASSERT_TRUE(e.loadForClip(pic->pictureData, pic->rec.d.clipShape, 1, 1, 0, 1.0));
    const Item* start = e.startWithClipOutline(clips()[0]->rec.d);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(e.insertMode, InsertRectClips);
    EXPECT_EQ(e.count(kRectOutline), 1);
    EXPECT_EQ(QPoint(start->rec.d.x1, +start->rec.d.y1), QPoint(10, 10));
    EXPECT_EQ(QPoint(start->rec.d.x2, +start->rec.d.y2), QPoint(60, 30));
    EXPECT_NE(+start->rec.d.selected, 0);
    EXPECT_FALSE(e.canUndo());
    EXPECT_FALSE(e.undo());
    EXPECT_EQ(e.count(kRectOutline), 1);

    // Reshaped and undone, it is the clip's outline again.
    Item* copy = e.beginReshape(const_cast<Item&>(*start));
    ASSERT_NE(copy, nullptr);
    PictureSession::moveMarker(*copy, 3, {90, 80});
    ASSERT_TRUE(e.undo());
    ASSERT_EQ(e.liveOutlines().size(), 1u);
    EXPECT_EQ(+e.liveOutlines()[0]->rec.d.x2, 60);

    // Inserting it unchanged leaves the clip where and as it was.
    const DrawingFields before = clips()[0]->rec.d;
    const InsertedPicture edited = insertPicture(doc, e, PictureInsert::EditClip, {}, open, cursor, clips()[0]);
    ASSERT_TRUE(edited.inserted);
    ASSERT_EQ(edited.clips.size(), 1u);
    const DrawingFields& after = edited.clips[0]->rec.d;
    EXPECT_EQ(QRect(QPoint(after.x1, after.y1), QPoint(after.x2, after.y2)),
              QRect(QPoint(before.x1, before.y1), QPoint(before.x2, before.y2)));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(+after.sourceRect[k], +before.sourceRect[k]);

    // A round clip comes back round: centre and rim point.
    PictureSession r;
    ASSERT_TRUE(r.loadForClip(pic->pictureData, pic->rec.d.clipShape, 1, 1, 0, 1.0));
    const Item* round = r.startWithClipOutline(roundClip);
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(r.insertMode, InsertRoundClips);
    EXPECT_EQ(+round->rec.d.kind, kRoundOutline);
    EXPECT_EQ(QPoint(round->rec.d.x1, +round->rec.d.y1), QPoint(150, 50));
    EXPECT_EQ(QPoint(round->rec.d.x2, +round->rec.d.y2), QPoint(150, 70));

    // The entire image has no outline to show.
    PictureSession whole;
    DrawingFields entire = roundClip;
    entire.clipShape = 0;
    EXPECT_EQ(whole.startWithClipOutline(entire), nullptr);
    EXPECT_EQ(whole.insertMode, InsertEntireImage);
    EXPECT_TRUE(whole.liveOutlines().empty());
}

TEST_F(DocFixture, OnePixelGifIsInserted)
{
    const Bytes gif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0,   0,
                       0,    0x2C, 0,    0,    0,    0,    1, 0, 1, 0, 0,    2, 2, 0x44, 1, 0, 0x3B};
    PictureSession s;
    ASSERT_TRUE(s.load(gif, PictureFormatGif, QSize(600, 400)));
    EXPECT_EQ(s.shown().width(), 1);
    const InsertedPicture r = insertPicture(doc, s, PictureInsert::NewPicture, {}, open, cursor);
    ASSERT_TRUE(r.inserted);
    ASSERT_EQ(clips().size(), 1u);
    EXPECT_EQ(+clips()[0]->rec.d.x2, 21);
}

} // namespace
} // namespace vlm
