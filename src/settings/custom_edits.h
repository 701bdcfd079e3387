#pragma once

// What the customization dialogs do with the user's list entries, without
// their widgets: each dialog edits a working copy of the twelve entries of
// its list and changes the Settings only when it is saved.
//
// Saving a list of weights, patterns, directions, text angles or font sizes
// trims the names and value texts, reads an inch mark typed into a weight or
// first dash as the unit Inches, and offers every entry that validates; the
// entry that was open in the dialog is flagged selectOnRefill, so that the
// next refill of its list makes it the current choice. An entry that does
// not validate ("zero to remove", an empty angle) keeps its texts but is no
// longer offered.

#include "settings/custom_entries.h"

#include <array>
#include <cstdint>
#include <string>

namespace vlm {

struct Settings;

// The customizable lists, each with its dialog.
enum class CustomList { Weights, Patterns, Directions, TextAngles, FontSizes, Shadows };

// A dialog's copy of the twelve entries of a list and the entry it shows
// (1..12; 0 while none is open).
template <class Entry> struct CustomListCopy
{
    std::array<Entry, kCustomEntryCount> entries;
    int open = 0;

    Entry* openEntry() { return open >= 1 && open <= kCustomEntryCount ? &entries[open - 1] : nullptr; }
};

using WeightCopy = CustomListCopy<custThicknessRec_t>;
using PatternCopy = CustomListCopy<custPatternRec_t>;
using DirectionCopy = CustomListCopy<custDirectionRec_t>;

// The entries of the directions, text angles or font sizes (`list` one of
// the three) in the Settings.
std::array<custDirectionRec_t, kCustomEntryCount>& DirectionEntries(Settings& s, CustomList list);

WeightCopy CopyWeights(const Settings& s);
PatternCopy CopyPatterns(const Settings& s);
DirectionCopy CopyDirections(Settings& s, CustomList list);

// "Save" of a list dialog: every entry of the copy replaces the Settings
// entry of the same number, validated as its list says.
void SaveWeights(Settings& s, const WeightCopy& copy);
void SavePatterns(Settings& s, const PatternCopy& copy);
void SaveDirections(Settings& s, CustomList list, const DirectionCopy& copy);

// Blanks at both ends removed.
std::u16string Trimmed(std::u16string_view text);

// The shadow dialog's working copy: the twelve shadows, the entry shown and
// the light direction of all shadows (0..3).
class ShadowCopy
{
public:
    explicit ShadowCopy(const Settings& s);

    const std::array<custShadowRec_t, kCustomEntryCount>& entries() const { return entries_; }
    // 1..12, or 0 before an entry was opened.
    int open() const { return open_; }
    const custShadowRec_t* openEntry() const;
    int lightDirection() const { return light_; }

    // Makes entry k (1..12) the one shown: its `current` alone is set.
    void Open(int k);
    // The changes of the entry shown. The first change of an entry that was
    // never changed offers it in the lists as well; the check box then
    // stores its own state.
    void SetValues(int elevation, int fade, int lightness);
    void SetName(std::u16string_view name);
    void SetOffered(bool offered);
    // 0 top left, 1 top right, 2 bottom left, 3 bottom right; others ignored.
    void SetLightDirection(int direction);

    // "Save": the twelve shadows as they are and the light direction.
    void Save(Settings& s) const;

private:
    custShadowRec_t* shown();
    void touch(custShadowRec_t& e);

    std::array<custShadowRec_t, kCustomEntryCount> entries_;
    int open_ = 0;
    int light_ = 0;
};

// A slider's label: the value as a percentage of 255 followed by "%", or
// "None" when that rounds to 0.
std::u16string ShadowPercentText(int value);

} // namespace vlm
