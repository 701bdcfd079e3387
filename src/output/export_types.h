#pragma once

// The file types "File" > "Export..." offers, in the order its dialogs show
// them. A raster type writes the rendered sheet with WriteExport; a vector
// type writes the document itself through its own function.
//
// This list is the one place a new export type is added: PDF and SVG are
// entries with `writeDocument` set, and the menu, the toolbar button and the
// save dialog offer whatever is listed.

#include "output/image_files.h"
#include "output/render_sheet.h"

#include <functional>
#include <string>
#include <vector>

namespace vlm {

struct ExportType
{
    const char16_t* name = nullptr;   // as the dialogs show it, with its patterns
    std::vector<std::string> extensions; // lower case, without the dot; the first is the default
    ExportFormat format = ExportFormat::Png;  // raster types
    // The remembered choice ("expndx") that selects this type; 0 for none.
    int remembered = 0;
    // Vector types: writes `document`, with the cells `selection` leaves (the
    // area selection), to the file; on failure `error` says why.
    std::function<bool(Document& document, const std::string& selection, const SheetEnvironment& env,
                       const std::string& fileName, std::string& error)>
        writeDocument;

    bool vector() const { return static_cast<bool>(writeDocument); }
};

const std::vector<ExportType>& exportTypes();

// The type a file name's extension names (compared without case); -1 for none.
int exportTypeOfName(const std::string& fileName);

// The index of the type a remembered "expndx" selects (1 JPEG, 2 BMP,
// 3 PNG, 4 ICO); 0 (the first type) for anything else.
int exportTypeForRemembered(int remembered);

// The save dialog's filter ("Name|patterns|..."), every type in order.
std::u16string exportTypesFilter();

} // namespace vlm
