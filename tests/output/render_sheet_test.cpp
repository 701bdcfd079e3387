#include <gtest/gtest.h>

#include "output/export_picture.h"
#include "output/render_sheet.h"
#include "output/sheet_layout.h"
#include "sheet_fixtures.h"

#include <vector>

namespace vlm {
namespace {

using test::SheetDoc;

constexpr ColorRef kRed = RGBRef(255, 0, 0);
constexpr ColorRef kWhite = RGBRef(255, 255, 255);

SheetEnvironment Env()
{
    return SheetEnvironment{};
}

TEST(SheetLayout, FoldsHalveTheCellGridAndDoubleTheCell)
{
    SheetDoc s;
    s.setup(DesignBusinessCards, UnitInches, 8.5, 11, 3.5, 2, 5, 2);
    HeaderFields& h = s.header();
    h.columnFold = 1;
    const PrintCells cards = PrintCellsOf(h, ScreenMetrics{});
    EXPECT_EQ(cards.rows, 5);
    EXPECT_EQ(cards.columns, 1);
    EXPECT_DOUBLE_EQ(cards.cellWidth, 7.0);
    EXPECT_DOUBLE_EQ(cards.cellHeight, 2.0);
    EXPECT_TRUE(NeedsAreaSelection(h, ScreenMetrics{}));

    s.setup(DesignTentCards, UnitInches, 8.5, 11, 8, 2.5, 4, 1);
    h.rowFold = 1;
    const PrintCells tents = PrintCellsOf(h, ScreenMetrics{});
    EXPECT_EQ(tents.rows, 2);
    EXPECT_DOUBLE_EQ(tents.cellHeight, 5.0);

    // Postcards 2 x 1 with the row fold are one cell: no "Prepare Print".
    s.setup(DesignPostcards, UnitInches, 8.5, 11, 5, 4, 2, 1);
    h.rowFold = 1;
    EXPECT_FALSE(NeedsAreaSelection(h, ScreenMetrics{}));
    s.setup(DesignIllustrations, UnitInches, 8.5, 11, 1, 1, 3, 3);
    EXPECT_FALSE(NeedsAreaSelection(h, ScreenMetrics{}));
}

TEST(SheetLayout, ExportSizesByUnit)
{
    SheetDoc s;
    HeaderFields& h = s.header();
    const ScreenMetrics screen;
    s.setup(DesignIllustrations, UnitMillimeters, 210, 297);
    EXPECT_EQ(ExportSizeOf(h, screen), (ExportSize{200, 200, 1654, 2339}));
    EXPECT_EQ(DisplaySize(ExportSizeOf(h, screen), screen), QSize(794, 1123));

    s.setup(DesignDigitalImages, UnitPixels, 350, 250);
    EXPECT_EQ(ExportSizeOf(h, screen), (ExportSize{96, 96, 350, 250}));
    const SheetDevice twice = ExportDevice(h, screen);
    EXPECT_EQ(twice.width, 700);
    EXPECT_EQ(twice.height, 500);
    EXPECT_DOUBLE_EQ(twice.dpiX, 192.0);
    s.setup(DesignDigitalImages, UnitPixels, 4, 3);
    EXPECT_EQ(ExportSizeOf(h, screen).width, 10);

    s.setup(DesignBusinessCards, UnitInches, 1.5, 11);
    EXPECT_EQ(ExportSizeOf(h, screen), (ExportSize{200, 200, 2550, 3300}));
    h.orientation = Landscape;
    EXPECT_EQ(ExportSizeOf(h, screen), (ExportSize{200, 200, 3300, 2550}));
    h.units = 7;
    EXPECT_EQ(ExportSizeOf(h, screen), (ExportSize{200, 200, 3508, 2480}));

    s.setup(DesignIllustrations, UnitInches, 500, 11);
    EXPECT_EQ(ExportSizeOf(h, screen).width, 32000);
    EXPECT_EQ(ScreenSheetSize(h, screen), QSize(48000, 1056));
}

TEST(SheetLayout, ColumnGapBleedIsHalfTheGapLimitedByTheMargin)
{
    SheetDoc s;
    s.setup(DesignBusinessCards, UnitMillimeters, 210, 297, 85, 55, 5, 2);
    HeaderFields& h = s.header();
    h.pageDims[DimColumnGap] = 10;
    h.pageDims[DimMarginLeft] = 15;
    const SheetDevice printer = PrinterDevice(600, 600, 4960, 7016, 0, 0);
    SheetGeometry g = SheetGeometryOf(h, printer, ScreenMetrics{});
    EXPECT_EQ(g.columnGap, 236);
    EXPECT_EQ(g.bleedX, 118); // 5 mm
    EXPECT_EQ(g.bleedY, 0);   // no row gap
    EXPECT_EQ(g.originX, 354);

    h.pageDims[DimMarginLeft] = 2; // 47 pixels of margin
    g = SheetGeometryOf(h, printer, ScreenMetrics{});
    EXPECT_EQ(g.bleedX, 47);
    // The unprintable border moves the origin, and the bleed with it.
    g = SheetGeometryOf(h, PrinterDevice(600, 600, 4960, 7016, 30, 30), ScreenMetrics{});
    EXPECT_EQ(g.originX, 17);
    EXPECT_EQ(g.bleedX, 17);
}

TEST(SheetLayout, AreaSelectionPositions)
{
    // 5 x 2: row 2, column 1 is position 3.
    std::string sel(10, ' ');
    sel = ToggleCell(sel, 2, 1, 2);
    EXPECT_EQ(sel, "  x       ");
    EXPECT_FALSE(CellPrints(sel, 2, 1, 2));
    EXPECT_TRUE(CellPrints(sel, 2, 2, 2));
    EXPECT_EQ(ToggleCell(sel, 2, 1, 2), std::string(10, ' '));
    // Padded up to the position; past the end everything prints.
    EXPECT_EQ(ToggleCell("", 1, 2, 2), " x");
    EXPECT_TRUE(CellPrints("", 5, 2, 2));
    EXPECT_TRUE(CellPrints("xxxxxxxxxxxxx", 0, 1, 2));
}

TEST(SheetLayout, TilesCoverTheSheetExactlyOnce)
{
    for (QSize size : {QSize(1100, 1030), QSize(1024, 512), QSize(511, 1), QSize(512, 513)}) {
        std::vector<int> hits(static_cast<std::size_t>(size.width() * size.height()), 0);
        QPoint last(-1, -1);
        for (const QRect& t : SheetTiles(size.width(), size.height())) {
            ASSERT_FALSE(t.isEmpty());
            EXPECT_LE(t.width(), kTileSide);
            EXPECT_LE(t.height(), kTileSide);
            // Column by column: x never goes back.
            EXPECT_GE(t.x(), last.x());
            last = t.topLeft();
            for (int y = t.top(); y <= t.bottom(); ++y)
                for (int x = t.left(); x <= t.right(); ++x)
                    ++hits[static_cast<std::size_t>(y * size.width() + x)];
        }
        for (int h : hits)
            ASSERT_EQ(h, 1) << size.width() << " x " << size.height();
    }
    EXPECT_TRUE(SheetTiles(0, 100).empty());
    EXPECT_EQ(SheetTiles(1024, 1024).size(), 4u);
}

SheetDoc CardSheet(int rows, int columns)
{
    SheetDoc s;
    s.labels(rows, columns);
    return s;
}

const SheetDevice kPaper96 = PrinterDevice(96, 96, 384, 384, 0, 0);

TEST(RenderSheet, CopiesTheFirstCardIntoEverySelectedCell)
{
    SheetDoc s = CardSheet(2, 2);
    // A mark in the gap right of the first card travels with the bleed.
    s.box(QRect(100, 40, 10, 10), kRed);
    const std::optional<Bitmap> sheet = renderSheet(s.doc, kPaper96, "  x", Env());
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->width(), 384);
    const auto at = [&](int r, int c, int x, int y) {
        return sheet->pixel(48 + (c - 1) * 144 + x, 48 + (r - 1) * 144 + y);
    };
    EXPECT_EQ(at(1, 1, 15, 15), kRed);
    EXPECT_EQ(at(1, 2, 15, 15), kRed);
    EXPECT_EQ(at(2, 2, 15, 15), kRed);
    EXPECT_EQ(at(2, 1, 15, 15), kWhite); // position 3 crossed out
    EXPECT_EQ(at(1, 2, 100, 45), kRed);  // within the 24-pixel bleed
    EXPECT_EQ(at(1, 1, 5, 5), kWhite);
}

TEST(SheetLayout, OnlyCellsReachingIntoTheSheetAreVisited)
{
    // 96-pixel cells every 144 pixels from 24 (bleed included) on a 384-pixel sheet.
    const CellSpan span = CellsOnSheet(24, 167, 144, 100000, 384);
    EXPECT_EQ(span.first, 1);
    EXPECT_EQ(span.last, 3);
    EXPECT_EQ(CellsOnSheet(24, 167, 144, 2, 384).last, 2);
    // Cells starting left of the sheet, or moving left (overlapping cards).
    EXPECT_EQ(CellsOnSheet(-500, -401, 150, 10, 300).first, 4);
    EXPECT_EQ(CellsOnSheet(-500, -401, 150, 10, 300).last, 6);
    EXPECT_EQ(CellsOnSheet(100, 199, -50, 2000000000, 300).last, 4);
    // All on one spot: the last one covers the others.
    EXPECT_EQ(CellsOnSheet(10, 20, 0, 2000000000, 300).first, 2000000000);
    EXPECT_TRUE(CellsOnSheet(400, 500, 144, 10, 384).empty());
    EXPECT_TRUE(CellsOnSheet(10, 20, 0, 5, 5).empty());
}

TEST(RenderSheet, AGridOfBillionsOfCellsRendersTheCellsOnTheSheet)
{
    // Every cell but those of the first three rows and columns lies off the
    // sheet; their offsets would not fit 32 bits.
    SheetDoc few = CardSheet(3, 3);
    const std::optional<Bitmap> expected = renderSheet(few.doc, kPaper96, " x", Env());
    ASSERT_TRUE(expected);
    for (const auto& [rows, columns] : {std::pair{2000000000, 3}, {100000, 100000}, {3, 2000000000}}) {
        SheetDoc many = CardSheet(rows, columns);
        const std::optional<Bitmap> sheet = renderSheet(many.doc, kPaper96, " x", Env());
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->image(), expected->image()) << rows << " x " << columns;
    }
}

TEST(RenderSheet, CrossedOutFirstCellPrintsWhite)
{
    SheetDoc s = CardSheet(2, 2);
    const std::optional<Bitmap> sheet = renderSheet(s.doc, kPaper96, "x", Env());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->pixel(48 + 15, 48 + 15), kWhite);
    EXPECT_EQ(sheet->pixel(48 + 144 + 15, 48 + 15), kRed);
}

TEST(RenderSheet, MarginStripsAreWhite)
{
    SheetDoc s = CardSheet(1, 1);
    s.box(QRect(-40, -40, 20, 20), kRed); // in the margin, left of and above the card
    s.box(QRect(200, 200, 20, 20), kRed); // beyond the only cell: stays
    const std::optional<Bitmap> sheet = renderSheet(s.doc, kPaper96, "", Env());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->pixel(18, 18), kWhite);
    EXPECT_EQ(sheet->pixel(258, 258), kRed);
}

TEST(RenderSheet, IllustrationStartsAtThePhysicalCorner)
{
    SheetDoc s;
    s.setup(DesignIllustrations, UnitInches, 4, 4);
    s.header().pageDims[DimMarginLeft] = 1; // a margin on screen moves nothing
    s.box(QRect(100, 100, 10, 10), kRed);
    const SheetDevice printer = PrinterDevice(96, 96, 384, 384, 20, 30);
    const std::optional<Bitmap> sheet = renderSheet(s.doc, printer, "", Env());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->width(), 344);
    EXPECT_EQ(sheet->height(), 324);
    EXPECT_EQ(sheet->pixel(80, 70), kRed);
    EXPECT_EQ(sheet->pixel(79, 69), kWhite);
    EXPECT_EQ(sheet->pixel(93, 72), kWhite);
}

TEST(RenderSheet, DeviceResolutionScalesPositionsAndSizes)
{
    SheetDoc s;
    s.setup(DesignIllustrations, UnitInches, 2, 2);
    s.box(QRect(10, 20, 10, 10), kRed);
    // 300 x 150 dpi: x by 3.125, y by 1.5625.
    const std::optional<Bitmap> sheet =
        renderSheet(s.doc, PrinterDevice(300, 150, 600, 300, 0, 0), "", Env());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->pixel(32, 32), kRed);
    EXPECT_EQ(sheet->pixel(62, 46), kRed);
    EXPECT_EQ(sheet->pixel(66, 32), kWhite);
    EXPECT_EQ(sheet->pixel(32, 49), kWhite);
}

class CountingSink : public SheetSink
{
public:
    bool begin() override { return ++begun, true; }
    void sendTile(const QImage& tile, int x, int y) override
    {
        ++tiles;
        covered += static_cast<long long>(tile.width()) * tile.height();
        if (x == 512 && y == 0)
            secondColumnTop = tile.pixel(0, 0);
    }
    bool end() override { return ++ended, true; }
    int begun = 0;
    int ended = 0;
    int tiles = 0;
    long long covered = 0;
    QRgb secondColumnTop = 0;
};

TEST(PrintSheet, SendsTilesAtTheirPositions)
{
    SheetDoc s;
    s.setup(DesignIllustrations, UnitInches, 8, 8);
    s.box(QRect(512 / 2, 0, 10, 10), kRed); // at 192 dpi lands at x 512
    CountingSink sink;
    const SheetDevice printer = PrinterDevice(192, 192, 1536, 1100, 0, 0);
    EXPECT_EQ(PrintSheet(s.doc, printer, "", Env(), sink), PrintOutcome::Printed);
    EXPECT_EQ(sink.begun, 1);
    EXPECT_EQ(sink.ended, 1);
    EXPECT_EQ(sink.tiles, 9);
    EXPECT_EQ(sink.covered, 1536LL * 1100);
    EXPECT_EQ(sink.secondColumnTop, Bitmap::toArgb(kRed));
}

TEST(PrintSheet, TooLargeSheetStartsNoJob)
{
    SheetDoc s;
    s.setup(DesignIllustrations, UnitInches, 8.5, 11);
    CountingSink sink;
    // Letter at 2400 dpi: 20400 x 26400, over 500 million pixels.
    const SheetDevice huge = PrinterDevice(2400, 2400, 20400, 26400, 0, 0);
    EXPECT_FALSE(SheetFits(huge));
    EXPECT_EQ(PrintSheet(s.doc, huge, "", Env(), sink), PrintOutcome::TooLarge);
    EXPECT_EQ(sink.begun, 0);
    bool tooLarge = false;
    EXPECT_FALSE(renderSheet(s.doc, huge, "", Env(), &tooLarge));
    EXPECT_TRUE(tooLarge);
    // A printable border wider than the paper leaves no sheet at all.
    EXPECT_EQ(PrintSheet(s.doc, PrinterDevice(96, 96, 100, 100, 60, 60), "", Env(), sink),
              PrintOutcome::TooLarge);
}

TEST(PrintSheet, WithoutHeaderNothingIsPrinted)
{
    Document empty;
    CountingSink sink;
    EXPECT_EQ(PrintSheet(empty, kPaper96, "", Env(), sink), PrintOutcome::NoHeader);
    EXPECT_EQ(sink.begun, 0);
    EXPECT_FALSE(ExactPicture(empty, Env()));
    EXPECT_FALSE(PreviewPicture(empty, "", Env()));
}

TEST(ExportPicture, ExactAndSmoothSizes)
{
    SheetDoc s;
    s.setup(DesignDigitalImages, UnitPixels, 350, 250);
    s.box(QRect(0, 0, 175, 250), kRed);
    const std::optional<Bitmap> exact = ExactPicture(s.doc, Env());
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->width(), 350);
    EXPECT_EQ(exact->height(), 250);
    EXPECT_EQ(exact->pixel(100, 100), kRed);
    EXPECT_EQ(exact->pixel(300, 100), kWhite);
    const std::optional<Bitmap> smooth = PreviewPicture(s.doc, "", Env());
    ASSERT_TRUE(smooth);
    EXPECT_EQ(smooth->width(), 350);
    EXPECT_EQ(smooth->height(), 250);
    EXPECT_EQ(smooth->pixel(100, 100), kRed);

    s.setup(DesignIllustrations, UnitMillimeters, 210, 297);
    const std::optional<Bitmap> a4 = PreviewPicture(s.doc, "", Env());
    ASSERT_TRUE(a4);
    EXPECT_EQ(a4->width(), 794);
    EXPECT_EQ(a4->height(), 1123);
}

TEST(ExportPicture, PreviewHonoursTheSelectionAndExactPrintsEveryCell)
{
    SheetDoc s = CardSheet(1, 2);
    // 4-inch paper: export 800 x 800 at 200 dpi, shown at 384 x 384.
    const std::optional<Bitmap> preview = PreviewPicture(s.doc, " x", Env());
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->width(), 384);
    EXPECT_EQ(preview->pixel(48 + 20, 48 + 20), kRed);
    EXPECT_EQ(preview->pixel(48 + 144 + 20, 48 + 20), kWhite);
    const std::optional<Bitmap> exact = ExactPicture(s.doc, Env());
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->pixel(48 + 144 + 20, 48 + 20), kRed);
}

} // namespace
} // namespace vlm
