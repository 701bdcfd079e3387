#include "shell_fixture.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/prepare_print_dialog.h"
#include "shell/dialogs/print_preview_dialog.h"
#include "texts/output_texts.h"

#include <QAction>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

namespace vlm::test {
namespace {

struct PrintShellTest : ShellTest
{
    EditCommands* edit = nullptr;
    PrintCommands* print = nullptr;
    int dialogs = 0;
    QString pdf;

    DocumentWindow& startWithDocument()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        print = new PrintCommands(m, *edit);
        pdf = path("printed.pdf");
        print->runPrintDialog = [this](QPrinter& printer) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        m.Timer2Timer();
        EXPECT_EQ(m.documentWindows().size(), 1u);
        return *m.activeWindow();
    }

    HeaderFields& header(DocumentWindow& w) { return w.document().items.header()->rec.h; }

    void setCards(DocumentWindow& w, int rows, int columns, bool columnFold)
    {
        letterCardSheet(header(w), rows, columns, columnFold);
    }

    static void wait(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

TEST_F(PrintShellTest, PrintButtonStandsBeforeUndoAndTheEntriesShow)
{
    startWithDocument();
    QAction* undo = edit->buttonAction(6);
    auto* row = qobject_cast<QToolBar*>(undo->parent());
    ASSERT_NE(row, nullptr);
    const QList<QAction*> actions = row->actions();
    const qsizetype at = actions.indexOf(undo);
    ASSERT_GT(at, 0);
    EXPECT_EQ(actions[at - 1]->toolTip(), QString::fromUtf16(texts::kHintPrint));
    EXPECT_TRUE(main->menus().entry(CommandId::Print)->isVisible());
    EXPECT_TRUE(main->menus().entry(CommandId::PrintPreview)->isVisible());
    EXPECT_FALSE(main->menus().menu(CommandId::ExportMenu)->menuAction()->isVisible());
}

TEST_F(PrintShellTest, SingleCellPrintsStraightToThePrinter)
{
    DocumentWindow& w = startWithDocument();
    main->menus().entry(CommandId::Print)->trigger();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(main->narrowWindow().frame(), nullptr);
    EXPECT_TRUE(bytesOf(pdf).startsWith("%PDF"));
    (void)w;
}

TEST_F(PrintShellTest, FoldedCardsAskPreparePrintWithFiveAreasThenPrintTheSelection)
{
    DocumentWindow& w = startWithDocument();
    setCards(w, 5, 2, true);
    print->PrintCommand();
    EXPECT_EQ(dialogs, 0);
    auto* prepare = dynamic_cast<PreparePrintDialog*>(main->narrowWindow().frame());
    ASSERT_NE(prepare, nullptr);
    EXPECT_EQ(main->narrowWindow().windowTitle(), QString::fromUtf16(texts::kPrepareTitle));
    const PrintMap& map = prepare->mapView()->map();
    EXPECT_EQ(map.rows, 5);
    EXPECT_EQ(map.columns, 1);
    ASSERT_EQ(map.cells.size(), 5u);
    // Crossing out the second area, then confirming.
    prepare->clickAt(map.cells[1].center());
    EXPECT_EQ(prepare->selection(), " x");
    prepare->selectNone();
    EXPECT_EQ(prepare->selection(), "xxxxx");
    prepare->selectAll();
    prepare->clickAt(map.cells[1].center());
    prepare->clickAt(QPoint(-5, -5)); // outside every cell: nothing
    EXPECT_EQ(prepare->selection(), " x   ");
    main->narrowWindow().accept(); // closed without "Print": no change
    EXPECT_EQ(w.areaSelection, "");

    print->PrintCommand();
    prepare = dynamic_cast<PreparePrintDialog*>(main->narrowWindow().frame());
    ASSERT_NE(prepare, nullptr);
    prepare->clickAt(prepare->mapView()->map().cells[1].center());
    const QList<QPushButton*> buttons = prepare->findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.empty());
    buttons.front()->click(); // "Print"
    EXPECT_EQ(w.areaSelection, " x");
    EXPECT_EQ(dialogs, 0) << "printing starts a moment later";
    wait(250);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(bytesOf(pdf).startsWith("%PDF"));
}

TEST_F(PrintShellTest, PreviewOfAnA4MillimetreDocument)
{
    DocumentWindow& w = startWithDocument();
    HeaderFields& h = header(w);
    h.designType = DesignIllustrations;
    h.units = UnitMillimeters;
    h.pageDims[DimPaperWidth] = 210;
    h.pageDims[DimPaperHeight] = 297;
    main->menus().entry(CommandId::PrintPreview)->trigger();
    auto* preview = dynamic_cast<PrintPreviewDialog*>(main->wideWindow().frame());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(main->wideWindow().windowTitle(), w.caption());
    EXPECT_FALSE(preview->isReady());
    wait(300);
    ASSERT_TRUE(preview->isReady());
    EXPECT_EQ(preview->image()->width(), 794);
    EXPECT_EQ(preview->image()->height(), 1123);
    // "Print" closes the preview and prints the previewed window.
    const QList<QPushButton*> buttons = preview->findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.empty());
    buttons.front()->click();
    EXPECT_EQ(main->wideWindow().frame(), nullptr);
    EXPECT_EQ(dialogs, 1);
}

TEST_F(PrintShellTest, ExportsAskForAFileAndRememberItsFolder)
{
    DocumentWindow& w = startWithDocument();
    HeaderFields& h = header(w);
    h.designType = DesignDigitalImages;
    h.units = UnitPixels;
    h.pageDims[DimPaperWidth] = 350;
    h.pageDims[DimPaperHeight] = 250;
    const QString bmp = path("exact.bmp");
    prompts.saveAnswers.push_back(bmp);
    main->menus().entry(CommandId::ExportExact)->trigger();
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    EXPECT_EQ(prompts.saveDialogs[0].title, QString::fromUtf16(texts::kExportTitle));
    EXPECT_EQ(prompts.saveDialogs[0].defaultSuffix, QStringLiteral("jpg"));
    EXPECT_EQ(QImage(bmp).size(), QSize(350, 250));
    EXPECT_EQ(QString::fromStdU16String(main->settings().expdir), dir.path());
    EXPECT_EQ(main->settings().expndx, 2);

    // Declining to replace leaves the file alone.
    const QByteArray before = bytesOf(bmp);
    prompts.saveAnswers.push_back(bmp);
    prompts.answers.push_back(Prompts::Answer::No);
    h.pageDims[DimPaperWidth] = 100;
    main->menus().entry(CommandId::ExportExact)->trigger();
    EXPECT_EQ(bytesOf(bmp), before);

    // "Smooth" saves the preview image as soon as it is ready.
    const QString jpg = path("smooth.jpg");
    prompts.saveAnswers.push_back(jpg);
    h.pageDims[DimPaperWidth] = 350;
    main->menus().entry(CommandId::ExportSmooth)->trigger();
    wait(300);
    EXPECT_EQ(QImage(jpg).size(), QSize(350, 250));
    main->wideWindow().reject();
}

} // namespace
} // namespace vlm::test

namespace vlm::test {
namespace {

bool HasJpeg(const QByteArray& pdf)
{
    return pdf.contains("/DCTDecode");
}

TEST_F(PrintShellTest, PrintToFileStoresTheSheetWithoutLoss)
{
    DocumentWindow& w = startWithDocument();
    setCards(w, 1, 1, false);
    main->menus().entry(CommandId::Print)->trigger();
    const QByteArray bytes = bytesOf(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_FALSE(HasJpeg(bytes));
    EXPECT_TRUE(bytes.contains("/FlateDecode"));
}

TEST_F(PrintShellTest, ExportToPdfOrSvgDrawsTheVectorSheet)
{
    DocumentWindow& w = startWithDocument();
    setCards(w, 2, 1, false);
    const QString vectorPdf = path("cards.pdf");
    prompts.saveAnswers.push_back(vectorPdf);
    main->menus().entry(CommandId::ExportExact)->trigger();
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    EXPECT_TRUE(prompts.saveDialogs[0].filter.contains(QStringLiteral("*.pdf")));
    EXPECT_TRUE(prompts.saveDialogs[0].filter.contains(QStringLiteral("*.svg")));
    const QByteArray bytes = bytesOf(vectorPdf);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_FALSE(bytes.contains("/Subtype /Image")); // an empty design: nothing but paper
    // The filter index stays one of the two picture formats.
    EXPECT_TRUE(main->settings().expndx == 1 || main->settings().expndx == 2);

    const QString svg = path("cards.svg");
    prompts.saveAnswers.push_back(svg);
    main->menus().entry(CommandId::ExportExact)->trigger();
    EXPECT_TRUE(bytesOf(svg).contains("<svg"));

    // "Smooth" to a PDF draws the sheet too, not a JPEG under a PDF's name.
    const QString smooth = path("smooth.pdf");
    prompts.saveAnswers.push_back(smooth);
    main->menus().entry(CommandId::ExportSmooth)->trigger();
    wait(300);
    EXPECT_TRUE(bytesOf(smooth).startsWith("%PDF"));
    main->wideWindow().reject();
}

} // namespace
} // namespace vlm::test
