#include "shell/commands/export_commands.h"

#include "model/item_list.h"
#include "output/export_picture.h"
#include "output/export_types.h"
#include "output/image_files.h"
#include "output/sheet_layout.h"
#include "platform/prompts.h"
#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/command_registry.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/main_menus.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/prepare_print_dialog.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "texts/file_texts.h"
#include "texts/output_texts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace vlm {

namespace {

constexpr int kExportButton = 4;
constexpr int kPrintButton = 5;

const HeaderFields* HeaderOf(DocumentWindow& window)
{
    const Item* header = Header(window.document().items);
    return header ? &header->rec.h : nullptr;
}

} // namespace

ExportCommands::ExportCommands(MainWindow& main, EditCommands& edit, PrintCommands& print)
    : QObject(&main), main_(main), print_(print)
{
    MainMenus& menus = main_.menus();
    CommandRegistry& r = edit.commands();
    r.add({.id = CommandId::ExportAs,
                         .caption = uiText(texts::kMenuExportAs),
                         .enabled = [&menus] { return menus.documentMenusEnabled(); },
                         .run = [this] { exportCommand(); }});
    r.add({.id = CommandId::ExportButton,
           .caption = uiText(texts::kButtonExport),
           .run = [this] { exportCommand(); },
           .button = true,
           .hint = uiText(texts::kHintExport),
           .picture = kExportButton});
}

void ExportCommands::exportCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (!window || !HeaderOf(*window))
        return;
    const std::int32_t windowId = window->windowId();
    PopupWindow& popup = main_.narrowWindow();
    auto chosen = std::make_shared<std::optional<ExportDialog::Choice>>();
    ExportDialog::Choice initial;
    initial.type = exportTypeForRemembered(main_.settings().expndx);
    auto* frame = new ExportDialog(
        initial,
        [chosen, &popup](ExportDialog::Choice c) {
            *chosen = c;
            popup.accept();
        },
        [&popup] { popup.reject(); });
    popup.showFrame(frame, uiText(texts::kExportTitle), [this, chosen, windowId] {
        main_.activateWindow();
        if (*chosen) {
            // The popup is still closing: the next step opens after it.
            const ExportDialog::Choice c = **chosen;
            QTimer::singleShot(0, this, [this, windowId, c] { continueExport(windowId, c); });
        }
    });
}

void ExportCommands::continueExport(std::int32_t windowId, ExportDialog::Choice choice)
{
    DocumentWindow* window = main_.windowWithId(windowId);
    if (!window || !HeaderOf(*window))
        return;
    const auto& types = exportTypes();
    if (choice.type < 0 || choice.type >= static_cast<int>(types.size()))
        choice.type = 0;
    // Only the smooth rendering leaves cards out; the exact one has them all.
    const bool cards = choice.smooth && !types[choice.type].vector() &&
                       NeedsAreaSelection(*HeaderOf(*window), main_.settings().screen);
    if (!cards) {
        saveExport(windowId, choice);
        return;
    }
    PopupWindow& popup = main_.narrowWindow();
    auto selected = std::make_shared<std::optional<std::string>>();
    auto* frame = new PreparePrintDialog(
        HeaderOf(*window), window->areaSelection, uiText(texts::kExportAreasConfirm),
        [selected, &popup](const std::string& selection) {
            *selected = selection;
            popup.accept();
        },
        [&popup] { popup.reject(); });
    popup.showFrame(frame, uiText(texts::kPrepareTitle), [this, selected, windowId, choice] {
        main_.activateWindow();
        DocumentWindow* w = main_.windowWithId(windowId);
        if (!*selected || !w)
            return;
        w->areaSelection = **selected;
        QTimer::singleShot(0, this, [this, windowId, choice] { saveExport(windowId, choice); });
    });
}

std::optional<QString> ExportCommands::askFile(int& type)
{
    Settings& settings = main_.settings();
    const auto& types = exportTypes();
    Prompts::FileDialog dialog;
    dialog.title = uiText(texts::kExportTitle);
    dialog.defaultSuffix = QString::fromStdString(types[type].extensions.front());
    dialog.filter = QString::fromStdU16String(exportTypesFilter());
    dialog.filterIndex = type + 1;
    dialog.folder = QString::fromStdU16String(settings.expdir);
    const std::optional<QString> name = main_.prompts().saveFile(dialog);
    if (!name)
        return std::nullopt;
    const QFileInfo info(*name);
    settings.expdir = info.absolutePath().toStdU16String();
    // The name's extension decides; a name without a known one keeps the
    // type chosen first.
    const int named = exportTypeOfName(name->toStdString());
    if (named >= 0)
        type = named;
    if (types[type].remembered != 0)
        settings.expndx = types[type].remembered;
    if (info.exists() &&
        main_.prompts().message(Prompts::Kind::Confirmation, QString::fromUtf8(texts::kReplaceFile),
                                Prompts::Yes | Prompts::No) != Prompts::Answer::Yes)
        return std::nullopt;
    return name;
}

void ExportCommands::saveExport(std::int32_t windowId, ExportDialog::Choice choice)
{
    if (!main_.windowWithId(windowId))
        return;
    int type = choice.type >= 0 && choice.type < static_cast<int>(exportTypes().size()) ? choice.type : 0;
    const std::optional<QString> name = askFile(type);
    // The save dialog let the event loop run: the window is looked up again.
    DocumentWindow* window = main_.windowWithId(windowId);
    if (!name || !window || !HeaderOf(*window))
        return;
    const ExportType& t = exportTypes()[type];
    const SheetEnvironment env = print_.sheetEnvironment();
    std::string error;
    const std::string file = name->toStdString();
    if (t.vector()) {
        if (!t.writeDocument(window->document(), window->areaSelection, env, file, error))
            main_.prompts().message(Prompts::Kind::Error, QString::fromStdString(error), Prompts::Ok);
        return;
    }
    bool tooLarge = false;
    const std::optional<Bitmap> picture = choice.smooth
                                              ? PreviewPicture(window->document(), window->areaSelection, env, &tooLarge)
                                              : ExactPicture(window->document(), env, &tooLarge);
    if (!picture) {
        if (tooLarge)
            main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kSheetTooLarge), Prompts::Ok);
        return;
    }
    if (!WriteExport(*picture, file, t.format, main_.settings().screen.dpiX, error))
        main_.prompts().message(Prompts::Kind::Error, QString::fromStdString(error), Prompts::Ok);
}

} // namespace vlm
