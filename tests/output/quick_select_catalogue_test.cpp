#include "output/quick_select_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace vlm {
namespace {

std::u16string U(const std::string& s)
{
    // The expectations are ASCII except for the multiplication sign.
    std::u16string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) == 0xC3 && i + 1 < s.size() &&
            static_cast<unsigned char>(s[i + 1]) == 0x97) {
            out += u'\u00d7';
            ++i;
        } else {
            out += static_cast<char16_t>(s[i]);
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

// The card and brochure lists as the page-size tables give them, one row a
// line: type|unit|list text|orientation|texts 1..12 (comma separated, "e"
// empty)|fold.
const char* const kCardRows = R"(2|2|A5 postcards, 2 per A4 page|P|210,297,210,148,0,0,0,0,2,1,0,0|-
2|2|A6 postcards, 4 per A4 page|P|210,297,105,148,0,0,0,0,2,2,0,0|-
2|2|210 x 99 postcards, 3 per A4 page|P|210,297,210,99,0,0,0,0,3,1,0,0|-
3|2|A6 postcards, 2 per A4 page, vertical|P|210,297,105,148,0,0,0,0,2,2,0,0|C
3|2|A6 postcards, 2 per A4 page, horizontal|L|297,210,148,105,0,0,0,0,2,2,0,0|R
3|2|A6 postcards, 2 per A4 page, vertical|P|210,297,105,148,0,0,0,0,2,2,0,0|R
3|2|A6 postcards, 2 per A4 page, horizontal|L|297,210,148,105,0,0,0,0,2,2,0,0|C
4|2|A8 business cards, 8 per page|P|210,297,74,52,26,25,0,0,4,2,10,10|-
4|2|A8 business cards, 10 per page|P|210,297,74,52,31,18,0,0,5,2,0,0|-
4|2|A8 fold business cards, 5 per page|P|210,297,74,52,31,18,0,0,5,2,0,0|C
4|2|A8 vertical cards, 8 per page|L|297,210,52,74,25,26,0,0,2,4,10,10|-
4|2|A8 vertical cards, 10 per page|L|297,210,52,74,18,31,0,0,2,5,0,0|-
4|2|A8 fold vertical cards, 5 per page|L|297,210,52,74,18,31,0,0,2,5,0,0|R
4|2|85 × 54 business cards, 8 per page|P|210,297,85,54,15,25,0,0,4,2,10,10|-
4|2|85 × 54 business cards, 10 per page|P|210,297,85,54,20,14,0,0,5,2,0,0|-
4|2|85 × 54 fold business cards, 5 per page|P|210,297,85,54,20,14,0,0,5,2,0,0|C
4|2|85 × 54 vertical cards, 8 per page|L|297,210,54,85,25,15,0,0,2,4,10,10|-
4|2|85 × 54 vertical cards, 10 per page|L|297,210,54,85,14,20,0,0,2,5,0,0|-
4|2|85 × 54 fold vertical cards, 5 per page|L|297,210,54,85,14,20,0,0,2,5,0,0|R
5|2|20 x 10 labels, A4 paper|P|210,297,20,10,5,9,5,9,28,10,0,0|-
5|2|37 x 18 labels, A4 paper|P|210,297,37,18,13,5,13,5,16,5,0,0|-
5|2|40 x 20 labels, A4 paper|P|210,297,40,20,5,9,5,9,14,5,0,0|-
5|2|50 x 30 labels, A4 paper|P|210,297,50,30,5,14,5,14,9,4,0,0|-
5|2|60 x 40 labels, A4 paper|P|210,297,60,40,15,9,15,9,7,3,0,0|-
5|2|80 x 50 labels, A4 paper|P|210,297,80,50,25,24,25,24,5,2,0,0|-
5|2|100 x 60 labels, A4 paper|P|210,297,100,60,5,29,5,29,4,2,0,0|-
5|2|100 x 70 labels, A4 paper|P|210,297,100,70,5,9,5,9,4,2,0,0|-
5|2|100 x 80 labels, A4 paper|P|210,297,100,80,5,29,5,29,3,2,0,0|-
5|2|100 x 90 labels, A4 paper|P|210,297,100,90,5,14,5,14,3,2,0,0|-
10|2|Half-fold brochures, A4 paper|P|210,297,210,148,0,0,0,0,2,1,0,0|R
10|2|Tri-fold brochures, A4 paper|P|210,297,210,99,0,0,0,0,3,1,0,0|R
11|2|Tent Cards, 2 per A4 page|P|210,297,190,69,10,10,10,10,4,1,0,0|R
11|2|Tent Cards, 3 per A4 page|P|210,297,190,46,10,10,10,10,6,1,0,0|R
2|3|4 x 6 postcards, 2 per page|L|8 1/2,11,6,4,1 1/4,1,1 1/4,1,2,1,1,e|-
2|3|5 1/2 x 4 1/4 postcards, 4 per page|L|11,8 1/2,5 1/2,4 1/4,e,e,e,e,2,2,e,e|-
3|3|4 1/4 x 5 1/2 greeting cards, 2 per page, vertical|P|8 1/2,11,4 1/4,5 1/2,e,e,e,e,2,2,e,e|C
3|3|5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal|L|11,8 1/2,5 1/2,4 1/4,e,e,e,e,2,2,e,e|R
3|3|4 1/4 x 5 1/2 greeting cards, 2 per page, vertical|P|8 1/2,11,4 1/4,5 1/2,e,e,e,e,2,2,e,e|R
3|3|5 1/2 x 4 1/4 greeting cards, 2 per page, horizontal|L|11,8 1/2,5 1/2,4 1/4,e,e,e,e,2,2,e,e|C
4|3|Business Cards, 8 per page|P|8 1/2,11,3 1/2,2,1/2,3/4,1/2,3/4,4,2,1/2,1/2|-
4|3|Business Cards, 10 per page|P|8 1/2,11,3 1/2,2,3/4,1/2,3/4,3/4,5,2,e,e|-
4|3|Business Cards, 12 per page|L|11,8 1/2,3 1/2,2,1/4,1/4,1/4,1/4,4,3,e,e|-
4|3|Vertical business cards, 8 per page|L|11,8 1/2,2,3 1/2,3/4,1/2,3/4,1/2,2,4,1/2,1/2|-
4|3|Vertical business cards, 10 per page|L|11,8 1/2,2,3 1/2,1/2,3/4,3/4,3/4,2,5,e,e|-
4|3|Vertical business cards, 12 per page|P|8 1/2,11,2,3 1/2,1/4,1/4,1/4,1/4,3,4,e,e|-
4|3|Fold business cards, 5 per page|P|8 1/2,11,3 1/2,2,3/4,1/2,3/4,3/4,5,2,e,e|C
4|3|Fold vertical business cards, 5 per page|L|11,8 1/2,2,3 1/2,1/2,3/4,3/4,3/4,2,5,e,e|R
5|3|1/2 x 1/4 labels, letter-size paper|P|8 1/2,11,1/2,1/4,1/4,1/4,1/4,1/4,42,16,e,e|-
5|3|3/4 x 1/4 labels, letter-size paper|P|8 1/2,11,3/4,1/4,1/2,1/4,1/2,1/4,42,10,e,e|-
5|3|1 x 1/2 labels, letter-size paper|P|8 1/2,11,1,1/2,1/4,1/4,1/4,1/4,21,8,e,e|-
5|3|1 1/4 x 3/4 labels, letter-size paper|P|8 1/2,11,1 1/4,3/4,1/2,1/4,1/2,1/4,14,6,e,e|-
5|3|1 1/2 x 3/4 labels, letter-size paper|P|8 1/2,11,1 1/2,3/4,1/2,1/4,1/2,1/4,14,5,e,e|-
5|3|1 3/4 x 3/4 labels, letter-size paper|P|8 1/2,11,1 3/4,3/4,3/4,1/4,3/4,1/4,14,4,e,e|-
5|3|2 x 1 labels, letter-size paper|P|8 1/2,11,2,1,1/4,1/2,1/4,1/2,10,4,e,e|-
5|3|2 1/2 x 1 1/4 labels, letter-size paper|P|8 1/2,11,2 1/2,1 1/4,1/2,1/2,1/2,1/2,8,3,e,e|-
5|3|3 x 1 1/2 labels, letter-size paper|P|8 1/2,11,3,1 1/2,1 1/4,1/4,1 1/4,1/4,7,2,e,e|-
10|3|Half-fold brochures, letter-size paper|P|8 1/2,11,8 1/2,5 1/2,e,e,e,e,2,1,e,e|R
10|3|Tri-fold brochures, letter-size paper|P|8 1/2,11,8 1/2,3 2/3,e,e,e,e,3,1,e,e|R
11|3|Tent Cards 8 1/2 x 2 1/2|P|8 1/2,11,8 1/2,2 1/2,e,1/2,e,1/2,4,1,e,e|R
11|3|Tent Cards 11 x 3 1/2|L|11,8 1/2,11,3 1/2,e,3/4,e,3/4,2,1,e,e|R)";

// Pixels (every type) and Illustrations: unit|list text|orientation (K kept,
// S kept with the pair swapped in landscape, P, L)|width,height|margins
// ("-" not written, "e" empty).
const char* const kPaperRows = R"(1|Small Photo 250 x 350|S|250,350|-
1|Medium Photo 350 x 500|S|350,500|-
1|Large Photo 500 x 700|S|500,700|-
1|Leaderboard 728 x 90|L|728,90|-
1|Banner 468 x 60|L|468,60|-
1|Half Banner 234 x 60|L|234,60|-
1|Skyscraper 120 x 600|P|120,600|-
1|Wide Skyscraper 160 x 600|P|160,600|-
1|Vertical Banner 120 x 240|P|120,240|-
1|Button 125 x 125|K|125,125|-
1|Medium Rectangle 300 x 250|L|300,250|-
1|Square 250 x 250|K|250,250|-
1|Large Rectangle 336 x 280|L|336,280|-
1|Small Rectangle 180 x 150|L|180,150|-
2|A0 - drawings, posters|K|841,1189|7
2|A1 - drawings, posters, flip charts|K|594,841|7
2|A2 - flip charts, diagrams|K|420,594|7
2|A3 - newspapers, large tables|K|297,420|7
2|A4 - letters, magazines, forms, catalogs|K|210,297|7
2|A5 - note pads, books|K|148,210|7
2|A6 - books, postcards|K|105,148|7
2|A7 - index cards|K|74,105|7
2|C4 - envelopes for A4 letters unfolded|K|229,324|7
2|C5 - envelopes for A5 letters unfolded|K|162,229|7
2|C6 - envelopes for A6 postcards|K|114,162|7
2|C6/C5 - envelopes for A4 letters folded twice|K|114,229|7
2|DL - envelopes for A4 letters folded twice|K|110,220|7
2|B4 - newspapers, envelopes for C4|K|250,353|7
2|B5 - books, envelopes for C5|K|176,250|7
2|B6 - books, envelopes for C6|K|125,176|7
2|B7 - passports|K|88,125|7
2|B8 - playing cards|K|62,88|7
2|Photo - 90 x 130|K|90,130|e
2|Photo - 130 x 180|K|130,180|e
3|Letter 8 1/2 x 11|K|8 1/2,11|1/4
3|Legal 8 1/2 x 14|K|8 1/2,14|1/4
3|Executive 7 1/4 x 10 1/2|K|7 1/4,10 1/2|1/4
3|Ledger/Tabloid 11 x 17|K|11,17|1/4
3|Envelope #10 4 1/8 x 9 1/2|K|4 1/8,9 1/2|1/4
3|Envelope Monarch 3 7/8 x 7 1/2|K|3 7/8,7 1/2|1/4
3|Photo 4 x 6|K|4,6|e
3|Photo 5 x 7|K|5,7|e)";

TEST(QuickSelectCatalogue, CardAndBrochureRowsWriteWhatThePageSizeTablesList)
{
    std::map<std::pair<int, int>, std::size_t> seen;
    for (const std::string& line : Split(kCardRows, '\n')) {
        const auto col = Split(line, '|');
        ASSERT_EQ(col.size(), 6u) << line;
        const int type = std::stoi(col[0]);
        const int unit = std::stoi(col[1]);
        const std::size_t index = seen[{type, unit}]++;
        const auto& rows = QuickSelectRows(type, unit);
        ASSERT_LT(index, rows.size()) << line;
        const QuickSelectRow& row = rows[index];
        SCOPED_TRACE(line);
        EXPECT_EQ(row.text, U(col[2]));
        EXPECT_EQ(row.orientation,
                  col[3] == "L" ? RowOrientation::SetLandscape : RowOrientation::SetPortrait);
        const auto values = Split(col[4], ',');
        ASSERT_EQ(values.size(), 12u);
        for (std::size_t k = 0; k < 12; ++k) {
            ASSERT_NE(row.values[k], nullptr) << "text " << k + 1;
            EXPECT_EQ(std::u16string(row.values[k]), values[k] == "e" ? u"" : U(values[k]))
                << "text " << k + 1;
        }
        EXPECT_EQ(row.fold, col[5] == "R" ? RowFold::Row : col[5] == "C" ? RowFold::Column : RowFold::None);
    }
    // Every list is complete: no row the tables do not have.
    for (const auto& [key, count] : seen)
        EXPECT_EQ(QuickSelectRows(key.first, key.second).size(), count) << key.first << "/" << key.second;
}

TEST(QuickSelectCatalogue, PixelAndIllustrationRowsWriteTheirSizeAndMargins)
{
    std::map<int, std::size_t> seen;
    for (const std::string& line : Split(kPaperRows, '\n')) {
        const auto col = Split(line, '|');
        ASSERT_EQ(col.size(), 5u) << line;
        const int unit = std::stoi(col[0]);
        const std::size_t index = seen[unit]++;
        const auto& rows = QuickSelectRows(DesignIllustrations, unit);
        ASSERT_LT(index, rows.size()) << line;
        const QuickSelectRow& row = rows[index];
        SCOPED_TRACE(line);
        EXPECT_EQ(row.text, U(col[1]));
        const RowOrientation o = col[2] == "S"   ? RowOrientation::KeepSwapped
                                 : col[2] == "P" ? RowOrientation::SetPortrait
                                 : col[2] == "L" ? RowOrientation::SetLandscape
                                                 : RowOrientation::Keep;
        EXPECT_EQ(row.orientation, o);
        const auto size = Split(col[3], ',');
        EXPECT_EQ(std::u16string(row.values[TextPaperWidth]), U(size[0]));
        EXPECT_EQ(std::u16string(row.values[TextPaperHeight]), U(size[1]));
        for (int k = TextCardWidth; k <= TextColumnGap; ++k) {
            const bool margin = k >= TextMarginLeft && k <= TextMarginBottom;
            if (margin && col[4] != "-") {
                ASSERT_NE(row.values[k], nullptr);
                EXPECT_EQ(std::u16string(row.values[k]), col[4] == "e" ? u"" : U(col[4]));
            } else {
                EXPECT_EQ(row.values[k], nullptr) << "text " << k + 1 << " is not the row's";
            }
        }
        EXPECT_EQ(row.fold, RowFold::NotWritten);
    }
    EXPECT_EQ(seen[UnitPixels], 14u);
    EXPECT_EQ(QuickSelectRows(DesignIllustrations, UnitMillimeters).size(), seen[UnitMillimeters]);
    EXPECT_EQ(QuickSelectRows(DesignIllustrations, UnitInches).size(), seen[UnitInches]);
    // The pixel list is the same for every type.
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t)
        EXPECT_EQ(QuickSelectTexts(t, UnitPixels), QuickSelectTexts(DesignIllustrations, UnitPixels)) << t;
}

TEST(QuickSelectCatalogue, TypesWithoutAListOfferNothingAndRefuseRows)
{
    for (std::int32_t t :
         {DesignCdDvdLabels, DesignJewelCaseInserts, DesignDvdCaseInserts, DesignDigitalImages})
        for (std::int32_t u : {UnitMillimeters, UnitInches}) {
            EXPECT_TRUE(QuickSelectRows(t, u).empty()) << t << "/" << u;
            miry_t set;
            std::int32_t o = Portrait;
            EXPECT_FALSE(ApplyQuickSelectRow(t, u, 0, set, o));
            EXPECT_EQ(matchQuickSelect(t, u, set, o), -1);
        }
    EXPECT_TRUE(QuickSelectRows(0, UnitPixels).empty());
    EXPECT_TRUE(QuickSelectRows(DesignLabels, 4).empty());
    miry_t set;
    std::int32_t o = Portrait;
    EXPECT_FALSE(ApplyQuickSelectRow(DesignLabels, UnitMillimeters, 10, set, o));
    EXPECT_FALSE(ApplyQuickSelectRow(DesignLabels, UnitMillimeters, -1, set, o));
    EXPECT_EQ(set.quickSelect, -1);
}

miry_t Paper(const char16_t* w, const char16_t* h)
{
    miry_t s;
    s.texts[TextPaperWidth] = w;
    s.texts[TextPaperHeight] = h;
    return s;
}

TEST(MatchQuickSelect, IllustrationsMatchOnThePaperInEitherOrder)
{
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, Paper(u"74", u"105"), Portrait), 7);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, Paper(u"105", u"74"), Landscape), 7);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, Paper(u" 105 ", u"74"), Portrait), 7);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitInches, Paper(u"5", u"7"), Portrait), 7);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitInches, Paper(u"7\"", u"5,0"), Portrait), 7);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitInches, Paper(u"8.5", u"11"), Portrait), 0);
    // Millimetres compare as whole numbers: a decimal text matches nothing.
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, Paper(u"74.0", u"105"), Portrait), -1);
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, Paper(u"74", u""), Portrait), -1);
    // Margins are not compared.
    miry_t a4 = Paper(u"210", u"297");
    a4.texts[TextMarginLeft] = u"30";
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitMillimeters, a4, Portrait), 4);
}

TEST(MatchQuickSelect, PixelPhotosMatchEitherWayBannersOnlyAsListed)
{
    EXPECT_EQ(matchQuickSelect(DesignDigitalImages, UnitPixels, Paper(u"350", u"250"), Landscape), 0);
    EXPECT_EQ(matchQuickSelect(DesignDigitalImages, UnitPixels, Paper(u"250", u"350"), Landscape), 0);
    EXPECT_EQ(matchQuickSelect(DesignDigitalImages, UnitPixels, Paper(u"728", u"90"), Landscape), 3);
    EXPECT_EQ(matchQuickSelect(DesignDigitalImages, UnitPixels, Paper(u"90", u"728"), Landscape), -1);
    // 250 x 250 is the Square; the last of several matches wins.
    EXPECT_EQ(matchQuickSelect(DesignIllustrations, UnitPixels, Paper(u"250", u"250"), Portrait), 11);
}

TEST(ApplyQuickSelectRow, WritesOnlyTheRowsFieldsAndItsOrientation)
{
    // Small Photo in landscape writes the pair swapped and keeps the orientation.
    miry_t px = Paper(u"1", u"2");
    std::int32_t o = Landscape;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignDigitalImages, UnitPixels, 0, px, o));
    EXPECT_EQ(px.texts[TextPaperWidth], u"350");
    EXPECT_EQ(px.texts[TextPaperHeight], u"250");
    EXPECT_EQ(o, Landscape);
    EXPECT_EQ(px.quickSelect, 0);
    EXPECT_EQ(matchQuickSelect(DesignDigitalImages, UnitPixels, px, o), 0);

    // Leaderboard turns the page to landscape.
    o = Portrait;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignDigitalImages, UnitPixels, 3, px, o));
    EXPECT_EQ(o, Landscape);
    EXPECT_EQ(px.texts[TextPaperWidth], u"728");

    // A4 in landscape writes 210 x 297 and stays landscape; margins become 7,
    // the rest of the set is left alone.
    miry_t mm = Paper(u"1", u"1");
    mm.texts[TextRows] = u"9";
    mm.rowFold = 1;
    o = Landscape;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignIllustrations, UnitMillimeters, 4, mm, o));
    EXPECT_EQ(o, Landscape);
    EXPECT_EQ(mm.texts[TextPaperWidth], u"210");
    EXPECT_EQ(mm.texts[TextPaperHeight], u"297");
    EXPECT_EQ(mm.texts[TextMarginBottom], u"7");
    EXPECT_EQ(mm.texts[TextRows], u"9");
    EXPECT_EQ(mm.rowFold, 1);

    // A card row sets both folds: the one listed on, the other off.
    miry_t card;
    card.rowFold = 1;
    card.texts[TextReserved1] = u"keep";
    o = Portrait;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignBusinessCards, UnitMillimeters, 2, card, o));
    EXPECT_EQ(card.rowFold, 0);
    EXPECT_EQ(card.columnFold, 1);
    EXPECT_EQ(card.texts[TextReserved1], u"keep");
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, card, o), 2);
}

TEST(MatchQuickSelect, EveryCardRowIsFoundAgainAfterItWasChosen)
{
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t)
        for (std::int32_t u : {UnitMillimeters, UnitInches}) {
            if (t == DesignIllustrations)
                continue;
            const auto& rows = QuickSelectRows(t, u);
            for (std::int32_t i = 0; i < static_cast<std::int32_t>(rows.size()); ++i) {
                miry_t set;
                std::int32_t o = Portrait;
                ASSERT_TRUE(ApplyQuickSelectRow(t, u, i, set, o));
                // Rows that carry the same values share a match: the last wins.
                std::int32_t last = i;
                for (std::int32_t j = i + 1; j < static_cast<std::int32_t>(rows.size()); ++j) {
                    miry_t other;
                    std::int32_t oo = Portrait;
                    ApplyQuickSelectRow(t, u, j, other, oo);
                    if (other.texts == set.texts && other.rowFold == set.rowFold &&
                        other.columnFold == set.columnFold && oo == o)
                        last = j;
                }
                EXPECT_EQ(matchQuickSelect(t, u, set, o), last) << t << "/" << u << " row " << i;
            }
        }
}

TEST(MatchQuickSelect, CardRowsWantTheirOrientationFoldsAndEveryLength)
{
    miry_t set;
    std::int32_t o = Portrait;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignBusinessCards, UnitMillimeters, 1, set, o));
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, set, Landscape), -1);
    miry_t edited = set;
    edited.texts[TextMarginLeft] = u"30";
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, edited, Portrait), -1);
    edited.texts[TextMarginLeft] = u"31";
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, edited, Portrait), 1);
    edited.columnFold = 1;
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, edited, Portrait), 2);
    // Empty equals 0.
    edited.columnFold = 0;
    edited.texts[TextRowGap] = u"";
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, edited, Portrait), 1);
    edited.texts[TextRowGap] = u"none";
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitMillimeters, edited, Portrait), -1);

    // Inches compare values: 0.5 is 1/2.
    miry_t in;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignBusinessCards, UnitInches, 0, in, o));
    in.texts[TextMarginLeft] = u"0.5";
    EXPECT_EQ(matchQuickSelect(DesignBusinessCards, UnitInches, in, Portrait), 0);
}

TEST(MatchQuickSelect, ABrochureTurnedOnItsSideIsStillFound)
{
    miry_t set;
    std::int32_t o = Portrait;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignBrochures, UnitMillimeters, 1, set, o));
    TransposeDimensionSet(set);
    EXPECT_EQ(set.texts[TextPaperWidth], u"297");
    EXPECT_EQ(set.texts[TextRows], u"1");
    EXPECT_EQ(set.columnFold, 1);
    EXPECT_EQ(matchQuickSelect(DesignBrochures, UnitMillimeters, set, Landscape), 1);
    EXPECT_EQ(matchQuickSelect(DesignBrochures, UnitMillimeters, set, Portrait), -1);
    // Other card types do not.
    miry_t cards;
    ASSERT_TRUE(ApplyQuickSelectRow(DesignTentCards, UnitMillimeters, 0, cards, o));
    TransposeDimensionSet(cards);
    EXPECT_EQ(matchQuickSelect(DesignTentCards, UnitMillimeters, cards, Landscape), -1);
}

} // namespace
} // namespace vlm
