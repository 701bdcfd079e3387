#pragma once

// Every user parameter: the attributes new Items take, the grid and snap
// defaults and page setups of new documents, the customizable lists, recent
// colours and files, the hint-page flags, and the values that are set afresh
// at every start. One Settings object lives as long as the main window; it is
// filled from a SettingsStore at start-up and written back at the end.

#include "model/item_record.h"
#include "model/page_setup.h"
#include "model/screen_metrics.h"
#include "settings/custom_entries.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlm {

class SettingsStore;

// The keys of the store, named as the registry keys under Software\Vellumora.
namespace settings_keys {
inline constexpr std::string_view kCustomSettings = "CustomSettings";
inline constexpr std::string_view kCustomWidths = "CustomWidths";
inline constexpr std::string_view kCustomPatterns = "CustomPatterns";
inline constexpr std::string_view kCustomDirections = "CustomDirections";
inline constexpr std::string_view kCustomAngles = "CustomAngles";
inline constexpr std::string_view kCustomSizes = "CustomSizes";
inline constexpr std::string_view kCustomShadows = "CustomShadows";
inline constexpr std::string_view kCustomColors = "CustomColors";
inline constexpr std::string_view kDataFiles = "DataFiles";
inline constexpr std::string_view kDialogColors = "DialogColors";
} // namespace settings_keys

// Set to 1 in "CustomSettings" once the first-time setup has run through.
inline constexpr std::string_view kSetupDoneValue = "setupDone";

// The six values of one unit's block of the grid defaults.
enum GridValue : int {
    GridSpacingX = 0,
    GridSpacingY,
    GridOriginX,
    GridOriginY,
    GridAreaWidth,
    GridAreaHeight,
};
inline constexpr int kGridValueCount = 6;

// One unit's grid spacing and design area as reals in that unit, and as the
// texts they were entered as.
struct GridBlock {
    std::array<double, kGridValueCount> values{};
    std::array<std::u16string, kGridValueCount> texts;
};

// The grid, unit and design area every new document starts with.
struct defaults_t {
    std::int32_t unit = UnitInches;
    double pixelsPerUnitX = 96.0;
    double pixelsPerUnitY = 96.0;
    std::int32_t angles = 1; // 1 degrees, 2 radians
    std::uint8_t gridH = 0;
    std::uint8_t gridV = 0;
    std::uint8_t snapH = 0;
    std::uint8_t snapV = 0;
    std::uint8_t anchorsH = 1;
    std::uint8_t anchorsV = 1;
    GridBlock millimetres;
    GridBlock inches;
    GridBlock pixels;

    // Precondition: IsMeasuringUnit(u).
    GridBlock& block(std::int32_t u) { return u == UnitPixels ? pixels : u == UnitMillimeters ? millimetres : inches; }
    const GridBlock& block(std::int32_t u) const
    {
        return u == UnitPixels ? pixels : u == UnitMillimeters ? millimetres : inches;
    }
};

// Shadow bytes of new Items: elevation, fade, lightness.
struct ShadowBytes {
    std::uint8_t elevation = 0;
    std::uint8_t fade = 0;
    std::uint8_t lightness = 0;
};

inline constexpr int kRecentFileCount = 16;
inline constexpr int kHintFlagCount = 42;
inline constexpr int kRecentColorCount = 12;
inline constexpr int kDialogColorCount = 16;
inline constexpr std::int32_t kNoColor = -1;
// Colours above this are not colours a user picks.
inline constexpr std::int32_t kMaxRecentColor = 0x2FFFFFF;

enum TextOption : int { OptionItalic = 0, OptionUnderline, OptionStrikeout, OptionJustification };

struct Settings {
    // Every default, with the pixels-per-unit pairs of this screen.
    explicit Settings(const ScreenMetrics& screen = {});

    // Attributes of new lines.
    std::int32_t lineColor = 0;
    double lineWidth = 0.0; // millimetres
    std::int32_t lineWidthTab = 0;
    std::int32_t linePattern = 0;
    std::int32_t linePatternTab = 0;
    std::int32_t lineFill = -2; // -2 solid, -1 clear, else a colour
    double lineDirection = -1.0; // degrees, -1 free
    std::int32_t lineDirectionTab = 0;
    double lineOutline = 0.0; // millimetres
    std::int32_t lineOutlineTab = 0;

    // Attributes of new text.
    std::int32_t tcolor = 0;
    std::u16string tfont;
    std::int32_t tcharset = 0;
    std::int32_t tsize = 12;
    std::int32_t tsizetab = 4;
    std::int32_t tbold = 400;
    std::array<std::uint8_t, 4> toptions{0, 0, 0, 1}; // by TextOption
    std::int32_t tangle = -10; // tenths of a degree; negative: the dragged baseline's
    std::int32_t tangletab = 0;
    std::int32_t tdir = -1;

    // Attributes of new shapes, splines and curves.
    std::int32_t polycolor = 0;
    std::int32_t polyfill = -1;
    double polywidth = 0.0;
    std::int32_t polytab = 0;
    std::int32_t polysides = 5;
    std::int32_t polyshape = 0;
    std::int32_t polystate = 0;
    std::int32_t bpolyshape = 0;
    std::int32_t bpolystate = 0;
    double curveTension = kDefaultTension; // not stored

    // Shadows, 3-D surfaces (0..255), light direction (0..3), clips.
    ShadowBytes shpoly;
    ShadowBytes shtext;
    ShadowBytes shpict;
    std::int32_t liplas = 0;
    std::int32_t txplas = 0;
    std::int32_t poplas = 0;
    std::int32_t frplas = 0;
    std::int32_t lgtdir = 0;
    std::int32_t clframe = 0;
    std::int32_t clshadw = 0;
    std::int32_t frcolor = 0;
    double frwidth = 0.0;
    std::int32_t clipPanelTab = 1; // not stored: 1 Colors, 2 Effects

    // New documents.
    defaults_t defaults;
    std::int32_t pspage = DesignBrochures; // design type of new documents
    pagesetArr_t pageSetups;
    // Paper size of new files per unit (index unit - 1), kept when page setup
    // is applied for new files.
    struct DefaultPaper {
        std::u16string widthText;
        std::u16string heightText;
        double width = 0.0;
        double height = 0.0;
    };
    std::array<DefaultPaper, 3> defaultPaper;

    // Files, folders, hint pages, shell.
    std::array<std::u16string, kRecentFileCount> reopen; // most recent first
    std::u16string docdir;
    std::u16string picidr;
    std::u16string expdir;
    std::int32_t picndx = 1;
    std::int32_t expndx = 1;
    std::array<std::uint8_t, kHintFlagCount> hints; // flag k at [k - 1], 1 = show
    std::optional<std::int32_t> ddeins;             // read, written only by the shell
    bool setupDone = false;

    // The user's list entries (entry k at [k - 1]).
    std::array<custThicknessRec_t, kCustomEntryCount> customWidths;
    std::array<custPatternRec_t, kCustomEntryCount> customPatterns;
    std::array<custDirectionRec_t, kCustomEntryCount> customDirections;
    std::array<custDirectionRec_t, kCustomEntryCount> customAngles;
    std::array<custDirectionRec_t, kCustomEntryCount> customSizes;
    std::array<custShadowRec_t, kCustomEntryCount> customShadows;
    std::array<std::int32_t, kRecentColorCount> recentColors; // kNoColor when empty
    // The colour dialog's custom colours in its own text form.
    std::array<std::u16string, kDialogColorCount> dialogColors;

    // Not stored: set at every start.
    ScreenMetrics screen;
    double zoom = 1.0;
    std::int32_t untitledCounter = 0;
    std::int32_t defaultToolMode = 0;
    std::u16string interfaceFont;
    std::int32_t interfaceFontSize = 8;
    std::int32_t leftColumnColor = 0xF0F0F0;
    std::int32_t navigationRowColor = 0xE8E8E8;
    std::int32_t splitterColor = 0xD0D0D0;
    std::int32_t canvasColor = 0xFFFFFF;
    std::int32_t rulerTickColor = 0x505050;
    std::int32_t rulerLabelColor = 0x404040;
    std::int32_t rulerLabelSize = 7;
    std::u16string rulerLabelFont;
    std::int32_t markerWidth = 8;
    std::int32_t markerHeight = 8;
    std::int32_t markerBorderColor = 0x808080;
    std::int32_t markerBorderWidth = 1;
    std::int32_t markerColor = 0x00FFFF;
    std::int32_t groupCentreColor = 0x0000FF;
    std::int32_t rotationDotColor = 0x00FF00;
    std::int32_t rotationDistance = 40;
    std::int32_t anchorWidth = 7;
    std::int32_t anchorHeight = 7;
    std::int32_t anchorStemLength = 4;
    std::int32_t anchorStemColor = 0xFF7A45;
    std::int32_t grabbedStemColor = 255;
    std::uint8_t textQuality = 2;
    std::vector<std::u16string> installedFonts;
    std::u16string lastOpenFileName;
    std::u16string lastPictureFileName;
    // "Print with Data...": the data file last used with each document,
    // the latest first (settings/data_file_memory.h).
    struct DataFileUse
    {
        std::u16string document;
        std::u16string data;
        bool operator==(const DataFileUse&) const = default;
    };
    std::vector<DataFileUse> dataFiles;
};

// Defaults, then everything the store holds that passes its load rule:
// "CustomSettings", the lists (weights, shadows, patterns, directions,
// angles, sizes), the recent colours. A missing, mistyped or out-of-range
// value keeps its default.
void InitSettings(Settings& s, const SettingsStore& store, const ScreenMetrics& screen);

// Writes the lists, the recent colours and every value of "CustomSettings"
// (all but "ddeins", which belongs to the shell) even when it equals its
// default, then commits. Failing writes are skipped; false when the store
// could not keep the result.
bool SaveSettings(const Settings& s, SettingsStore& store);

// The colour dialog's sixteen custom colours, loaded and saved on their own.
void LoadDialogColors(Settings& s, const SettingsStore& store);
bool SaveDialogColors(const Settings& s, SettingsStore& store);

// Makes `color` the most recent one unless it is already listed or not a
// colour (negative, or above kMaxRecentColor).
void AddRecentColor(Settings& s, std::int32_t color);

// The unit of the grid defaults (with its pixels-per-unit pair) and of the
// page setup of every design type except Digital Images. Ignores units
// outside 1..3.
void SetDefaultUnit(Settings& s, std::int32_t unit);

// Every one of the 18 grid texts that reads as a usable measure replaces its
// real; the others leave it. Spacings must come to at least half a pixel and
// all values stay within MaxLengthInUnit, so no new document is given a grid
// it cannot draw.
void ApplyGridTexts(defaults_t& d, const ScreenMetrics& screen);

// Page Setup applied for new files: the pages setups and default type are
// taken; when both paper texts of that type's current set parse, that set's
// unit becomes the default unit and its paper the default paper of the unit.
void ApplyPageSetupForNewFiles(Settings& s, const pagesetArr_t& pageSetups, std::int32_t designType);

// The grid densities and screen applyPageSetup needs.
PageSetupEnvironment PageSetupEnvironmentOf(const Settings& s);

// Ends the first-time setup: the chosen unit as by SetDefaultUnit, and
// "units" and "setupDone" written to the store at once. False when the store
// did not keep them.
bool RecordFirstTimeSetup(Settings& s, SettingsStore& store, std::int32_t unit);

} // namespace vlm
