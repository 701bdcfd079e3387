// The print preview pane: the whole sheet, fitted to the pane.

#include "model/document.h"
#include "model/page_setup.h"
#include "shell/dialogs/print_preview_dialog.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace vlm::test {
namespace {

struct Preview
{
    Document doc;
    std::unique_ptr<PrintPreviewDialog> dialog;
    int readies = 0;

    Preview(double widthMm, double heightMm)
    {
        InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
        HeaderFields& h = doc.items.header()->rec.h;
        h.designType = DesignIllustrations;
        h.units = UnitMillimeters;
        h.pageDims[DimPaperWidth] = widthMm;
        h.pageDims[DimPaperHeight] = heightMm;
        SheetEnvironment env;
        env.screen = ScreenMetrics::fromDpi(96, 96);
        dialog = std::make_unique<PrintPreviewDialog>(
            doc, std::string(), env, [this](const Bitmap&) { ++readies; }, [] {}, [] {});
    }

    // Shown at `size`, laid out, and prepared without waiting for its timer.
    void showAt(QSize size)
    {
        dialog->resize(size);
        dialog->show();
        QCoreApplication::sendPostedEvents(nullptr, 0);
        dialog->prepareNow();
        QCoreApplication::sendPostedEvents(nullptr, 0);
    }
};

TEST(PrintPreviewPane, ASheetLargerThanThePaneIsFittedWholeWithItsProportions)
{
    Preview a4(210, 297);
    a4.showAt(QSize(674, 440)); // the wide popup's size
    ASSERT_TRUE(a4.dialog->isReady());
    // The image stays the screen-size sheet (the "Smooth" export saves it).
    EXPECT_EQ(a4.dialog->image()->width(), 794);
    EXPECT_EQ(a4.dialog->image()->height(), 1123);
    EXPECT_EQ(a4.readies, 1);

    const QRect pane = a4.dialog->pane()->rect();
    const QRect sheet = a4.dialog->shownSheet();
    EXPECT_TRUE(pane.adjusted(10, 10, -10, -10).contains(sheet))
        << sheet.width() << "x" << sheet.height() << " in " << pane.width() << "x" << pane.height();
    EXPECT_NEAR(double(sheet.width()) / sheet.height(), 794.0 / 1123.0, 0.01);
    // It fills the pane's height and stands in the middle.
    EXPECT_EQ(sheet.height(), pane.height() - 20);
    EXPECT_LE(std::abs(sheet.center().x() - pane.center().x()), 1);

    // A larger pane fits it again, from the same image.
    a4.dialog->resize(900, 700);
    QCoreApplication::sendPostedEvents(nullptr, 0);
    const QRect larger = a4.dialog->shownSheet();
    EXPECT_GT(larger.height(), sheet.height());
    EXPECT_TRUE(a4.dialog->pane()->rect().contains(larger));
    EXPECT_EQ(a4.readies, 1);
}

TEST(PrintPreviewPane, ASheetSmallerThanThePaneKeepsItsScreenSize)
{
    Preview card(50, 30); // Round(50 / 25.4 * 96) = 189, Round(30 / 25.4 * 96) = 113
    card.showAt(QSize(674, 440));
    ASSERT_TRUE(card.dialog->isReady());
    const QRect sheet = card.dialog->shownSheet();
    EXPECT_EQ(sheet.size(), card.dialog->image()->image().size());
    EXPECT_TRUE(card.dialog->pane()->rect().contains(sheet));
}

} // namespace
} // namespace vlm::test
