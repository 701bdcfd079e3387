#pragma once

// How a screen reader hears the drop-down lists of the program: by the label
// beside them ("Color", "Weight"), with the entry chosen as the value.
//
// Qt's own description of a drop-down list gives the chosen entry as its name
// on Linux and leaves the label to a separate relation, so every list of a
// panel was read out as "Black" or "Thin". The description installed here
// names a list by its accessible name, or by the label it is the buddy of,
// on every platform.

namespace vlm {

// Installs the description once for the whole program; lists made before
// the first call keep Qt's.
void announceListsByLabel();

} // namespace vlm
