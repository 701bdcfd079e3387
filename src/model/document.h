#pragma once

// One open design: its item list plus the window-level values, and the
// operations that act on a whole Document (window initialisation, the two
// stacking commands, picture numbers unique across open Documents).

#include "model/item_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vlm {

struct Document {
    ItemList items;
    std::string fileName;       // full path; empty for a document never saved
    std::string untitledNumber; // "1", "2", ... for a document without a file
};

// The Documents open in this process (the one being worked on included, once
// it is open). windowId and picture numbers must differ from all of them.
class OpenDocuments {
public:
    virtual ~OpenDocuments() = default;
    virtual std::vector<const Document*> all() const = 0;
};

// A fixed set, for tools and tests that manage their Documents themselves.
class OpenDocumentList final : public OpenDocuments {
public:
    OpenDocumentList() = default;
    explicit OpenDocumentList(std::vector<const Document*> docs) : docs_(std::move(docs)) {}
    std::vector<const Document*> all() const override { return docs_; }
    void add(const Document* d) { docs_.push_back(d); }

private:
    std::vector<const Document*> docs_;
};

// The grid, unit and design-area defaults of one measuring unit.
struct UnitBlock {
    double gridSpacingX;
    double gridSpacingY;
    double originX;
    double originY;
    double areaWidth;
    double areaHeight;
};

// What a new Document takes from the Settings. The defaults here are those of
// an empty settings store on a 96-dpi screen.
struct DocumentDefaults {
    std::int32_t units = 3;          // 1 pixels, 2 millimetres, 3 inches
    double pixelsPerUnitX = 96.0;    // follows `units` (1.0, px per mm, dpi)
    double pixelsPerUnitY = 96.0;
    std::int32_t angles = 1;         // 1 degrees, 2 radians
    UnitBlock blocks[3] = {
        {25.0, 25.0, 50.0, 50.0, 400.0, 200.0}, // pixels
        {10.0, 10.0, 10.0, 10.0, 210.0, 297.0}, // millimetres
        {0.25, 0.25, 0.2, 0.2, 8.5, 11.0},      // inches
    };
    std::uint8_t gridH = 0, anchorsH = 1, snapH = 0;
    std::uint8_t gridV = 0, anchorsV = 1, snapV = 0;
    std::int32_t lightDirection = 0; // taken only when 0..3
    double zoom = 1.0;               // the Settings' current zoom, reset to 1.0 by the caller
    // Applies the page setup of the default design type to the new header
    // quietly (no redraw); may be empty.
    std::function<void(Document&)> applyDefaultPageSetup;

    const UnitBlock& block(std::int32_t u) const { return blocks[(u >= 1 && u <= 3) ? u - 1 : 0]; }
};

// Gives `doc` a fresh list: the DocumentHeader (with a windowId no open
// Document has) and the GridLines record with grid lines of the default
// spacing; modified 0. `doc.items` keeps its screen metrics; fileName and
// untitledNumber are left to the caller.
void InitDocument(Document& doc, const DocumentDefaults& defaults, const OpenDocuments& open);

// Fills an empty GridLines record with the grid of a new page: lines from the
// page rectangle's left (top) edge every gridSpacing, one more than fit.
void FillInitialGridLines(Item& grid, const HeaderFields& page);

// The header's windowId, or -1 without a header.
std::int32_t WindowIdOf(const Document& doc);

// A picture number (1 .. 2147483646) that no Picture record of `target` or of
// any open Document has.
std::int32_t NewPictureId(const ItemList& target, const OpenDocuments& open);

// "Place the selected item behind other objects" / "... on top of other
// objects" as one undoable edit: the redo history is discarded, every
// selected-live editable Item is replaced by a copy sent to the back or
// brought to the front, and the replaced versions remember the move in
// `orderMove`. Returns the number of Items moved.
std::int32_t PlaceSelectedBehind(Document& doc);
std::int32_t PlaceSelectedOnTop(Document& doc);

} // namespace vlm
