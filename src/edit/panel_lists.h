#pragma once

// The drop-down lists of the fine-tune panels as data: the fixed entries,
// "Customize...", the user's offered entries (with the map from a position
// back to the entry number) and, for colours, the unnamed swatches of the
// colour dialog's custom colours and of the recent colours. The widgets draw
// what these describe; choosing a position leads back here.

#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vlm {

enum class ListKind {
    LineWeights,
    FrameWeights,
    Patterns,
    Directions,
    TextAngles,
    FontSizes,
    Shadows,
    Colors,
    Fills,
};

// Where a refill of a weight list puts the entry saved in its dialog.
enum class RefillTarget { None, LineWidth, PolyWidth };

struct ListEntry
{
    enum class Role { Fixed, Customize, User, DialogSwatch, RecentSwatch };
    Role role = Role::Fixed;
    std::u16string name;    // empty for swatches
    double value = 0.0;     // weight (mm), angle (degrees), size (points)
    std::int32_t color = 0; // colours and fills (-2 solid, -1 clear)
    ShadowBytes shadow;
    int entry = 0; // user entries: 1..12
};

struct FilledList
{
    ListKind kind = ListKind::Colors;
    std::vector<ListEntry> entries;
    std::vector<int> map; // map[k]: the entry number of the k-th user entry
    int customizeAt = 0;
    int firstUser = 0;
    // The position a refill chose because its entry was flagged
    // selectOnRefill, if any.
    std::optional<int> chosen;
};

// Builds the list and consumes the flag selectOnRefill of the first flagged
// user entry as the list's rule says (writing the Settings values of
// patterns, directions, angles, sizes; weights only into `target`).
FilledList FillList(ListKind kind, Settings& settings, RefillTarget target = RefillTarget::None);

// The position showing `value`, or -1: fixed entries first, then the user
// entries; weights compare within 0.0001 mm and the first match wins; sizes
// exactly, first match; colours exactly, the sixteen first, then within
// the dialog swatches and then the recent swatches the last match.
int SelectValue(const FilledList& list, double value);
// Shadows: the position with these three bytes, or -1.
int SelectShadow(const FilledList& list, ShadowBytes shadow);

// The entry number a user position stands for, 0 when it is none.
int EntryAt(const FilledList& list, int position);

// The colours the colour list offers besides its sixteen: whether `color`
// is one of the sixteen, the dialog's custom colours or the recent colours.
bool ColorOffered(const Settings& settings, std::int32_t color);

// The fill that stays after the line colour became `color`: "Solid",
// "Clear" and offered colours stay, any other colour becomes `color`.
std::int32_t FillAfterColorChange(const Settings& settings, std::int32_t fill, std::int32_t color);

// The colour value of a dialog custom colour's text form (hex), or none
// when it is not defined.
std::optional<std::int32_t> DialogColorValue(const std::u16string& text);

// The numbers of the "Spikes" and "Sides" lists.
const std::vector<int>& SideCounts();

// Next-line pattern chosen at `position`: "linePattern" and
// "linePatternTab" as the Settings hold them.
void StorePatternChoice(Settings& settings, const FilledList& list, int position);

} // namespace vlm
