#pragma once

// The words of the label and card templates: the Templates box of the Page
// Setup dialog, the list texts composed for each product, the reasons a
// product is shown but not offered, and the lines left on the diagnostics
// when a template file is skipped.

namespace vlm::texts {

// The Templates box.
inline constexpr const char16_t* kTemplates = u"Templates";
inline constexpr const char16_t* kTemplateSearch = u"Search templates";
inline constexpr const char16_t* kTemplateSearchHint = u"Brand, product number, size ...";
inline constexpr const char16_t* kSaveAsTemplate = u"Save as Template...";
inline constexpr const char16_t* kSaveTemplateTitle = u"Save as Template";
inline constexpr const char16_t* kTemplateBrand = u"Brand";
inline constexpr const char16_t* kTemplateName = u"Name";
inline constexpr const char16_t* kTemplateDescription = u"Description";
inline constexpr const char16_t* kSaveTemplateOk = u"Save";
inline constexpr const char16_t* kTemplateSaved = u"The template was saved as ";
inline constexpr const char16_t* kTemplateNotSaved = u"The template could not be saved: ";
inline constexpr const char16_t* kTemplateNeedsLength =
    u"Templates are saved in millimeters or inches, with every length a number.";

// Composing a list text: "Avery 5160 - Address Labels - 2.625 x 1 in, 3 x 10
// (30 per sheet), US Letter".
inline constexpr const char16_t* kTemplateDash = u" - ";
inline constexpr const char16_t* kTemplateTimes = u" x ";
inline constexpr const char16_t* kTemplatePerSheet = u" per sheet";
inline constexpr const char16_t* kTemplateMm = u" mm";
inline constexpr const char16_t* kTemplateIn = u" in";
inline constexpr const char16_t* kTemplateSameAs = u"same as ";
inline constexpr const char16_t* kTemplateBuiltIn = u"Quick select";

// Round, elliptical and disc labels are laid out by the cell around them.
inline constexpr const char16_t* kTemplateRoundNote = u"round, laid out by its square";
inline constexpr const char16_t* kTemplateEllipseNote = u"elliptical, laid out by its bounding box";
inline constexpr const char16_t* kTemplateDiscNote = u"CD/DVD, laid out by its square";

// Why a template is listed greyed.
inline constexpr const char16_t* kTemplateNotOffered = u"not offered: ";
inline constexpr const char16_t* kTemplateSeveralLayouts = u"its labels stand in several layouts";
inline constexpr const char16_t* kTemplateSeveralShapes = u"it holds labels of several shapes";
inline constexpr const char16_t* kTemplateOverlapping = u"its labels overlap (negative gap)";

// Diagnostics: "<file>: <reason>, file skipped" or "<file>:<line>: <brand part>: <reason>, template skipped".
inline constexpr const char16_t* kFileSkipped = u", file skipped";
inline constexpr const char16_t* kTemplateSkipped = u", template skipped";
inline constexpr const char16_t* kTooLargeFile = u"larger than 8 MB";
inline constexpr const char16_t* kUnreadableFile = u"cannot be read";
inline constexpr const char16_t* kNotTemplateFile = u"not a template file";
inline constexpr const char16_t* kEntitiesRefused = u"declares entities, which template files never need";
inline constexpr const char16_t* kTooManyTemplates = u"more templates than a file may hold";
inline constexpr const char16_t* kBadLength = u"a length is not a positive number with a known unit: ";
inline constexpr const char16_t* kUnknownPaper = u"unknown paper size ";
inline constexpr const char16_t* kNoLabel = u"no label shape with a layout";
inline constexpr const char16_t* kBadCount = u"columns and rows must be whole numbers from 1 to 1000";
inline constexpr const char16_t* kTooManyCells = u"more than 10000 labels on a sheet";
inline constexpr const char16_t* kUnknownBase = u"same as an unknown product ";
inline constexpr const char16_t* kNoName = u"no brand or product number";

} // namespace vlm::texts
