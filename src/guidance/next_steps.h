#pragma once

// The next-step options the guidance box offers under the panel: the 53
// option codes with their labels, the set of options each panel offers, the
// four of them that get a row, and what choosing one does. No widgets: the
// box in the shell shows the rows and carries out the actions.

#include "settings/settings.h"

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace vlm {

inline constexpr int kNextStepCount = 53;
inline constexpr int kNextStepRows = 4;

namespace NextStep {
inline constexpr int InsertNewItem = 1;
inline constexpr int DrawNextLine = 2;
inline constexpr int FineTuneLine = 3;
inline constexpr int MoveLine = 4;
inline constexpr int StartNewText = 5;
inline constexpr int FineTuneText = 6;
inline constexpr int MoveText = 7;
inline constexpr int InsertNewPicture = 47;
inline constexpr int FineTuneClip = 48;
inline constexpr int MoveClip = 49;
inline constexpr int InsertNewClip = 50;
inline constexpr int EditClip = 51;
inline constexpr int JoinItems = 52;
inline constexpr int SplitGroup = 53;
} // namespace NextStep

// The label of an option code 1..53; empty for any other code.
std::u16string NextStepLabel(int code);

// The options a panel offers (codes 0..55; 0, 54 and 55 are never set).
using OptionSet = std::bitset<56>;

// What the options of a panel depend on: the active Document's selection.
struct OptionContext
{
    bool anySelectedLive = false;     // the active Document has a selected-live Item
    bool firstSelectedIsText = false; // its first selected-live Item is a Text
};

OptionSet OptionsForPanel(int panelCode, const OptionContext& context);

// The codes of `set` that get a row, lowest first, at most four; the
// others are not offered.
std::vector<int> OfferedOptions(const OptionSet& set);
// The code shown in row 1..4, or 0 when that row is empty.
int OptionInRow(const OptionSet& set, int row);

// What choosing an option does.
struct NextStepAction
{
    enum class Kind {
        ShowPanel,  // ShowPanel(panel)
        Deferred,   // RunDeferred(panel): the picture insertion and the clip frame
        JoinItems,  // join the selection, then ShowPanel(panel) without a history entry
        SplitGroup, // split the selected group, then ShowPanel(panel) without a history entry
    };
    Kind kind = Kind::ShowPanel;
    int panel = 0;
    // The panel is one to work on the selection in: its tool is entered.
    bool entersTool = false;
};

// Whether the option first selects the last drawn Item (SelectLast) and
// restarts the window's marker timer.
bool SelectsLastFirst(int code);

// The action of option `code`; `selectedLive` is whether the active
// Document has a selected-live Item after SelectLast ran. Null action
// (panel 0) for codes outside 1..53.
NextStepAction NextStepActionOf(int code, bool selectedLive,
                                const std::array<std::uint8_t, kHintFlagCount>& hints);

} // namespace vlm
