#pragma once

// "File" -> "Page Setup" ("Current File", "New Files") and the insert
// panel's Page Setup link: opening the dialog in the wide popup window for
// the active document or for new files, and what "Apply" does to each.

#include "output/page_setup_session.h"
#include "output/template_library.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>

namespace vlm {

class DocumentWindow;
class MainWindow;
class PageSetupDialog;

// Applies the session's page setup to the window's Document as the user
// asked for it: the header changes and is marked modified, the grid lines
// are fitted to the new canvas, and the view is laid out and painted again.
// The undo history is left alone. False when nothing was applied.
bool ApplyPageSetupToWindow(DocumentWindow& window, const PageSetupSession& session,
                            const PageSetupEnvironment& env);

class PageSetupCommands : public QObject
{
public:
    // Registers "Current File" and "New Files" in the places the menus keep
    // for them (the edit commands, made first, hold the registry) and shows
    // the submenu; the main window owns the result.
    // The label and card templates are read from `templates` the first time
    // the dialog shows a card or label type; without sources it offers none.
    explicit PageSetupCommands(MainWindow& main, std::optional<TemplateSources> templates = std::nullopt);

    // "Current File": the active document's page setup, or the one for new
    // files when no document is open.
    void CurrentFileCommand();
    void NewFilesCommand();

    // The dialog while it shows, else null.
    PageSetupDialog* dialog() const;
    // Null without template sources.
    TemplateLibrary* templates() const { return templates_.get(); }

private:
    void open(DocumentWindow* window);
    void showLink(bool shown);

    MainWindow& main_;
    QPointer<QWidget> dialog_; // the PageSetupDialog
    std::unique_ptr<TemplateLibrary> templates_;
};

} // namespace vlm
