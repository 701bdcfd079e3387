#pragma once

// The number texts of the Settings: reals stored as text, and the measures
// typed into the grid options and the customization lists.

#include <optional>
#include <string>
#include <string_view>

namespace vlm {

// Blanks trimmed, "," read as ".", inner blanks dropped; an empty or
// unreadable text is 0.
double ParseReal(std::u16string_view text);

// A grid or list measure: a decimal ("0,5" too) or a quotient "1/4", with one
// trailing inch mark allowed. A quotient with a zero part is 0. Empty and
// unreadable texts are refused.
std::optional<double> ParseMeasure(std::u16string_view text);

// A real as the Settings write it: "." as separator, the shortest text that
// reads back to the same value.
std::u16string FormatReal(double value);

} // namespace vlm
