#include "settings/custom_entries.h"

#include "model/page_setup.h"
#include "model/rounding.h"
#include "settings/settings_parse.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace vlm {

namespace {

// A typed length in its unit as millimetres and screen pixels. Lengths that
// could not become a pixel count are refused rather than wrapped.
bool convertLength(double typed, std::int32_t units, double pxPerMmX, double& mm, std::int32_t& px)
{
    const double a = std::fabs(typed);
    if (!IsMeasuringUnit(units) || a > MaxLengthInUnit(units))
        return false;
    switch (units) {
    case UnitPixels:
        px = Round(a);
        mm = pxPerMmX > 0 ? px / pxPerMmX : 0.0;
        break;
    case UnitMillimeters:
        mm = a;
        px = Round(mm * pxPerMmX);
        break;
    default:
        mm = a * 25.4;
        px = Round(mm * pxPerMmX);
        break;
    }
    return true;
}

} // namespace

bool ValidateWeight(custThicknessRec_t& entry, double pxPerMmX)
{
    const auto v = ParseMeasure(entry.valueText);
    if (!v || *v == 0.0)
        return false;
    return convertLength(*v, entry.units, pxPerMmX, entry.millimetres, entry.pixels);
}

bool ValidatePattern(custPatternRec_t& entry, double pxPerMmX)
{
    entry.millimetres.fill(0.0);
    entry.pixels.fill(0);
    entry.count = 0;

    std::array<bool, kPatternLengthCount> given{};
    for (int j = 0; j < kPatternLengthCount; ++j) {
        const std::u16string& text = entry.valueTexts[static_cast<std::size_t>(j)];
        if (text.empty())
            continue;
        const auto v = ParseMeasure(text);
        if (!v)
            continue;
        if (j == 0 && *v == 0.0)
            return false;
        double mm = 0.0;
        std::int32_t px = 0;
        if (!convertLength(*v, entry.units, pxPerMmX, mm, px))
            continue;
        entry.millimetres[static_cast<std::size_t>(j)] = mm;
        entry.pixels[static_cast<std::size_t>(j)] = px;
        given[static_cast<std::size_t>(j)] = *v != 0.0;
    }
    for (bool g : given) {
        if (!g)
            break;
        ++entry.count;
    }
    return entry.millimetres[0] > 0.0 && entry.millimetres[1] > 0.0;
}

bool ValidateAngle(custDirectionRec_t& entry)
{
    const auto v = ParseMeasure(entry.valueText);
    if (!v)
        return false;
    double deg = entry.units == 2 ? *v * 180.0 / std::numbers::pi : *v;
    // Steps of 360 until the angle lies in 0..360, done with fmod so that a
    // huge number does not loop for ages: negative angles land in [0, 360),
    // angles above 360 in (0, 360].
    if (deg < 0.0) {
        deg = std::fmod(deg, 360.0);
        deg = deg < 0.0 ? deg + 360.0 : 0.0;
    } else if (deg > 360.0) {
        deg = std::fmod(deg, 360.0);
        if (deg == 0.0)
            deg = 360.0;
    }
    entry.value = deg;
    return true;
}

bool ValidateFontSize(custDirectionRec_t& entry)
{
    const auto n = ParseWholeNumber(entry.valueText);
    if (!n || *n == 0 || *n == std::numeric_limits<std::int32_t>::min())
        return false;
    entry.value = std::fabs(static_cast<double>(*n));
    return true;
}

} // namespace vlm
