#pragma once

// The hint pages of the left column (codes 1024..1080) without a widget in
// sight: their paragraphs with the key words, the show flag of each page,
// what an acting paragraph does and where the page moves on to once the
// user has asked not to see it again. The shell draws a page from this and
// carries out the steps it names.

#include "settings/settings.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace vlm {

inline constexpr int kFirstHintPage = 1024;
inline constexpr int kLastHintPage = 1080;
inline bool IsHintPageCode(int code)
{
    return code >= kFirstHintPage && code <= kLastHintPage;
}

// What clicking a paragraph leads to.
struct HintStep
{
    enum class Kind {
        None,          // the paragraph only explains
        Panel,         // the panel (or deferred command) `code`
        FineTune,      // the fine-tune panel `code` when something is selected, else the insert menu
        Move,          // the moving page `code` while it is on, else as FineTune with `fineTune`
        Undo,          // undo the last step, then the insert menu
        ClipOutlining, // hand the outlining to the picture frame; the paragraph stays
        RaiseOnly,     // hovering raises a toolbar button, clicking does nothing
    };
    Kind kind = Kind::None;
    int code = 0;
    int fineTune = 0;
    // The last drawn Item is selected first.
    bool selectLast = false;
    // The toolbar button raised while the pointer rests on the paragraph;
    // 0: the option row of the same number shows its hover mark instead.
    int raisesButton = 0;
};

struct HintParagraph
{
    std::u16string text;
    // Drawn bold at their first occurrence with the same letter case.
    std::vector<std::u16string> keyWords;
    // The key phrase of an acting paragraph, found ignoring letter case and
    // drawn underlined; empty for a paragraph that does not act.
    std::u16string actingPhrase;
    HintStep step;

    bool acts() const { return !actingPhrase.empty(); }
};

struct HintPage
{
    int code = 0;
    int flag = 0; // 1..42; 0 for a code no page is shown under
    // Paragraphs 1..4; an empty text leaves its box hidden.
    std::array<HintParagraph, 4> paragraphs;
};

// Where a page moves on to when its "don't show again" box is checked.
struct HintFollowUp
{
    enum class Kind {
        None,          // the page stays shown
        Panel,         // the panel or deferred command `code`
        FineTune,      // the fine-tune panel `code` when something is selected, else the
                       // insert menu, the active window leaving its creation mode
        Placing,       // the tool panel `code`, keeping the figure being placed
        ClipOutlining, // the picture frame's clip outlining, when the frame is open
    };
    Kind kind = Kind::None;
    int code = 0;
};

// The flag (1..42) that turns a page on and off; 0 for codes without one.
int HintFlagOf(int page);
// A page with a flag that is set.
bool HintPageOn(const Settings& settings, int page);
// "Show All" / "Show None": every flag, the one no page uses included.
void SetAllHints(Settings& settings, bool on);
// All flags set, all clear (the checks of the Hints menu).
bool AllHintsOn(const Settings& settings);
bool NoHintsOn(const Settings& settings);

// The page of a code as shown now: the placing pages follow the spline and
// curve settings at this moment. A code no page belongs to gives a page
// with flag 0 and no text.
HintPage HintPageFor(int code, const Settings& settings);

HintFollowUp FollowUpOf(int page);

// The panel a request for a page that is turned off shows instead; 0 where
// the panel shown stays.
int PanelWhenOff(int page);

// The panel a step shows once its Item is selected (or not), for the step
// kinds Panel, FineTune and Move; 0 for the others.
int PanelOfStep(const HintStep& step, const Settings& settings, bool somethingSelected);

// Every occurrence of `word` in `text` replaced by `by`.
std::u16string ReplaceWord(std::u16string text, std::u16string_view word, std::u16string_view by);

// A marked stretch of a paragraph's text.
struct KeyRun
{
    std::size_t start = 0;
    std::size_t length = 0;
    bool acting = false; // underlined key phrase; otherwise a bold key word
};
// The marked stretches in text order. Words that do not occur mark
// nothing; a key word inside the key phrase is not marked twice.
std::vector<KeyRun> KeyRunsOf(const HintParagraph& paragraph);

} // namespace vlm
