#pragma once

// "File" -> "Page Setup" ("Current File", "New Files") and the insert
// panel's Page Setup link: opening the dialog in the wide popup window for
// the active document or for new files, and what "Apply" does to each.

#include "output/page_setup_session.h"

#include <QObject>
#include <QPointer>

#include <cstdint>

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
    // Connects and shows the menu entries; the main window owns the result.
    explicit PageSetupCommands(MainWindow& main);

    // "Current File": the active document's page setup, or the one for new
    // files when no document is open.
    void CurrentFileCommand();
    void NewFilesCommand();

    // The dialog while it shows, else null.
    PageSetupDialog* dialog() const;

private:
    void open(DocumentWindow* window);
    void showLink(bool shown);

    MainWindow& main_;
    QPointer<QWidget> dialog_; // the PageSetupDialog
};

} // namespace vlm
