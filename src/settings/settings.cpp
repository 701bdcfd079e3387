#include "settings/settings.h"

#include "platform/settings_store.h"
#include "settings/settings_parse.h"
#include "texts/settings_texts.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

void setGridBlock(GridBlock& b, std::array<double, kGridValueCount> values)
{
    b.values = values;
    for (int i = 0; i < kGridValueCount; ++i)
        b.texts[static_cast<std::size_t>(i)] = FormatReal(values[static_cast<std::size_t>(i)]);
}

std::u16string entryName(const char16_t* word, int k)
{
    std::u16string name(word);
    name += u' ';
    name += static_cast<char16_t>(EntryLetter(k));
    return name;
}

} // namespace

Settings::Settings(const ScreenMetrics& s) : screen(s)
{
    tfont = texts::kDefaultTextFont;
    interfaceFont = texts::kDefaultInterfaceFont;
    rulerLabelFont = texts::kDefaultTextFont;
    docdir = texts::kDefaultDocumentFolder;
    picidr = texts::kDefaultPictureFolder;
    expdir = texts::kDefaultExportFolder;
    // The picture dialog opens on "All pictures" (the numbers are in
    // pictures/picture_open_filter.h; "expndx" may also be 3 PNG, 4 ICO).
    picndx = 12;
    hints.fill(1);
    recentColors.fill(kNoColor);

    setGridBlock(defaults.pixels, {25, 25, 50, 50, 400, 200});
    setGridBlock(defaults.millimetres, {10, 10, 10, 10, 210, 297});
    setGridBlock(defaults.inches, {0.25, 0.25, 0.2, 0.2, 8.5, 11});
    defaults.unit = UnitInches;
    defaults.pixelsPerUnitX = PixelsPerUnitX(UnitInches, screen);
    defaults.pixelsPerUnitY = PixelsPerUnitY(UnitInches, screen);

    pageSetups = InitialPageSetups(defaults.unit);
    defaultPaper[UnitPixels - 1] = {u"200", u"200", 200, 200};
    defaultPaper[UnitMillimeters - 1] = {u"210", u"297", 210, 297};
    defaultPaper[UnitInches - 1] = {u"8 1/2", u"11", 8.5, 11};

    for (int k = 1; k <= kCustomEntryCount; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        customWidths[i].name = entryName(texts::kCustomWeightName, k);
        customWidths[i].valueText = u"0";
        customWidths[i].units = defaults.unit;
        customPatterns[i].name = entryName(texts::kCustomPatternName, k);
        customPatterns[i].valueTexts[0] = u"0";
        customPatterns[i].units = defaults.unit;
        customDirections[i].name = entryName(texts::kCustomAngleName, k);
        customDirections[i].units = defaults.angles;
        customAngles[i].name = entryName(texts::kCustomAngleName, k);
        customAngles[i].units = defaults.angles;
        customSizes[i].name = entryName(texts::kCustomSizeName, k);
        customShadows[i].name = entryName(texts::kCustomShadowName, k);
    }
}

void AddRecentColor(Settings& s, std::int32_t color)
{
    // Negative values are the fill codes "Solid" and "Clear", not colours;
    // -1 would also match every empty slot.
    if (color < 0 || color > kMaxRecentColor)
        return;
    auto& slots = s.recentColors;
    if (std::find(slots.begin(), slots.end(), color) != slots.end())
        return;
    std::move_backward(slots.begin(), slots.end() - 1, slots.end());
    slots.front() = color;
}

void SetDefaultUnit(Settings& s, std::int32_t unit)
{
    if (!IsMeasuringUnit(unit))
        return;
    s.defaults.unit = unit;
    s.defaults.pixelsPerUnitX = PixelsPerUnitX(unit, s.screen);
    s.defaults.pixelsPerUnitY = PixelsPerUnitY(unit, s.screen);
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t)
        if (t != DesignDigitalImages)
            s.pageSetups[t].units = unit;
}

namespace {

bool usableGridValue(int which, double v, std::int32_t unit, const ScreenMetrics& screen)
{
    if (!std::isfinite(v) || std::fabs(v) > MaxLengthInUnit(unit))
        return false;
    if (which == GridSpacingX)
        return v * PixelsPerUnitX(unit, screen) >= 0.5;
    if (which == GridSpacingY)
        return v * PixelsPerUnitY(unit, screen) >= 0.5;
    return true;
}

} // namespace

void ApplyGridTexts(defaults_t& d, const ScreenMetrics& screen)
{
    for (std::int32_t unit = UnitPixels; unit <= UnitInches; ++unit) {
        GridBlock& b = d.block(unit);
        for (int i = 0; i < kGridValueCount; ++i) {
            const auto idx = static_cast<std::size_t>(i);
            const auto v = ParseMeasure(b.texts[idx]);
            if (v && usableGridValue(i, *v, unit, screen))
                b.values[idx] = *v;
        }
    }
}

void ApplyPageSetupForNewFiles(Settings& s, const pagesetArr_t& pageSetups, std::int32_t designType)
{
    s.pageSetups = pageSetups;
    if (!IsDesignType(designType))
        return;
    s.pspage = designType;
    const pageset_t& ps = pageSetups[designType];
    if (!IsMeasuringUnit(ps.units))
        return;
    const miry_t& set = ps.set(ps.units);
    const auto w = parseDimension(set.texts[TextPaperWidth], ps.units);
    const auto h = parseDimension(set.texts[TextPaperHeight], ps.units);
    if (!w || !h)
        return;
    s.defaults.unit = ps.units;
    s.defaults.pixelsPerUnitX = PixelsPerUnitX(ps.units, s.screen);
    s.defaults.pixelsPerUnitY = PixelsPerUnitY(ps.units, s.screen);
    s.defaultPaper[static_cast<std::size_t>(ps.units - 1)] = {set.texts[TextPaperWidth], set.texts[TextPaperHeight],
                                                              *w, *h};
}

PageSetupEnvironment PageSetupEnvironmentOf(const Settings& s)
{
    PageSetupEnvironment env;
    env.screen = s.screen;
    for (std::int32_t unit = UnitPixels; unit <= UnitInches; ++unit) {
        const GridBlock& b = s.defaults.block(unit);
        env.gridSpacingX[static_cast<std::size_t>(unit - 1)] = b.values[GridSpacingX];
        env.gridSpacingY[static_cast<std::size_t>(unit - 1)] = b.values[GridSpacingY];
    }
    return env;
}

bool RecordFirstTimeSetup(Settings& s, SettingsStore& store, std::int32_t unit)
{
    SetDefaultUnit(s, unit);
    s.setupDone = true;
    const bool written = store.writeInteger(settings_keys::kCustomSettings, "units", s.defaults.unit) &&
                         store.writeInteger(settings_keys::kCustomSettings, kSetupDoneValue, 1);
    return store.commit() && written;
}

} // namespace vlm
