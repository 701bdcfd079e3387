// The picture commands in a main window that is never shown: the open
// dialog, the picture dialog's gestures and keys, "Insert", re-opening a
// Clip, the clip panel and dropped files.

#include "shell_fixture.h"

#include "model/document_file.h"
#include "model/item.h"
#include "pictures/picture_decoders.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/dialogs/picture_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/clip_look_controls.h"
#include "shell/panels/clip_panel.h"
#include "shell/window/view_widget.h"
#include "texts/picture_texts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QUrl>

namespace vlm::test {
namespace {

struct QuietFilePrompts final : FilePrompts
{
    bool askOpenInvalidFile() override { return false; }
    void warnNewerVersion() override {}
    void reportReadError(const std::string&) override {}
};

struct PictureShellTest : ShellTest
{
    PictureCommands* pictures = nullptr;
    EditCommands* edit = nullptr;

    MainWindow& startWithPictures()
    {
        MainWindow& m = start();
        pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        return m;
    }
    QString picture(const char* name, int w, int h, const char* format)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 90));
        const QString p = path(name);
        EXPECT_TRUE(image.save(p, format));
        return p;
    }
    // The dialog once its 100 ms load has run.
    PictureDialog& loadedDialog()
    {
        EXPECT_NE(pictures->dialog(), nullptr);
        EXPECT_TRUE(pictures->loadPending());
        pictures->loadTimer();
        return *pictures->dialog();
    }
    std::vector<Item*> kind(DocumentWindow* w, std::int32_t k)
    {
        std::vector<Item*> out;
        for (Item& it : w->document().items)
            if (it.rec.d.kind == k && (k == KindPicture || IsLive(it)))
                out.push_back(&it);
        return out;
    }
    void key(PictureDialog& d, int k)
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        EXPECT_TRUE(main->hooks().pictureFrameKeys(e) || d.keyDown(e));
    }
};

TEST_F(PictureShellTest, InsertPictureAsksForAFileAndInsertsTheEntireImage)
{
    MainWindow& m = startWithPictures();
    const QString jpeg = picture("photo.jpg", 320, 200, "JPG");
    m.settings().picidr = dir.path().toStdU16String();
    m.settings().picndx = 3;
    prompts.openAnswers.push_back(jpeg);
    ASSERT_EQ(m.activeWindow(), nullptr);
    m.hooks().runFrameCommand(400);

    ASSERT_EQ(prompts.openDialogs.size(), 1u);
    const Prompts::FileDialog& asked = prompts.openDialogs[0];
    EXPECT_EQ(asked.title, QStringLiteral("Open"));
    EXPECT_EQ(asked.folder, dir.path());
    EXPECT_EQ(asked.filterIndex, 5) << "a remembered 3 still selects the bitmaps";
    EXPECT_TRUE(asked.filter.startsWith(QStringLiteral("All pictures (")));
    EXPECT_TRUE(asked.filter.section(QLatin1Char('|'), 8, 8).startsWith(QStringLiteral("Bitmaps")));
    EXPECT_EQ(m.settings().picndx, 1);
    EXPECT_EQ(m.settings().lastPictureFileName, u"photo.jpg");
    DocumentWindow* w = m.activeWindow();
    ASSERT_NE(w, nullptr) << "a document is made for the picture";
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("photo"));

    PictureDialog& d = loadedDialog();
    ASSERT_TRUE(d.session().loaded());
    EXPECT_EQ(d.zoomLabel()->text(), QString::number(d.session().zoomPercent()) + QStringLiteral("%"));
    EXPECT_FALSE(d.button(PictureDialog::Button::Erase)->isVisibleTo(&d));
    d.insertButton()->click();
    EXPECT_EQ(pictures->dialog(), nullptr);

    ASSERT_EQ(kind(w, KindPicture).size(), 1u);
    ASSERT_EQ(kind(w, KindClip).size(), 1u);
    EXPECT_EQ(+kind(w, KindPicture)[0]->rec.d.clipShape, PictureFormatJpeg);
    const DrawingFields& c = kind(w, KindClip)[0]->rec.d;
    EXPECT_EQ(QPoint(c.x1, c.y1), QPoint(20, 20));
    EXPECT_TRUE(edit->undoAction()->isEnabled());

    // The saved file keeps both records.
    const QString saved = path("saved.vlmr");
    ASSERT_TRUE(WriteDocument(EncodedPath(saved), w->document().items));
    Document back;
    QuietFilePrompts quiet;
    ASSERT_TRUE(ReadDocument(EncodedPath(saved), back.items, quiet));
    int pictureRecords = 0, clips = 0;
    for (const Item& it : back.items) {
        pictureRecords += it.rec.d.kind == KindPicture && it.rec.d.clipShape == PictureFormatJpeg ? 1 : 0;
        clips += it.rec.d.kind == KindClip ? 1 : 0;
    }
    EXPECT_EQ(pictureRecords, 1);
    EXPECT_EQ(clips, 1);
}

TEST_F(PictureShellTest, OutliningGesturesKeysAndInsertOfClips)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    ASSERT_NE(w, nullptr);
    pictures->openForFile(*w, picture("chart.bmp", 200, 100, "BMP"));
    PictureDialog& d = loadedDialog();
    ASSERT_DOUBLE_EQ(d.session().zoom(), 1.0);

    d.box()->linePressed(3); // "Or, outline one or more clips ..."
    EXPECT_EQ(d.tool(), PictureDialog::ToolRect);
    EXPECT_EQ(d.box()->modeList()->currentIndex(), InsertRectClips);
    EXPECT_TRUE(d.box()->hintLines()[1]->accessibleName().startsWith(QStringLiteral("Click on the picture")));

    // Click, move, click.
    d.areaMouseDown({10, 10});
    d.areaMouseUp({10, 10});
    EXPECT_TRUE(d.firstPointFixed());
    d.areaMouseMove({60, 40}, false);
    ASSERT_TRUE(d.rubberBand().has_value());
    d.areaMouseDown({60, 40});
    d.areaMouseUp({60, 40});
    EXPECT_EQ(d.box()->rectangularCount()->text(), QStringLiteral("1"));
    // Press, hold, drag, release.
    d.areaMouseDown({100, 50});
    d.holdTimeout();
    d.areaMouseMove({150, 90}, true);
    d.areaMouseUp({150, 90});
    EXPECT_EQ(d.box()->rectangularCount()->text(), QStringLiteral("2"));
    // Esc abandons an outline whose first point is fixed.
    d.areaMouseDown({5, 5});
    d.areaMouseUp({5, 5});
    key(d, Qt::Key_Escape);
    EXPECT_EQ(d.tool(), PictureDialog::ToolPointer);
    EXPECT_EQ(d.session().count(kRectOutline), 2);

    // Select the second and erase it with Delete; undo brings it back.
    d.areaMouseDown({120, 70});
    d.areaMouseUp({120, 70});
    EXPECT_TRUE(d.button(PictureDialog::Button::Erase)->isVisibleTo(&d));
    key(d, Qt::Key_Delete);
    EXPECT_EQ(d.session().count(kRectOutline), 1);
    d.button(PictureDialog::Button::Undo)->click();
    EXPECT_EQ(d.session().count(kRectOutline), 2);

    // A round clip: centre and rim. The tool buttons answer a toggle as a
    // screen reader gives it, and a pressed tool stays pressed.
    d.button(PictureDialog::Button::Round)->toggle();
    EXPECT_EQ(d.tool(), PictureDialog::ToolRound);
    EXPECT_EQ(d.box()->modeList()->currentIndex(), InsertRoundClips);
    d.button(PictureDialog::Button::Round)->click();
    EXPECT_TRUE(d.button(PictureDialog::Button::Round)->isChecked());
    EXPECT_FALSE(d.button(PictureDialog::Button::Rect)->isChecked());
    d.areaMouseDown({50, 50});
    d.holdTimeout();
    d.areaMouseUp({60, 50});
    EXPECT_EQ(d.box()->roundCount()->text(), QStringLiteral("1"));

    d.insertButton()->click();
    const auto clips = kind(w, KindClip);
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(+clips[0]->rec.d.clipShape, 1);
    EXPECT_EQ(+clips[0]->rec.d.sourceRect[0], 10);
    EXPECT_EQ(+clips[0]->rec.d.sourceRect[3], 40);
    EXPECT_EQ(+clips[1]->rec.d.x1, 30);
    EXPECT_EQ(+clips[2]->rec.d.clipShape, 2);
    EXPECT_EQ(+clips[2]->rec.d.x1, 50); // (40, 40) + the radius
    ASSERT_EQ(kind(w, KindPicture).size(), 1u);
}

TEST_F(PictureShellTest, ZoomMirrorAndTurnFromTheToolbar)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    pictures->openForFile(*w, picture("wide.bmp", 100, 50, "BMP"));
    PictureDialog& d = loadedDialog();
    d.button(PictureDialog::Button::ZoomIn)->click();
    EXPECT_DOUBLE_EQ(d.session().zoom(), 1.25);
    EXPECT_EQ(d.zoomLabel()->text(), QStringLiteral("125%"));
    EXPECT_EQ(d.trackBar()->value(), 125);
    d.trackMoved(40);
    EXPECT_EQ(d.zoomLabel()->text(), QStringLiteral("40%"));
    d.trackReleased(200);
    EXPECT_EQ(d.area()->width(), 200);
    d.button(PictureDialog::Button::TurnCounterClockwise)->click();
    EXPECT_EQ(d.session().turn(), 90);
    EXPECT_EQ(d.area()->width(), 100);
    d.button(PictureDialog::Button::Mirror)->click();
    EXPECT_EQ(d.session().mirrorY(), -1);
    d.cancelButton()->click();
    EXPECT_EQ(pictures->dialog(), nullptr);
    EXPECT_TRUE(kind(w, KindClip).empty());
}

TEST_F(PictureShellTest, AFileThatIsNoPictureWarnsAndInsertsNothing)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    const QString broken = path("broken.jpg");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    }
    pictures->openForFile(*w, broken);
    PictureDialog& d = loadedDialog();
    EXPECT_TRUE(prompts.texts().contains(QString::fromUtf16(texts::kNotAValidFile)));
    d.insertButton()->click();
    EXPECT_TRUE(kind(w, KindClip).empty());
    EXPECT_TRUE(kind(w, KindPicture).empty());
}

TEST_F(PictureShellTest, EditThisClipAndTheClipPanel)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    ASSERT_TRUE(pictures->insertDroppedFile(*w, picture("drop.bmp", 200, 100, "BMP")));
    ASSERT_EQ(kind(w, KindClip).size(), 1u);
    Item* clip = kind(w, KindClip)[0];
    SelectOnly(w->document().items, clip);

    // The clip panel: sliders applied on release, lightness halved.
    auto* panel = dynamic_cast<ClipPanel*>(m.hooks().makePanel(kClipPanelCode));
    ASSERT_NE(panel, nullptr);
    panel->showSelection(w->document().items);
    EXPECT_EQ(panel->percentLabel(0)->text(), QStringLiteral("Normal"));
    panel->slider(0)->setValue(-64);
    panel->sliderMoved(0, -64);
    EXPECT_EQ(panel->percentLabel(0)->text(), QStringLiteral("-50%"));
    panel->slider(2)->setValue(300);
    panel->slidersReleased();
    clip = kind(w, KindClip)[0];
    EXPECT_EQ(+clip->rec.d.colorEffects[0], -64);
    EXPECT_EQ(+clip->rec.d.colorEffects[2], 150);
    panel->slider(2)->setValue(0);
    panel->showSelection(w->document().items);
    EXPECT_EQ(panel->slider(2)->value(), 300);
    EXPECT_EQ(panel->percentLabel(2)->text(), QStringLiteral("59%"));
    // A frame choice is applied at once; "Flat" and the other 3-D entry.
    panel->look()->frameList()->setCurrentIndex(3);
    emit panel->look()->frameList()->activated(3);
    clip = kind(w, KindClip)[0];
    EXPECT_EQ(+clip->rec.d.framed, 1);
    EXPECT_DOUBLE_EQ(clip->rec.d.weight, 1.0);
    EXPECT_TRUE(panel->look()->surfaceList()->isEnabled());
    emit panel->look()->surfaceList()->activated(1);
    EXPECT_EQ(+kind(w, KindClip)[0]->rec.d.surface, 127);
    // Each change is one undo step.
    edit->UndoCommand(false);
    SelectOnly(w->document().items, kind(w, KindClip)[0]);
    EXPECT_EQ(+kind(w, KindClip)[0]->rec.d.surface, 0);
    EXPECT_EQ(+kind(w, KindClip)[0]->rec.d.framed, 1);
    // Turning the clip.
    panel->runButton(ClipPanel::Button::TurnClockwise);
    EXPECT_EQ(+kind(w, KindClip)[0]->rec.d.pictureTurn, 270);

    // "Edit this clip": the dialog opens on the clip's picture and a new
    // outline replaces the clip's.
    SelectOnly(w->document().items, kind(w, KindClip)[0]);
    panel->linePressed(0);
    ASSERT_NE(pictures->dialog(), nullptr);
    PictureDialog& d = *pictures->dialog();
    EXPECT_EQ(m.wideWindow().windowTitle(), QStringLiteral("drop"));
    ASSERT_TRUE(d.session().loaded());
    EXPECT_EQ(d.session().turn(), 270);
    d.chooseInsertMode(InsertRectClips);
    d.areaMouseDown({10, 10});
    d.holdTimeout();
    d.areaMouseUp({30, 40});
    d.insertButton()->click();
    const auto clips = kind(w, KindClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(+clips[0]->rec.d.clipShape, 1);
    EXPECT_EQ(+clips[0]->rec.d.x2 - clips[0]->rec.d.x1, 20);
    EXPECT_NE(+clips[0]->rec.d.selected, 0);
    EXPECT_EQ(kind(w, KindPicture).size(), 1u);

    // Nothing selected: the dialog does not open.
    SelectOnly(w->document().items, nullptr);
    pictures->openForClip(*w, PictureInsert::NewClip);
    EXPECT_EQ(pictures->dialog(), nullptr);
}

TEST_F(PictureShellTest, ReopenedClipsShowTheirOutlineAndTheLeftColumnFollows)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    m.settings().hints[kPictureInsertedHintFlag - 1] = 0;
    m.ShowPanel(99);
    ASSERT_TRUE(pictures->insertDroppedFile(*w, picture("pic.bmp", 200, 100, "BMP")));
    EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel) << "no hint page: the insert panel";

    // A new rectangular clip of the same picture; with the hint page's flag
    // set the page is asked for instead.
    std::vector<int> pages;
    edit->showHintPage = [&pages](int page) { pages.push_back(page); };
    m.settings().hints[kPictureInsertedHintFlag - 1] = 1;
    SelectOnly(w->document().items, kind(w, KindClip)[0]);
    pictures->openForClip(*w, PictureInsert::NewClip);
    ASSERT_NE(pictures->dialog(), nullptr);
    EXPECT_TRUE(pictures->dialog()->session().liveOutlines().empty()) << "a new clip starts empty";
    pictures->dialog()->chooseInsertMode(InsertRectClips);
    pictures->dialog()->areaMouseDown({10, 20});
    pictures->dialog()->holdTimeout();
    pictures->dialog()->areaMouseUp({70, 60});
    pictures->dialog()->insertButton()->click();
    EXPECT_EQ(pages, std::vector<int>{kPictureInsertedHintPage});
    ASSERT_EQ(kind(w, KindClip).size(), 2u);
    Item* rect = kind(w, KindClip)[1];
    ASSERT_EQ(+rect->rec.d.clipShape, 1);

    // "Edit this clip" opens with that outline selected under the pointer.
    SelectOnly(w->document().items, rect);
    m.ShowPanel(kClipPanelCode);
    pictures->openForClip(*w, PictureInsert::EditClip);
    ASSERT_NE(pictures->dialog(), nullptr);
    PictureDialog& d = *pictures->dialog();
    const auto outlines = d.session().liveOutlines();
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(+outlines[0]->rec.d.kind, kRectOutline);
    EXPECT_EQ(QRect(QPoint(outlines[0]->rec.d.x1, outlines[0]->rec.d.y1),
                    QPoint(outlines[0]->rec.d.x2, outlines[0]->rec.d.y2)),
              QRect(QPoint(10, 20), QPoint(70, 60)));
    EXPECT_EQ(d.tool(), PictureDialog::ToolPointer);
    EXPECT_EQ(d.box()->modeList()->currentIndex(), InsertRectClips);
    EXPECT_EQ(d.box()->rectangularCount()->text(), QStringLiteral("1"));
    EXPECT_TRUE(d.button(PictureDialog::Button::Erase)->isVisibleTo(&d)) << "the outline is selected";
    EXPECT_FALSE(d.button(PictureDialog::Button::Undo)->isEnabled());

    // Its right edge dragged further, then inserted: the clip is edited and
    // its panel shows the new version.
    d.areaMouseDown({70, 40});
    d.areaMouseMove({90, 40}, true);
    d.areaMouseUp({90, 40});
    d.insertButton()->click();
    ASSERT_EQ(kind(w, KindClip).size(), 2u);
    const Item* edited = kind(w, KindClip)[1];
    EXPECT_EQ(+edited->rec.d.sourceRect[2], 90);
    EXPECT_EQ(+edited->rec.d.x2 - edited->rec.d.x1, 80);
    EXPECT_NE(+edited->rec.d.selected, 0);
    EXPECT_EQ(m.currentPanel(), kClipPanelCode);
}

TEST_F(PictureShellTest, DroppedPictureFilesAreInserted)
{
    MainWindow& m = startWithPictures();
    DocumentWindow* w = m.OpenDocument({});
    const QString gif = picture("dropped.png", 30, 20, "PNG"); // not a type this program reads
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(gif)});
    QDropEvent refused(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w->view(), &refused);
    EXPECT_TRUE(kind(w, KindClip).empty());

    mime.setUrls({QUrl::fromLocalFile(picture("dropped.bmp", 30, 20, "BMP"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w->view(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w->view(), &drop);
    ASSERT_EQ(kind(w, KindClip).size(), 1u);
    EXPECT_EQ(+kind(w, KindClip)[0]->rec.d.x2, 50);
    EXPECT_EQ(kind(w, KindPicture).size(), 1u);
}

} // namespace
} // namespace vlm::test
