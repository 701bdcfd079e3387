// The left column after documents open, close and take turns: it speaks of
// the document in front, never of a selection a closed document had.

#include "shell_fixture.h"

#include "edit/selection.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/window/view_widget.h"

#include <QImage>

namespace vlm::test {
namespace {

struct DocumentPanelTest : ShellTest {
    EditCommands* edit = nullptr;
    PictureCommands* pictures = nullptr;

    MainWindow& startEditing()
    {
        MainWindow& m = start();
        pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        return m;
    }

    // A document file holding one Item of `kind`: a line, or a clip made
    // the way a dropped picture makes it.
    QString fileWith(std::int32_t kind)
    {
        DocumentWindow* w = main->OpenDocument({});
        if (kind == KindClip) {
            QImage image(60, 40, QImage::Format_RGB32);
            image.fill(qRgb(20, 120, 200));
            const QString picture = path("picture.bmp");
            EXPECT_TRUE(image.save(picture, "BMP"));
            EXPECT_TRUE(pictures->insertDroppedFile(*w, picture));
        } else {
            Sandbox& box = *edit->activeSandbox();
            edit->ChooseTool(98, true);
            click(box, 40, 40);
            click(box, 160, 40);
        }
        const QString file = path(kind == KindClip ? "clip.vlmr" : "line.vlmr");
        EXPECT_TRUE(WriteDocument(EncodedPath(file), w->document().items));
        SetModified(w->document().items, false);
        w->close();
        flushDeletes();
        main->Timer4Timer();
        return file;
    }

    // A click on the one Item of the active document, as the pointer tool
    // takes it.
    void selectTheItem()
    {
        DocumentWindow* w = main->activeWindow();
        edit->ChooseTool(MainWindow::kDefaultPanel, true);
        for (const Item& it : w->document().items) {
            if (!IsLive(it) || !IsEditableKind(it.rec.d.kind))
                continue;
            const DocumentView& view = w->view().view();
            const int x = it.rec.d.kind == KindClip ? it.rec.d.x1 + 5 : (it.rec.d.x1 + it.rec.d.x2) / 2;
            const int y = it.rec.d.kind == KindClip ? it.rec.d.y1 + 5 : it.rec.d.y1;
            click(*edit->activeSandbox(), view.toCanvasX(x), view.toCanvasY(y));
            return;
        }
        ADD_FAILURE() << "no Item to select";
    }
};

TEST_F(DocumentPanelTest, AfterADocumentOpensOrComesToTheFrontTheColumnSpeaksOfIt)
{
    struct Case {
        std::int32_t kind;
        int panel; // of the selected Item
    };
    for (const Case& c : {Case{KindLine, 99}, Case{KindClip, kClipPanelCode}}) {
        SCOPED_TRACE(c.panel);
        MainWindow& m = startEditing();
        const QString file = fileWith(c.kind);

        // Closed with its Item selected and opened again at once, before
        // the timer of the last close has run.
        m.OpenDocument(file);
        selectTheItem();
        ASSERT_EQ(m.currentPanel(), c.panel);
        m.CloseCommand();
        flushDeletes();
        m.OpenDocument(file);
        EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel);
        EXPECT_EQ(edit->activeSandbox()->toolMode(), ToolMode::Pointer);

        // A new document in front of the selection.
        selectTheItem();
        ASSERT_EQ(m.currentPanel(), c.panel);
        m.NewCommand();
        EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel);

        // Back in front with its selection, then closed while another
        // document stays, which is in front then.
        DocumentWindow* untitled = m.activeWindow();
        modify(untitled); // kept, and asked about no more
        m.ActivateWindow(m.documentWindows().back()->windowId());
        EXPECT_EQ(m.currentPanel(), c.panel);
        m.CloseCommand();
        flushDeletes();
        ASSERT_EQ(m.activeWindow(), untitled);
        EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel);

        SetModified(untitled->document().items, false);
        main.reset();
    }
}

TEST_F(DocumentPanelTest, AToolAtWorkKeepsItsPanelWhenADocumentOpens)
{
    MainWindow& m = startEditing();
    const QString file = fileWith(KindLine);
    m.OpenDocument({});
    edit->ChooseTool(102, true);
    m.OpenDocument(file);
    EXPECT_EQ(m.currentPanel(), 102);
}

} // namespace
} // namespace vlm::test
