#pragma once

// The words of the Page Setup dialog: design types and their descriptions,
// the dimension panel, its hints and the words the Quick select lists are
// composed of.

namespace vlm::texts {

// Dialog frame and buttons.
inline constexpr const char16_t* kPageSetupTitle = u"Page Setup";
inline constexpr const char16_t* kTitleDash = u" - ";
inline constexpr const char16_t* kApply = u"Apply";
inline constexpr const char16_t* kCancel = u"Cancel";
inline constexpr const char16_t* kDesignTypeHeading = u"Design type";

// Design types, by code 1..11.
inline constexpr const char16_t* kDesignTypeNames[11] = {
    u"Illustrations",  u"Postcards",     u"Greeting Cards",     u"Business Cards",
    u"Labels",         u"CD/DVD Labels", u"Jewel Case Inserts", u"DVD Case Inserts",
    u"Digital Images", u"Brochures",     u"Tent Cards",
};
inline constexpr const char16_t* kDesignTypeDescriptions[11] = {
    u"'Illustrations' include posters, flyers, charts, photo books and other designs that are printed on the "
    u"whole sheet of paper.",
    u"'Postcards' include postcards, greeting cards, rotary cards, name badges, and other designs that are "
    u"printed in rows and columns on a sheet of pre-cut paper.",
    u"'Greeting Cards' include any cards that have one or more folds, either horizontal or vertical, that "
    u"are "
    u"printed in rows and columns on a sheet of pre-cut paper.",
    u"'Business Cards' include business cards, either horizontal or vertical, simple or folding, that are "
    u"printed in rows and columns on a sheet of pre-cut paper.",
    u"'Labels' include mailing and other labels that are printed in rows and columns on a sheet of paper.",
    u"'CD/DVD Labels' have circular shapes and are printed on a sheet of pre-cut paper or foil, and then "
    u"applied on the surface of CDs or DVDs.",
    u"'Jewel Case Inserts' include front and back case designs that are printed on a sheet of pre-cut paper, "
    u"and then inserted into CD or DVD jewel cases.",
    u"'DVD Case Inserts' include front and back case designs that are printed on a sheet of pre-cut paper, "
    u"and "
    u"then inserted into DVD cases.",
    u"'Digital Images' include Web and email pictures that are published or sent over the Internet.",
    u"'Brochures' include designs and publications that are printed on a sheet of paper and then folded.",
    u"'Tent Cards' include any cards that fold in the middle to stand upright.",
};

// The dimension panel.
inline constexpr const char16_t* kPortrait = u"Portrait";
inline constexpr const char16_t* kLandscape = u"Landscape";
inline constexpr const char16_t* kQuickSelect = u"Quick select";
inline constexpr const char16_t* kMeasuringUnits = u"Measuring Units";
inline constexpr const char16_t* kPaperWidth = u"Paper width";
inline constexpr const char16_t* kPaperHeight = u"Paper height";
inline constexpr const char16_t* kImageWidth = u"Image width";
inline constexpr const char16_t* kImageHeight = u"Image height";
inline constexpr const char16_t* kCardWidth = u"Card width";
inline constexpr const char16_t* kCardHeight = u"Card height";
inline constexpr const char16_t* kLabelWidth = u"Label width";
inline constexpr const char16_t* kLabelHeight = u"Label height";
inline constexpr const char16_t* kBrochureWidth = u"Brochure width";
inline constexpr const char16_t* kBrochureHeight = u"Brochure height";
inline constexpr const char16_t* kLeftMargin = u"Left margin";
inline constexpr const char16_t* kTopMargin = u"Top margin";
inline constexpr const char16_t* kRightMargin = u"Right margin";
inline constexpr const char16_t* kBottomMargin = u"Bottom margin";
inline constexpr const char16_t* kRows = u"Rows";
inline constexpr const char16_t* kColumns = u"Columns";
inline constexpr const char16_t* kRowGap = u"Row gap";
inline constexpr const char16_t* kColumnGap = u"Column gap";
inline constexpr const char16_t* kColumnFold = u"Column fold";
inline constexpr const char16_t* kRowFold = u"Row fold";

// The sample.
inline constexpr const char16_t* kSampleHeading = u"Sample";
inline constexpr const char16_t* kActualSize = u"Actual size";
inline constexpr const char16_t* kScaledToFit = u"Scaled to fit this window";

// Hints beside the design-type menu; kHintUnsure shows kHintUnsureWord emphasised.
inline constexpr const char16_t* kHintHighlightType =
    u"Highlight the type of your design in the left menu (move the mouse to place the cursor over the menu).";
inline constexpr const char16_t* kHintUnsure = u"If you are not sure what you want to design, select "
                                               u"Illustrations. You will be able to redefine the page "
                                               u"setup later.";
inline constexpr const char16_t* kHintUnsureWord = u"Illustrations";
inline constexpr const char16_t* kHintProceed =
    u"Then, click on the highlighted button in the left menu to proceed.";

// Hints beside the dimension panel, by family.
inline constexpr const char16_t* kHintSheetPrint = u"On your screen, you can draw beyond the paper edges or "
                                                   u"margins, but your printer will only print what fits "
                                                   u"on your paper.";
inline constexpr const char16_t* kHintSheetMargins =
    u"You will see the margins drawn in dotted lines around your art.";
inline constexpr const char16_t* kHintSheetOutline =
    u"Also, you will see the outline of your paper drawn in solid lines around your art when you enlarge the "
    u"canvas area by dragging the ruler ends.";
inline constexpr const char16_t* kHintCardCopies = u"Before printing, the software will copy your design to "
                                                   u"all the cards in the rows and columns that you set "
                                                   u"up.";
inline constexpr const char16_t* kHintCardCanvas =
    u"The size of your canvas equals the size of one card. You will see the outline of your card drawn in "
    u"solid "
    u"lines when you enlarge the canvas area by dragging the ruler ends.";
inline constexpr const char16_t* kHintDigitalSizes =
    u"Digital images, for instance in Web sites or photo-albums, have their sizes specified in pixels.";
inline constexpr const char16_t* kHintDigitalPixel =
    u"A pixel is one color dot on your screen. The screen has several hundred pixels in each direction, "
    u"horizontal and vertical.";

// The insert panel's line; kPageSetupLinkWord is the link in it.
inline constexpr const char16_t* kPageSetupLinkLine =
    u"Use Page Setup to change the brochure size and page layout.";
inline constexpr const char16_t* kPageSetupLinkWord = u"Page Setup";

// Words the Quick select list texts are made of.
inline constexpr const char16_t* kQsFold = u"Fold";
inline constexpr const char16_t* kQsVertical = u"Vertical";
inline constexpr const char16_t* kQsHorizontal = u"horizontal";
inline constexpr const char16_t* kQs2Per = u"2 per";
inline constexpr const char16_t* kQs3Per = u"3 per";
inline constexpr const char16_t* kQs4Per = u"4 per";
inline constexpr const char16_t* kQs5Per = u"5 per";
inline constexpr const char16_t* kQs8Per = u"8 per";
inline constexpr const char16_t* kQs10Per = u"10 per";
inline constexpr const char16_t* kQs12Per = u"12 per";
inline constexpr const char16_t* kQsPage = u"page";
inline constexpr const char16_t* kQsA4Paper = u"A4 paper";
inline constexpr const char16_t* kQsLetterPaper = u"letter-size paper";
inline constexpr const char16_t* kQsVerticalCards = u"vertical cards";
inline constexpr const char16_t* kQsHalfFold = u"Half-fold";
inline constexpr const char16_t* kQsTriFold = u"Tri-fold";
inline constexpr const char16_t* kQsPhoto = u"Photo";
inline constexpr const char16_t* kQsSmall = u"Small";
inline constexpr const char16_t* kQsMedium = u"Medium";
inline constexpr const char16_t* kQsLarge = u"Large";
inline constexpr const char16_t* kQsLeaderboard = u"Leaderboard";
inline constexpr const char16_t* kQsBanner = u"Banner";
inline constexpr const char16_t* kQsHalfBanner = u"Half Banner";
inline constexpr const char16_t* kQsSkyscraper = u"Skyscraper";
inline constexpr const char16_t* kQsWideSkyscraper = u"Wide Skyscraper";
inline constexpr const char16_t* kQsVerticalBanner = u"Vertical Banner";
inline constexpr const char16_t* kQsButton = u"Button";
inline constexpr const char16_t* kQsMediumRectangle = u"Medium Rectangle";
inline constexpr const char16_t* kQsSquare = u"Square";
inline constexpr const char16_t* kQsLargeRectangle = u"Large Rectangle";
inline constexpr const char16_t* kQsSmallRectangle = u"Small Rectangle";
inline constexpr const char16_t* kQsLetter = u"Letter";
inline constexpr const char16_t* kQsLegal = u"Legal";
inline constexpr const char16_t* kQsExecutive = u"Executive";
inline constexpr const char16_t* kQsLedger = u"Ledger/Tabloid";
inline constexpr const char16_t* kQsEnvelope10 = u"Envelope #10";
inline constexpr const char16_t* kQsEnvelopeMonarch = u"Envelope Monarch";

// Millimetre paper sizes of Illustrations, in list order.
inline constexpr const char16_t* kQsPaperNames[18] = {
    u"A0 - drawings, posters",
    u"A1 - drawings, posters, flip charts",
    u"A2 - flip charts, diagrams",
    u"A3 - newspapers, large tables",
    u"A4 - letters, magazines, forms, catalogs",
    u"A5 - note pads, books",
    u"A6 - books, postcards",
    u"A7 - index cards",
    u"C4 - envelopes for A4 letters unfolded",
    u"C5 - envelopes for A5 letters unfolded",
    u"C6 - envelopes for A6 postcards",
    u"C6/C5 - envelopes for A4 letters folded twice",
    u"DL - envelopes for A4 letters folded twice",
    u"B4 - newspapers, envelopes for C4",
    u"B5 - books, envelopes for C5",
    u"B6 - books, envelopes for C6",
    u"B7 - passports",
    u"B8 - playing cards",
};

} // namespace vlm::texts
