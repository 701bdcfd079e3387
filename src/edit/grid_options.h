#pragma once

// The working copy of the Grid and Snap options: what the dialog starts
// from, for new files or for the current document, and what "Save" writes
// back. The dialog itself only edits the copy.

#include "model/item_list.h"
#include "settings/settings.h"

namespace vlm {

// For new files (no header): the Settings' grid defaults. For a document:
// those defaults with the document's unit, pixels per unit and angle unit,
// and in the block of that unit the grid spacings, origin and area size of
// the header (with their texts written from them), and its six flags.
defaults_t GridOptionsFor(const Settings& settings, const HeaderFields* header);

// "Save" for new files: every text that reads as a usable measure replaces
// its real, and the copy becomes the grid defaults.
void SaveGridOptionsForNewFiles(Settings& settings, defaults_t options);

// "Save" for a document: the texts are read as above, the header takes the
// unit, the pixels per unit, the angle unit, the design area, the two grid
// spacings and the six flags; then the lines of each direction are reset to
// equal distances, one grid edit each. False without a header.
bool SaveGridOptionsForDocument(ItemList& list, defaults_t options, const ScreenMetrics& screen);

} // namespace vlm
