#include "shell_fixture.h"

#include "shell/window/recovery.h"
#include "shell/window/recovery_keeper.h"

#include <QDir>
#include <QFileInfo>

namespace vlm::test {
namespace {

using Answer = Prompts::Answer;

struct QuietFilePrompts final : FilePrompts
{
    bool askOpenInvalidFile() override { return false; }
    void warnNewerVersion() override {}
    void reportReadError(const std::string&) override {}
};

int LinesIn(const QString& file)
{
    ItemList list;
    QuietFilePrompts quiet;
    if (!ReadDocument(EncodedPath(file), list, quiet))
        return -1;
    int lines = 0;
    for (const Item& it : list)
        lines += it.rec.d.kind == KindLine && it.rec.d.hidden == 0;
    return lines;
}

struct RecoveryKeeperTest : ShellTest
{
    QString folder() const { return dir.path() + QStringLiteral("/recovery"); }
    std::vector<RecoveryCopy> copies() const { return FindRecoveryCopies(folder()); }
    QStringList filesInFolder() const { return QDir(folder()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(RecoveryKeeperTest, UnsavedWorkIsCopiedOnTheTimerAndTheCopyGoesWhenSaved)
{
    const QString mine = writeDocument("Mine.vlmr");
    const QByteArray mineBytes = bytesOf(mine);
    MainWindow& m = start();
    RecoveryKeeper* keeper = m.recoveryKeeper();
    ASSERT_NE(keeper, nullptr);
    EXPECT_TRUE(keeper->timer().isActive());
    EXPECT_EQ(keeper->timer().interval(), 2 * 60 * 1000);

    DocumentWindow* w = m.OpenDocument(mine);
    m.NewCommand(); // an untouched untitled document is never copied
    keeper->refresh();
    EXPECT_TRUE(copies().empty());

    modify(w);
    fire(keeper->timer());

    std::vector<RecoveryCopy> found = copies();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].originalPath, mine);
    EXPECT_EQ(LinesIn(found[0].copyPath), 1);
    EXPECT_TRUE(modified(w));              // the copy is not a save
    EXPECT_EQ(bytesOf(mine), mineBytes);   // and never touches the user's file
    EXPECT_EQ(filesInFolder().size(), 2u); // the copy and its note, nothing half-written

    // Later changes replace the same copy.
    modify(w);
    keeper->refresh();
    found = copies();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].copyPath, keeper->copyOf(w->document())->copyPath);
    EXPECT_EQ(LinesIn(found[0].copyPath), 2);
    EXPECT_EQ(filesInFolder().size(), 2u);

    m.ActivateWindow(w->windowId());
    ASSERT_EQ(m.activeWindow(), w);
    ASSERT_TRUE(m.SaveCommand());
    EXPECT_TRUE(copies().empty());
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_EQ(keeper->copyOf(w->document()), nullptr);
    EXPECT_EQ(LinesIn(mine), 2);
}

TEST_F(RecoveryKeeperTest, ClosingWithoutSavingRemovesTheCopyAndAnEndedSessionKeepsIt)
{
    MainWindow& m = start();
    RecoveryKeeper& keeper = *m.recoveryKeeper();
    m.NewCommand();
    DocumentWindow* discarded = m.activeWindow();
    modify(discarded);
    m.NewCommand();
    DocumentWindow* kept = m.activeWindow();
    modify(kept);
    keeper.refresh();
    ASSERT_EQ(copies().size(), 2u);
    EXPECT_TRUE(copies()[0].originalPath.isEmpty());

    m.ActivateWindow(discarded->windowId());
    prompts.answers = {Answer::No}; // do not save the changes
    m.CloseCommand();
    flushDeletes();
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(copies()[0].copyPath, keeper.copyOf(kept->document())->copyPath);

    // Changes made after the last tick are in the copy the session leaves.
    modify(kept);
    m.EndSession();
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(LinesIn(copies()[0].copyPath), 2);
    m.CloseCommand();
    main.reset();
    flushDeletes();
    EXPECT_EQ(copies().size(), 1u);

    // The next start offers it; once taken back, the copy is gone and the
    // document, still unsaved, is kept again from then on.
    prompts.asked.clear();
    prompts.answers = {Answer::Yes};
    MainWindow& again = start();
    again.Timer2Timer();
    ASSERT_EQ(again.documentWindows().size(), 1u);
    EXPECT_TRUE(copies().empty());
    again.recoveryKeeper()->refresh();
    EXPECT_EQ(copies().size(), 1u);
}

TEST_F(RecoveryKeeperTest, AFolderThatCannotBeWrittenKeepsTheWorkUnsaved)
{
    ASSERT_TRUE(QFile(folder()).open(QIODevice::WriteOnly)); // a file where the folder should be
    MainWindow& m = start();
    m.NewCommand();
    modify(m.activeWindow());
    m.recoveryKeeper()->refresh();
    EXPECT_EQ(m.recoveryKeeper()->copyOf(m.activeWindow()->document()), nullptr);
    EXPECT_TRUE(modified(m.activeWindow()));
    EXPECT_TRUE(QFileInfo(folder()).isFile());
}

} // namespace
} // namespace vlm::test
