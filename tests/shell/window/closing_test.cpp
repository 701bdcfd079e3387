#include "shell_fixture.h"

#include "model/document_inspect.h"
#include "shell/window/open_request.h"
#include "shell/window/recovery.h"
#include "texts/file_texts.h"
#include "texts/shell_texts.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace vlm::test {
namespace {

using Answer = Prompts::Answer;

QString T(const char16_t* s)
{
    return QString::fromUtf16(s);
}

TEST_F(ShellTest, ClosingADocumentAsksAboutUnsavedChanges)
{
    const QString letterQuestion = T(texts::kSaveChangesTo) + QStringLiteral(" Letter?");
    const struct {
        const char* situation;
        bool named;
        bool modified;
        bool deleteFile;       // the file vanished since it was opened
        Answer answer;         // to the close question
        const char* saveAs;    // the Save As dialog's choice; null cancels it
        bool asks;
        bool stillOpen;
        bool fileRewritten;
    } cases[] = {
        {"unmodified", true, false, false, Answer::Yes, nullptr, false, false, false},
        {"named, Cancel", true, true, false, Answer::Cancel, nullptr, true, true, false},
        {"named, No", true, true, false, Answer::No, nullptr, true, false, false},
        {"named, Yes", true, true, false, Answer::Yes, nullptr, true, false, true},
        {"named but gone, Yes, Save As cancelled", true, true, true, Answer::Yes, nullptr, true, true, false},
        {"untitled, Yes, Save As cancelled", false, true, false, Answer::Yes, nullptr, true, true, false},
        {"untitled, Yes, saved", false, true, false, Answer::Yes, "saved.vlmr", true, false, false},
        {"untitled, Yes, into a missing folder", false, true, false, Answer::Yes, "no/such/folder/x.vlmr", true, true,
         false},
    };
    for (const auto& c : cases) {
        const QString letter = writeDocument("Letter.vlmr");
        const QByteArray original = bytesOf(letter);
        prompts.asked.clear();
        prompts.answers = {c.answer};
        prompts.saveAnswers = {c.saveAs ? std::optional(path(c.saveAs)) : std::nullopt};

        MainWindow& m = start();
        DocumentWindow* w = c.named ? m.OpenDocument(letter) : (m.NewCommand(), m.activeWindow());
        if (c.modified)
            modify(w);
        if (c.deleteFile)
            QFile::remove(letter);
        m.CloseCommand();

        EXPECT_EQ(m.documentWindows().size(), c.stillOpen ? 1u : 0u) << c.situation;
        if (c.asks) {
            ASSERT_FALSE(prompts.asked.empty()) << c.situation;
            EXPECT_EQ(prompts.asked[0].text, c.named ? letterQuestion : T(texts::kSaveTheFile)) << c.situation;
            EXPECT_EQ(prompts.asked[0].buttons, Prompts::Yes | Prompts::No | Prompts::Cancel) << c.situation;
        } else {
            EXPECT_TRUE(prompts.asked.empty()) << c.situation;
        }
        if (!c.deleteFile) {
            EXPECT_EQ(bytesOf(letter) != original, c.fileRewritten) << c.situation;
        }
        if (c.stillOpen) {
            EXPECT_TRUE(modified(w)) << c.situation;
        } else if (c.saveAs) {
            EXPECT_TRUE(QFile::exists(path(c.saveAs))) << c.situation;
        }
        main.reset();
        flushDeletes();
        QFile::remove(letter);
    }
}

TEST_F(ShellTest, AFailedWriteIsReportedAndKeepsTheChanges)
{
    MainWindow& m = start();
    m.NewCommand();
    modify(m.activeWindow());
    prompts.saveAnswers = {path("missing-folder/out.vlmr")};
    EXPECT_FALSE(m.SaveCommand());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].kind, Prompts::Kind::Error);
    EXPECT_TRUE(prompts.asked[0].text.startsWith(T(texts::kCannotSaveFile)));
    EXPECT_TRUE(modified(m.activeWindow()));
    EXPECT_EQ(m.activeWindow()->caption(), QStringLiteral("Untitled 1"));
    EXPECT_TRUE(m.settings().reopen[0].empty());
}

TEST_F(ShellTest, SaveAsOntoAnExistingFileAsksBeforeReplacingIt)
{
    const QString mine = writeDocument("Mine.vlmr");
    const QString other = writeDocument("Other.vlmr", [](Document& d) { NewItem(d.items, KindLine); });
    const QByteArray otherBytes = bytesOf(other);
    MainWindow& m = start();
    DocumentWindow* w = m.OpenDocument(mine);

    prompts.saveAnswers = {other};
    EXPECT_FALSE(m.SaveAsCommand()); // the script answers No to "Replace the existing file?"
    EXPECT_EQ(prompts.texts(), QStringList{QString::fromUtf8(texts::kReplaceFile)});
    EXPECT_EQ(bytesOf(other), otherBytes);
    EXPECT_EQ(PathOf(w->document()), mine);

    prompts.saveAnswers = {other};
    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(m.SaveAsCommand());
    EXPECT_EQ(PathOf(w->document()), other);
    // What the command-line checker says about the file written.
    const FileInspection inspection = InspectDocumentFile(EncodedPath(other), {});
    EXPECT_TRUE(inspection.opened);
    for (const FileProblem& p : inspection.problems)
        EXPECT_TRUE(IsNote(p.kind)) << int(p.kind);
    EXPECT_EQ(w->caption(), QStringLiteral("Other"));
    EXPECT_EQ(m.menus().windowEntries[0]->text(), QStringLiteral("Other"));
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[0]), other);
    EXPECT_EQ(QString::fromStdU16String(m.settings().docdir), dir.path());

    // The dialogs: title, filter and suggested name.
    ASSERT_EQ(prompts.saveDialogs.size(), 2u);
    EXPECT_EQ(prompts.saveDialogs[0].title, QStringLiteral("Save As"));
    EXPECT_EQ(prompts.saveDialogs[0].fileName, QStringLiteral("Mine.vlmr"));
    EXPECT_EQ(prompts.saveDialogs[0].filter, QString::fromUtf8(texts::kDocumentFilter));
    EXPECT_EQ(prompts.saveDialogs[0].filterIndex, 2);
    EXPECT_EQ(prompts.saveDialogs[1].folder, dir.path());
}

TEST_F(ShellTest, ExitAsksOnceAboutAllModifiedDocuments)
{
    const struct {
        const char* situation;
        int modifiedCount;
        std::deque<Answer> answers;
        std::deque<std::optional<QString>> saveAs;
        bool exits;
        std::size_t windowsLeft;
    } cases[] = {
        {"nothing modified", 0, {}, {}, true, 2},
        {"No", 2, {Answer::No}, {}, true, 2},
        {"Cancel", 2, {Answer::Cancel}, {}, false, 2},
        {"Yes, first Save As cancelled", 2, {Answer::Yes}, {std::nullopt}, false, 2},
        {"Yes, both saved", 2, {Answer::Yes}, {QStringLiteral("one.vlmr"), QStringLiteral("two.vlmr")}, true, 0},
    };
    for (const auto& c : cases) {
        prompts.asked.clear();
        prompts.answers = c.answers;
        prompts.saveAnswers.clear();
        for (const auto& s : c.saveAs)
            prompts.saveAnswers.push_back(s ? std::optional(path(s->toUtf8())) : std::nullopt);
        MainWindow& m = start();
        m.NewCommand();
        DocumentWindow* first = m.activeWindow();
        m.NewCommand();
        for (int i = 0; i < c.modifiedCount; ++i)
            modify(m.documentWindows()[i]);

        EXPECT_EQ(m.ConfirmExit(), c.exits) << c.situation;
        EXPECT_EQ(m.documentWindows().size(), c.windowsLeft) << c.situation;
        if (c.modifiedCount > 0) {
            ASSERT_FALSE(prompts.asked.empty()) << c.situation;
            EXPECT_EQ(prompts.asked[0].kind, Prompts::Kind::Warning);
            EXPECT_EQ(prompts.asked[0].text, T(texts::kFilesModified));
        } else {
            EXPECT_TRUE(prompts.asked.empty()) << c.situation;
        }
        if (c.answers == std::deque<Answer>{Answer::Yes}) {
            // The front window goes first and the untitled one is offered its name.
            ASSERT_FALSE(prompts.saveDialogs.empty());
            EXPECT_EQ(prompts.saveDialogs[0].fileName, QStringLiteral("Untitled 2"));
        }
        if (!c.exits && !c.answers.empty() && c.answers.front() == Answer::Yes) {
            EXPECT_TRUE(modified(first));
        }
        prompts.saveDialogs.clear();
        main.reset();
        flushDeletes();
    }
}

TEST_F(ShellTest, ExitAndClosingTheMainWindowCloseEverythingOnceConfirmed)
{
    const QString file = writeDocument("Kept.vlmr");
    MainWindow& m = start();
    m.OpenDocument(file);
    m.NewCommand();
    modify(m.activeWindow());

    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(m.close());
    EXPECT_EQ(m.documentWindows().size(), 2u);
    EXPECT_FALSE(m.exitConfirmed());

    prompts.answers = {Answer::No};
    m.ExitCommand();
    EXPECT_TRUE(m.exitConfirmed());
    EXPECT_TRUE(m.documentWindows().empty());
    EXPECT_EQ(prompts.asked.size(), 2u); // no question per window after the exit warning
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[0]), file);
}

TEST_F(ShellTest, AfterTheLastWindowClosesTheShellIsReset)
{
    MainWindow& m = start();
    m.NewCommand();
    m.SetZoom(2.0);
    m.ShowPanel(98);
    m.CloseCommand();
    flushDeletes();
    EXPECT_TRUE(m.timer(4).isActive());
    EXPECT_FALSE(m.menus().window->menuAction()->isVisible());
    m.Timer4Timer();
    // (The later File commands follow the same state: see the tool frame's
    // File menu test.)
    for (CommandId id : {CommandId::Save, CommandId::SaveAs, CommandId::Close})
        EXPECT_FALSE(m.menus().entry(id)->isEnabled()) << m.menus().entry(id)->text().toStdString();
    EXPECT_EQ(m.settings().zoom, 1.0);
    EXPECT_TRUE(m.menus().zoomEntries[3]->isChecked());
    EXPECT_EQ(m.currentPanel(), MainWindow::kDefaultPanel);
}

TEST_F(ShellTest, RecentFilesOpenReopenAndClear)
{
    const QString a = writeDocument("Alpha.vlmr");
    const QString b = writeDocument("Beta.vlmr");
    MainWindow& m = start();

    prompts.openAnswers = {a};
    m.OpenCommand();
    EXPECT_EQ(prompts.openDialogs.at(0).title, QStringLiteral("Open"));
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[0]), a);
    EXPECT_EQ(QString::fromStdU16String(m.settings().lastOpenFileName), QStringLiteral("Alpha.vlmr"));
    prompts.openAnswers = {std::nullopt};
    m.OpenCommand();
    EXPECT_EQ(prompts.openDialogs.at(1).fileName, QStringLiteral("Alpha.vlmr"));
    EXPECT_EQ(m.documentWindows().size(), 1u);

    m.AddRecent(b.toUpper()); // another spelling of a file listed later
    m.AddRecent(b);
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[0]), b);
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[1]), a);
    EXPECT_TRUE(m.settings().reopen[2].empty());
    EXPECT_EQ(m.menus().reopenEntries[0]->text(), QStringLiteral("Beta"));

    QFile::remove(b);
    m.ReopenRecent(1);
    EXPECT_EQ(prompts.texts().last(), T(texts::kCannotFindFile));
    EXPECT_EQ(prompts.asked.back().buttons, Prompts::Cancel);
    EXPECT_EQ(QString::fromStdU16String(m.settings().reopen[0]), b);
    modify(m.activeWindow()); // so the next file gets a window of its own
    m.ReopenRecent(2);
    EXPECT_EQ(m.documentWindows().size(), 2u);
    m.ReopenRecent(3); // empty entry
    m.ReopenRecent(17);
    EXPECT_EQ(m.documentWindows().size(), 2u);

    prompts.answers = {Answer::No};
    m.ClearRecentCommand();
    EXPECT_EQ(prompts.texts().last(), T(texts::kClearRecentFiles));
    EXPECT_FALSE(m.settings().reopen[0].empty());
    prompts.answers = {Answer::Yes};
    m.ClearRecentCommand();
    EXPECT_TRUE(m.settings().reopen[0].empty());
    EXPECT_FALSE(m.menus().reopen->isEnabled());
}

TEST_F(ShellTest, OpenRequestsFromAnotherStart)
{
    const QString spaced = writeDocument("Summer fair poster.vlmr");
    MainWindow& m = start();
    m.NewCommand();
    m.HandleOpenRequest(OpenMacro(spaced));
    ASSERT_EQ(m.documentWindows().size(), 1u); // the untouched window was reused
    EXPECT_EQ(PathOf(m.activeWindow()->document()), spaced);
    EXPECT_TRUE(m.settings().reopen[0].empty());

    for (const QString& macro : {OpenMacro(path("missing.vlmr")), OpenMacro(dir.path()), QStringLiteral("[open(\"\")]"),
                                 QString()})
        m.HandleOpenRequest(macro);
    EXPECT_EQ(m.documentWindows().size(), 1u);

    // A file that cannot be read is passed over without a word.
    ASSERT_EQ(::mkfifo(path("pipe.vlmr").toUtf8().constData(), 0600), 0);
    m.HandleOpenRequest(OpenMacro(path("pipe.vlmr")));
    EXPECT_TRUE(prompts.asked.empty());
    // The same file opened by the user is reported.
    m.OpenDocument(path("pipe.vlmr"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].kind, Prompts::Kind::Error);
}

TEST_F(ShellTest, EndingTheSessionKeepsUnsavedWorkAndTheNextStartOffersIt)
{
    const QString mine = writeDocument("Mine.vlmr");
    const QByteArray mineBytes = bytesOf(mine);
    {
        MainWindow& m = start();
        m.OpenDocument(mine);
        modify(m.activeWindow());
        m.NewCommand();
        modify(m.activeWindow());
        m.NewCommand(); // unmodified: nothing to keep
        m.AddRecent(QStringLiteral("/somewhere/Else.vlmr"));

        m.EndSession();
        EXPECT_EQ(quits, 1);
        EXPECT_TRUE(prompts.asked.empty());
        EXPECT_EQ(FindRecoveryCopies(dir.path() + QStringLiteral("/recovery")).size(), 2u);
        EXPECT_EQ(bytesOf(mine), mineBytes);
        EXPECT_EQ(store.readText("CustomSettings", "reopen1"), u"/somewhere/Else.vlmr");
        // Nobody answers questions any more.
        EXPECT_TRUE(m.ConfirmExit());
        m.CloseCommand();
        EXPECT_TRUE(prompts.asked.empty());
        main.reset();
        flushDeletes();
    }
    for (const Answer answer : {Answer::Cancel, Answer::Yes}) {
        prompts.asked.clear();
        prompts.answers = {answer};
        MainWindow& m = start();
        m.Timer2Timer();
        EXPECT_EQ(prompts.texts(), QStringList{T(texts::kRecoveryOffer)});
        if (answer == Answer::Cancel) {
            EXPECT_EQ(m.documentWindows().size(), 1u); // the usual untitled document
            EXPECT_EQ(FindRecoveryCopies(dir.path() + QStringLiteral("/recovery")).size(), 2u);
        } else {
            ASSERT_EQ(m.documentWindows().size(), 2u);
            QStringList captions;
            for (DocumentWindow* w : m.documentWindows()) {
                captions << w->caption();
                EXPECT_TRUE(modified(w));
                // Saving goes back to the user's own file, never to the copy.
                EXPECT_EQ(PathOf(w->document()), w->caption() == QStringLiteral("Mine") ? mine : QString());
            }
            captions.sort();
            EXPECT_EQ(captions, (QStringList{QStringLiteral("Mine"), QStringLiteral("Untitled 1")}));
            EXPECT_TRUE(FindRecoveryCopies(dir.path() + QStringLiteral("/recovery")).empty());
        }
        main.reset();
        flushDeletes();
    }
}

TEST_F(ShellTest, DeclinedRecoveryCopiesAreDiscarded)
{
    Document doc;
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    SetModified(doc.items, true);
    ASSERT_EQ(WriteRecoveryCopies(dir.path() + QStringLiteral("/recovery"), {&doc}), 1);
    EXPECT_TRUE(IsModified(doc.items));

    prompts.answers = {Answer::No};
    MainWindow& m = start();
    m.Timer2Timer();
    EXPECT_EQ(m.documentWindows().size(), 1u);
    EXPECT_FALSE(modified(m.activeWindow()));
    EXPECT_TRUE(FindRecoveryCopies(dir.path() + QStringLiteral("/recovery")).empty());
}

} // namespace
} // namespace vlm::test
