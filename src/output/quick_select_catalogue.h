#pragma once

// The Quick select lists of the page dimensions panel: ready-made paper,
// envelope, photo, card, label, brochure and web-banner sizes per design
// type and measuring unit, what each row writes into a dimension set, and
// the rule that finds the row a set still equals after it was edited.

#include "model/page_setup.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vlm {

// What a row does to the orientation.
enum class RowOrientation : std::uint8_t {
    Keep,        // left as it is
    KeepSwapped, // left as it is; the size pair is written swapped in landscape
    SetPortrait,
    SetLandscape,
};

// What a row does to the two folds.
enum class RowFold : std::uint8_t {
    NotWritten,
    None,   // both cleared
    Row,    // row fold set, column fold cleared
    Column, // column fold set, row fold cleared
};

struct QuickSelectRow
{
    std::u16string text;
    RowOrientation orientation = RowOrientation::Keep;
    // Texts 1..12 in stored order; a null entry is not written, an empty one
    // is written empty. The reserved pair is never written.
    const char16_t* values[12] = {};
    RowFold fold = RowFold::NotWritten;
};

// Exchanges the width and height of every pair of texts (paper, card,
// margins, counts, gaps, the reserved pair) and the two folds: the set as it
// reads after the orientation changed.
void TransposeDimensionSet(miry_t& set);

// The rows offered for `designType` in `unit`, in list order (empty for the
// types without a list and for a unit or type out of range).
const std::vector<QuickSelectRow>& QuickSelectRows(std::int32_t designType, std::int32_t unit);

// The list texts, in order.
std::vector<std::u16string> QuickSelectTexts(std::int32_t designType, std::int32_t unit);

// Writes row `index` of the list into `set` (and `orientation` where the row
// sets it) and makes it the set's quick-select index. False, with nothing
// changed, for an index outside the list.
bool ApplyQuickSelectRow(std::int32_t designType, std::int32_t unit, std::int32_t index, miry_t& set,
                         std::int32_t& orientation);

// The row of the list the set equals, the last one when several do; -1 for
// none.
std::int32_t matchQuickSelect(std::int32_t designType, std::int32_t unit, const miry_t& set,
                              std::int32_t orientation);

} // namespace vlm
