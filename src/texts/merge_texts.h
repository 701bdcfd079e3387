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
