// Loading and saving the Settings. The single values of "CustomSettings" are
// described once in the tables below and both directions walk them; what
// does not fit a table (packed bytes, unit-dependent names, the lists) has
// its own pair of functions.

#include "settings/settings.h"
#include "settings/data_file_memory.h"

#include "platform/settings_store.h"
#include "settings/settings_parse.h"

#include <limits>
#include <string>

namespace vlm {

namespace {

namespace keys = settings_keys;

constexpr std::int32_t kAnyMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kAnyMax = std::numeric_limits<std::int32_t>::max();

struct IntValue {
    const char* name;
    std::int32_t Settings::*field;
    std::int32_t min = kAnyMin;
    std::int32_t max = kAnyMax;
};

const IntValue kIntValues[] = {
    {"lineColor", &Settings::lineColor},
    {"lineWidthTab", &Settings::lineWidthTab},
    {"linePattern", &Settings::linePattern},
    {"linePatternTab", &Settings::linePatternTab},
    {"lineFill", &Settings::lineFill},
    {"lineDirectionTab", &Settings::lineDirectionTab},
    {"lineOutlineTab", &Settings::lineOutlineTab},
    {"tcolor", &Settings::tcolor},
    {"tcharset", &Settings::tcharset},
    {"tsize", &Settings::tsize},
    {"tsizetab", &Settings::tsizetab},
    {"tbold", &Settings::tbold},
    {"tangle", &Settings::tangle},
    {"tangletab", &Settings::tangletab},
    {"tdir", &Settings::tdir},
    {"polycolor", &Settings::polycolor},
    {"polyfill", &Settings::polyfill},
    {"polytab", &Settings::polytab},
    {"polysides", &Settings::polysides},
    {"polyshape", &Settings::polyshape},
    {"polystate", &Settings::polystate},
    {"bpolyshape", &Settings::bpolyshape},
    {"bpolystate", &Settings::bpolystate},
    {"liplas", &Settings::liplas, 0, 255},
    {"txplas", &Settings::txplas, 0, 255},
    {"poplas", &Settings::poplas, 0, 255},
    {"frplas", &Settings::frplas, 0, 255},
    {"lgtdir", &Settings::lgtdir, 0, 3},
    {"clframe", &Settings::clframe, 0, 1},
    {"clshadw", &Settings::clshadw, 0, 1},
    {"frcolor", &Settings::frcolor},
    {"pspage", &Settings::pspage, 1, kDesignTypeCount},
    {"picndx", &Settings::picndx, 1, 12},
    {"expndx", &Settings::expndx, 1, 4},
};

// Reals kept as text; a text that does not read gives 0.
const std::pair<const char*, double Settings::*> kRealValues[] = {
    {"lineWidth", &Settings::lineWidth},     {"lineDirection", &Settings::lineDirection},
    {"lineOutline", &Settings::lineOutline}, {"polywidth", &Settings::polywidth},
    {"frwidth", &Settings::frwidth},
};

const std::pair<const char*, std::u16string Settings::*> kTextValues[] = {
    {"tfont", &Settings::tfont},
    {"docdir", &Settings::docdir},
    {"picidr", &Settings::picidr},
    {"expdir", &Settings::expdir},
};

const std::pair<const char*, ShadowBytes Settings::*> kShadowValues[] = {
    {"shpoly", &Settings::shpoly},
    {"shtext", &Settings::shtext},
    {"shpict", &Settings::shpict},
};

// The dimension texts of a page-setup set, by their letter.
constexpr char kDimensionLetters[kDimensionTextCount + 1] = "fgpqhijklmnors";

std::string numbered(std::string_view base, int n)
{
    return std::string(base) + std::to_string(n);
}

std::string lettered(std::string_view base, int k)
{
    return std::string(base) + EntryLetter(k);
}

// u + "pgset" + letter + r
std::string pageSetName(std::int32_t unit, char letter, std::int32_t type)
{
    return std::to_string(unit) + "pgset" + letter + std::to_string(type);
}

std::string gridTextName(std::int32_t unit, int which)
{
    if (which == GridSpacingX)
        return numbered("gridx", unit);
    if (which == GridSpacingY)
        return numbered("gridy", unit);
    return numbered("canvas", unit) + std::to_string(which - GridOriginX + 1);
}

std::int32_t packBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b0) | static_cast<std::uint32_t>(b1) << 8 |
                                     static_cast<std::uint32_t>(b2) << 16 | static_cast<std::uint32_t>(b3) << 24);
}

std::uint8_t byteOf(std::int32_t v, int i)
{
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

bool inRange(const std::optional<std::int32_t>& v, std::int32_t lo, std::int32_t hi)
{
    return v && *v >= lo && *v <= hi;
}

bool hasContent(const std::optional<std::u16string>& t)
{
    return t && !TrimBlanks(*t).empty();
}

// The six grid flags, from bit 5 down: horizontal grid, anchors, snap, then
// the same three vertically.
struct GridBit {
    int bit;
    std::uint8_t defaults_t::*flag;
};
const GridBit kGridBits[] = {
    {5, &defaults_t::gridH}, {4, &defaults_t::anchorsH}, {3, &defaults_t::snapH},
    {2, &defaults_t::gridV}, {1, &defaults_t::anchorsV}, {0, &defaults_t::snapV},
};

// ---------------------------------------------------------------- loading

void loadPageSetups(Settings& s, const SettingsStore& store)
{
    const auto key = keys::kCustomSettings;
    for (std::int32_t r = 1; r <= kDesignTypeCount; ++r) {
        pageset_t& ps = s.pageSetups[r];
        if (auto v = store.readInteger(key, numbered("pgseta", r)); inRange(v, 1, 3))
            ps.units = *v;
        if (auto v = store.readInteger(key, numbered("pgsetb", r)); inRange(v, 1, 2))
            ps.orientation = *v;
        for (std::int32_t u = UnitPixels; u <= UnitInches; ++u) {
            miry_t& set = ps.set(u);
            if (auto v = store.readInteger(key, pageSetName(u, 'c', r)))
                set.quickSelect = *v;
            if (auto v = store.readInteger(key, pageSetName(u, 'd', r)); inRange(v, 0, 1))
                set.rowFold = static_cast<std::uint8_t>(*v);
            if (auto v = store.readInteger(key, pageSetName(u, 'e', r)); inRange(v, 0, 1))
                set.columnFold = static_cast<std::uint8_t>(*v);
            for (int i = 0; i < kDimensionTextCount; ++i)
                if (auto t = store.readText(key, pageSetName(u, kDimensionLetters[i], r)))
                    set.texts[static_cast<std::size_t>(i)] = std::move(*t);
        }
    }
}

void loadCustomSettings(Settings& s, const SettingsStore& store)
{
    const auto key = keys::kCustomSettings;

    // Before the page setups, whose own stored unit wins for each type.
    if (auto v = store.readInteger(key, "units"); inRange(v, UnitPixels, UnitInches))
        SetDefaultUnit(s, *v);

    for (const IntValue& d : kIntValues)
        if (auto v = store.readInteger(key, d.name); inRange(v, d.min, d.max))
            s.*d.field = *v;
    for (const auto& [name, field] : kRealValues)
        if (auto t = store.readText(key, name))
            s.*field = ParseReal(*t);
    for (const auto& [name, field] : kTextValues)
        if (auto t = store.readText(key, name))
            s.*field = std::move(*t);
    for (const auto& [name, field] : kShadowValues)
        if (auto v = store.readInteger(key, name))
            s.*field = ShadowBytes{byteOf(*v, 0), byteOf(*v, 1), byteOf(*v, 2)};

    if (auto v = store.readInteger(key, "toptions"))
        for (int i = 0; i < 4; ++i)
            s.toptions[static_cast<std::size_t>(i)] = byteOf(*v, i);
    if (auto v = store.readInteger(key, "angles"))
        s.defaults.angles = *v;
    if (auto v = store.readInteger(key, "grid"))
        for (const GridBit& g : kGridBits)
            s.defaults.*g.flag = static_cast<std::uint8_t>((*v >> g.bit) & 1);

    for (std::int32_t u = UnitPixels; u <= UnitInches; ++u)
        for (int i = 0; i < kGridValueCount; ++i)
            if (auto t = store.readText(key, gridTextName(u, i)))
                s.defaults.block(u).texts[static_cast<std::size_t>(i)] = std::move(*t);
    ApplyGridTexts(s.defaults, s.screen);

    loadPageSetups(s, store);

    for (int n = 1; n <= kRecentFileCount; ++n)
        if (auto t = store.readText(key, numbered("reopen", n)))
            s.reopen[static_cast<std::size_t>(n - 1)] = std::move(*t);

    if (auto t = store.readText(key, "hints"))
        for (std::size_t i = 0; i < t->size() && i < s.hints.size(); ++i)
            if ((*t)[i] == u'0')
                s.hints[i] = 0;

    if (auto v = store.readInteger(key, "ddeins"))
        s.ddeins = *v;
    if (auto v = store.readInteger(key, kSetupDoneValue))
        s.setupDone = *v == 1;
}

// Weights, directions, angles and sizes: a name, a value text and its unit
// per entry. An entry is taken when both texts have content, the unit is one
// of the list's and the value validates.
template <class Entry, class Validate>
void loadNamedValues(std::array<Entry, kCustomEntryCount>& entries, std::string_view key, std::int32_t maxUnit,
                     const SettingsStore& store, Validate validate)
{
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const auto name = store.readText(key, lettered("name", k));
        const auto value = store.readText(key, lettered("value", k));
        const auto units = store.readInteger(key, lettered("units", k));
        if (!hasContent(name) || !hasContent(value) || !inRange(units, 1, maxUnit))
            continue;
        Entry e;
        e.name = *name;
        e.valueText = *value;
        e.units = *units;
        if (!validate(e))
            continue;
        e.inUse = 1;
        entries[static_cast<std::size_t>(k - 1)] = std::move(e);
    }
}

void loadPatterns(Settings& s, const SettingsStore& store)
{
    const auto key = keys::kCustomPatterns;
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const auto name = store.readText(key, lettered("name", k));
        const auto units = store.readInteger(key, lettered("units", k));
        const std::string valueBase = lettered("value", k);
        if (!hasContent(name) || !inRange(units, 1, 3) || !hasContent(store.readText(key, numbered(valueBase, 1))))
            continue;
        custPatternRec_t e;
        e.name = *name;
        e.units = *units;
        for (int j = 1; j <= kPatternLengthCount; ++j)
            if (auto t = store.readText(key, numbered(valueBase, j)))
                e.valueTexts[static_cast<std::size_t>(j - 1)] = std::move(*t);
        if (!ValidatePattern(e, s.screen.pxPerMmX))
            continue;
        e.inUse = 1;
        s.customPatterns[static_cast<std::size_t>(k - 1)] = std::move(e);
    }
}

void loadShadows(Settings& s, const SettingsStore& store)
{
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        auto name = store.readText(keys::kCustomShadows, lettered("name", k));
        const auto value = store.readInteger(keys::kCustomShadows, lettered("value", k));
        if (!name || !value)
            continue;
        custShadowRec_t& e = s.customShadows[static_cast<std::size_t>(k - 1)];
        e.name = std::move(*name);
        e.elevation = byteOf(*value, 0);
        e.fade = byteOf(*value, 1);
        e.lightness = byteOf(*value, 2);
        e.offered = byteOf(*value, 3) != 0 ? 1 : 0;
    }
}

void loadRecentColors(Settings& s, const SettingsStore& store)
{
    for (int k = 1; k <= kRecentColorCount; ++k)
        if (auto v = store.readInteger(keys::kCustomColors, lettered("color", k)); inRange(v, 0, kMaxRecentColor))
            s.recentColors[static_cast<std::size_t>(k - 1)] = *v;
}

void loadDataFiles(Settings& s, const SettingsStore& store)
{
    for (std::size_t k = 1; k <= kMaxDataFiles; ++k) {
        auto document = store.readText(keys::kDataFiles, numbered("document", static_cast<int>(k)));
        auto data = store.readText(keys::kDataFiles, numbered("data", static_cast<int>(k)));
        if (!hasContent(document) || !hasContent(data))
            break;
        s.dataFiles.push_back({std::move(*document), std::move(*data)});
    }
}

// ----------------------------------------------------------------- saving

void saveDataFiles(const Settings& s, SettingsStore& store)
{
    store.deleteKey(keys::kDataFiles);
    for (std::size_t k = 1; k <= s.dataFiles.size() && k <= kMaxDataFiles; ++k) {
        store.writeText(keys::kDataFiles, numbered("document", static_cast<int>(k)), s.dataFiles[k - 1].document);
        store.writeText(keys::kDataFiles, numbered("data", static_cast<int>(k)), s.dataFiles[k - 1].data);
    }
}

void savePageSetups(const Settings& s, SettingsStore& store)
{
    const auto key = keys::kCustomSettings;
    for (std::int32_t r = 1; r <= kDesignTypeCount; ++r) {
        const pageset_t& ps = s.pageSetups[r];
        store.writeInteger(key, numbered("pgseta", r), ps.units);
        store.writeInteger(key, numbered("pgsetb", r), ps.orientation);
        for (std::int32_t u = UnitPixels; u <= UnitInches; ++u) {
            const miry_t& set = ps.set(u);
            store.writeInteger(key, pageSetName(u, 'c', r), set.quickSelect);
            store.writeInteger(key, pageSetName(u, 'd', r), set.rowFold);
            store.writeInteger(key, pageSetName(u, 'e', r), set.columnFold);
            for (int i = 0; i < kDimensionTextCount; ++i)
                store.writeText(key, pageSetName(u, kDimensionLetters[i], r), set.texts[static_cast<std::size_t>(i)]);
        }
    }
}

void saveCustomSettings(const Settings& s, SettingsStore& store)
{
    const auto key = keys::kCustomSettings;
    for (const IntValue& d : kIntValues)
        store.writeInteger(key, d.name, s.*d.field);
    for (const auto& [name, field] : kRealValues)
        store.writeText(key, name, FormatReal(s.*field));
    for (const auto& [name, field] : kTextValues)
        store.writeText(key, name, s.*field);
    for (const auto& [name, field] : kShadowValues) {
        const ShadowBytes& b = s.*field;
        store.writeInteger(key, name, packBytes(b.elevation, b.fade, b.lightness, 0));
    }
    const auto& o = s.toptions;
    store.writeInteger(key, "toptions", packBytes(o[0], o[1], o[2], o[3]));
    store.writeInteger(key, "units", s.defaults.unit);
    store.writeInteger(key, "angles", s.defaults.angles);
    std::int32_t grid = 0;
    for (const GridBit& g : kGridBits)
        if (s.defaults.*g.flag)
            grid |= 1 << g.bit;
    store.writeInteger(key, "grid", grid);
    for (std::int32_t u = UnitPixels; u <= UnitInches; ++u)
        for (int i = 0; i < kGridValueCount; ++i)
            store.writeText(key, gridTextName(u, i), s.defaults.block(u).texts[static_cast<std::size_t>(i)]);

    savePageSetups(s, store);

    for (int n = 1; n <= kRecentFileCount; ++n)
        store.writeText(key, numbered("reopen", n), s.reopen[static_cast<std::size_t>(n - 1)]);
    std::u16string hints;
    for (std::uint8_t f : s.hints)
        hints += f ? u'1' : u'0';
    store.writeText(key, "hints", hints);
    store.writeInteger(key, kSetupDoneValue, s.setupDone ? 1 : 0);
}

template <class Entry>
void saveNamedValues(const std::array<Entry, kCustomEntryCount>& entries, std::string_view key, SettingsStore& store)
{
    store.deleteKey(key);
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const Entry& e = entries[static_cast<std::size_t>(k - 1)];
        if (!e.inUse)
            continue;
        store.writeText(key, lettered("name", k), e.name);
        store.writeText(key, lettered("value", k), e.valueText);
        store.writeInteger(key, lettered("units", k), e.units);
    }
}

void savePatterns(const Settings& s, SettingsStore& store)
{
    const auto key = keys::kCustomPatterns;
    store.deleteKey(key);
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const custPatternRec_t& e = s.customPatterns[static_cast<std::size_t>(k - 1)];
        if (!e.inUse)
            continue;
        store.writeText(key, lettered("name", k), e.name);
        store.writeInteger(key, lettered("units", k), e.units);
        for (int j = 1; j <= kPatternLengthCount; ++j)
            store.writeText(key, numbered(lettered("value", k), j), e.valueTexts[static_cast<std::size_t>(j - 1)]);
    }
}

void saveShadows(const Settings& s, SettingsStore& store)
{
    const auto key = keys::kCustomShadows;
    store.deleteKey(key);
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const custShadowRec_t& e = s.customShadows[static_cast<std::size_t>(k - 1)];
        store.writeText(key, lettered("name", k), e.name);
        store.writeInteger(key, lettered("value", k),
                           packBytes(static_cast<std::uint8_t>(e.elevation), static_cast<std::uint8_t>(e.fade),
                                     static_cast<std::uint8_t>(e.lightness), e.offered ? 1 : 0));
    }
}

void saveRecentColors(const Settings& s, SettingsStore& store)
{
    store.deleteKey(keys::kCustomColors);
    for (int k = 1; k <= kRecentColorCount; ++k) {
        const std::int32_t c = s.recentColors[static_cast<std::size_t>(k - 1)];
        if (c != kNoColor)
            store.writeInteger(keys::kCustomColors, lettered("color", k), c);
    }
}

} // namespace

void InitSettings(Settings& s, const SettingsStore& store, const ScreenMetrics& screen)
{
    s = Settings(screen);
    loadCustomSettings(s, store);
    const double pxPerMmX = s.screen.pxPerMmX;
    loadNamedValues(s.customWidths, keys::kCustomWidths, 3, store,
                    [pxPerMmX](custThicknessRec_t& e) { return ValidateWeight(e, pxPerMmX); });
    loadShadows(s, store);
    loadPatterns(s, store);
    loadNamedValues(s.customDirections, keys::kCustomDirections, 2, store, ValidateAngle);
    loadNamedValues(s.customAngles, keys::kCustomAngles, 2, store, ValidateAngle);
    loadNamedValues(s.customSizes, keys::kCustomSizes, 2, store, ValidateFontSize);
    loadRecentColors(s, store);
    loadDataFiles(s, store);
}

bool SaveSettings(const Settings& s, SettingsStore& store)
{
    saveShadows(s, store);
    saveNamedValues(s.customWidths, keys::kCustomWidths, store);
    savePatterns(s, store);
    saveNamedValues(s.customDirections, keys::kCustomDirections, store);
    saveNamedValues(s.customAngles, keys::kCustomAngles, store);
    saveNamedValues(s.customSizes, keys::kCustomSizes, store);
    saveRecentColors(s, store);
    saveDataFiles(s, store);
    saveCustomSettings(s, store);
    return store.commit();
}

void LoadDialogColors(Settings& s, const SettingsStore& store)
{
    for (int k = 1; k <= kDialogColorCount; ++k)
        if (auto t = store.readText(keys::kDialogColors, lettered("color", k)))
            s.dialogColors[static_cast<std::size_t>(k - 1)] = std::move(*t);
}

bool SaveDialogColors(const Settings& s, SettingsStore& store)
{
    for (int k = 1; k <= kDialogColorCount; ++k)
        store.writeText(keys::kDialogColors, lettered("color", k), s.dialogColors[static_cast<std::size_t>(k - 1)]);
    return store.commit();
}

} // namespace vlm
