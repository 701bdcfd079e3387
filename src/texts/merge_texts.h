#pragma once

// The words of printing with data: the data file's messages, the window's
// "Print with Data..." and the command line's merge.

namespace vlm::texts {

inline constexpr const char* kDataNotText =
    "The data file is not a text file. Save the table from the spreadsheet as CSV (comma-separated values).";
inline constexpr const char* kDataEmpty = "The data file is empty: its first row must name the columns.";
inline constexpr const char* kDataEmptyColumnName = "The first row of the data file leaves column %1 without a name.";
inline constexpr const char* kDataDuplicateColumnName =
    "The first row of the data file names two columns \"%1\"; each column needs a name of its own.";
inline constexpr const char* kDataTooManyRecords = "The data file holds more than 1,000,000 records.";
inline constexpr const char* kDataCannotRead = "The data file could not be read: ";
inline constexpr const char* kDataNoRecords = "The data file holds no records to print.";
inline constexpr const char* kDataBadRange = "No record lies in the range given.";

} // namespace vlm::texts

namespace vlm::texts {

// "File" > "Print with Data..." and its toolbar button.
inline constexpr const char16_t* kMenuPrintWithData = u"Print with Data...";
inline constexpr const char16_t* kButtonPrintWithData = u"Print with Data";
inline constexpr const char16_t* kHintPrintWithData = u"Print the design once per record of a data file";
inline constexpr const char16_t* kDataFileTitle = u"Data File";
inline constexpr const char16_t* kDataFileFilter =
    u"Data Files (*.csv,*.txt,*.tsv)|*.csv;*.txt;*.tsv|All Files (*.*)|*.*";

// The "Print with Data" window.
inline constexpr const char16_t* kMergeTitle = u"Print with Data";
inline constexpr const char16_t* kMergeChooseFile = u"Data File...";
inline constexpr const char16_t* kMergeNoFile = u"No data file";
inline constexpr const char16_t* kMergeFileRecords = u"%1: %2 records";
inline constexpr const char16_t* kMergeColumns = u"Columns";
inline constexpr const char16_t* kMergeRecords = u"First records";
inline constexpr const char16_t* kMergeInsertField = u"Insert Field";
inline constexpr const char16_t* kMergeInsertHint =
    u"Type ${Column} into a text, or pick a column and click Insert Field while you type a text.";
inline constexpr const char16_t* kMergePreview = u"Sheet preview";
inline constexpr const char16_t* kMergePreviousSheet = u"Previous sheet";
inline constexpr const char16_t* kMergeNextSheet = u"Next sheet";
inline constexpr const char16_t* kMergeSheetOf = u"Sheet %1 of %2";
inline constexpr const char16_t* kMergeNoSheet = u"No sheet to print";
inline constexpr const char16_t* kMergePrint = u"Print";
inline constexpr const char16_t* kMergeClose = u"Close";

} // namespace vlm::texts
