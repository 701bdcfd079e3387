#pragma once

// "File" > "Export..." and the toolbar's "Export as a picture": the file
// type and "Smooth" first, for a smooth card design the cards to include,
// then the save dialog, then the picture (or, for a vector type, the
// document) written. The types come from output/export_types.h.

#include "shell/dialogs/export_dialog.h"

#include <QObject>

#include <cstdint>
#include <optional>

class QAction;

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;
class PrintCommands;

class ExportCommands : public QObject
{
public:
    // Adds "Export..." to the File menu after "Print" and the export button
    // before the print button. The main window owns the result.
    ExportCommands(MainWindow& main, EditCommands& edit, PrintCommands& print);

    // The menu item and the button: the first dialog for the active document.
    void exportCommand();
    // What follows the first dialog's confirmation; tests start here.
    void continueExport(std::int32_t windowId, ExportDialog::Choice choice);
    // The save dialog and the file, the cards already chosen.
    void saveExport(std::int32_t windowId, ExportDialog::Choice choice);


private:
    std::optional<QString> askFile(int& type);

    MainWindow& main_;
    PrintCommands& print_;
};

} // namespace vlm
