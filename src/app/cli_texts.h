#pragma once

// The words of vellumora-cli.

namespace vlm::cli::texts {

inline constexpr const char* kHelp =
    "Usage: vellumora-cli [--dpi N] [--zoom Z] [--mode M] [--cells S] [--pdf F] [--yes]\n                    COMMAND FILE...\n"
    "       vellumora-cli merge [--cells S] [--first N] [--last N] [--copies N]\n                    IN DATA.csv OUT.pdf\n"
    "       vellumora-cli templates [--search TEXT]\n"
    "       vellumora-cli new --template \"BRAND PART\" OUT.vlmr\n"
    "\n"
    "Inspects, checks, re-saves, renders and makes Vellumora documents (.vlmr)\nwithout a window.\n"
    "\n"
    "Commands:\n"
    "  info FILE        one line per record (index, offset, role, kind, sequence,\n"
    "                   edit step, points, blobs), then the page header: unit,\n"
    "                   zoom, design area and page setup, then each picture\n"
    "                   (number, format, size, file name) and the clips using it\n"
    "  check FILE       lists the structural problems of the file\n"
    "  resave IN OUT    opens IN as Vellumora does and saves it as OUT\n"
    "  render IN OUT    paints the design area of IN as Vellumora shows it, at\n"
    "                   --zoom, into the PNG picture OUT\n"
    "  export IN OUT    writes the design as a picture: JPEG, or BMP, ICO or PNG\n"
    "                   by OUT's extension; --mode exact (default) renders\n"
    "                   at screen resolution, --mode smooth as the print\n"
    "                   preview does; --cells is the area selection (smooth).\n"
    "                   OUT.pdf and OUT.svg get the sheet as vectors: text as\n"
    "                   text, pictures and shadows as lossless images, the\n"
    "                   cells as print prints them (--cells)\n"
    "  print IN --pdf OUT.pdf\n"
    "                   renders the sheet as printing does, for a printer of\n"
    "                   --dpi dots per inch (default 600) and the paper size,\n"
    "                   into a one-page PDF of lossless tiles; --cells is the\n"
    "                   area selection\n"
    "  templates        lists the label and card templates (brand and product,\n"
    "                   size, columns x rows, paper, source file): the installed\n"
    "                   products database, your own in\n"
    "                   $XDG_DATA_HOME/vellumora/templates, the Quick select rows;\n"
    "                   --search keeps those holding every word of TEXT\n"
    "  merge IN DATA.csv OUT.pdf\n"
    "                   prints IN with data: each ${Field} in its texts becomes\n"
    "                   the record's value of the column headed Field (the\n"
    "                   first row of DATA.csv, a CSV file with commas,\n"
    "                   semicolons or tabs, UTF-8 or Latin-1); the records fill\n"
    "                   the cells --cells leaves on the first sheet, then whole\n"
    "                   sheets, one PDF page a sheet (one record a page without\n"
    "                   cells); --first N and --last N print a range of records\n"
    "                   (1 is the first below the header row), --copies N each\n"
    "                   record N times. OUT.png (or .jpg, .bmp) writes one\n"
    "                   picture per record instead: OUT-00001.png, ...\n"
    "  new --template \"BRAND PART\" OUT\n"
    "                   writes a new empty document with that template's page\n"
    "                   setup (as File > New and Page Setup's Apply make it)\n"
    "\n"
    "Options:\n"
    "  --dpi N          the screen resolution documents in millimetres or inches\n"
    "                   are read for (default 96); print: the printer's\n"
    "                   resolution (default 600)\n"
    "  --zoom Z         render: the zoom factor, 0.01 to 3 (default 1)\n"
    "  --cells STRING   one character per print cell, row by row; \"x\" leaves\n"
    "                   that cell white (default: every cell prints)\n"
    "  --first N        merge: the first record to print (default 1)\n"
    "  --last N         merge: the last record to print (default: the last)\n"
    "  --copies N       merge: copies of each record, 1 to 1000 (default 1)\n"
    "  --search TEXT    templates: words, sizes (\"85 x 54\") or \"30 per sheet\"\n"
    "  --template NAME  new: a product (\"Avery 5160\") or a Quick select row's text\n"
    "  --yes            open a file that fails the validity check anyway\n"
    "                   (otherwise resave answers No and stops)\n"
    "  -h, --help       this text\n"
    "\n"
    "Exit codes:\n"
    "  0  success (check: no problems; notes may be listed)\n"
    "  1  a file could not be read or written, or is not a valid document\n"
    "     (merge: or the data file is not a table, or holds no record to print)\n"
    "  2  the command line is wrong\n"
    "  3  check: the file reads, but has structural problems\n";

inline constexpr const char* kUnknownCommand = "unknown command: ";
inline constexpr const char* kUnknownOption = "unknown option: ";
inline constexpr const char* kBadDpi = "--dpi needs a number from 1 to 10000";
inline constexpr const char* kNeedsMode = "--mode needs exact or smooth";
inline constexpr const char* kBadFirst = "--first needs a whole number from 1";
inline constexpr const char* kBadLast = "--last needs a whole number from 1";
inline constexpr const char* kBadCopies = "--copies needs a whole number from 1 to 1000";
inline constexpr const char* kMergePages = " page(s) written";
inline constexpr const char* kMergePictures = " picture(s) written";
inline constexpr const char* kMergeNeedsOutput = "merge writes a PDF (.pdf) or pictures (.png, .jpg, .bmp): ";
inline constexpr const char* kNeedsCells = "--cells needs a string";
inline constexpr const char* kNeedsSearch = "--search needs the text to look for";
inline constexpr const char* kNeedsTemplate = "--template needs the template's brand and product number";
inline constexpr const char* kNewNeedsTemplate = "new needs --template \"BRAND PART\"";
inline constexpr const char* kNoSuchTemplate = "no template is called ";
inline constexpr const char* kTemplateNotOffered = " cannot be used: ";
inline constexpr const char* kNoTemplateMatches = "no template matches";
inline constexpr const char* kBuiltInSource = "built in";
inline constexpr const char* kNeedsPdf = "--pdf needs the name of the PDF file to write";
inline constexpr const char* kPrintNeedsPdf = "print needs --pdf OUT.pdf: there is no printer on the command line";
inline constexpr const char* kWrongArguments = "wrong number of arguments for ";
inline constexpr const char* kSeeHelp = "Run vellumora-cli --help for the usage.";
inline constexpr const char* kCannotRead = "cannot read ";
inline constexpr const char* kCannotWrite = "cannot write ";
inline constexpr const char* kNoSuchFile = "no such file: ";
inline constexpr const char* kDeclinedInvalid = " is not a valid Vellumora file; use --yes to open it anyway";
inline constexpr const char* kAcceptedInvalid = " is not a valid Vellumora file; opening it anyway";
inline constexpr const char* kNoProblems = "no problems found";
inline constexpr const char* kProblemsFound = " problem(s) found";
inline constexpr const char* kProblem = "problem: ";
inline constexpr const char* kNote = "note: ";
inline constexpr const char* kRecord = "record ";
inline constexpr const char* kBlob = " blob ";

// One per kind of finding, in the order of FileProblemKind.
inline constexpr const char* kFindings[] = {
    "signature is not that of a Vellumora record",
    "the file has no page header record",
    "the page header is not the first record",
    "a second page header record",
    "the file has no visible grid record",
    "a second visible grid record",
    "unknown role",
    "unknown kind",
    "text length out of range, not read (its bytes are taken for records)",
    "longer than the rest of the file; reading ends here",
    "text length is odd",
    "length is not a whole number of entries",
    "grid entries with an unknown orientation",
    "a second picture with this number",
    "picture clip names a picture the file does not hold",
    "a second line pattern with this number",
    "line uses a pattern the file does not hold",
    "bytes after the last record are ignored",
    "written by a newer version",
    "the header says the file includes the undo history",
};

// info
inline constexpr const char* kUnitNames[] = {"Pixels", "Millimeters", "Inches"};
inline constexpr const char* kNoHeader = "page header: none";
inline constexpr const char* kPictureUndecodable = " (does not decode)";
inline constexpr const char* kPictureUsedBy = "; clips ";
inline constexpr const char* kPictureUnused = "; no clip uses it";

} // namespace vlm::cli::texts
