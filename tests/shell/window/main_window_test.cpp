#include "shell_fixture.h"

#include "render/units.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/document_window.h"
#include "shell/window/first_time_setup.h"
#include "shell/window/left_column.h"
#include "shell/window/view_widget.h"
#include "shell/window/zoom_controls.h"
#include "texts/file_texts.h"
#include "texts/shell_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

#include <cmath>

namespace vlm::test {
namespace {

using Answer = Prompts::Answer;

QStringList WindowMenuTexts(MainWindow& m)
{
    QStringList out;
    for (QAction* a : m.menus().windowEntries)
        out << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    return out;
}

bool DocumentMenusEnabled(MainWindow& m)
{
    const MainMenus& menus = m.menus();
    return menus.entry(CommandId::Save)->isEnabled() && menus.entry(CommandId::SaveAs)->isEnabled() &&
           menus.entry(CommandId::Close)->isEnabled();
}

TEST_F(ShellTest, StartOpensTheFirstDocumentOrRunsTheFirstTimeSetup)
{
    for (const bool setupDone : {true, false}) {
        store.clear();
        if (setupDone)
            store.writeInteger("CustomSettings", "setupDone", 1);
        MainWindow& m = start();
        m.Start();
        EXPECT_TRUE(m.timer(5).isActive());
        EXPECT_EQ(m.timer(2).isActive(), setupDone);
        EXPECT_EQ(m.timer(6).isActive(), !setupDone);
        main.reset();
    }
}

TEST_F(ShellTest, FirstTimeSetupRecordsTheUnitWritesTheAssociationAndOpensTheFirstDocument)
{
    store.clear();
    MainWindow& m = start();
    m.Start();
    m.Timer6Timer();
    auto* setup = dynamic_cast<FirstTimeSetup*>(m.wideWindow().frame());
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(m.wideWindow().isVisible());

    setup->millimetersButton()->setChecked(true);
    setup->proceedButton()->click();
    EXPECT_FALSE(m.wideWindow().isVisible());
    EXPECT_EQ(store.readInteger("CustomSettings", "units"), 2);
    EXPECT_EQ(store.readInteger("CustomSettings", "setupDone"), 1);
    EXPECT_EQ(store.readInteger("CustomSettings", "ddeins"), 0);
    EXPECT_EQ(m.settings().defaults.unit, UnitMillimeters);
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/data/applications/vellumora.desktop")));
    EXPECT_TRUE(m.timer(2).isActive());

    m.Timer2Timer();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    EXPECT_EQ(m.activeWindow()->document().items.header()->rec.h.units, UnitMillimeters);
}

TEST_F(ShellTest, FirstDocumentIsUntitledAndTheMenusFollow)
{
    MainWindow& m = start();
    // The page setup commands' entry, which names the active document.
    m.commands().add({.id = CommandId::PageSetupCurrent, .caption = QStringLiteral("Current File")});
    EXPECT_FALSE(DocumentMenusEnabled(m));
    EXPECT_FALSE(m.menus().window->menuAction()->isVisible());
    m.Timer2Timer();
    m.Timer2Timer(); // a second expiry with a window open does nothing
    ASSERT_EQ(m.documentWindows().size(), 1u);
    EXPECT_EQ(m.activeWindow()->caption(), QStringLiteral("Untitled 1"));
    EXPECT_TRUE(DocumentMenusEnabled(m));
    EXPECT_TRUE(m.menus().window->menuAction()->isVisible());
    EXPECT_EQ(WindowMenuTexts(m), QStringList{QStringLiteral("Untitled 1 *")});

    m.NewCommand();
    EXPECT_EQ(WindowMenuTexts(m), (QStringList{QStringLiteral("Untitled 1"), QStringLiteral("Untitled 2 *")}));
    m.ActivateWindow(m.documentWindows().back()->windowId());
    EXPECT_EQ(m.activeWindow()->caption(), QStringLiteral("Untitled 1"));
    EXPECT_EQ(WindowMenuTexts(m), (QStringList{QStringLiteral("Untitled 1 *"), QStringLiteral("Untitled 2")}));
    EXPECT_EQ(m.menus().entry(CommandId::PageSetupCurrent)->text(), QStringLiteral("Current File"));
    EXPECT_EQ(m.menus().entry(CommandId::PageSetupCurrent)->statusTip(), QStringLiteral("Untitled 1"));
    EXPECT_NE(m.documentWindows()[0]->windowId(), m.documentWindows()[1]->windowId());
}

// The font list names every installed family once, as documents name it:
// a family several foundries make ("C059 [urw]", "C059 [UKWN]") is one entry.
TEST_F(ShellTest, TheFontListNamesEachFamilyOnceWithoutItsFoundry)
{
    MainWindow& m = start();
    m.Timer5Timer();
    QSet<QString> listed;
    for (const std::u16string& face : m.settings().installedFonts) {
        const QString family = QString::fromStdU16String(face);
        EXPECT_FALSE(family.endsWith(QLatin1Char(']'))) << family.toStdString();
        EXPECT_FALSE(listed.contains(family)) << family.toStdString() << " twice";
        listed.insert(family);
    }
    for (const QString& family : QFontDatabase::families()) {
        const qsizetype foundry = family.lastIndexOf(QStringLiteral(" ["));
        const QString plain = foundry > 0 ? family.left(foundry) : family;
        EXPECT_TRUE(QFontDatabase::isPrivateFamily(family) || listed.contains(plain)) << family.toStdString();
    }
}

TEST_F(ShellTest, OpeningAFileReusesOnlyASingleUntouchedActiveWindow)
{
    const QString file = writeDocument("Poster.vlmr");
    const struct {
        const char* situation;
        int untitledBefore;
        bool touchFirst;
        bool reused;
    } cases[] = {
        {"one untouched window", 1, false, true},
        {"one modified window", 1, true, false},
        {"two untouched windows", 2, false, false},
    };
    for (const auto& c : cases) {
        MainWindow& m = start();
        for (int i = 0; i < c.untitledBefore; ++i)
            m.NewCommand();
        if (c.touchFirst)
            modify(m.activeWindow());
        DocumentWindow* before = m.activeWindow();
        const std::int32_t oldId = before->windowId();
        DocumentWindow* opened = m.OpenDocument(file);
        EXPECT_EQ(opened == before, c.reused) << c.situation;
        EXPECT_EQ(m.documentWindows().size(), std::size_t(c.untitledBefore + (c.reused ? 0 : 1))) << c.situation;
        EXPECT_EQ(m.menus().windowEntries.size(), m.documentWindows().size()) << c.situation;
        EXPECT_EQ(opened->caption(), QStringLiteral("Poster")) << c.situation;
        EXPECT_EQ(m.menus().windowEntries.back()->text(), QStringLiteral("Poster")) << c.situation;
        if (c.reused) {
            EXPECT_NE(opened->windowId(), oldId) << c.situation;
        }
        main.reset();
        flushDeletes();
    }
    // A new document never reuses a window.
    MainWindow& m = start();
    m.NewCommand();
    m.NewCommand();
    EXPECT_EQ(m.documentWindows().size(), 2u);
}

TEST_F(ShellTest, PictureFilesOpenAnUntitledDocumentAndStartInsertingThePicture)
{
    MainWindow& m = start();
    QStringList inserted;
    m.hooks().insertPicture = [&](DocumentWindow& w, const QString& picture) {
        inserted << w.caption() + QLatin1Char('|') + picture;
    };
    const char* names[] = {"holiday.JPG", "b.jpeg", "c.Gif", "d.bmp", "e.ICO", "f.emf", "g.wmf"};
    int n = 0;
    for (const char* name : names) {
        // The picture is not read as a document, whatever it holds.
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a document");
        f.close();
        DocumentWindow* w = m.OpenDocument(path(name));
        ++n;
        EXPECT_TRUE(PathOf(w->document()).isEmpty()) << name;
        EXPECT_EQ(inserted.value(n - 1), QStringLiteral("Untitled %1|").arg(n) + path(name)) << name;
    }
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ShellTest, ALoadedFileBringsItsZoomAndAnUnusableOneReadsAsFullSize)
{
    const struct {
        double stored;
        double shown;
        int checkedEntry; // index into the zoom menu, -1 none
    } cases[] = {{2.0, 2.0, 7}, {0.5, 0.5, 1}, {1e9, 1.0, 3}, {-3.0, 1.0, 3}, {0.0, 1.0, 3}};
    for (const auto& c : cases) {
        const QString file = writeDocument("zoomed.vlmr", [&](Document& d) { d.items.header()->rec.h.zoom = c.stored; });
        MainWindow& m = start();
        DocumentWindow* w = m.OpenDocument(file);
        EXPECT_EQ(m.settings().zoom, c.shown) << c.stored;
        EXPECT_EQ(ZoomOf(w->document()), c.shown) << c.stored;
        EXPECT_EQ(m.zoomControls().percentLabel()->text(), ZoomLabel(c.shown)) << c.stored;
        for (int i = 0; i < int(kZoomSteps.size()); ++i)
            EXPECT_EQ(m.menus().zoomEntries[i]->isChecked(), i == c.checkedEntry) << c.stored << " entry " << i;
        main.reset();
        flushDeletes();
    }
}

TEST_F(ShellTest, ReadingAsksAboutDamagedAndNewerFilesAndReportsFailures)
{
    const QString newer = writeDocument("newer.vlmr");
    {
        QFile f(newer);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(323);
        const char version165[4] = {char(165), 0, 0, 0};
        f.write(version165, 4);
    }
    const QString damaged = path("damaged.vlmr");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(448, '\x11'));
    }
    const QString folder = path("folder.vlmr");
    QDir().mkpath(folder);

    const struct {
        QString file;
        std::deque<Answer> answers;
        Prompts::Kind kind;
        QString question; // the start of the first message
        bool loaded;
    } cases[] = {
        {newer, {}, Prompts::Kind::Warning, QString::fromUtf8(texts::kNewerVersion), true},
        {damaged, {Answer::No}, Prompts::Kind::Warning, QString::fromUtf8(texts::kInvalidFile), false},
        {damaged, {Answer::Yes}, Prompts::Kind::Warning, QString::fromUtf8(texts::kInvalidFile), true},
        {folder, {}, Prompts::Kind::Error, QString::fromUtf16(texts::kCannotReadFile), false},
    };
    for (const auto& c : cases) {
        prompts.asked.clear();
        prompts.answers = c.answers;
        MainWindow& m = start();
        DocumentWindow* w = m.OpenDocument(c.file);
        ASSERT_FALSE(prompts.asked.empty()) << c.file.toStdString();
        EXPECT_EQ(prompts.asked[0].kind, c.kind) << c.file.toStdString();
        EXPECT_TRUE(prompts.asked[0].text.startsWith(c.question)) << prompts.asked[0].text.toStdString();
        EXPECT_EQ(!PathOf(w->document()).isEmpty(), c.loaded) << c.file.toStdString();
        EXPECT_EQ(w->caption(), c.loaded ? QFileInfo(c.file).completeBaseName() : QStringLiteral("Untitled 1"));
        main.reset();
        flushDeletes();
    }
}

TEST_F(ShellTest, ZoomWithoutADocumentChangesOnlyTheSettingsAndControls)
{
    MainWindow& m = start();
    m.menus().zoomEntries[8]->trigger(); // "300%"
    EXPECT_EQ(m.settings().zoom, 3.0);
    EXPECT_TRUE(m.menus().zoomEntries[8]->isChecked());
    EXPECT_EQ(m.zoomControls().percentLabel()->text(), QStringLiteral("300%"));
    EXPECT_EQ(m.zoomControls().trackBar()->value(), 300);

    m.NewCommand();
    EXPECT_EQ(ZoomOf(m.activeWindow()->document()), 1.0);
    EXPECT_EQ(m.settings().zoom, 1.0);
    EXPECT_TRUE(m.menus().zoomEntries[3]->isChecked());
}

TEST_F(ShellTest, ZoomControlsStepThroughTheTablesAndApplyToTheActiveDocument)
{
    MainWindow& m = start();
    m.NewCommand();
    DocumentWindow* w = m.activeWindow();
    const auto zoomNow = [&] { return ZoomOf(w->document()); };

    m.ZoomInCommand();
    EXPECT_EQ(zoomNow(), 1.25);
    m.SetZoom(1.1);
    m.ZoomOutCommand();
    EXPECT_EQ(zoomNow(), 1.0);

    // The track bar: moving shows the position, releasing applies it.
    m.zoomControls().trackBar()->setValue(49);
    EXPECT_EQ(m.zoomControls().percentLabel()->text(), QStringLiteral("49%"));
    EXPECT_EQ(zoomNow(), 1.0);
    m.zoomControls().TrackBar1MouseUp();
    EXPECT_DOUBLE_EQ(zoomNow(), 0.49);
    for (QAction* entry : m.menus().zoomEntries)
        EXPECT_FALSE(entry->isChecked());
    m.ZoomInCommand();
    EXPECT_EQ(zoomNow(), 0.5);
    EXPECT_TRUE(m.menus().zoomEntries[1]->isChecked());

    m.zoomControls().trackBar()->setValue(0);
    m.zoomControls().TrackBar1MouseUp();
    EXPECT_EQ(zoomNow(), 0.5);

    m.SetZoom(3.0);
    m.ZoomInCommand();
    EXPECT_EQ(zoomNow(), 3.0);
    m.SetZoom(std::nan(""));
    m.SetZoom(7.0);
    EXPECT_EQ(zoomNow(), 3.0);
    EXPECT_EQ(m.zoomControls().percentLabel()->text(), QStringLiteral("300%"));

    // Each document keeps its own zoom; activation brings it back.
    m.NewCommand();
    EXPECT_EQ(m.settings().zoom, 1.0);
    m.ActivateWindow(w->windowId());
    EXPECT_EQ(m.settings().zoom, 3.0);
    EXPECT_TRUE(m.menus().zoomEntries[8]->isChecked());
}

TEST_F(ShellTest, AZoomedPageLargerThanTheCanvasIsShownThroughAMovingWindow)
{
    DocumentDefaults pixels;
    pixels.units = 1;
    pixels.pixelsPerUnitX = pixels.pixelsPerUnitY = 1.0;
    pixels.blocks[0] = {25.0, 25.0, 0.0, 0.0, 1000.0, 600.0};
    const QString file = writeDocument("wide.vlmr", {}, pixels);

    MainWindow& m = start();
    DocumentWindow* w = m.OpenDocument(file);
    ViewWidget& view = w->view();
    view.resize(900, 700);
    view.relayout();
    m.SetZoom(3.0);

    DocumentView& dv = view.view();
    EXPECT_EQ(dv.zoomedPage().width, 3000);
    EXPECT_EQ(dv.canvas().width(), kCanvasLimit);
    EXPECT_TRUE(view.ScrollBarX()->isVisibleTo(&view));
    // Both bars show, so each range grows by the other bar's thickness.
    ASSERT_TRUE(view.ScrollBarY()->isVisibleTo(&view));
    EXPECT_EQ(view.ScrollBarX()->maximum(),
              3000 - dv.geometry().viewport.width() + 12 + dv.geometry().scrollBarY.rect.width());

    view.ScrollBarX()->setValue(1700);
    EXPECT_EQ(dv.canvasWindow().x.origin, 1400);
    view.ScrollBarX()->setValue(0);
    EXPECT_EQ(dv.canvasWindow().x.origin, 0);

    m.SetZoom(0.25);
    EXPECT_EQ(dv.zoomedPage().width, 250);
    EXPECT_EQ(dv.canvas().width(), 250);
    EXPECT_FALSE(view.ScrollBarX()->isVisibleTo(&view));
}

TEST_F(ShellTest, PanelsAndDeferredCommands)
{
    MainWindow& m = start();
    EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel);
    QList<int> made;
    m.hooks().makePanel = [&](int code) -> QWidget* {
        made << code;
        return new QLabel(QString::number(code));
    };

    // Choosing a tool without a document opens one shortly after.
    m.ShowPanel(98);
    EXPECT_TRUE(m.timer(2).isActive());
    m.timer(2).stop();
    m.ShowPanel(59);
    EXPECT_TRUE(m.timer(2).isActive());
    m.NewCommand();
    EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel) << "nothing is selected in the new document";
    m.timer(2).stop();
    m.ShowPanel(401);
    EXPECT_FALSE(m.timer(2).isActive());

    // Codes of one range share their panel.
    m.ShowPanel(200);
    m.ShowPanel(150);
    EXPECT_EQ(made, (QList<int>{98, 59, 20, 401, 200}));

    const struct {
        int pending;
        int shown;
    } deferred[] = {{1061, 109}, {1064, 110}, {1070, 111}, {1073, 112}, {301, 301}, {102, 102}};
    for (const auto& d : deferred) {
        m.RunDeferred(d.pending);
        EXPECT_TRUE(m.timer(1).isActive());
        m.Timer1Timer();
        EXPECT_EQ(m.currentPanel(), d.shown) << d.pending;
        EXPECT_EQ(m.pendingCommand(), 0);
    }

    // A hint page remembers where to go back to.
    m.ShowPanel(1030);
    m.RunDeferred(43);
    m.Timer1Timer();
    EXPECT_EQ(m.currentPanel(), 102);

    QList<int> frames;
    m.hooks().runFrameCommand = [&](int code) { frames << code; };
    for (int code : {400, 503, 510}) {
        m.RunDeferred(code);
        m.Timer1Timer();
    }
    EXPECT_EQ(frames, (QList<int>{400, 503, 510}));
    EXPECT_EQ(m.currentPanel(), 102);
}

TEST_F(ShellTest, LightDirectionReachesOpenDocumentsThatDiffer)
{
    MainWindow& m = start();
    m.NewCommand();
    m.NewCommand();
    m.documentWindows()[0]->document().items.header()->rec.h.lightDirection = 2;
    m.settings().lgtdir = 3;
    m.Timer7Timer();
    for (DocumentWindow* w : m.documentWindows())
        EXPECT_EQ(w->document().items.header()->rec.h.lightDirection, 3);
}

TEST_F(ShellTest, SettingsAreLoadedAtStartAndSavedWhenTheMainWindowGoes)
{
    store.writeText("CustomSettings", "reopen1", u"/home/ann/Card.vlmr");
    MainWindow& m = start();
    EXPECT_TRUE(m.menus().reopen->isEnabled());
    EXPECT_EQ(m.menus().reopenEntries[0]->text(), QStringLiteral("Card"));
    EXPECT_TRUE(m.menus().reopenEntries[0]->isVisible());
    EXPECT_FALSE(m.menus().reopenEntries[1]->isVisible());
    m.AddRecent(QStringLiteral("/home/ann/Poster.vlmr"));
    EXPECT_EQ(store.readText("CustomSettings", "reopen1"), u"/home/ann/Card.vlmr");
    main.reset();
    EXPECT_EQ(store.readText("CustomSettings", "reopen1"), u"/home/ann/Poster.vlmr");
    EXPECT_EQ(store.readText("CustomSettings", "reopen2"), u"/home/ann/Card.vlmr");
}

TEST_F(ShellTest, LayoutOfTheMainWindow)
{
    MainWindow& m = start();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Vellumora"));
    EXPECT_EQ(m.leftColumn().width(), LeftColumn::kWidth);
    EXPECT_EQ(m.leftColumn().heading()->text(), QString::fromUtf16(texts::kNextStepHeading));
    EXPECT_EQ(m.leftColumn().backButton()->text(), QStringLiteral("Back"));
    // The client area is 936 x 637 at 96 dpi; the menu bar comes on top.
    EXPECT_EQ(m.height(), MainWindow::kClientHeight + m.menuBar()->sizeHint().height());
    EXPECT_EQ(m.width(), MainWindow::kClientWidth);
    EXPECT_FALSE(m.menus().menu(CommandId::ExportMenu)->menuAction()->isVisible());
    EXPECT_FALSE(m.menus().entry(CommandId::Screenshot)->isVisible());
}

TEST_F(ShellTest, RestoringAMaximisedDocumentGivesEveryWindowRoomToWork)
{
    MainWindow& m = start();
    m.show();
    m.Timer2Timer();
    m.NewCommand();
    m.NewCommand();
    ASSERT_EQ(m.documentWindows().size(), 3u);
    ASSERT_TRUE(m.activeWindow()->isMaximized());
    QCoreApplication::processEvents();
    m.activeWindow()->showNormal();
    QCoreApplication::processEvents();
    QMdiArea* area = m.activeWindow()->mdiArea();
    ASSERT_NE(area, nullptr);
    const QSize room = area->viewport()->size();
    std::vector<QPoint> corners;
    for (DocumentWindow* w : m.documentWindows()) {
        if (w->isMaximized() || w->isMinimized())
            continue;
        EXPECT_GE(w->width(), room.width() / 2);
        EXPECT_GE(w->height(), room.height() / 2);
        EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(w->geometry()));
        corners.push_back(w->pos());
    }
    ASSERT_FALSE(corners.empty());
    // Cascaded: no two restored windows on the same spot.
    for (std::size_t i = 0; i < corners.size(); ++i)
        for (std::size_t j = i + 1; j < corners.size(); ++j)
            EXPECT_NE(corners[i], corners[j]);
}

} // namespace
} // namespace vlm::test
