// Overlays come off the canvas exactly: the selection snapshot, the rubber
// band with the direction guide, and Markers placed over one another.

#include "view_fixtures.h"

#include "platform/canvas.h"
#include "render/view_overlay.h"

#include <gtest/gtest.h>

#include <numbers>

namespace vlm::test {
namespace {

constexpr ColorRef kRedC = RGBRef(255, 0, 0);
constexpr ColorRef kBlueC = RGBRef(0, 0, 255);

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    return a.image() == b.image();
}

struct OverlayFixture : ::testing::Test {
    Document doc;
    RecordingHost host;
    std::unique_ptr<DocumentView> view;

    void SetUp() override
    {
        MakePage(doc, 300, 200);
        HeaderOf(doc).gridH = HeaderOf(doc).gridV = 1;
        AddBlock(doc, 20, 20, 120, 90, kRedC);
        AddLine(doc, {10, 150}, {280, 20}, kBlueC);
        view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
        view->LayoutView(kClient, 16);
    }

    Bitmap copy() const { return Bitmap(view->canvas().image().copy()); }
};

TEST_F(OverlayFixture, SnapshotRestoresBitForBitIncludingItsFarEdges)
{
    const Bitmap before = copy();
    const QRect r(QPoint(100, 60), QPoint(40, 30)); // given corner to corner, backwards
    view->TakeSnapshot(r);
    // Draw over the rectangle and the extra pixel column and row it keeps.
    Smudge(*view, QRect(40, 30, 62, 32));
    ASSERT_FALSE(SamePixels(before, view->canvas()));
    view->RestoreSnapshot();
    EXPECT_TRUE(SamePixels(before, view->canvas()));
    EXPECT_FALSE(view->snapshotValid());

    // Restoring twice, or after invalidating, puts nothing back.
    Smudge(*view, QRect(40, 30, 5, 5));
    view->RestoreSnapshot();
    EXPECT_EQ(view->canvas().pixel(41, 31), RGBRef(1, 2, 3));
    view->TakeSnapshot(QRect(0, 0, 10, 10));
    view->InvalidateSnapshot();
    Smudge(*view, QRect(0, 0, 5, 5));
    view->RestoreSnapshot();
    EXPECT_EQ(view->canvas().pixel(1, 1), RGBRef(1, 2, 3));
}

TEST_F(OverlayFixture, SnapshotPartlyOffTheCanvasKeepsOnlyWhatIsOnIt)
{
    const Bitmap before = copy();
    view->TakeSnapshot(QRect(-50, 180, 400, 100));
    Smudge(*view, QRect(0, 180, 300, 20));
    view->RestoreSnapshot();
    EXPECT_TRUE(SamePixels(before, view->canvas()));
}

TEST_F(OverlayFixture, DirectionGuideRunsAlongOneAxisAndComesOffExactly)
{
    const Bitmap before = copy();
    struct Case {
        double degrees;
        QPoint end, pointer, guideEnd;
    };
    const Case cases[] = {
        {90.0, {100, 50}, {140, 50}, {140, 50}},   // steep: the guide runs sideways
        {300.0, {100, 50}, {60, 120}, {60, 50}},
        {30.0, {100, 50}, {140, 90}, {100, 90}},   // shallow: the guide runs up or down
        {134.6, {100, 50}, {120, 90}, {120, 50}},  // rounds to 135
        {135.6, {100, 50}, {120, 90}, {100, 90}},  // rounds to 136
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        const double radians = c.degrees * std::numbers::pi / 180.0;
        EXPECT_EQ(GuideEnd(c.end, c.pointer, radians), c.guideEnd);
        EXPECT_EQ(SegmentSaveBox(c.end, c.pointer, radians), SaveBoxOf(c.end, c.guideEnd));

        view->DrawDirectionGuide(c.end, c.pointer, radians);
        const ViewSettings& s = view->settings();
        const QRect box = SaveBoxOf(c.end, c.guideEnd);
        EXPECT_GT(CountColour(view->canvas(), s.guidePenColor, box), 0);
        EXPECT_GT(CountColour(view->canvas(), s.guideBackColor, box), 0);
        // The next frame takes the old guide off first.
    }
    view->RestoreRubberBand();
    EXPECT_TRUE(SamePixels(before, view->canvas()));
}

TEST_F(OverlayFixture, RubberBandUnderTheSnapshotComesOffFirst)
{
    const Bitmap before = copy();
    view->TakeSnapshot(QRect(30, 30, 100, 100));
    // A drag frame: the edited Item drawn, then the guide over it.
    {
        Canvas c(view->canvas());
        c.fillRect(QRect(60, 60, 30, 30), RGBRef(9, 9, 9));
    }
    view->DrawDirectionGuide({70, 70}, {110, 70}, std::numbers::pi / 2);
    view->RestoreSnapshot();
    EXPECT_TRUE(SamePixels(before, view->canvas()));
}

TEST_F(OverlayFixture, MarkersComeOffExactlyEvenWhenTheyOverlap)
{
    const Bitmap before = copy();
    view->PlaceMarker(7, 1, MarkerFigure::Square, {20, 20});
    view->PlaceMarker(7, 3, MarkerFigure::Square, {24, 22}); // over the first
    view->PlaceMarker(7, 6, MarkerFigure::RotationLine, {70, 5}, {70, 55});
    view->PlaceMarker(7, 5, MarkerFigure::RotationDot, {70, 5});
    view->PlaceMarker(9, 3, MarkerFigure::GroupCentre, {22, 24}); // another Item, over both
    view->PlaceMarker(9, 6, MarkerFigure::None, {0, 0});
    ASSERT_FALSE(SamePixels(before, view->canvas()));

    const ViewSettings& s = view->settings();
    EXPECT_EQ(view->canvas().pixel(22, 24), s.groupCentreColor);
    EXPECT_EQ(view->canvas().pixel(16, 16), s.markerBorderColor);
    EXPECT_EQ(view->canvas().pixel(70, 5), s.rotationDotColor);

    view->RemoveMarkers();
    EXPECT_TRUE(SamePixels(before, view->canvas()));
    // The hit-only Marker stays listed; the drawn ones are gone.
    ASSERT_EQ(view->markers().items().size(), 1u);
    EXPECT_EQ(view->markers().items()[0].markers.size(), 1u);

    // One Item's Markers come off on their own, newest first.
    view->PlaceMarker(7, 1, MarkerFigure::Square, {200, 100});
    const Bitmap withFirst = copy();
    view->PlaceMarker(8, 1, MarkerFigure::Square, {300 - 5, 200 - 5});
    view->EraseMarkers(8);
    EXPECT_TRUE(SamePixels(withFirst, view->canvas()));
    EXPECT_EQ(view->markers().find(8), nullptr);
}

TEST(MarkerLook, SquareAndHitBoxFollowTheMarkerSize)
{
    ViewSettings s;
    const QRect box = MarkerBox(s, {50, 50});
    EXPECT_EQ(box, QRect(QPoint(46, 46), QPoint(55, 55)));
    EXPECT_TRUE(box.contains(55, 50));
    EXPECT_FALSE(box.contains(56, 50));

    Bitmap b(100, 100);
    {
        Canvas c(b);
        DrawMarker(c, s, MarkerFigure::Square, {50, 50});
    }
    const std::map<ColorRef, char> legend = {
        {RGBRef(255, 255, 255), '.'}, {s.markerBorderColor, '#'}, {s.markerColor, 'o'}};
    const std::vector<std::string> expected = {
        "...........",
        ".#########.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#ooooooo#.",
        ".#########.",
        "...........",
    };
    std::vector<std::string> rows;
    for (int y = 45; y <= 55; ++y) {
        std::string row;
        for (int x = 45; x <= 55; ++x) {
            auto it = legend.find(b.pixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    EXPECT_EQ(rows, expected);
}

TEST_F(OverlayFixture, MarkerTimerCopiesAPendingAreaThenPlacesMarkers)
{
    std::vector<std::string> calls;
    Bitmap copied;
    view->hooks().copyToClipboard = [&](const Bitmap& b) {
        calls.push_back("copy");
        copied = b;
    };
    view->hooks().placeMarkers = [&] { calls.push_back("markers"); };

    view->RequestClipboardCopy(QRect(20, 20, 10, 5));
    EXPECT_TRUE(host.asked(ViewTimer::Marker));
    view->MarkerTimer();
    EXPECT_EQ(calls, (std::vector<std::string>{"copy", "markers"}));
    EXPECT_EQ(copied.width(), 10);
    EXPECT_EQ(copied.pixel(0, 0), kRedC);

    // Once taken, or after a repaint, there is nothing left to copy.
    calls.clear();
    view->MarkerTimer();
    view->RequestClipboardCopy(QRect(20, 20, 10, 5));
    view->RepaintAll(false);
    view->MarkerTimer();
    EXPECT_EQ(calls, (std::vector<std::string>{"markers", "markers"}));
}

TEST_F(OverlayFixture, SelectionEditRepaintsWithoutTheSelectionAndSnapshotsIt)
{
    Item& block = *ItemAtStackOrder(doc.items, 1);
    block.rec.d.selected = 255;
    bool began = false;
    view->hooks().beginEdit = [&] { began = true; };
    const int blue = CountColour(view->canvas(), kBlueC);
    view->PlaceMarker(block.rec.d.sequence, 7, MarkerFigure::Square, {70, 55});

    view->BeginSelectionEdit(false);
    EXPECT_TRUE(began);
    EXPECT_TRUE(view->snapshotValid());
    EXPECT_TRUE(view->markers().empty());
    EXPECT_EQ(view->canvas().pixel(30, 30), kCanvasColour); // the block is gone
    EXPECT_EQ(CountColour(view->canvas(), kBlueC), blue);    // the line is not

    // Drawn quick over the snapshot, then taken off again.
    const Bitmap without = copy();
    view->BeginSelectionEdit(true);
    EXPECT_EQ(view->canvas().pixel(30, 30), kRedC);
    view->RestoreSnapshot();
    EXPECT_TRUE(SamePixels(without, view->canvas()));
}

} // namespace
} // namespace vlm::test
