#pragma once

// "File" > "Print with Data..." and its toolbar button: the data file (the
// one last used with the document, or one asked for), the "Print with
// Data" window, and every sheet printed as the pages of one print job.

#include "output/data_file.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QPrinter;

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;
class MergeDialog;
class PrintCommands;

class MergeCommands : public QObject
{
public:
    // Adds the entry to the File menu after "Print" and the button after
    // the print button. The main window owns the result.
    MergeCommands(MainWindow& main, EditCommands& edit, PrintCommands& print);

    void mergeCommand();
    // Reads `path` into the open dialog, remembering it for the document;
    // a file that does not read says why and changes nothing.
    bool loadDataFile(const QString& path);
    // Types "${column}" into the text being typed in the window.
    bool insertField(std::int32_t windowId, const QString& column);
    // Every sheet of the window printed with the table, in one job.
    void printMerged(std::int32_t windowId, std::shared_ptr<const DataTable> table);

    MergeDialog* dialog() const;

    // The printer dialog; false when cancelled. Tests replace it.
    std::function<bool(QPrinter& printer)> runPrintDialog;

private:
    void chooseDataFile();

    MainWindow& main_;
    PrintCommands& print_;
    std::int32_t windowId_ = 0;
};

} // namespace vlm
