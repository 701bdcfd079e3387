#pragma once

// The user's own entries of the six customizable lists (line weights, line
// patterns, line directions, text angles, font sizes, shadows), and how the
// texts typed into an entry are checked and turned into values.

#include <array>
#include <cstdint>
#include <string>

namespace vlm {

inline constexpr int kCustomEntryCount = 12;
inline constexpr int kPatternLengthCount = 12;

// One user line weight.
struct custThicknessRec_t {
    double millimetres = 0.0;
    std::int32_t pixels = 0;
    std::int32_t units = 3; // 1 pixels, 2 millimetres, 3 inches: the unit of valueText
    std::u16string name;
    std::u16string valueText;
    std::uint8_t inUse = 0;          // valid, and offered in the lists
    std::uint8_t selectOnRefill = 0; // chosen by the next refill of a list
};

// One user line pattern: dash, space, dash, ... lengths.
struct custPatternRec_t {
    std::int32_t units = 3;
    std::int32_t count = 0; // leading lengths given and non-zero
    std::u16string name;
    std::array<std::u16string, kPatternLengthCount> valueTexts;
    std::array<double, kPatternLengthCount> millimetres{};
    std::array<std::int32_t, kPatternLengthCount> pixels{};
    std::uint8_t inUse = 0;
    std::uint8_t selectOnRefill = 0;
};

// One user line direction, text angle (degrees, 0..360) or font size (points).
struct custDirectionRec_t {
    double value = 0.0;
    std::int32_t units = 1; // directions and angles: 1 degrees, 2 radians
    std::u16string name;
    std::u16string valueText;
    std::uint8_t inUse = 0;
    std::uint8_t selectOnRefill = 0;
};

// One user shadow; its three values go into the Items' shadow bytes.
struct custShadowRec_t {
    std::u16string name;
    std::int32_t elevation = 85;
    std::int32_t fade = 85;
    std::int32_t lightness = 85;
    std::uint8_t touched = 0; // changed in the dialog since it opened
    std::uint8_t current = 0; // the entry open in the dialog
    std::uint8_t offered = 0; // shown in the shadow lists
};

// Lengths are turned into screen pixels with the screen's horizontal pixels
// per millimetre.

// Accepts a non-zero measure and sets millimetres and pixels from it.
bool ValidateWeight(custThicknessRec_t& entry, double pxPerMmX);
// Accepts a pattern with a non-zero first dash and a space; sets the lengths
// and count.
bool ValidatePattern(custPatternRec_t& entry, double pxPerMmX);
// Accepts any measure in degrees or radians and brings it into 0..360.
bool ValidateAngle(custDirectionRec_t& entry);
// Accepts a whole number of points (a sign is allowed and dropped); zero and
// numbers beyond 32 bits are refused.
bool ValidateFontSize(custDirectionRec_t& entry);

// The letter of entry k (1-based): 'A' for 1.
inline char EntryLetter(int k) { return static_cast<char>('A' + k - 1); }

} // namespace vlm
