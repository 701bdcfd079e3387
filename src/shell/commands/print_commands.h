#pragma once

// "Print" (Ctrl+P and the toolbar's print button), "Print Preview", and the
// two exports "Exact" and "Smooth", whose menu stays hidden: the commands
// that turn the page renderer's sheet into a print job, a preview or a file.
// Card sheets of more than one print cell ask "Prepare Print" first.

#include "output/render_sheet.h"
#include "output/vector_files.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QPrinter;

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;

class PrintCommands : public QObject
{
public:
    // Registers the File menu's print commands and the print button. The
    // main window owns the result.
    PrintCommands(MainWindow& main, EditCommands& edit);

    void PrintCommand();
    void PrintPreviewCommand();
    void ExportExactCommand();
    void ExportSmoothCommand();

    // Prints the window's sheet now, with its current area selection.
    void PrintNow(DocumentWindow& window);

    // The printer dialog; false when cancelled. Tests replace it.
    std::function<bool(QPrinter& printer)> runPrintDialog;

    SheetEnvironment sheetEnvironment() const;

private:
    void printWindow(std::int32_t windowId);
    void openPrepare(DocumentWindow& window, bool forPrint);
    void openPreview(DocumentWindow& window, bool exportImage);
    // The save dialog and the question before replacing a file; none when
    // the user declined.
    std::optional<QString> askExportFile();
    void saveExport(const Bitmap& picture, const QString& fileName);
    // A ".pdf" or ".svg" name: the window's sheet drawn as vectors.
    void saveVector(DocumentWindow& window, const QString& fileName, VectorFormat format);

    MainWindow& main_;
};

} // namespace vlm
