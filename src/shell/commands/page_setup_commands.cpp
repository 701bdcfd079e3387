#include "shell/commands/page_setup_commands.h"

#include "model/document.h"
#include "model/grid_line.h"
#include "model/item.h"
#include "platform/ui_text.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/document_window.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/page_setup_texts.h"
#include "texts/shell_texts.h"

#include <QAction>
#include <QMenu>
#include <QStackedWidget>

namespace vlm {

namespace {


// The grid follows the new canvas: equal distances in both directions at
// the header's new density.
void RefitGridLines(Document& doc)
{
    const Item* header = doc.items.header();
    if (Item* grid = FindByKind(doc.items, KindGridLines); header && grid)
        FitGridLines(*grid, header->rec.h);
}

} // namespace

bool ApplyPageSetupToWindow(DocumentWindow& window, const PageSetupSession& session,
                            const PageSetupEnvironment& env)
{
    Document& doc = window.document();
    Item* header = doc.items.header();
    if (!header || !session.applyTo(*header, env))
        return false;
    RefitGridLines(doc);
    window.view().relayout();
    window.view().repaintAll(false);
    window.updateCaption();
    return true;
}

PageSetupCommands::PageSetupCommands(MainWindow& main, std::optional<TemplateSources> templates)
    : QObject(&main), main_(main)
{
    if (templates)
        templates_ = std::make_unique<TemplateLibrary>(std::move(*templates));
    CommandRegistry& r = main_.commands();
    r.add({.id = CommandId::PageSetupCurrent,
           .caption = uiText(texts::kMenuCurrentFile),
           .run = [this] { CurrentFileCommand(); }});
    r.add({.id = CommandId::PageSetupNew, .caption = uiText(texts::kMenuNewFiles), .run = [this] { NewFilesCommand(); }});

    main_.hooks().openPageSetup = [this] { CurrentFileCommand(); };
}

PageSetupDialog* PageSetupCommands::dialog() const
{
    return static_cast<PageSetupDialog*>(dialog_.data());
}

void PageSetupCommands::CurrentFileCommand()
{
    open(main_.activeWindow());
}

void PageSetupCommands::NewFilesCommand()
{
    open(nullptr);
}

void PageSetupCommands::open(DocumentWindow* window)
{
    const Settings& settings = main_.settings();
    const Item* header = window ? window->document().items.header() : nullptr;
    if (!header)
        window = nullptr;
    PageSetupSession session =
        header ? PageSetupSession(settings.pageSetups, *header) : PageSetupSession(settings.pageSetups);
    const QString title = uiText(texts::kPageSetupTitle) + uiText(texts::kTitleDash) +
                          (window ? window->caption() : uiText(texts::kMenuNewFiles));

    PopupWindow& popup = main_.wideWindow();
    const std::int32_t windowId = window ? window->windowId() : -1;
    auto apply = [this, windowId, forDocument = window != nullptr](const PageSetupSession& s) {
        if (!forDocument) {
            s.applyTo(main_.settings());
            return;
        }
        // The dialog keeps the rest of the program waiting, but the document
        // is looked up again rather than trusted to still be there.
        if (DocumentWindow* target = main_.windowWithId(windowId))
            ApplyPageSetupToWindow(*target, s, PageSetupEnvironmentOf(main_.settings()));
    };
    auto* page = new PageSetupDialog(std::move(session), apply, [&popup] { popup.reject(); }, templates_.get());
    dialog_ = page;
    showLink(false);
    popup.showFrame(page, title, [this] {
        dialog_ = nullptr;
        showLink(true);
        // The keys go back to the documents, not to the closed popup.
        main_.activateWindow();
    });
}

void PageSetupCommands::showLink(bool shown)
{
    QStackedWidget* panels = main_.leftColumn().panelArea();
    for (int i = 0; i < panels->count(); ++i)
        if (auto* insert = dynamic_cast<InsertPanel*>(panels->widget(i)))
            insert->setPageSetupLinkShown(shown);
}

} // namespace vlm
