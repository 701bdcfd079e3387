#include "guidance/next_steps.h"

#include "texts/clipboard_texts.h"
#include "texts/edit_texts.h"
#include "texts/next_step_texts.h"

#include <string_view>

namespace vlm {

namespace {

// The fifteen kinds an option group stands for, in the order of their codes:
// group g has the codes 2 + 3g (draw next / start new), 3 + 3g (fine-tune)
// and 4 + 3g (move this).
constexpr int kGroups = 15;
constexpr int kNewItemPanel[kGroups] = {98,  300, 100, 101, 102, 103, 104, 199,
                                        105, 107, 109, 110, 108, 111, 112};
// Line and text have their own fine-tune and move rules; the shapes from
// group 2 on.
constexpr int kFineTunePanel[kGroups] = {99,  301, 200, 201, 202, 203, 204, 299,
                                         206, 207, 209, 210, 208, 211, 212};
constexpr int kMovingPage[kGroups] = {1025, 1036, 1044, 1046, 1048, 1050, 1052, 1054,
                                      1056, 1058, 1060, 1063, 1066, 1069, 1072};

// The first group whose labels are made from the circle labels, and the
// words they are made with.
constexpr int kFirstWordGroup = 6;
constexpr const char16_t* kGroupWords[kGroups - kFirstWordGroup] = {
    texts::kWordEllipse, texts::kWordPolygon, texts::kWordStar,  texts::kWordPie,   texts::kWordSpline,
    texts::kWordSolid,   texts::kWordArc,     texts::kWordCurve, texts::kWordOblong};

// Every occurrence of the circle word replaced by `word`.
std::u16string FromCircleLabel(std::u16string_view label, std::u16string_view word)
{
    const std::u16string_view circle = texts::kWordCircle;
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t at = label.find(circle); at != std::u16string_view::npos;
         at = label.find(circle, from)) {
        out.append(label.substr(from, at - from));
        out.append(word);
        from = at + circle.size();
    }
    out.append(label.substr(from));
    return out;
}

constexpr const char16_t* kFixedLabels[] = {
    texts::kStepDrawNextLine,      texts::kStepFineTuneLine,   texts::kStepMoveLine,
    texts::kStepStartNewText,      texts::kStepFineTuneText,   texts::kStepMoveText,
    texts::kStepStartNewTriangle,  texts::kFineTune,           texts::kStepMoveTriangle,
    texts::kStepStartNewSquare,    texts::kFineTune,           texts::kStepMoveSquare,
    texts::kStepStartNewRectangle, texts::kFineTune,           texts::kStepMoveRectangle,
    texts::kStepStartNewCircle,    texts::kStepFineTuneCircle, texts::kStepMoveCircle,
};

bool IsHintPage(int code)
{
    return code >= 1024 && code <= 1080;
}

// The group's three codes, or its first two.
void AddGroup(OptionSet& set, int group, int count)
{
    for (int k = 0; k < count; ++k)
        set.set(2 + 3 * group + k);
}

} // namespace

std::u16string NextStepLabel(int code)
{
    if (code == NextStep::InsertNewItem)
        return texts::kStepInsertNewItem;
    if (code >= 2 && code <= 19)
        return kFixedLabels[code - 2];
    if (code >= 20 && code <= 46) {
        const int group = (code - 2) / 3;
        static constexpr const char16_t* circleLabels[3] = {
            texts::kStepStartNewCircle, texts::kStepFineTuneCircle, texts::kStepMoveCircle};
        return FromCircleLabel(circleLabels[(code - 2) % 3], kGroupWords[group - kFirstWordGroup]);
    }
    switch (code) {
    case NextStep::InsertNewPicture:
        return texts::kStepInsertNewPicture;
    case NextStep::FineTuneClip:
        return FromCircleLabel(texts::kStepFineTuneCircle, texts::kWordClip);
    case NextStep::MoveClip:
        return FromCircleLabel(texts::kStepMoveCircle, texts::kWordClip);
    case NextStep::InsertNewClip:
        return texts::kStepInsertNewClip;
    case NextStep::EditClip:
        return texts::kStepEditClip;
    case NextStep::JoinItems:
        return texts::kHintJoin;
    case NextStep::SplitGroup:
        return texts::kHintSplit;
    default:
        return {};
    }
}

OptionSet OptionsForPanel(int code, const OptionContext& context)
{
    OptionSet set;
    const auto with = [&set](std::initializer_list<int> codes) {
        for (int c : codes)
            set.set(c);
    };
    // After drawing (all three options of the kind) and moving (the first
    // two) hint pages of the shapes, triangle to pie, then spline to oblong.
    constexpr int drawnShapes[] = {1043, 1045, 1047, 1049, 1051, 1053, 1055, 1057};
    constexpr int drawnPoints[] = {1059, 1062, 1065, 1068, 1071};
    for (int k = 0; k < 8; ++k) {
        if (code == drawnShapes[k] || code == drawnShapes[k] + 1) {
            with({NextStep::InsertNewItem});
            AddGroup(set, 2 + k, code == drawnShapes[k] ? 3 : 2);
            return set;
        }
    }
    for (int k = 0; k < 5; ++k) {
        if (code == drawnPoints[k] || code == drawnPoints[k] + 1) {
            with({NextStep::InsertNewItem});
            AddGroup(set, 10 + k, code == drawnPoints[k] ? 3 : 2);
            return set;
        }
    }
    switch (code) {
    case 20:
        return set;
    case 59:
        with({1, NextStep::JoinItems, NextStep::SplitGroup});
        return set;
    case 98:
        with({1});
        if (context.anySelectedLive)
            with({NextStep::FineTuneLine});
        return set;
    case 99:
        with({1, 2});
        return set;
    case 200:
        with({1, 8});
        return set;
    case 201:
        with({1, 11});
        return set;
    case 202:
        with({1, 14});
        return set;
    case 203:
        with({1, 17});
        return set;
    case 204:
        with({1, 20});
        return set;
    case 206:
        with({1, 26});
        return set;
    case 207:
        with({1, 29});
        return set;
    case 208:
        with({1, 38});
        return set;
    case 299:
        with({1, 23});
        return set;
    case 300:
    case 302:
    case 303:
        with({1});
        if (context.firstSelectedIsText)
            with({NextStep::FineTuneText});
        return set;
    case 301:
        with({1, 5});
        return set;
    case 401:
        with({1, 47, 50, 51});
        return set;
    case 1024:
        with({1, 2, 3, 4});
        return set;
    case 1025:
        with({1, 2, 3});
        return set;
    case 1035:
        with({1, 5, 6, 7});
        return set;
    case 1036:
        with({1, 5, 6});
        return set;
    case 1061:
    case 1064:
    case 1070:
    case 1073:
        return set;
    case 1077:
        with({1, 47, 48, 49});
        return set;
    case 1078:
        with({1, 47, 48});
        return set;
    default:
        break;
    }
    if ((code >= 100 && code <= 199) || (code >= 209 && code <= 212) || code == 297 || code == 298 ||
        IsHintPage(code))
        with({1});
    // 205 and 213..296 offer nothing, nor do the codes of no panel.
    return set;
}

std::vector<int> OfferedOptions(const OptionSet& set)
{
    std::vector<int> codes;
    for (int c = 1; c <= kNextStepCount && static_cast<int>(codes.size()) < kNextStepRows; ++c)
        if (set.test(c))
            codes.push_back(c);
    return codes;
}

int OptionInRow(const OptionSet& set, int row)
{
    const std::vector<int> codes = OfferedOptions(set);
    return row >= 1 && row <= static_cast<int>(codes.size()) ? codes[row - 1] : 0;
}

bool SelectsLastFirst(int code)
{
    if (code == NextStep::FineTuneLine || code == NextStep::MoveLine || code == NextStep::FineTuneClip ||
        code == NextStep::MoveClip)
        return true;
    // The shapes' fine-tune and move options.
    return code >= 9 && code <= 46 && (code - 2) % 3 != 0;
}

NextStepAction NextStepActionOf(int code, bool selectedLive,
                                const std::array<std::uint8_t, kHintFlagCount>& hints)
{
    using Kind = NextStepAction::Kind;
    const auto show = [](int panel, bool entersTool = false) {
        return NextStepAction{Kind::ShowPanel, panel, entersTool};
    };
    const auto flag = [&hints](int k) { return hints[k - 1] != 0; };
    if (code == NextStep::InsertNewItem)
        return show(20);
    if (code >= 2 && code <= 46) {
        const int group = (code - 2) / 3;
        const int step = (code - 2) % 3;
        if (step == 0)
            return show(kNewItemPanel[group]);
        switch (code) {
        case NextStep::FineTuneLine:
        case NextStep::FineTuneText:
            return show(selectedLive ? kFineTunePanel[group] : 20);
        case NextStep::MoveLine:
        case NextStep::MoveText:
            // The moving page when it is shown at all, else straight on to
            // fine-tuning what was selected.
            if (flag(code == NextStep::MoveLine ? 2 : 5))
                return show(kMovingPage[group], true);
            return show(selectedLive ? kFineTunePanel[group] : 20);
        default:
            break;
        }
        return step == 1 ? show(kFineTunePanel[group]) : show(kMovingPage[group], true);
    }
    switch (code) {
    case NextStep::InsertNewPicture:
        return {Kind::Deferred, 400, false};
    case NextStep::FineTuneClip:
        return show(401);
    case NextStep::MoveClip:
        return show(1078, true);
    case NextStep::InsertNewClip:
        return {Kind::Deferred, 510, false};
    case NextStep::EditClip:
        return {Kind::Deferred, 503, false};
    case NextStep::JoinItems:
        return {Kind::JoinItems, 59, false};
    case NextStep::SplitGroup:
        return {Kind::SplitGroup, 20, false};
    default:
        return {};
    }
}

} // namespace vlm
