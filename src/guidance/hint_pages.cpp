#include "guidance/hint_pages.h"

#include "texts/edit_texts.h"
#include "texts/hint_texts.h"
#include "texts/picture_texts.h"

#include <algorithm>
#include <iterator>

namespace vlm {

namespace {

using Kind = HintStep::Kind;
using Follow = HintFollowUp::Kind;

constexpr int kInsertMenu = 20;
constexpr int kPreviousPanel = 43; // the deferred command that returns to the panel before the page

// How a kind's moving page is made up.
enum class MovingTemplate {
    Corners, // M1, M2, M3, MS
    Round,   // M1, MZ, MS, MC
    Arc,     // M1, MZ with "end" for "edge", M3, MS
    Bent,    // M1, MO, MS, MC
    Filled,  // M1, MD, MS, MC
};

struct FigureKind
{
    const char16_t* word;
    int drawnPage;  // shown after one was drawn
    int movingPage; // shown when the user chose to move it
    int newItem;    // the panel for the next one
    int fineTune;   // the panel that changes the selected one
    MovingTemplate moving;
};

constexpr FigureKind kKinds[] = {
    {texts::kHintWordTriangle, 1043, 1044, 100, 200, MovingTemplate::Corners},
    {texts::kHintWordSquare, 1045, 1046, 101, 201, MovingTemplate::Corners},
    {texts::kHintWordRectangle, 1047, 1048, 102, 202, MovingTemplate::Corners},
    {texts::kWordCircle, 1049, 1050, 103, 203, MovingTemplate::Round},
    {texts::kWordEllipse, 1051, 1052, 104, 204, MovingTemplate::Round},
    {texts::kWordPolygon, 1053, 1054, 199, 299, MovingTemplate::Round},
    {texts::kWordStar, 1055, 1056, 105, 206, MovingTemplate::Round},
    {texts::kWordPie, 1057, 1058, 107, 207, MovingTemplate::Round},
    {texts::kWordSpline, 1059, 1060, 109, 209, MovingTemplate::Bent},
    {texts::kWordSolid, 1062, 1063, 110, 210, MovingTemplate::Filled},
    {texts::kWordArc, 1065, 1066, 108, 208, MovingTemplate::Arc},
    {texts::kWordCurve, 1068, 1069, 111, 211, MovingTemplate::Bent},
    {texts::kWordOblong, 1071, 1072, 112, 212, MovingTemplate::Filled},
};

// The pages shown while the points of a figure are being placed.
struct PlacingPage
{
    int page;
    const char16_t* word;
    int toolPanel; // the panel the page covers
    // Whether 'C' closes the figure from this page: only a new spline or
    // curve set to open can be closed, never a continued one.
    enum class Close { Never, WhenSplineOpen, WhenCurveOpen } close;
};

constexpr PlacingPage kPlacingPages[] = {
    {1061, texts::kWordSpline, 109, PlacingPage::Close::WhenSplineOpen},
    {1064, texts::kWordSolid, 110, PlacingPage::Close::Never},
    {1070, texts::kWordCurve, 111, PlacingPage::Close::WhenCurveOpen},
    {1073, texts::kWordOblong, 112, PlacingPage::Close::Never},
    {1074, texts::kWordSpline, 297, PlacingPage::Close::Never},
    {1075, texts::kWordCurve, 298, PlacingPage::Close::Never},
};

struct PageFlag
{
    int page;
    int flag;
};

// Flag 33 belongs to no page; the continuing pages share the flags of the
// placing pages of their kind.
constexpr PageFlag kFlags[] = {
    {1024, 1},  {1025, 2},  {1028, 3},  {1035, 4},  {1036, 5},  {1038, 6},  {1042, 7},  {1029, 8},
    {1043, 9},  {1044, 10}, {1045, 11}, {1046, 12}, {1047, 13}, {1048, 14}, {1049, 15}, {1050, 16},
    {1051, 17}, {1052, 18}, {1053, 19}, {1054, 20}, {1055, 21}, {1056, 22}, {1057, 23}, {1058, 24},
    {1059, 25}, {1060, 26}, {1061, 27}, {1062, 28}, {1063, 29}, {1064, 30}, {1065, 31}, {1066, 32},
    {1068, 34}, {1069, 35}, {1070, 36}, {1071, 37}, {1072, 38}, {1073, 39}, {1074, 27}, {1075, 36},
    {1076, 40}, {1077, 41}, {1078, 42},
};

std::u16string S(const char16_t* s)
{
    return s;
}

HintParagraph Plain(const char16_t* text, std::vector<std::u16string> keyWords = {})
{
    HintParagraph p;
    p.text = text;
    p.keyWords = std::move(keyWords);
    return p;
}

HintParagraph Acting(std::u16string text, std::u16string phrase, HintStep step)
{
    HintParagraph p;
    p.text = std::move(text);
    p.actingPhrase = std::move(phrase);
    p.step = step;
    return p;
}

HintStep PanelStep(int code, bool selectLast = false)
{
    return {Kind::Panel, code, 0, selectLast, 0};
}
HintStep FineTuneStep(int code, bool selectLast)
{
    return {Kind::FineTune, code, 0, selectLast, 0};
}
HintStep MoveStep(int movingPage, int fineTune, bool selectLast)
{
    return {Kind::Move, movingPage, fineTune, selectLast, 0};
}

// A template with its template word put in the page's kind.
HintParagraph Filled(HintParagraph p, std::u16string_view templateWord, std::u16string_view kind)
{
    p.text = ReplaceWord(std::move(p.text), templateWord, kind);
    p.actingPhrase = ReplaceWord(std::move(p.actingPhrase), templateWord, kind);
    return p;
}

const FigureKind* KindDrawnOn(int page)
{
    for (const FigureKind& k : kKinds)
        if (k.drawnPage == page)
            return &k;
    return nullptr;
}

const FigureKind* KindMovedOn(int page)
{
    for (const FigureKind& k : kKinds)
        if (k.movingPage == page)
            return &k;
    return nullptr;
}

const PlacingPage* PlacingOn(int page)
{
    for (const PlacingPage& p : kPlacingPages)
        if (p.page == page)
            return &p;
    return nullptr;
}

void DrawnPage(HintPage& page, const FigureKind& k)
{
    const std::u16string_view kind = k.word;
    page.paragraphs = {
        Filled(Plain(texts::kHintD1), texts::kWordLine, kind),
        Filled(Acting(texts::kHintD2, texts::kHintD2Key, PanelStep(k.newItem)), texts::kHintWordTriangle,
               kind),
        Filled(Acting(texts::kHintD3, texts::kFineTune, FineTuneStep(k.fineTune, true)),
               texts::kHintWordTriangle, kind),
        Filled(Acting(texts::kHintD4, texts::kHintD4Key, MoveStep(k.movingPage, k.fineTune, true)),
               texts::kHintWordTriangle, kind),
    };
}

void MovingPage(HintPage& page, const FigureKind& k)
{
    const std::u16string_view kind = k.word;
    const HintParagraph m1 =
        Filled(Plain(texts::kHintM1, {S(texts::kHintKeyMove)}), texts::kHintWordTriangle, kind);
    const HintParagraph m3 =
        Filled(Plain(texts::kHintM3, {S(texts::kHintKeyRotate)}), texts::kHintWordTriangle, kind);
    const HintParagraph ms = Plain(texts::kHintMS, {S(texts::kHintKeySelect)});
    const HintParagraph mc = Plain(texts::kGuideCtrlArea);
    const HintParagraph mz = Filled(Plain(texts::kHintMZ, {S(texts::kHintMZKey)}), texts::kWordCircle, kind);
    switch (k.moving) {
    case MovingTemplate::Corners:
        page.paragraphs = {
            m1, Filled(Plain(texts::kHintM2, {S(texts::kHintM2Key)}), texts::kHintWordTriangle, kind), m3,
            ms};
        break;
    case MovingTemplate::Round:
        page.paragraphs = {m1, mz, ms, mc};
        break;
    case MovingTemplate::Arc:
        page.paragraphs = {m1, Filled(mz, texts::kHintWordEdge, texts::kHintWordEnd), m3, ms};
        break;
    case MovingTemplate::Bent:
        page.paragraphs = {
            m1, Filled(Plain(texts::kHintMO, {S(texts::kHintKeyOutline)}), texts::kWordSpline, kind), ms, mc};
        break;
    case MovingTemplate::Filled:
        page.paragraphs = {
            m1, Filled(Plain(texts::kHintMD, {S(texts::kHintKeyOutline)}), texts::kWordSolid, kind), ms,
            mc};
        break;
    }
}

void PlacingPageText(HintPage& page, const PlacingPage& p, const Settings& s)
{
    const std::u16string_view kind = p.word;
    bool canClose = false;
    if (p.close == PlacingPage::Close::WhenSplineOpen)
        canClose = s.polyshape == 0;
    else if (p.close == PlacingPage::Close::WhenCurveOpen)
        canClose = s.bpolyshape == 0;
    HintParagraph last = Plain(texts::kHintPE, {S(texts::kHintKeyErase)});
    if (canClose) {
        last.text = std::u16string(texts::kHintPC) + u' ' + last.text;
        last.keyWords = {S(texts::kHintKeyClose), S(texts::kHintKeyErase)};
    }
    page.paragraphs = {
        Plain(texts::kHintP1, {S(texts::kHintKeyFinalPoint), S(texts::kHintKeyShift)}),
        Filled(Plain(texts::kHintP2, {S(texts::kHintKeyLast)}), texts::kWordSpline, kind),
        Plain(texts::kHintP3, {S(texts::kHintKeyRemove)}),
        Filled(last, texts::kWordSpline, kind),
    };
}

// The pages with texts of their own.
bool OwnPage(HintPage& page)
{
    switch (page.code) {
    case 1024:
        page.paragraphs = {
            Plain(texts::kHintD1),
            Acting(texts::kHintLine2, texts::kHintLine2Key, PanelStep(98)),
            Acting(texts::kHintLine3, texts::kHintLine3Key, FineTuneStep(99, true)),
            Acting(texts::kHintLine4, texts::kHintLine4Key, MoveStep(1025, 99, true)),
        };
        return true;
    case 1025:
        page.paragraphs = {
            Plain(texts::kHintMoveLine1, {S(texts::kHintKeyMove)}),
            Plain(texts::kHintMoveLine2, {S(texts::kHintKeyStretch)}),
            Plain(texts::kHintMoveLine3, {S(texts::kHintKeySelect)}),
            Plain(texts::kHintMoveLine4),
        };
        return true;
    case 1028:
        page.paragraphs = {
            Plain(texts::kHintGrid1, {S(texts::kHintGrid1Key)}),
            Plain(texts::kHintGrid2, {S(texts::kHintKeySnap)}),
            Plain(texts::kHintGrid3),
            Plain(texts::kHintGridMoves, {S(texts::kHintKeyMove)}),
        };
        return true;
    case 1029:
        page.paragraphs = {
            Plain(texts::kHintSnap1),
            Plain(texts::kHintSnap2),
            Plain(texts::kHintGridMoves),
            Plain(texts::kHintSnap4),
        };
        return true;
    case 1035:
        page.paragraphs = {
            Plain(texts::kHintText1),
            Acting(texts::kHintText2, texts::kHintText2Key, PanelStep(300)),
            Acting(texts::kHintText3, texts::kHintText3Key, FineTuneStep(301, false)),
            Acting(texts::kHintText4, texts::kHintText4Key, MoveStep(1036, 301, false)),
        };
        return true;
    case 1036:
        page.paragraphs = {
            Plain(texts::kHintMoveText1, {S(texts::kHintKeyMove)}),
            Plain(texts::kHintMoveText2, {S(texts::kHintKeyStretch)}),
            Plain(texts::kHintMoveText3, {S(texts::kHintKeySelect)}),
            Plain(texts::kHintMoveText4, {S(texts::kHintKeyRotated)}),
        };
        return true;
    case 1038: {
        HintStep undo{Kind::Undo, kInsertMenu, 0, false, 6};
        HintStep redo{Kind::RaiseOnly, 0, 0, false, 7};
        page.paragraphs = {
            Acting(texts::kHintDeleted1, texts::kHintDeleted1Key, undo),
            Plain(texts::kHintDeleted2),
            Acting(texts::kHintDeleted3, texts::kHintDeleted3Key, redo),
            Plain(texts::kHintDeleted4),
        };
        return true;
    }
    case 1042:
        page.paragraphs = {
            Plain(texts::kHintAnchors1),
            Plain(texts::kHintAnchors2, {S(texts::kHintKeyMove)}),
            Plain(texts::kHintAnchors3, {S(texts::kHintKeyDelete)}),
            Plain(texts::kHintAnchors4, {S(texts::kHintKeyInsert)}),
        };
        return true;
    case 1076:
        page.paragraphs = {
            Plain(texts::kHintOutline1),
            Plain(texts::kHintPointerAdjust),
            Acting(texts::kHintOutline3, texts::kHintOutline3Key,
                   HintStep{Kind::ClipOutlining, 401, 0, false, 0}),
            HintParagraph{},
        };
        return true;
    case 1077:
        page.paragraphs = {
            Plain(texts::kHintPictureInCorner),
            Acting(texts::kHintPicture2, texts::kHintPicture2Key, PanelStep(400)),
            Acting(texts::kHintPicture3, texts::kFineTune, FineTuneStep(401, true)),
            Acting(texts::kHintPicture4, texts::kHintPicture4Key, MoveStep(1078, 401, true)),
        };
        return true;
    case 1078:
        page.paragraphs = {
            Filled(Plain(texts::kHintM1, {S(texts::kHintKeyMove)}), texts::kHintWordTriangle,
                   texts::kWordClip),
            Plain(texts::kHintMoveClip2, {S(texts::kHintKeyScale)}),
            Plain(texts::kHintMoveClip3, {S(texts::kHintKeyAngle)}),
            Plain(texts::kHintMoveClip4, {S(texts::kHintKeySelect)}),
        };
        return true;
    default:
        return false;
    }
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::size_t FindIgnoringCase(std::u16string_view text, std::u16string_view phrase)
{
    if (phrase.empty() || phrase.size() > text.size())
        return std::u16string_view::npos;
    for (std::size_t i = 0; i + phrase.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t j = 0; j < phrase.size() && same; ++j)
            same = Lower(text[i + j]) == Lower(phrase[j]);
        if (same)
            return i;
    }
    return std::u16string_view::npos;
}

} // namespace

int HintFlagOf(int page)
{
    for (const PageFlag& f : kFlags)
        if (f.page == page)
            return f.flag;
    return 0;
}

bool HintPageOn(const Settings& settings, int page)
{
    const int flag = HintFlagOf(page);
    return flag > 0 && settings.hints[static_cast<std::size_t>(flag - 1)] != 0;
}

void SetAllHints(Settings& settings, bool on)
{
    settings.hints.fill(on ? 1 : 0);
}

bool AllHintsOn(const Settings& settings)
{
    return std::all_of(settings.hints.begin(), settings.hints.end(), [](std::uint8_t f) { return f != 0; });
}

bool NoHintsOn(const Settings& settings)
{
    return std::all_of(settings.hints.begin(), settings.hints.end(), [](std::uint8_t f) { return f == 0; });
}

HintPage HintPageFor(int code, const Settings& settings)
{
    HintPage page;
    page.code = code;
    page.flag = HintFlagOf(code);
    if (page.flag == 0)
        return page;
    if (OwnPage(page))
        return page;
    if (const FigureKind* k = KindDrawnOn(code))
        DrawnPage(page, *k);
    else if (const FigureKind* m = KindMovedOn(code))
        MovingPage(page, *m);
    else if (const PlacingPage* p = PlacingOn(code))
        PlacingPageText(page, *p, settings);
    return page;
}

HintFollowUp FollowUpOf(int page)
{
    switch (page) {
    case 1024:
        return {Follow::Panel, 98};
    case 1025:
        return {Follow::FineTune, 99};
    case 1036:
        return {Follow::FineTune, 301};
    case 1028:
    case 1029:
    case 1042:
        return {Follow::Panel, kPreviousPanel};
    case 1035:
        return {Follow::Panel, 303};
    case 1038:
        return {Follow::Panel, kInsertMenu};
    case 1076:
        return {Follow::ClipOutlining, 401};
    default:
        break;
    }
    if (const FigureKind* k = KindDrawnOn(page))
        return {Follow::Panel, k->newItem};
    if (const FigureKind* m = KindMovedOn(page))
        return {Follow::FineTune, m->fineTune};
    if (const PlacingPage* p = PlacingOn(page))
        return {Follow::Placing, p->toolPanel};
    return {};
}

int PanelWhenOff(int page)
{
    switch (page) {
    case 1038: // after a deletion
    case 1077: // after a new picture
        return kInsertMenu;
    default:
        break;
    }
    if (const PlacingPage* p = PlacingOn(page); p && p->toolPanel >= 297)
        return p->toolPanel; // continuing a spline or curve
    return 0;
}

int PanelOfStep(const HintStep& step, const Settings& settings, bool somethingSelected)
{
    switch (step.kind) {
    case Kind::Panel:
        return step.code;
    case Kind::FineTune:
        return somethingSelected ? step.code : kInsertMenu;
    case Kind::Move:
        if (HintPageOn(settings, step.code))
            return step.code;
        return somethingSelected ? step.fineTune : kInsertMenu;
    default:
        return 0;
    }
}

std::u16string ReplaceWord(std::u16string text, std::u16string_view word, std::u16string_view by)
{
    if (word.empty())
        return text;
    for (std::size_t at = text.find(word); at != std::u16string::npos; at = text.find(word, at + by.size()))
        text.replace(at, word.size(), by);
    return text;
}

std::vector<KeyRun> KeyRunsOf(const HintParagraph& paragraph)
{
    std::vector<KeyRun> runs;
    const std::u16string_view text = paragraph.text;
    if (paragraph.acts())
        if (const std::size_t at = FindIgnoringCase(text, paragraph.actingPhrase);
            at != std::u16string_view::npos)
            runs.push_back({at, paragraph.actingPhrase.size(), true});
    for (const std::u16string& word : paragraph.keyWords) {
        const std::size_t at = text.find(word);
        if (word.empty() || at == std::u16string_view::npos)
            continue;
        const KeyRun run{at, word.size(), false};
        const bool overlaps = std::any_of(runs.begin(), runs.end(), [&run](const KeyRun& r) {
            return run.start < r.start + r.length && r.start < run.start + run.length;
        });
        if (!overlaps)
            runs.push_back(run);
    }
    std::sort(runs.begin(), runs.end(), [](const KeyRun& a, const KeyRun& b) { return a.start < b.start; });
    return runs;
}

} // namespace vlm
