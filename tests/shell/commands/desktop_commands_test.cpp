// "File" > "Export...", the desktop shortcuts and zoom conventions, the
// canvas's context menu and files dropped on the main window.

#include "shell_fixture.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "output/export_picture.h"
#include "output/export_types.h"
#include "pictures/picture_decoders.h"
#include "render/units.h"
#include "shell/commands/canvas_context_menu.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/desktop_conventions.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/export_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/commands/picture_paste.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/export_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/prepare_print_dialog.h"
#include "shell/window/file_drops.h"
#include "shell/window/key_routing.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QToolBar>
#include <QUrl>

namespace vlm::test {
namespace {

struct DesktopTest : ShellTest
{
    EditCommands* edit = nullptr;
    ClipboardCommands* clipboard = nullptr;
    PrintCommands* print = nullptr;
    ExportCommands* exporter = nullptr;
    DesktopConventions* desktop = nullptr;
    CanvasContextMenu* context = nullptr;
    FileDrops* drops = nullptr;
    PictureCommands* pictures = nullptr;

    MainWindow& startAll()
    {
        MainWindow& m = start();
        pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        clipboard = new ClipboardCommands(m, *edit);
        connectPicturePaste(m, *clipboard, *pictures);
        desktop = new DesktopConventions(m, *edit, *clipboard);
        context = new CanvasContextMenu(m, *edit, *clipboard);
        drops = new FileDrops(m);
        new KeyRouting(m, *edit);
        print = new PrintCommands(m, *edit);
        exporter = new ExportCommands(m, *edit, *print);
        return m;
    }
    DocumentWindow& withDocument()
    {
        MainWindow& m = startAll();
        m.Timer2Timer();
        EXPECT_NE(m.activeWindow(), nullptr);
        return *m.activeWindow();
    }
    static void runPosted() { QCoreApplication::processEvents(); }
    // The window is never shown: its layout tells whether a bar would be.
    static bool scrolls(DocumentWindow& w)
    {
        const ViewGeometry& g = w.view().view().geometry();
        return g.scrollBarX.visible || g.scrollBarY.visible;
    }
    // A line drawn with the line tool from one canvas point to another,
    // then the pointer tool again.
    void drawLine(QPoint from, QPoint to)
    {
        edit->ChooseTool(98, true);
        Sandbox& box = *edit->activeSandbox();
        click(box, from.x(), from.y());
        click(box, to.x(), to.y());
        edit->ChooseTool(20, false);
    }
    std::vector<Item*> lines()
    {
        std::vector<Item*> out;
        for (Item& it : main->activeWindow()->document().items)
            if (IsLive(it) && it.rec.d.kind == KindLine)
                out.push_back(&it);
        return out;
    }
};

TEST_F(DesktopTest, ExportSitsAfterPrintAndOnTheToolbarBeforeIt)
{
    MainWindow& m = startAll();
    const QList<QAction*> file = m.menus().file->actions();
    const qsizetype at = file.indexOf(m.menus().entry(CommandId::Print));
    ASSERT_GE(at, 0);
    EXPECT_EQ(file.value(at + 1), main->commands().action(CommandId::ExportAs));
    EXPECT_EQ(main->commands().action(CommandId::ExportAs)->text(), QStringLiteral("Export..."));
    EXPECT_FALSE(main->commands().action(CommandId::ExportAs)->isEnabled()) << "no document";
    m.Timer2Timer();
    EXPECT_TRUE(main->commands().action(CommandId::ExportAs)->isEnabled());

    QToolBar* row = edit->toolbar();
    const QList<QAction*> buttons = row->actions();
    const qsizetype mine = buttons.indexOf(main->commands().action(CommandId::ExportButton));
    ASSERT_GE(mine, 0);
    EXPECT_EQ(buttons.value(mine + 1)->data().toInt(), 5) << "the print button follows";
    EXPECT_TRUE(main->commands().action(CommandId::ExportButton)->isVisible());
    QWidget* b = row->widgetForAction(main->commands().action(CommandId::ExportButton));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->accessibleName(), QStringLiteral("Export as a picture"));

    // The button opens the first dialog: the types in order, "Smooth" off.
    main->commands().action(CommandId::ExportButton)->trigger();
    auto* dialog = dynamic_cast<ExportDialog*>(m.narrowWindow().frame());
    ASSERT_NE(dialog, nullptr);
    QStringList types;
    for (int i = 0; i < dialog->typeList()->count(); ++i)
        types << dialog->typeList()->itemText(i).section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(types, QStringList({QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("Bitmaps"),
                                  QStringLiteral("Icons"), QStringLiteral("PDF"), QStringLiteral("SVG")}));
    EXPECT_FALSE(dialog->smoothBox()->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(dialog->typeList()), static_cast<QWidget*>(dialog->smoothBox()),
                       static_cast<QWidget*>(dialog->continueButton()), static_cast<QWidget*>(dialog->cancelButton())})
        EXPECT_FALSE(w->accessibleName().isEmpty());
    dialog->cancelButton()->click();
    runPosted();
    EXPECT_TRUE(prompts.saveDialogs.empty());
}

TEST_F(DesktopTest, PngFromTheWindowIsTheExactPicture)
{
    DocumentWindow& w = withDocument();
    drawLine({40, 40}, {160, 90});
    const QString png = path("card.png");
    prompts.saveAnswers.push_back(png);
    exporter->continueExport(w.windowId(), {0, false});
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    EXPECT_EQ(prompts.saveDialogs[0].filterIndex, 1);
    EXPECT_EQ(prompts.saveDialogs[0].defaultSuffix, QStringLiteral("png"));
    EXPECT_TRUE(prompts.saveDialogs[0].filter.startsWith(QStringLiteral("PNG Image Files (*.png)|*.png|JPEG")));

    const QByteArray bytes = bytesOf(png);
    ASSERT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n")) << "a real PNG";
    QImage written;
    ASSERT_TRUE(written.loadFromData(bytes, "png"));
    const std::optional<Bitmap> exact = ExactPicture(w.document(), print->sheetEnvironment());
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), exact->image());
    EXPECT_EQ(main->settings().expndx, 3) << "PNG is remembered";

    // A name whose extension names another type is written in that type.
    prompts.saveAnswers.push_back(path("card.bmp"));
    exporter->continueExport(w.windowId(), {0, false});
    EXPECT_TRUE(bytesOf(path("card.bmp")).startsWith("BM"));
    // Replacing is asked, and No leaves the file alone.
    prompts.saveAnswers.push_back(png);
    const QByteArray kept = bytesOf(png);
    drawLine({200, 200}, {240, 260});
    exporter->continueExport(w.windowId(), {0, false});
    EXPECT_EQ(bytesOf(png), kept);
}

TEST_F(DesktopTest, PdfAndSvgFromTheWindowAreTheVectorSheet)
{
    DocumentWindow& w = withDocument();
    drawLine({40, 40}, {160, 90});
    const std::vector<ExportType>& types = exportTypes();
    const int pdf = exportTypeOfName("sheet.pdf");
    const int svg = exportTypeOfName("sheet.SVG");
    ASSERT_GE(pdf, 0);
    ASSERT_GE(svg, 0);
    EXPECT_TRUE(types[pdf].vector());
    EXPECT_TRUE(types[svg].vector());
    EXPECT_TRUE(exportTypesFilter().find(u"PDF Documents (*.pdf)|*.pdf") != std::u16string::npos);

    prompts.saveAnswers.push_back(path("sheet.pdf"));
    exporter->continueExport(w.windowId(), {pdf, false});
    EXPECT_TRUE(bytesOf(path("sheet.pdf")).startsWith("%PDF-"));
    prompts.saveAnswers.push_back(path("sheet.svg"));
    exporter->continueExport(w.windowId(), {svg, false});
    const QByteArray drawing = bytesOf(path("sheet.svg"));
    EXPECT_TRUE(drawing.contains("<svg")) << "an SVG drawing, not a picture under an .svg name";
    EXPECT_TRUE(drawing.contains("<path") || drawing.contains("<polyline")) << "the line as a vector";
    // A vector type leaves the remembered picture type alone.
    EXPECT_NE(main->settings().expndx, 0);
}

TEST_F(DesktopTest, SmoothCardsAskForTheCardsFirst)
{
    DocumentWindow& w = withDocument();
    letterCardSheet(w.document().items.header()->rec.h, 5, 2);
    drawLine({10, 10}, {200, 100});

    exporter->continueExport(w.windowId(), {0, true});
    auto* cards = dynamic_cast<PreparePrintDialog*>(main->narrowWindow().frame());
    ASSERT_NE(cards, nullptr) << "the cards come before the file";
    EXPECT_TRUE(prompts.saveDialogs.empty());
    cards->selectNone();
    const std::string none = cards->selection();
    cards->clickAt(cards->mapView()->map().cells.empty() ? QPoint() : cards->mapView()->map().cells[0].center());
    prompts.saveAnswers.push_back(path("sheet.png"));
    const std::string chosen = cards->selection();
    for (QPushButton* b : cards->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Export"))
            b->click();
    runPosted();
    EXPECT_EQ(w.areaSelection, chosen);
    EXPECT_NE(chosen, none);
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    QImage written;
    ASSERT_TRUE(written.load(path("sheet.png"), "png"));
    const std::optional<Bitmap> smooth = PreviewPicture(w.document(), chosen, print->sheetEnvironment());
    ASSERT_TRUE(smooth.has_value());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), smooth->image());
}

TEST_F(DesktopTest, ShortcutAliasesBesideTheProgramsOwn)
{
    startAll();
    const QList<QKeySequence> redo = edit->redoAction()->shortcuts();
    EXPECT_EQ(redo.value(0), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z)) << "the program's own stays first";
    EXPECT_TRUE(redo.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    EXPECT_TRUE(redo.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    // The Edit menu shows both keys of each clipboard command.
    const auto shown = [](QAction* a) { return a->text().section(QLatin1Char('\t'), 1); };
    EXPECT_EQ(shown(clipboard->cutAction()), QKeySequence(Qt::CTRL | Qt::Key_Delete).toString(QKeySequence::NativeText) +
                                                 QStringLiteral(", ") +
                                                 QKeySequence(Qt::CTRL | Qt::Key_X).toString(QKeySequence::NativeText));
    EXPECT_TRUE(shown(clipboard->copyAction()).endsWith(QKeySequence(Qt::CTRL | Qt::Key_C).toString(QKeySequence::NativeText)));
    EXPECT_TRUE(shown(clipboard->pasteAction()).endsWith(QKeySequence(Qt::CTRL | Qt::Key_V).toString(QKeySequence::NativeText)));
    EXPECT_EQ(clipboard->cutAction()->text().section(QLatin1Char('\t'), 0, 0), QStringLiteral("Cut"));
    EXPECT_EQ(main->menus().zoomEntries[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_TRUE(desktop->zoomInAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
    EXPECT_EQ(desktop->zoomOutAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    // Zoom In and Zoom Out step like the toolbar's buttons.
    MainWindow& m = *main;
    m.Timer2Timer();
    desktop->zoomInAction()->trigger();
    EXPECT_DOUBLE_EQ(m.settings().zoom, 1.25);
    desktop->zoomOutAction()->trigger();
    desktop->zoomOutAction()->trigger();
    EXPECT_DOUBLE_EQ(m.settings().zoom, 0.75);
    m.menus().zoomEntries[3]->trigger();
    EXPECT_DOUBLE_EQ(ZoomOf(m.activeWindow()->document()), 1.0);
}

TEST_F(DesktopTest, FitPageIsTheLargestStepWithoutScrollBars)
{
    DocumentWindow& w = withDocument();
    ASSERT_NE(desktop->fitPageButton(), nullptr);
    EXPECT_EQ(desktop->fitPageButton()->accessibleName(), QStringLiteral("Fit page"));
    for (const QSize size : {QSize(500, 400), QSize(1400, 1200), QSize(250, 250)}) {
        w.view().resize(size);
        w.view().relayout();
        main->SetZoom(3.0);
        desktop->fitPageAction()->trigger();
        const double fitted = ZoomOf(w.document());
        // Where even the smallest step needs scroll bars, it is the answer.
        if (size.width() < 300)
            EXPECT_DOUBLE_EQ(fitted, kZoomSteps.front());
        else
            EXPECT_FALSE(scrolls(w)) << size.width() << " at " << fitted;
        const double next = ZoomIn(fitted);
        if (next != fitted) {
            main->SetZoom(next);
            EXPECT_TRUE(scrolls(w))
                << "one step larger does not fit, " << size.width();
        }
    }
}

TEST_F(DesktopTest, CtrlWheelZoomsAboutThePointer)
{
    DocumentWindow& w = withDocument();
    w.view().resize(600, 450);
    w.view().relayout();
    DocumentView& v = w.view().view();
    const QPoint pointer(300, 200);
    const auto documentUnder = [&] {
        const QPointF canvas = QPointF(pointer - v.canvasPosition() + v.windowOrigin());
        return canvas / v.zoom();
    };
    const QPointF before = documentUnder();
    w.view().onCtrlWheel(2, pointer);
    EXPECT_DOUBLE_EQ(v.zoom(), 1.5);
    EXPECT_NEAR(documentUnder().x(), before.x(), 1.0);
    EXPECT_NEAR(documentUnder().y(), before.y(), 1.0);
    w.view().onCtrlWheel(-1, pointer);
    EXPECT_DOUBLE_EQ(v.zoom(), 1.25);
    EXPECT_NEAR(documentUnder().x(), before.x(), 1.0);
    EXPECT_NEAR(documentUnder().y(), before.y(), 1.0);
}

TEST_F(DesktopTest, ContextMenuSelectsWhatIsUnderThePointerAndRunsTheCommands)
{
    DocumentWindow& w = withDocument();
    drawLine({40, 40}, {140, 40});
    drawLine({40, 90}, {140, 120});
    ASSERT_EQ(lines().size(), 2u);
    const std::int32_t first = lines()[0]->rec.d.sequence;
    const QPoint onFirst(90, 40);
    QMenu* menu = context->prepare(w, onFirst);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(FirstSelected(w.document().items), nullptr);
    EXPECT_EQ(+FirstSelected(w.document().items)->rec.d.sequence, first);
    QStringList captions;
    for (QAction* act : menu->actions())
        if (!act->isSeparator())
            captions << act->text() + (act->isEnabled() ? QString() : QStringLiteral(" [off]"));
    EXPECT_EQ(captions, QStringList({QStringLiteral("Cut"), QStringLiteral("Copy"), QStringLiteral("Paste [off]"),
                                     QStringLiteral("Erase"), QStringLiteral("Bring to Front"),
                                     QStringLiteral("Send to Back"), QStringLiteral("Fine-tune"),
                                     QStringLiteral("Join Items [off]"), QStringLiteral("Split Group [off]")}));
    EXPECT_FALSE(menu->accessibleName().isEmpty());

    // "Send to Back" is the toolbar's command: the line now lies below the other.
    for (QAction* act : menu->actions())
        if (act->text() == QStringLiteral("Send to Back"))
            act->trigger();
    ASSERT_EQ(lines().size(), 2u);
    const Item* selected = FirstSelected(w.document().items);
    ASSERT_NE(selected, nullptr);
    for (const Item* other : lines())
        if (other != selected)
            EXPECT_LT(+selected->rec.d.stackOrder, +other->rec.d.stackOrder);

    // "Copy" fills the clipboard; over empty canvas "Paste" is offered, and
    // "Erase" takes the selected line away.
    menu = context->prepare(w, onFirst);
    for (QAction* act : menu->actions())
        if (act->text() == QStringLiteral("Copy"))
            act->trigger();
    menu = context->prepare(w, QPoint(300, 300));
    bool paste = false;
    for (QAction* act : menu->actions())
        paste = paste || (act->text() == QStringLiteral("Paste") && act->isEnabled());
    EXPECT_TRUE(paste);
    menu = context->prepare(w, onFirst);
    for (QAction* act : menu->actions())
        if (act->text() == QStringLiteral("Erase"))
            act->trigger();
    EXPECT_EQ(lines().size(), 1u);
}

TEST_F(DesktopTest, PictureFilesPastedOrDroppedAreInsertedInTheirStoredFormat)
{
    DocumentWindow& w = withDocument();
    QImage logo(40, 20, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    QPainter(&logo).fillRect(0, 0, 20, 20, Qt::blue);
    ASSERT_TRUE(logo.save(path("logo.png"), "png"));
    ASSERT_TRUE(logo.save(path("photo.webp"), "webp", 100));
    const auto pictureFormats = [&] {
        std::vector<int> out;
        for (const Item& it : w.document().items)
            if (it.rec.d.kind == KindPicture)
                out.push_back(+it.rec.d.clipShape);
        return out;
    };

    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(path("logo.png"))});
    QGuiApplication::clipboard()->setMimeData(mime);
    runPosted();
    EXPECT_TRUE(clipboard->pasteAction()->isEnabled()) << "a picture file can be pasted";
    clipboard->PasteCommand();
    EXPECT_EQ(pictureFormats(), std::vector<int>({PictureFormatPng}));
    // A right-click inside the inserted picture (not only on its frame, where
    // a left click picks it) selects it and offers its fine-tune panel.
    DocumentView& v = w.view().view();
    QMenu* menu = context->prepare(w, QPoint(v.toCanvasX(45), v.toCanvasY(32)));
    ASSERT_NE(FirstSelected(w.document().items), nullptr);
    EXPECT_EQ(+FirstSelected(w.document().items)->rec.d.kind, KindClip);
    for (QAction* act : menu->actions())
        if (act->text() == QStringLiteral("Fine-tune"))
            EXPECT_TRUE(act->isEnabled());

    // A WebP dropped on the document is kept as PNG.
    EXPECT_TRUE(pictures->insertDroppedFile(w, path("photo.webp")));
    EXPECT_EQ(pictureFormats(), std::vector<int>({PictureFormatPng, PictureFormatPng}));
    // A PNG name on other bytes is "not a valid file", and nothing is inserted.
    QFile fake(path("fake.png"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("GIF89a this is not what the name says");
    fake.close();
    EXPECT_FALSE(pictures->insertDroppedFile(w, path("fake.png")));
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked.back().text, QStringLiteral("This is not a valid file."));
    EXPECT_EQ(pictureFormats().size(), 2u);
    QGuiApplication::clipboard()->clear();
}

TEST_F(DesktopTest, DroppedDocumentsOpenAndOtherFilesAreLeft)
{
    MainWindow& m = startAll();
    const QString doc = writeDocument("dropped.vlmr");
    QFile text(path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("notes.txt")), QUrl::fromLocalFile(doc),
                  QUrl(QStringLiteral("https://example.com/a.vlmr"))});
    const QStringList files = FileDrops::openableFiles(&mime);
    ASSERT_EQ(files, QStringList({doc}));
    drops->openDropped(files);
    ASSERT_NE(m.activeWindow(), nullptr);
    EXPECT_EQ(m.activeWindow()->caption(), QStringLiteral("dropped"));
}

} // namespace
} // namespace vlm::test
