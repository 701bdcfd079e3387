#pragma once

// Data files for printing with data: a table of records read from a CSV file
// as spreadsheets export it. Quoted fields may hold separators, doubled
// quotes and line breaks; the text is UTF-8 (with or without a byte-order
// mark) or, when its bytes are not UTF-8, Latin-1. The separator is a comma,
// a semicolon or a tab, taken from the header row unless given. The first
// row names the columns; empty lines are skipped, short rows are padded with
// empty values and values past the last named column are dropped.

#include <QByteArray>

#include <string>
#include <unordered_map>
#include <vector>

namespace vlm {

// The most records a data file may hold.
inline constexpr std::size_t kMaxDataRecords = 1000000;

struct DataTable
{
    std::vector<std::u16string> columns;
    // Each record has exactly one value per column.
    std::vector<std::vector<std::u16string>> records;

    // The column named exactly `name`, or -1.
    int columnOf(const std::u16string& name) const;
};

// 0 detects the separator from the header row.
struct DataReadOptions
{
    char16_t separator = 0;
    std::size_t maxRecords = kMaxDataRecords;
};

// Reads the table from the file's bytes. False with `error` set to a
// sentence for the user when the bytes are not text, hold no header row,
// name a column twice or not at all, or hold too many records.
bool readDataText(const QByteArray& bytes, DataTable& table, std::string& error,
                  const DataReadOptions& options = DataReadOptions());

// Reads the whole file at once, so that a file changed while the records
// are printed does not change what is printed.
bool readDataFile(const std::string& path, DataTable& table, std::string& error,
                  const DataReadOptions& options = DataReadOptions());

// The separator the header row of `text` uses: whichever of comma,
// semicolon and tab it holds most of outside quotes (comma when none).
char16_t detectSeparator(const std::u16string& text);

} // namespace vlm
