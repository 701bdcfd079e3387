#pragma once

// The words of printing, the print preview, "Prepare Print" and the exports.

namespace vlm::texts {

inline constexpr const char* kSheetTooLarge = "The page is too large to print at this resolution.";
inline constexpr const char* kIconTooLarge =
    "An icon can be at most 256 x 256 pixels; this picture is larger, so no icon was written.";
inline constexpr const char* kPrintJobFailed = "The page could not be sent to the printer.";
inline constexpr const char* kCannotWriteFile = "The file could not be written: ";

// "Exact" and "Smooth".
inline constexpr const char16_t* kExportTitle = u"Export";
inline constexpr const char16_t* kExportDefaultExtension = u"jpg";
inline constexpr const char16_t* kExportFilter =
    u"JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp"
    u"|PDF Documents (*.pdf)|*.pdf|SVG Drawings (*.svg)|*.svg";

// "File" > "Export...": the choices before the save dialog, and the file
// types it offers.
inline constexpr const char16_t* kMenuExportAs = u"Export...";
inline constexpr const char16_t* kHintExport = u"Export as a picture";
inline constexpr const char16_t* kButtonExport = u"Export";
inline constexpr const char16_t* kExportTypeLabel = u"Save as type:";
inline constexpr const char16_t* kExportSmooth = u"Smooth";
inline constexpr const char16_t* kExportSmoothHint =
    u"Render the design as the print preview shows it, at the export resolution, and reduce it smoothly. "
    u"For card designs you choose the cards to include next.";
inline constexpr const char16_t* kExportExactHint =
    u"Without Smooth, the design is rendered at screen resolution with every card.";
inline constexpr const char16_t* kExportContinue = u"Export...";
inline constexpr const char16_t* kExportCancel = u"Cancel";
inline constexpr const char16_t* kExportAreasConfirm = u"Export";
inline constexpr const char16_t* kExportTypePng = u"PNG Image Files (*.png)";
inline constexpr const char16_t* kExportTypeJpeg = u"JPEG Image Files (*.jpg,*.jpeg)";
inline constexpr const char16_t* kExportTypeBmp = u"Bitmaps (*.bmp)";
inline constexpr const char16_t* kExportTypeIco = u"Icons (*.ico)";
inline constexpr const char16_t* kExportTypePdf = u"PDF Documents (*.pdf)";
inline constexpr const char16_t* kExportTypeSvg = u"SVG Drawings (*.svg)";

// "Prepare Print".
inline constexpr const char16_t* kPrepareTitle = u"Options";
inline constexpr const char16_t* kPrepareHeading = u"Prepare Print";
inline constexpr const char16_t* kPrepareButtonPrint = u"Print";
inline constexpr const char16_t* kPrepareButtonPreview = u"Preview";
inline constexpr const char16_t* kPrepareButtonCancel = u"Cancel";
inline constexpr const char16_t* kPrepareArrange =
    u"The software will arrange your design into rows and columns. Select the areas you do or do not want to "
    u"print by clicking inside the rectangles.";
inline constexpr const char16_t* kPrepareAllBefore = u"Click here to select ";
inline constexpr const char16_t* kPrepareAllLink = u"all areas";
inline constexpr const char16_t* kPrepareAllAfter =
    u". Then, you can quickly select the areas you do not want to print.";
inline constexpr const char16_t* kPrepareNoneBefore = u"Click here to select ";
inline constexpr const char16_t* kPrepareNoneLink = u"no areas";
inline constexpr const char16_t* kPrepareNoneAfter =
    u". Then, you can quickly select the areas you want to print.";
inline constexpr const char16_t* kPrepareLegend =
    u"The areas under the red rectangles will print. The crossed-out areas will not print. This layout is "
    u"symbolic (not drawn to exact scale).";

// The print preview.
inline constexpr const char16_t* kPreviewHeading = u"Print Preview";
inline constexpr const char16_t* kPreviewPreparing = u"The print preview is being prepared...";
inline constexpr const char16_t* kPreviewScaled = u"The preview is scaled to fit your screen.";
inline constexpr const char16_t* kPreviewSharper = u"Your printer will make a sharper print than what you "
                                                   u"can see on your screen, so verify only the layout, "
                                                   u"not the quality of the print preview.";
inline constexpr const char16_t* kPreviewMargins =
    u"Most printers cannot print on the edges of the paper and leave some small margins blank. The preview "
    u"shows the entire image, including the margins.";
inline constexpr const char16_t* kPreviewPrint = u"Print";
inline constexpr const char16_t* kPreviewCancel = u"Cancel";
inline constexpr const char16_t* kPreviewPrinterIcon = u"Print the previewed design";

} // namespace vlm::texts

namespace vlm::texts {

// The toolbar's print button.
inline constexpr const char16_t* kHintPrint = u"Print the picture";
inline constexpr const char16_t* kButtonPrint = u"Print";

} // namespace vlm::texts
