#include "shell_fixture.h"

#include "../../output/card_fixtures.h"
#include "../../output/merge_fixtures.h"
#include "../../output/pdf_tools.h"
#include "model/item_list.h"
#include "model/page_setup.h"
#include "settings/data_file_memory.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/main_menus.h"
#include "shell/commands/merge_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/merge_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/key_routing.h"
#include "texts/merge_texts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>

namespace vlm::test {
namespace {

struct MergeShellTest : ShellTest
{
    EditCommands* edit = nullptr;
    PrintCommands* print = nullptr;
    MergeCommands* merge = nullptr;
    int dialogs = 0;
    QString pdf;

    DocumentWindow& startWithLabels()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        new KeyRouting(m, *edit);
        print = new PrintCommands(m, *edit);
        merge = new MergeCommands(m, *edit, *print);
        pdf = path("merged.pdf");
        merge->runPrintDialog = [this](QPrinter& printer) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        m.Timer2Timer();
        DocumentWindow& w = *m.activeWindow();
        addressLabelSheet(w.document().items.header()->rec.h);
        std::int32_t order = 100;
        CardText(w.document(), u"${Name}\u07EC${City}", 12, 70, 230, order);
        return w;
    }

    QString writeCsv(const char* name, const QByteArray& bytes)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    static QByteArray people(int count)
    {
        QByteArray csv = "Name;City\n";
        for (int i = 1; i <= count; ++i)
            csv += QStringLiteral("Person %1;Town %1\n").arg(i).toUtf8();
        return csv;
    }
};

TEST_F(MergeShellTest, EntryFollowsPrintAndTheButtonFollowsThePrintButton)
{
    startWithLabels();
    const QList<QAction*> entries = main->menus().file->actions();
    const qsizetype at = entries.indexOf(main->menus().entry(CommandId::Print));
    ASSERT_GE(at, 0);
    EXPECT_EQ(entries[at + 1], main->commands().action(CommandId::PrintWithData));
    EXPECT_EQ(main->commands().action(CommandId::PrintWithData)->text(), QString::fromUtf16(texts::kMenuPrintWithData));
    EXPECT_TRUE(main->commands().action(CommandId::PrintWithData)->isEnabled());
    QToolBar* row = edit->toolbar();
    ASSERT_NE(row, nullptr);
    const QList<QAction*> buttons = row->actions();
    const qsizetype b = buttons.indexOf(main->commands().action(CommandId::PrintWithDataButton));
    ASSERT_GT(b, 0);
    EXPECT_EQ(buttons[b - 1]->data().toInt(), 5);
    EXPECT_EQ(row->widgetForAction(main->commands().action(CommandId::PrintWithDataButton))->accessibleName(),
              QString::fromUtf16(texts::kHintPrintWithData));
}

TEST_F(MergeShellTest, ShowsColumnsAndRecordsStepsThroughSheetsAndPrintsOneJob)
{
    DocumentWindow& w = startWithLabels();
    w.document().fileName = path("labels.vlmr").toStdString();
    const QString csv = writeCsv("people.csv", people(65));
    prompts.openAnswers.push_back(csv);
    main->commands().action(CommandId::PrintWithDataButton)->trigger();
    MergeDialog* d = merge->dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(prompts.openDialogs.size(), 1u);
    ASSERT_EQ(d->columnList()->count(), 2);
    EXPECT_EQ(d->columnList()->item(1)->text(), QStringLiteral("City"));
    EXPECT_EQ(d->recordTable()->rowCount(), 10);
    EXPECT_EQ(d->recordTable()->item(0, 1)->text(), QStringLiteral("Town 1"));
    EXPECT_TRUE(d->fileLabel()->text().contains(QStringLiteral("65")));

    ASSERT_EQ(d->sheets(), 3u);
    EXPECT_EQ(d->sheetLabel()->text(), QStringLiteral("Sheet 1 of 3"));
    EXPECT_FALSE(d->previousButton()->isEnabled());
    const QImage first = d->preview();
    EXPECT_FALSE(first.isNull());
    d->nextButton()->click();
    d->nextButton()->click();
    EXPECT_EQ(d->sheetLabel()->text(), QStringLiteral("Sheet 3 of 3"));
    EXPECT_FALSE(d->nextButton()->isEnabled());
    EXPECT_NE(d->preview(), first) << "the last sheet has five labels";
    d->previousButton()->click();
    EXPECT_EQ(d->sheet(), 1u);
    for (QWidget* widget : {static_cast<QWidget*>(d->columnList()), static_cast<QWidget*>(d->recordTable()),
                            static_cast<QWidget*>(d->nextButton()), static_cast<QWidget*>(d->printButton())})
        EXPECT_FALSE(widget->accessibleName().isEmpty());

    // The file is remembered for the document: next time it opens at once.
    EXPECT_EQ(dataFileFor(main->settings(), path("labels.vlmr").toStdU16String()), csv.toStdU16String());

    // Every sheet is a page of one job, each label its own record.
    merge->printMerged(w.windowId(), d->table());
    EXPECT_EQ(dialogs, 1);
    const ToolRun info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.ran);
    EXPECT_TRUE(info.out.simplified().contains(QStringLiteral("Pages: 3"))) << info.out.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    EXPECT_EQ(text.count(QStringLiteral("Person 65\n")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Town 1\n")), 1);
    EXPECT_FALSE(text.contains(QStringLiteral("${")));
    // The document itself is as it was.
    EXPECT_EQ(FindByKind(w.document().items, KindText)->text, u"${Name}\u07EC${City}");

    main->wideWindow().reject();
    merge->mergeCommand();
    ASSERT_NE(merge->dialog(), nullptr);
    EXPECT_EQ(prompts.openDialogs.size(), 1u) << "the remembered file needs no asking";
    EXPECT_EQ(merge->dialog()->sheets(), 3u);
}

TEST_F(MergeShellTest, AFileThatIsNoTableSaysWhyAndInsertFieldTypesIntoTheText)
{
    DocumentWindow& w = startWithLabels();
    prompts.openAnswers.push_back(writeCsv("bin.csv", QByteArray("Name\n\0\0\0", 8)));
    merge->mergeCommand();
    MergeDialog* d = merge->dialog();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.asked[0].text.contains(QStringLiteral("not a text file")));
    EXPECT_EQ(d->table(), nullptr);
    EXPECT_EQ(d->sheetLabel()->text(), QString::fromUtf16(texts::kMergeNoSheet));
    EXPECT_FALSE(d->printButton()->isEnabled());
    EXPECT_FALSE(d->insertButton()->isEnabled());
    main->wideWindow().reject();

    // A text being typed takes the field where the caret is.
    edit->ChooseTool(300, false);
    click(*edit->activeSandbox(), 100, 300);
    QKeyEvent h(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("H"));
    if (!w.keys()->keyDown(h))
        w.keys()->character(h);
    EXPECT_TRUE(merge->insertField(w.windowId(), QStringLiteral("Name")));
    const Item* typed = nullptr;
    for (Item& it : w.document().items)
        if (IsLive(it) && it.rec.d.kind == KindText && it.text != u"${Name}\u07EC${City}")
            typed = &it;
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->text, u"H${Name}");
}

} // namespace
} // namespace vlm::test
