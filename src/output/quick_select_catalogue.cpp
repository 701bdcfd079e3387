#include "output/quick_select_catalogue.h"

#include "texts/page_setup_texts.h"

#include <cmath>
#include <string_view>

namespace vlm {

namespace {

// ---- Composing the list texts ----
//
// A row's text is written with {key} where a word of the text table stands;
// keys in lower case give the word lower-cased, as it reads inside a text.

struct Word
{
    std::u16string_view key;
    const char16_t* text;
    bool lower;
};

const char16_t* TypeName(DesignType t)
{
    return texts::kDesignTypeNames[t - 1];
}

const std::vector<Word>& Words()
{
    using namespace texts;
    static const std::vector<Word> words = [] {
        std::vector<Word> w = {
            {u"postcards", TypeName(DesignPostcards), true},
            {u"greetingcards", TypeName(DesignGreetingCards), true},
            {u"businesscards", TypeName(DesignBusinessCards), true},
            {u"BusinessCards", TypeName(DesignBusinessCards), false},
            {u"labels", TypeName(DesignLabels), true},
            {u"brochures", TypeName(DesignBrochures), true},
            {u"TentCards", TypeName(DesignTentCards), false},
            {u"fold", kQsFold, true},
            {u"Fold", kQsFold, false},
            {u"vertical", kQsVertical, true},
            {u"Vertical", kQsVertical, false},
            {u"horizontal", kQsHorizontal, false},
            {u"2per", kQs2Per, false},
            {u"3per", kQs3Per, false},
            {u"4per", kQs4Per, false},
            {u"5per", kQs5Per, false},
            {u"8per", kQs8Per, false},
            {u"10per", kQs10Per, false},
            {u"12per", kQs12Per, false},
            {u"page", kQsPage, false},
            {u"A4paper", kQsA4Paper, false},
            {u"letter", kQsLetterPaper, false},
            {u"verticalcards", kQsVerticalCards, false},
            {u"HalfFold", kQsHalfFold, false},
            {u"TriFold", kQsTriFold, false},
            {u"Photo", kQsPhoto, false},
            {u"Small", kQsSmall, false},
            {u"Medium", kQsMedium, false},
            {u"Large", kQsLarge, false},
            {u"Leaderboard", kQsLeaderboard, false},
            {u"Banner", kQsBanner, false},
            {u"HalfBanner", kQsHalfBanner, false},
            {u"Skyscraper", kQsSkyscraper, false},
            {u"WideSkyscraper", kQsWideSkyscraper, false},
            {u"VerticalBanner", kQsVerticalBanner, false},
            {u"Button", kQsButton, false},
            {u"MediumRectangle", kQsMediumRectangle, false},
            {u"Square", kQsSquare, false},
            {u"LargeRectangle", kQsLargeRectangle, false},
            {u"SmallRectangle", kQsSmallRectangle, false},
            {u"Letter", kQsLetter, false},
            {u"Legal", kQsLegal, false},
            {u"Executive", kQsExecutive, false},
            {u"Ledger", kQsLedger, false},
            {u"Envelope10", kQsEnvelope10, false},
            {u"EnvelopeMonarch", kQsEnvelopeMonarch, false},
        };
        static const char16_t* const kPaperKeys[18] = {u"A0", u"A1", u"A2", u"A3", u"A4", u"A5",
                                                       u"A6", u"A7", u"C4", u"C5", u"C6", u"C6/C5",
                                                       u"DL", u"B4", u"B5", u"B6", u"B7", u"B8"};
        for (int i = 0; i < 18; ++i)
            w.push_back({kPaperKeys[i], kQsPaperNames[i], false});
        return w;
    }();
    return words;
}

std::u16string Compose(std::u16string_view pattern)
{
    std::u16string out;
    while (!pattern.empty()) {
        const std::size_t open = pattern.find(u'{');
        out.append(pattern.substr(0, open));
        if (open == std::u16string_view::npos)
            break;
        const std::size_t close = pattern.find(u'}', open);
        const std::u16string_view key = pattern.substr(open + 1, close - open - 1);
        for (const Word& w : Words()) {
            if (w.key != key)
                continue;
            std::u16string word = w.text;
            if (w.lower)
                for (char16_t& c : word)
                    if (c >= u'A' && c <= u'Z')
                        c = static_cast<char16_t>(c - u'A' + u'a');
            out += word;
        }
        pattern.remove_prefix(close + 1);
    }
    return out;
}

// ---- The rows ----

QuickSelectRow PixelRow(const char16_t* pattern, const char16_t* w, const char16_t* h, RowOrientation o)
{
    QuickSelectRow r;
    r.text = Compose(pattern);
    r.orientation = o;
    r.values[TextPaperWidth] = w;
    r.values[TextPaperHeight] = h;
    return r;
}

QuickSelectRow PaperRow(const char16_t* pattern, const char16_t* w, const char16_t* h, const char16_t* margin)
{
    QuickSelectRow r = PixelRow(pattern, w, h, RowOrientation::Keep);
    for (int k = TextMarginLeft; k <= TextMarginBottom; ++k)
        r.values[k] = margin;
    return r;
}

// Texts in stored order after the orientation: paper, card, margins left,
// top, right, bottom, rows, columns, row gap, column gap.
QuickSelectRow CardRow(const char16_t* pattern, char orientation,
                       std::initializer_list<const char16_t*> values, char fold)
{
    QuickSelectRow r;
    r.text = Compose(pattern);
    r.orientation = orientation == 'L' ? RowOrientation::SetLandscape : RowOrientation::SetPortrait;
    int k = 0;
    for (const char16_t* v : values)
        r.values[k++] = v;
    r.fold = fold == 'R' ? RowFold::Row : fold == 'C' ? RowFold::Column : RowFold::None;
    return r;
}

struct QuickSelectList
{
    std::int32_t type; // 0: every type
    std::int32_t unit;
    std::vector<QuickSelectRow> rows;
};

constexpr const char16_t* E = u"";

// clang-format off
const std::vector<QuickSelectList>& Catalogue()
{
    using O = RowOrientation;
    static const std::vector<QuickSelectList> lists = {
        {0, UnitPixels, {
            PixelRow(u"{Small} {Photo} 250 x 350", u"250", u"350", O::KeepSwapped),
            PixelRow(u"{Medium} {Photo} 350 x 500", u"350", u"500", O::KeepSwapped),
            PixelRow(u"{Large} {Photo} 500 x 700", u"500", u"700", O::KeepSwapped),
            PixelRow(u"{Leaderboard} 728 x 90", u"728", u"90", O::SetLandscape),
            PixelRow(u"{Banner} 468 x 60", u"468", u"60", O::SetLandscape),
            PixelRow(u"{HalfBanner} 234 x 60", u"234", u"60", O::SetLandscape),
            PixelRow(u"{Skyscraper} 120 x 600", u"120", u"600", O::SetPortrait),
            PixelRow(u"{WideSkyscraper} 160 x 600", u"160", u"600", O::SetPortrait),
            PixelRow(u"{VerticalBanner} 120 x 240", u"120", u"240", O::SetPortrait),
            PixelRow(u"{Button} 125 x 125", u"125", u"125", O::Keep),
            PixelRow(u"{MediumRectangle} 300 x 250", u"300", u"250", O::SetLandscape),
            PixelRow(u"{Square} 250 x 250", u"250", u"250", O::Keep),
            PixelRow(u"{LargeRectangle} 336 x 280", u"336", u"280", O::SetLandscape),
            PixelRow(u"{SmallRectangle} 180 x 150", u"180", u"150", O::SetLandscape),
        }},
        {DesignIllustrations, UnitMillimeters, {
            PaperRow(u"{A0}", u"841", u"1189", u"7"),
            PaperRow(u"{A1}", u"594", u"841", u"7"),
            PaperRow(u"{A2}", u"420", u"594", u"7"),
            PaperRow(u"{A3}", u"297", u"420", u"7"),
            PaperRow(u"{A4}", u"210", u"297", u"7"),
            PaperRow(u"{A5}", u"148", u"210", u"7"),
            PaperRow(u"{A6}", u"105", u"148", u"7"),
            PaperRow(u"{A7}", u"74", u"105", u"7"),
            PaperRow(u"{C4}", u"229", u"324", u"7"),
            PaperRow(u"{C5}", u"162", u"229", u"7"),
            PaperRow(u"{C6}", u"114", u"162", u"7"),
            PaperRow(u"{C6/C5}", u"114", u"229", u"7"),
            PaperRow(u"{DL}", u"110", u"220", u"7"),
            PaperRow(u"{B4}", u"250", u"353", u"7"),
            PaperRow(u"{B5}", u"176", u"250", u"7"),
            PaperRow(u"{B6}", u"125", u"176", u"7"),
            PaperRow(u"{B7}", u"88", u"125", u"7"),
            PaperRow(u"{B8}", u"62", u"88", u"7"),
            PaperRow(u"{Photo} - 90 x 130", u"90", u"130", E),
            PaperRow(u"{Photo} - 130 x 180", u"130", u"180", E),
        }},
        {DesignIllustrations, UnitInches, {
            PaperRow(u"{Letter} 8 1/2 x 11", u"8 1/2", u"11", u"1/4"),
            PaperRow(u"{Legal} 8 1/2 x 14", u"8 1/2", u"14", u"1/4"),
            PaperRow(u"{Executive} 7 1/4 x 10 1/2", u"7 1/4", u"10 1/2", u"1/4"),
            PaperRow(u"{Ledger} 11 x 17", u"11", u"17", u"1/4"),
            PaperRow(u"{Envelope10} 4 1/8 x 9 1/2", u"4 1/8", u"9 1/2", u"1/4"),
            PaperRow(u"{EnvelopeMonarch} 3 7/8 x 7 1/2", u"3 7/8", u"7 1/2", u"1/4"),
            PaperRow(u"{Photo} 4 x 6", u"4", u"6", E),
            PaperRow(u"{Photo} 5 x 7", u"5", u"7", E),
        }},
        {DesignPostcards, UnitMillimeters, {
            CardRow(u"A5 {postcards}, {2per} A4 {page}", 'P', {u"210", u"297", u"210", u"148", u"0", u"0", u"0", u"0", u"2", u"1", u"0", u"0"}, '-'),
            CardRow(u"A6 {postcards}, {4per} A4 {page}", 'P', {u"210", u"297", u"105", u"148", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, '-'),
            CardRow(u"210 x 99 {postcards}, {3per} A4 {page}", 'P', {u"210", u"297", u"210", u"99", u"0", u"0", u"0", u"0", u"3", u"1", u"0", u"0"}, '-'),
        }},
        {DesignGreetingCards, UnitMillimeters, {
            CardRow(u"A6 {postcards}, {2per} A4 {page}, {vertical}", 'P', {u"210", u"297", u"105", u"148", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, 'C'),
            CardRow(u"A6 {postcards}, {2per} A4 {page}, {horizontal}", 'L', {u"297", u"210", u"148", u"105", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, 'R'),
            CardRow(u"A6 {postcards}, {2per} A4 {page}, {vertical}", 'P', {u"210", u"297", u"105", u"148", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, 'R'),
            CardRow(u"A6 {postcards}, {2per} A4 {page}, {horizontal}", 'L', {u"297", u"210", u"148", u"105", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, 'C'),
        }},
        {DesignBusinessCards, UnitMillimeters, {
            CardRow(u"A8 {businesscards}, {8per} {page}", 'P', {u"210", u"297", u"74", u"52", u"26", u"25", u"0", u"0", u"4", u"2", u"10", u"10"}, '-'),
            CardRow(u"A8 {businesscards}, {10per} {page}", 'P', {u"210", u"297", u"74", u"52", u"31", u"18", u"0", u"0", u"5", u"2", u"0", u"0"}, '-'),
            CardRow(u"A8 {fold} {businesscards}, {5per} {page}", 'P', {u"210", u"297", u"74", u"52", u"31", u"18", u"0", u"0", u"5", u"2", u"0", u"0"}, 'C'),
            CardRow(u"A8 {verticalcards}, {8per} {page}", 'L', {u"297", u"210", u"52", u"74", u"25", u"26", u"0", u"0", u"2", u"4", u"10", u"10"}, '-'),
            CardRow(u"A8 {verticalcards}, {10per} {page}", 'L', {u"297", u"210", u"52", u"74", u"18", u"31", u"0", u"0", u"2", u"5", u"0", u"0"}, '-'),
            CardRow(u"A8 {fold} {verticalcards}, {5per} {page}", 'L', {u"297", u"210", u"52", u"74", u"18", u"31", u"0", u"0", u"2", u"5", u"0", u"0"}, 'R'),
            CardRow(u"85 \u00d7 54 {businesscards}, {8per} {page}", 'P', {u"210", u"297", u"85", u"54", u"15", u"25", u"0", u"0", u"4", u"2", u"10", u"10"}, '-'),
            CardRow(u"85 \u00d7 54 {businesscards}, {10per} {page}", 'P', {u"210", u"297", u"85", u"54", u"20", u"14", u"0", u"0", u"5", u"2", u"0", u"0"}, '-'),
            CardRow(u"85 \u00d7 54 {fold} {businesscards}, {5per} {page}", 'P', {u"210", u"297", u"85", u"54", u"20", u"14", u"0", u"0", u"5", u"2", u"0", u"0"}, 'C'),
            CardRow(u"85 \u00d7 54 {verticalcards}, {8per} {page}", 'L', {u"297", u"210", u"54", u"85", u"25", u"15", u"0", u"0", u"2", u"4", u"10", u"10"}, '-'),
            CardRow(u"85 \u00d7 54 {verticalcards}, {10per} {page}", 'L', {u"297", u"210", u"54", u"85", u"14", u"20", u"0", u"0", u"2", u"5", u"0", u"0"}, '-'),
            CardRow(u"85 \u00d7 54 {fold} {verticalcards}, {5per} {page}", 'L', {u"297", u"210", u"54", u"85", u"14", u"20", u"0", u"0", u"2", u"5", u"0", u"0"}, 'R'),
        }},
        {DesignLabels, UnitMillimeters, {
            CardRow(u"20 x 10 {labels}, {A4paper}", 'P', {u"210", u"297", u"20", u"10", u"5", u"9", u"5", u"9", u"28", u"10", u"0", u"0"}, '-'),
            CardRow(u"37 x 18 {labels}, {A4paper}", 'P', {u"210", u"297", u"37", u"18", u"13", u"5", u"13", u"5", u"16", u"5", u"0", u"0"}, '-'),
            CardRow(u"40 x 20 {labels}, {A4paper}", 'P', {u"210", u"297", u"40", u"20", u"5", u"9", u"5", u"9", u"14", u"5", u"0", u"0"}, '-'),
            CardRow(u"50 x 30 {labels}, {A4paper}", 'P', {u"210", u"297", u"50", u"30", u"5", u"14", u"5", u"14", u"9", u"4", u"0", u"0"}, '-'),
            CardRow(u"60 x 40 {labels}, {A4paper}", 'P', {u"210", u"297", u"60", u"40", u"15", u"9", u"15", u"9", u"7", u"3", u"0", u"0"}, '-'),
            CardRow(u"80 x 50 {labels}, {A4paper}", 'P', {u"210", u"297", u"80", u"50", u"25", u"24", u"25", u"24", u"5", u"2", u"0", u"0"}, '-'),
            CardRow(u"100 x 60 {labels}, {A4paper}", 'P', {u"210", u"297", u"100", u"60", u"5", u"29", u"5", u"29", u"4", u"2", u"0", u"0"}, '-'),
            CardRow(u"100 x 70 {labels}, {A4paper}", 'P', {u"210", u"297", u"100", u"70", u"5", u"9", u"5", u"9", u"4", u"2", u"0", u"0"}, '-'),
            CardRow(u"100 x 80 {labels}, {A4paper}", 'P', {u"210", u"297", u"100", u"80", u"5", u"29", u"5", u"29", u"3", u"2", u"0", u"0"}, '-'),
            CardRow(u"100 x 90 {labels}, {A4paper}", 'P', {u"210", u"297", u"100", u"90", u"5", u"14", u"5", u"14", u"3", u"2", u"0", u"0"}, '-'),
        }},
        {DesignBrochures, UnitMillimeters, {
            CardRow(u"{HalfFold} {brochures}, {A4paper}", 'P', {u"210", u"297", u"210", u"148", u"0", u"0", u"0", u"0", u"2", u"1", u"0", u"0"}, 'R'),
            CardRow(u"{TriFold} {brochures}, {A4paper}", 'P', {u"210", u"297", u"210", u"99", u"0", u"0", u"0", u"0", u"3", u"1", u"0", u"0"}, 'R'),
        }},
        {DesignTentCards, UnitMillimeters, {
            CardRow(u"{TentCards}, {2per} A4 {page}", 'P', {u"210", u"297", u"190", u"69", u"10", u"10", u"10", u"10", u"4", u"1", u"0", u"0"}, 'R'),
            CardRow(u"{TentCards}, {3per} A4 {page}", 'P', {u"210", u"297", u"190", u"46", u"10", u"10", u"10", u"10", u"6", u"1", u"0", u"0"}, 'R'),
        }},
        {DesignPostcards, UnitInches, {
            CardRow(u"4 x 6 {postcards}, {2per} {page}", 'L', {u"8 1/2", u"11", u"6", u"4", u"1 1/4", u"1", u"1 1/4", u"1", u"2", u"1", u"1", E}, '-'),
            CardRow(u"5 1/2 x 4 1/4 {postcards}, {4per} {page}", 'L', {u"11", u"8 1/2", u"5 1/2", u"4 1/4", E, E, E, E, u"2", u"2", E, E}, '-'),
        }},
        {DesignGreetingCards, UnitInches, {
            CardRow(u"4 1/4 x 5 1/2 {greetingcards}, {2per} {page}, {vertical}", 'P', {u"8 1/2", u"11", u"4 1/4", u"5 1/2", E, E, E, E, u"2", u"2", E, E}, 'C'),
            CardRow(u"5 1/2 x 4 1/4 {greetingcards}, {2per} {page}, {horizontal}", 'L', {u"11", u"8 1/2", u"5 1/2", u"4 1/4", E, E, E, E, u"2", u"2", E, E}, 'R'),
            CardRow(u"4 1/4 x 5 1/2 {greetingcards}, {2per} {page}, {vertical}", 'P', {u"8 1/2", u"11", u"4 1/4", u"5 1/2", E, E, E, E, u"2", u"2", E, E}, 'R'),
            CardRow(u"5 1/2 x 4 1/4 {greetingcards}, {2per} {page}, {horizontal}", 'L', {u"11", u"8 1/2", u"5 1/2", u"4 1/4", E, E, E, E, u"2", u"2", E, E}, 'C'),
        }},
        {DesignBusinessCards, UnitInches, {
            CardRow(u"{BusinessCards}, {8per} {page}", 'P', {u"8 1/2", u"11", u"3 1/2", u"2", u"1/2", u"3/4", u"1/2", u"3/4", u"4", u"2", u"1/2", u"1/2"}, '-'),
            CardRow(u"{BusinessCards}, {10per} {page}", 'P', {u"8 1/2", u"11", u"3 1/2", u"2", u"3/4", u"1/2", u"3/4", u"3/4", u"5", u"2", E, E}, '-'),
            CardRow(u"{BusinessCards}, {12per} {page}", 'L', {u"11", u"8 1/2", u"3 1/2", u"2", u"1/4", u"1/4", u"1/4", u"1/4", u"4", u"3", E, E}, '-'),
            CardRow(u"{Vertical} {businesscards}, {8per} {page}", 'L', {u"11", u"8 1/2", u"2", u"3 1/2", u"3/4", u"1/2", u"3/4", u"1/2", u"2", u"4", u"1/2", u"1/2"}, '-'),
            CardRow(u"{Vertical} {businesscards}, {10per} {page}", 'L', {u"11", u"8 1/2", u"2", u"3 1/2", u"1/2", u"3/4", u"3/4", u"3/4", u"2", u"5", E, E}, '-'),
            CardRow(u"{Vertical} {businesscards}, {12per} {page}", 'P', {u"8 1/2", u"11", u"2", u"3 1/2", u"1/4", u"1/4", u"1/4", u"1/4", u"3", u"4", E, E}, '-'),
            CardRow(u"{Fold} {businesscards}, {5per} {page}", 'P', {u"8 1/2", u"11", u"3 1/2", u"2", u"3/4", u"1/2", u"3/4", u"3/4", u"5", u"2", E, E}, 'C'),
            CardRow(u"{Fold} {vertical} {businesscards}, {5per} {page}", 'L', {u"11", u"8 1/2", u"2", u"3 1/2", u"1/2", u"3/4", u"3/4", u"3/4", u"2", u"5", E, E}, 'R'),
        }},
        {DesignLabels, UnitInches, {
            CardRow(u"1/2 x 1/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"1/2", u"1/4", u"1/4", u"1/4", u"1/4", u"1/4", u"42", u"16", E, E}, '-'),
            CardRow(u"3/4 x 1/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"3/4", u"1/4", u"1/2", u"1/4", u"1/2", u"1/4", u"42", u"10", E, E}, '-'),
            CardRow(u"1 x 1/2 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"1", u"1/2", u"1/4", u"1/4", u"1/4", u"1/4", u"21", u"8", E, E}, '-'),
            CardRow(u"1 1/4 x 3/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"1 1/4", u"3/4", u"1/2", u"1/4", u"1/2", u"1/4", u"14", u"6", E, E}, '-'),
            CardRow(u"1 1/2 x 3/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"1 1/2", u"3/4", u"1/2", u"1/4", u"1/2", u"1/4", u"14", u"5", E, E}, '-'),
            CardRow(u"1 3/4 x 3/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"1 3/4", u"3/4", u"3/4", u"1/4", u"3/4", u"1/4", u"14", u"4", E, E}, '-'),
            CardRow(u"2 x 1 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"2", u"1", u"1/4", u"1/2", u"1/4", u"1/2", u"10", u"4", E, E}, '-'),
            CardRow(u"2 1/2 x 1 1/4 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"2 1/2", u"1 1/4", u"1/2", u"1/2", u"1/2", u"1/2", u"8", u"3", E, E}, '-'),
            CardRow(u"3 x 1 1/2 {labels}, {letter}", 'P', {u"8 1/2", u"11", u"3", u"1 1/2", u"1 1/4", u"1/4", u"1 1/4", u"1/4", u"7", u"2", E, E}, '-'),
        }},
        {DesignBrochures, UnitInches, {
            CardRow(u"{HalfFold} {brochures}, {letter}", 'P', {u"8 1/2", u"11", u"8 1/2", u"5 1/2", E, E, E, E, u"2", u"1", E, E}, 'R'),
            CardRow(u"{TriFold} {brochures}, {letter}", 'P', {u"8 1/2", u"11", u"8 1/2", u"3 2/3", E, E, E, E, u"3", u"1", E, E}, 'R'),
        }},
        {DesignTentCards, UnitInches, {
            CardRow(u"{TentCards} 8 1/2 x 2 1/2", 'P', {u"8 1/2", u"11", u"8 1/2", u"2 1/2", E, u"1/2", E, u"1/2", u"4", u"1", E, E}, 'R'),
            CardRow(u"{TentCards} 11 x 3 1/2", 'L', {u"11", u"8 1/2", u"11", u"3 1/2", E, u"3/4", E, u"3/4", u"2", u"1", E, E}, 'R'),
        }},
    };
    return lists;
}
// clang-format on

// ---- Matching ----

// A length as the lists compare it: whole numbers in pixels and millimetres,
// values in inches; an empty text is 0, a text that is neither is nothing.
std::optional<double> Comparable(std::u16string_view text, std::int32_t unit)
{
    if (TrimBlanks(text).empty())
        return 0.0;
    if (unit == UnitInches)
        return parseDimension(text, unit);
    if (const auto n = ParseWholeNumber(text))
        return static_cast<double>(*n);
    return std::nullopt;
}

bool SameLength(std::u16string_view a, std::u16string_view b, std::int32_t unit)
{
    const auto x = Comparable(a, unit);
    const auto y = Comparable(b, unit);
    return x && y && std::abs(*x - *y) < 1e-9;
}

bool SamePair(const miry_t& set, const QuickSelectRow& row, std::int32_t unit, bool eitherOrder)
{
    const auto& t = set.texts;
    if (SameLength(t[TextPaperWidth], row.values[TextPaperWidth], unit) &&
        SameLength(t[TextPaperHeight], row.values[TextPaperHeight], unit))
        return true;
    return eitherOrder && SameLength(t[TextPaperWidth], row.values[TextPaperHeight], unit) &&
           SameLength(t[TextPaperHeight], row.values[TextPaperWidth], unit);
}

bool CardRowMatches(const miry_t& set, std::int32_t orientation, const QuickSelectRow& row, std::int32_t unit)
{
    const std::int32_t wanted = row.orientation == RowOrientation::SetLandscape ? Landscape : Portrait;
    if (orientation != wanted)
        return false;
    for (int k = 0; k < 12; ++k)
        if (row.values[k] && !SameLength(set.texts[static_cast<std::size_t>(k)], row.values[k], unit))
            return false;
    return set.rowFold == (row.fold == RowFold::Row ? 1 : 0) &&
           set.columnFold == (row.fold == RowFold::Column ? 1 : 0);
}

const std::vector<QuickSelectRow> kNoRows;

} // namespace

void TransposeDimensionSet(miry_t& set)
{
    for (std::size_t k = 0; k + 1 < set.texts.size(); k += 2)
        std::swap(set.texts[k], set.texts[k + 1]);
    std::swap(set.rowFold, set.columnFold);
}

const std::vector<QuickSelectRow>& QuickSelectRows(std::int32_t designType, std::int32_t unit)
{
    if (!IsDesignType(designType) || !IsMeasuringUnit(unit))
        return kNoRows;
    for (const QuickSelectList& list : Catalogue())
        if (list.unit == unit && (list.type == 0 || list.type == designType))
            return list.rows;
    return kNoRows;
}

std::vector<std::u16string> QuickSelectTexts(std::int32_t designType, std::int32_t unit)
{
    std::vector<std::u16string> out;
    for (const QuickSelectRow& row : QuickSelectRows(designType, unit))
        out.push_back(row.text);
    return out;
}

bool ApplyQuickSelectRow(std::int32_t designType, std::int32_t unit, std::int32_t index, miry_t& set,
                         std::int32_t& orientation)
{
    const auto& rows = QuickSelectRows(designType, unit);
    if (index < 0 || index >= static_cast<std::int32_t>(rows.size()))
        return false;
    const QuickSelectRow& row = rows[static_cast<std::size_t>(index)];
    for (int k = 0; k < 12; ++k)
        if (row.values[k])
            set.texts[static_cast<std::size_t>(k)] = row.values[k];
    switch (row.orientation) {
    case RowOrientation::Keep:
        break;
    case RowOrientation::KeepSwapped:
        if (orientation == Landscape)
            std::swap(set.texts[TextPaperWidth], set.texts[TextPaperHeight]);
        break;
    case RowOrientation::SetPortrait:
        orientation = Portrait;
        break;
    case RowOrientation::SetLandscape:
        orientation = Landscape;
        break;
    }
    if (row.fold != RowFold::NotWritten) {
        set.rowFold = row.fold == RowFold::Row ? 1 : 0;
        set.columnFold = row.fold == RowFold::Column ? 1 : 0;
    }
    set.quickSelect = index;
    return true;
}

std::int32_t matchQuickSelect(std::int32_t designType, std::int32_t unit, const miry_t& set,
                              std::int32_t orientation)
{
    const auto& rows = QuickSelectRows(designType, unit);
    std::int32_t found = -1;
    miry_t transposed = set;
    TransposeDimensionSet(transposed);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QuickSelectRow& row = rows[i];
        bool match = false;
        if (unit == UnitPixels)
            match = SamePair(set, row, unit, row.orientation == RowOrientation::KeepSwapped);
        else if (designType == DesignIllustrations)
            match = SamePair(set, row, unit, true);
        else {
            match = CardRowMatches(set, orientation, row, unit);
            // A brochure turned on its side is still the same brochure.
            if (!match && designType == DesignBrochures)
                match =
                    CardRowMatches(transposed, orientation == Landscape ? Portrait : Landscape, row, unit);
        }
        if (match)
            found = static_cast<std::int32_t>(i);
    }
    return found;
}

} // namespace vlm
