#include "shell/commands/print_commands.h"

#include "model/item_list.h"
#include "output/export_picture.h"
#include "output/pdf_sheet_sink.h"
#include "output/vector_files.h"
#include "output/image_files.h"
#include "pictures/picture_services.h"
#include "platform/prompts.h"
#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/command_registry.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/main_menus.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/prepare_print_dialog.h"
#include "shell/dialogs/print_preview_dialog.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "texts/file_texts.h"
#include "texts/output_texts.h"
#include "texts/shell_texts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>

#include <memory>

namespace vlm {

namespace {


constexpr int kPrintDelayMs = 100;
constexpr int kPrintButton = 5;
// "Print to File (PDF)" has no resolution of its own; a good printer's.
constexpr int kPdfResolution = 600;

// A print job on a Qt printer: the painter starts the job, and paints in
// device pixels from the printable area's corner.
class PrinterSink : public SheetSink
{
public:
    explicit PrinterSink(QPrinter& printer) : printer_(printer) {}
    bool begin() override { return painter_.begin(&printer_); }
    void sendTile(const QImage& tile, int x, int y) override { painter_.drawImage(QPoint(x, y), tile); }
    bool end() override { return painter_.end(); }

private:
    QPrinter& printer_;
    QPainter painter_;
};

const HeaderFields* HeaderOf(DocumentWindow& window)
{
    const Item* header = Header(window.document().items);
    return header ? &header->rec.h : nullptr;
}

} // namespace

PrintCommands::PrintCommands(MainWindow& main, EditCommands& edit) : QObject(&main), main_(main)
{
    runPrintDialog = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &main_);
        dialog.setAccessibleName(uiText(texts::kPrepareButtonPrint));
        return dialog.exec() == QDialog::Accepted;
    };

    MainMenus& menus = main_.menus();
    CommandRegistry& r = edit.commands();
    const auto hasDocument = [&menus] { return menus.documentMenusEnabled(); };
    r.add({.id = CommandId::PrintPreview,
           .caption = uiText(texts::kMenuPrintPreview),
           .enabled = hasDocument,
           .run = [this] { PrintPreviewCommand(); }});
    r.add({.id = CommandId::Print,
           .caption = uiText(texts::kMenuPrint),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_P)},
           .enabled = hasDocument,
           .run = [this] { PrintCommand(); }});
    r.add({.id = CommandId::ExportExact,
           .caption = uiText(texts::kMenuExportExact),
           .run = [this] { ExportExactCommand(); }});
    r.add({.id = CommandId::ExportSmooth,
           .caption = uiText(texts::kMenuExportSmooth),
           .run = [this] { ExportSmoothCommand(); }});
    r.add({.id = CommandId::PrintButton,
           .caption = uiText(texts::kButtonPrint),
           .run = [this] { PrintCommand(); },
           .button = true,
           .hint = uiText(texts::kHintPrint),
           .picture = kPrintButton});

}

SheetEnvironment PrintCommands::sheetEnvironment() const
{
    SheetEnvironment env;
    env.screen = main_.settings().screen;
    env.pictures = PictureRendererFor(PictureServicesInstance());
    env.fontQuality = main_.settings().textQuality;
    return env;
}

void PrintCommands::PrintCommand()
{
    if (DocumentWindow* window = main_.activeWindow())
        printWindow(window->windowId());
}

void PrintCommands::printWindow(std::int32_t windowId)
{
    DocumentWindow* window = main_.windowWithId(windowId);
    if (!window || !HeaderOf(*window))
        return;
    if (NeedsAreaSelection(*HeaderOf(*window), main_.settings().screen))
        openPrepare(*window, true);
    else
        PrintNow(*window);
}

void PrintCommands::PrintNow(DocumentWindow& window)
{
    if (!HeaderOf(window))
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window.caption());
    printer.setFullPage(false);
    if (!runPrintDialog || !runPrintDialog(printer) || printer.copyCount() < 1)
        return;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(kPdfResolution);
    printer.setDocName(window.caption());
    const int dpi = printer.resolution();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const QPoint offset = page.topLeft() - paper.topLeft();
    const SheetDevice device = PrinterDevice(dpi, dpi, paper.width(), paper.height(), offset.x(), offset.y());
    // "Print to File" gets the sheet's own pixels; Qt's PDF engine would
    // store the tiles as JPEG.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    PrinterSink printerSink(printer);
    PdfFileSheetSink fileSink(printer.outputFileName(), window.caption(), dpi, device.width, device.height);
    SheetSink& sink = toFile ? static_cast<SheetSink&>(fileSink) : printerSink;
    const PrintOutcome outcome =
        PrintSheet(window.document(), device, window.areaSelection, sheetEnvironment(), sink);
    if (outcome == PrintOutcome::TooLarge)
        main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kSheetTooLarge), Prompts::Ok);
    else if (outcome == PrintOutcome::JobFailed)
        main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kPrintJobFailed), Prompts::Ok);
}

void PrintCommands::openPrepare(DocumentWindow& window, bool forPrint)
{
    PopupWindow& popup = main_.narrowWindow();
    const std::int32_t windowId = window.windowId();
    auto chosen = std::make_shared<std::optional<std::string>>();
    auto confirmed = [chosen, &popup](const std::string& selection) {
        *chosen = selection;
        popup.accept();
    };
    auto* frame = new PreparePrintDialog(HeaderOf(window), window.areaSelection,
                             uiText(forPrint ? texts::kPrepareButtonPrint : texts::kPrepareButtonPreview),
                             confirmed, [&popup] { popup.reject(); });
    popup.showFrame(frame, uiText(texts::kPrepareTitle), [this, chosen, windowId, forPrint] {
        main_.activateWindow();
        DocumentWindow* active = main_.activeWindow();
        if (!*chosen || !active || active->windowId() != windowId)
            return;
        active->areaSelection = **chosen;
        if (forPrint) {
            QTimer::singleShot(kPrintDelayMs, this, [this, windowId] {
                if (DocumentWindow* target = main_.windowWithId(windowId))
                    PrintNow(*target);
            });
        } else {
            openPreview(*active, false);
        }
    });
}

void PrintCommands::PrintPreviewCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (!window || !HeaderOf(*window))
        return;
    if (NeedsAreaSelection(*HeaderOf(*window), main_.settings().screen))
        openPrepare(*window, false);
    else
        openPreview(*window, false);
}

void PrintCommands::ExportSmoothCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (window && HeaderOf(*window))
        openPreview(*window, true);
}

void PrintCommands::openPreview(DocumentWindow& window, bool exportImage)
{
    PopupWindow& popup = main_.wideWindow();
    const std::int32_t windowId = window.windowId();
    auto printAfter = std::make_shared<bool>(false);
    std::function<void(const Bitmap&)> ready;
    if (exportImage) {
        ready = [this, windowId](const Bitmap& image) {
            const std::optional<QString> name = askExportFile();
            if (!name)
                return;
            VectorFormat vector;
            if (!vectorFormatOf(name->toStdString(), vector)) {
                saveExport(image, *name);
                return;
            }
            // A PDF or SVG is drawn, not the preview's picture saved.
            if (DocumentWindow* from = main_.windowWithId(windowId))
                saveVector(*from, *name, vector);
        };
    }
    auto* frame = new PrintPreviewDialog(
        window.document(), window.areaSelection, sheetEnvironment(), ready,
        [printAfter, &popup] {
            *printAfter = true;
            popup.accept();
        },
        [&popup] { popup.reject(); });
    popup.showFrame(frame, window.caption(), [this, printAfter, windowId] {
        main_.activateWindow();
        if (*printAfter)
            printWindow(windowId);
    });
}

void PrintCommands::ExportExactCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (!window || !HeaderOf(*window))
        return;
    const std::optional<QString> name = askExportFile();
    if (!name)
        return;
    if (VectorFormat vector; vectorFormatOf(name->toStdString(), vector)) {
        saveVector(*window, *name, vector);
        return;
    }
    bool tooLarge = false;
    const std::optional<Bitmap> picture = ExactPicture(window->document(), sheetEnvironment(), &tooLarge);
    if (!picture) {
        if (tooLarge)
            main_.prompts().message(Prompts::Kind::Error, QString::fromUtf8(texts::kSheetTooLarge),
                                    Prompts::Ok);
        return;
    }
    saveExport(*picture, *name);
}

std::optional<QString> PrintCommands::askExportFile()
{
    Settings& settings = main_.settings();
    Prompts::FileDialog dialog;
    dialog.title = uiText(texts::kExportTitle);
    dialog.defaultSuffix = uiText(texts::kExportDefaultExtension);
    dialog.filter = uiText(texts::kExportFilter);
    dialog.folder = QString::fromStdU16String(settings.expdir);
    dialog.filterIndex = settings.expndx == 1 || settings.expndx == 2 ? settings.expndx : 1;
    const std::optional<QString> name = main_.prompts().saveFile(dialog);
    if (!name)
        return std::nullopt;
    const QFileInfo info(*name);
    settings.expdir = info.absolutePath().toStdU16String();
    // The dialog does not tell its filter; the extension chosen shows it.
    const ExportFormat format = ExportFormatOf(name->toStdString(), false);
    if (format == ExportFormat::Jpeg || format == ExportFormat::Bmp)
        settings.expndx = format == ExportFormat::Bmp ? 2 : 1;
    if (info.exists() &&
        main_.prompts().message(Prompts::Kind::Confirmation, QString::fromUtf8(texts::kReplaceFile),
                                Prompts::Yes | Prompts::No) != Prompts::Answer::Yes)
        return std::nullopt;
    return name;
}

void PrintCommands::saveVector(DocumentWindow& window, const QString& fileName, VectorFormat format)
{
    // The vector sheet, with the cells print would print.
    std::string error;
    if (!writeVectorSheet(window.document(), window.areaSelection, sheetEnvironment(), fileName.toStdString(),
                          format, window.caption(), error))
        main_.prompts().message(Prompts::Kind::Error, QString::fromStdString(error), Prompts::Ok);
}

void PrintCommands::saveExport(const Bitmap& picture, const QString& fileName)
{
    std::string error;
    const std::string name = fileName.toStdString();
    if (!WriteExport(picture, name, ExportFormatOf(name, false), main_.settings().screen.dpiX, error))
        main_.prompts().message(Prompts::Kind::Error, QString::fromStdString(error), Prompts::Ok);
}

} // namespace vlm
