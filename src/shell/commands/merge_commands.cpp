#include "shell/commands/merge_commands.h"

#include "model/item_list.h"
#include "output/merge_files.h"
#include "output/vector_sheet.h"
#include "platform/prompts.h"
#include "platform/ui_text.h"
#include "settings/data_file_memory.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/command_registry.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/main_menus.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/merge_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "texts/merge_texts.h"
#include "texts/output_texts.h"

#include <QFileInfo>
#include <QInputMethodEvent>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>

namespace vlm {

namespace {

constexpr int kPrintButton = 5;
// "Print to File (PDF)" has no resolution of its own; a good printer's.
constexpr int kPdfResolution = 600;

} // namespace

MergeCommands::MergeCommands(MainWindow& main, EditCommands& edit, PrintCommands& print)
    : QObject(&main), main_(main), print_(print)
{
    runPrintDialog = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &main_);
        dialog.setAccessibleName(uiText(texts::kMergePrint));
        return dialog.exec() == QDialog::Accepted;
    };

    MainMenus& menus = main_.menus();
    CommandRegistry& r = edit.commands();
    r.add({.id = CommandId::PrintWithData,
                         .caption = uiText(texts::kMenuPrintWithData),
                         .enabled = [&menus] { return menus.documentMenusEnabled(); },
                         .run = [this] { mergeCommand(); }});
    r.add({.id = CommandId::PrintWithDataButton,
           .caption = uiText(texts::kButtonPrintWithData),
           .run = [this] { mergeCommand(); },
           .button = true,
           .hint = uiText(texts::kHintPrintWithData),
           .picture = kPrintButton});
}

MergeDialog* MergeCommands::dialog() const
{
    return dynamic_cast<MergeDialog*>(main_.wideWindow().frame());
}

void MergeCommands::mergeCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (!window || !Header(window->document().items))
        return;
    windowId_ = window->windowId();
    PopupWindow& popup = main_.wideWindow();
    auto after = std::make_shared<std::function<void()>>();
    MergeDialog::Actions actions;
    actions.chooseFile = [this] { chooseDataFile(); };
    const std::int32_t windowId = windowId_;
    actions.insertField = [this, after, windowId, &popup](const QString& column) {
        *after = [this, windowId, column] { insertField(windowId, column); };
        popup.accept();
    };
    actions.print = [this, after, windowId, &popup] {
        MergeDialog* d = dialog();
        std::shared_ptr<const DataTable> table = d ? d->table() : nullptr;
        *after = [this, windowId, table] { printMerged(windowId, table); };
        popup.accept();
    };
    actions.close = [&popup] { popup.reject(); };
    auto* frame =
        new MergeDialog(window->document(), window->areaSelection, print_.sheetEnvironment(), actions);
    popup.showFrame(frame, uiText(texts::kMergeTitle), [this, after] {
        main_.activateWindow();
        if (*after) {
            // The popup is still closing: the next step runs after it.
            const std::function<void()> next = *after;
            QTimer::singleShot(0, this, next);
        }
    });
    const std::u16string remembered =
        dataFileFor(main_.settings(), QString::fromStdString(window->document().fileName).toStdU16String());
    if (!remembered.empty() && QFileInfo::exists(QString::fromStdU16String(remembered)))
        loadDataFile(QString::fromStdU16String(remembered));
    else
        chooseDataFile();
}

void MergeCommands::chooseDataFile()
{
    Prompts::FileDialog request;
    request.title = uiText(texts::kDataFileTitle);
    request.filter = uiText(texts::kDataFileFilter);
    request.folder = QString::fromStdU16String(main_.settings().docdir);
    if (const std::optional<QString> chosen = main_.prompts().openFile(request))
        loadDataFile(*chosen);
}

bool MergeCommands::loadDataFile(const QString& path)
{
    MergeDialog* d = dialog();
    DocumentWindow* window = main_.windowWithId(windowId_);
    if (!d || !window)
        return false;
    auto table = std::make_shared<DataTable>();
    std::string error;
    if (!readDataFile(path.toStdString(), *table, error)) {
        main_.prompts().message(Prompts::Kind::Error, QString::fromStdString(error), Prompts::Ok);
        return false;
    }
    rememberDataFile(main_.settings(), QString::fromStdString(window->document().fileName).toStdU16String(),
                     path.toStdU16String());
    d->setData(path, std::move(table));
    return true;
}

bool MergeCommands::insertField(std::int32_t windowId, const QString& column)
{
    DocumentWindow* window = main_.windowWithId(windowId);
    if (!window || !window->keys())
        return false;
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("${") + column + QStringLiteral("}"));
    return window->keys()->inputMethod(typed);
}

void MergeCommands::printMerged(std::int32_t windowId, std::shared_ptr<const DataTable> table)
{
    DocumentWindow* window = main_.windowWithId(windowId);
    if (!window || !table)
        return;
    Document& document = window->document();
    const SheetEnvironment env = print_.sheetEnvironment();
    MergedSheets sheets(document, *table, window->areaSelection, MergeRange{}, env);
    if (sheets.sheets() == 0) {
        main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kDataNoRecords), Prompts::Ok);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window->caption());
    printer.setFullPage(true);
    const QSizeF paper = vectorPaperPoints(document, env.screen);
    if (!paper.isEmpty())
        printer.setPageSize(QPageSize(paper, QPageSize::Point, QString(), QPageSize::FuzzyMatch));
    if (!runPrintDialog || !runPrintDialog(printer))
        return;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(kPdfResolution);
    printer.setFullPage(true);
    if (!paintMergedSheets(sheets, printer, printer.resolution()))
        main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kPrintJobFailed), Prompts::Ok);
}

} // namespace vlm
