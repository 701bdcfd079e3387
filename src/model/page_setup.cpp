#include "model/page_setup.h"

#include "model/item.h"
#include "model/item_list.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace vlm {

bool IsCardDesignType(std::int32_t designType)
{
    // Written without std::abs so that INT32_MIN from a damaged file is safe.
    const std::int64_t t = designType < 0 ? -static_cast<std::int64_t>(designType) : designType;
    return (t >= DesignPostcards && t <= DesignLabels) || t == DesignTentCards;
}

namespace {

// The millimetre and inch sets a fresh program offers, texts in stored order:
// paper width, height, card width, height, left, top, right, bottom margin,
// rows, columns, row gap, column gap. Types 6 to 9 start with empty sets.
struct InitialSet {
    DesignType type;
    MeasuringUnit unit;
    std::int32_t quickSelect;
    const char16_t* texts[12];
    bool rowFold = false;
    bool columnFold = false;
};

// clang-format off
const InitialSet kInitialSets[] = {
    {DesignIllustrations, UnitMillimeters, 4, {u"210", u"297", u"", u"", u"7", u"7", u"7", u"7", u"", u"", u"", u""}},
    {DesignIllustrations, UnitInches, 0, {u"8 1/2", u"11", u"", u"", u"1/4", u"1/4", u"1/4", u"1/4", u"", u"", u"", u""}},
    {DesignPostcards, UnitMillimeters, 0, {u"210", u"297", u"210", u"148", u"0", u"0", u"0", u"0", u"2", u"1", u"0", u"0"}},
    {DesignPostcards, UnitInches, 0, {u"8 1/2", u"11", u"6", u"4", u"1 1/4", u"1", u"1 1/4", u"1", u"2", u"1", u"1", u""}},
    {DesignGreetingCards, UnitMillimeters, 0, {u"210", u"297", u"105", u"148", u"0", u"0", u"0", u"0", u"2", u"2", u"0", u"0"}, false, true},
    {DesignGreetingCards, UnitInches, 0, {u"8 1/2", u"11", u"4 1/4", u"5 1/2", u"", u"", u"", u"", u"2", u"2", u"", u""}, false, true},
    {DesignBusinessCards, UnitMillimeters, 1, {u"210", u"297", u"74", u"52", u"31", u"18", u"0", u"0", u"5", u"2", u"0", u"0"}},
    {DesignBusinessCards, UnitInches, 1, {u"8 1/2", u"11", u"3 1/2", u"2", u"3/4", u"1/2", u"3/4", u"3/4", u"5", u"2", u"", u""}},
    {DesignLabels, UnitMillimeters, 1, {u"210", u"297", u"37", u"18", u"13", u"5", u"13", u"5", u"16", u"5", u"0", u"0"}},
    {DesignLabels, UnitInches, 6, {u"8 1/2", u"11", u"2", u"1", u"1/4", u"1/2", u"1/4", u"1/2", u"10", u"4", u"", u""}},
    {DesignBrochures, UnitMillimeters, 1, {u"210", u"297", u"210", u"99", u"0", u"0", u"0", u"0", u"3", u"1", u"0", u"0"}, true},
    {DesignBrochures, UnitInches, 1, {u"8 1/2", u"11", u"8 1/2", u"3 2/3", u"", u"", u"", u"", u"3", u"1", u"", u""}, true},
    {DesignTentCards, UnitMillimeters, 0, {u"210", u"297", u"190", u"69", u"10", u"10", u"10", u"10", u"4", u"1", u"0", u"0"}, true},
    {DesignTentCards, UnitInches, 0, {u"8 1/2", u"11", u"8 1/2", u"2 1/2", u"", u"1/2", u"", u"1/2", u"4", u"1", u"", u""}, true},
};
// clang-format on

} // namespace

pagesetArr_t InitialPageSetups(std::int32_t defaultUnits)
{
    pagesetArr_t arr;
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t) {
        pageset_t& ps = arr[t];
        ps.orientation = Portrait;
        ps.units = defaultUnits;
        miry_t& px = ps.set(UnitPixels);
        px.quickSelect = 0;
        px.texts[TextPaperWidth] = u"350";
        px.texts[TextPaperHeight] = u"250";
    }
    arr[DesignDigitalImages].orientation = Landscape;
    arr[DesignDigitalImages].units = UnitPixels;

    for (const InitialSet& init : kInitialSets) {
        miry_t& set = arr[init.type].set(init.unit);
        set.quickSelect = init.quickSelect;
        for (std::size_t i = 0; i < std::size(init.texts); ++i)
            set.texts[i] = init.texts[i];
        set.rowFold = init.rowFold ? 1 : 0;
        set.columnFold = init.columnFold ? 1 : 0;
    }
    return arr;
}

std::u16string_view TrimBlanks(std::u16string_view s)
{
    while (!s.empty() && s.front() <= u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() <= u' ')
        s.remove_suffix(1);
    return s;
}

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool allDigits(std::u16string_view s)
{
    if (s.empty())
        return false;
    for (char16_t c : s)
        if (!isDigit(c))
            return false;
    return true;
}

} // namespace

std::optional<double> ParseDecimal(std::u16string_view text)
{
    text = TrimBlanks(text);
    // Longer texts are never numbers anyone typed; the cap keeps the buffer
    // below on the stack.
    constexpr std::size_t kMaxChars = 128;
    if (text.empty() || text.size() > kMaxChars)
        return std::nullopt;

    char buf[kMaxChars + 2];
    std::size_t n = 0;
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') {
        negative = text[i] == u'-';
        ++i;
    }
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        buf[n++] = static_cast<char>(text[i++]);
        ++intDigits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        if (intDigits == 0)
            buf[n++] = '0';
        std::size_t dot = n;
        buf[n++] = '.';
        while (i < text.size() && isDigit(text[i])) {
            buf[n++] = static_cast<char>(text[i++]);
            ++fracDigits;
        }
        if (fracDigits == 0)
            n = dot; // "5." reads as 5
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        buf[n++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            buf[n++] = static_cast<char>(text[i++]);
        std::size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            buf[n++] = static_cast<char>(text[i++]);
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    // from_chars ignores the process locale, which Qt sets from the
    // environment and which may well use a decimal comma.
    double value = 0.0;
    auto [end, ec] = std::from_chars(buf, buf + n, value);
    if (ec != std::errc() || end != buf + n || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseWholeNumber(std::u16string_view text)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (!allDigits(text))
        return std::nullopt;
    std::int64_t v = 0;
    for (char16_t c : text) {
        v = v * 10 + (c - u'0');
        if (v > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

double MaxLengthInUnit(std::int32_t unit)
{
    switch (unit) {
    case UnitPixels:
        return 1.0e6;
    case UnitMillimeters:
        return 1.0e5;
    case UnitInches:
        return 4000.0;
    default:
        return 0.0;
    }
}

namespace {

// The mixed-fraction forms only inches know: "8 1/2", "8-1/2", "-1 1/4", "3/4".
std::optional<double> parseInchFraction(std::u16string text)
{
    double sign = 1.0;
    if (!text.empty() && text.front() == u'-') {
        sign = -1.0;
        text.erase(0, 1);
    }
    for (char16_t& c : text)
        if (c == u'-')
            c = u' ';
    std::u16string_view rest = TrimBlanks(text);

    std::int32_t whole = 0;
    if (auto blank = rest.find(u' '); blank != std::u16string_view::npos) {
        std::u16string_view head = rest.substr(0, blank);
        if (!allDigits(head))
            return std::nullopt;
        auto w = ParseWholeNumber(head);
        if (!w)
            return std::nullopt;
        whole = *w;
        rest = TrimBlanks(rest.substr(blank + 1));
    }

    auto slash = rest.find(u'/');
    if (slash == std::u16string_view::npos) {
        if (!rest.empty())
            return std::nullopt;
        return sign * whole;
    }
    std::u16string_view numText = TrimBlanks(rest.substr(0, slash));
    std::u16string_view denText = TrimBlanks(rest.substr(slash + 1));
    if (!allDigits(numText) || !allDigits(denText))
        return std::nullopt;
    auto num = ParseWholeNumber(numText);
    auto den = ParseWholeNumber(denText);
    if (!num || !den || *num == 0 || *den == 0)
        return std::nullopt;
    return sign * (whole + static_cast<double>(*num) / *den);
}

} // namespace

std::optional<double> parseDimension(std::u16string_view text, std::int32_t unit)
{
    if (!IsMeasuringUnit(unit))
        return std::nullopt;
    std::u16string t(TrimBlanks(text));
    if (t.empty())
        return 0.0;
    for (char16_t& c : t)
        if (c == u',')
            c = u'.';
    if (unit == UnitInches && t.back() == u'"') {
        t.pop_back();
        t = std::u16string(TrimBlanks(t));
        if (t.empty())
            return std::nullopt;
    }

    std::optional<double> value = ParseDecimal(t);
    if (!value && unit == UnitInches)
        value = parseInchFraction(t);
    if (!value || std::fabs(*value) > MaxLengthInUnit(unit))
        return std::nullopt;
    return value;
}

namespace {

double pixelsPerUnit(std::int32_t unit, double pxPerMm, double dpi)
{
    switch (unit) {
    case UnitPixels:
        return 1.0;
    case UnitMillimeters:
        return pxPerMm;
    case UnitInches:
        return dpi;
    default:
        return 0.0;
    }
}

} // namespace

double PixelsPerUnitX(std::int32_t unit, const ScreenMetrics& screen)
{
    return pixelsPerUnit(unit, screen.pxPerMmX, screen.dpiX);
}

double PixelsPerUnitY(std::int32_t unit, const ScreenMetrics& screen)
{
    return pixelsPerUnit(unit, screen.pxPerMmY, screen.dpiY);
}

std::u16string JoinDimensionTexts(const DimensionTexts& texts)
{
    std::u16string joined;
    for (const auto& t : texts) {
        joined += t;
        joined += kPageFieldSeparator;
    }
    return joined;
}

DimensionTexts SplitDimensionTexts(std::u16string_view headerText)
{
    DimensionTexts texts;
    std::size_t k = 0;
    while (k < texts.size()) {
        auto sep = headerText.find(kPageFieldSeparator);
        if (sep == std::u16string_view::npos) {
            texts[k] = headerText;
            break;
        }
        texts[k++] = headerText.substr(0, sep);
        headerText.remove_prefix(sep + 1);
    }
    return texts;
}

bool applyPageSetup(HeaderFields& header, std::u16string& headerText, const pageset_t& pageset,
                    std::int32_t designType, const PageSetupEnvironment& env, bool quiet)
{
    const std::int32_t unit = pageset.units;
    if (!IsMeasuringUnit(unit))
        return false;
    const miry_t& set = pageset.set(unit);

    header.orientation = pageset.orientation;
    header.designType = designType;
    header.quickSelect = set.quickSelect;

    // Header dimension slot of every real-valued text.
    static constexpr std::pair<DimensionText, PageDim> kReals[] = {
        {TextPaperWidth, DimPaperWidth},   {TextPaperHeight, DimPaperHeight},
        {TextCardWidth, DimCardWidth},     {TextCardHeight, DimCardHeight},
        {TextMarginLeft, DimMarginLeft},   {TextMarginTop, DimMarginTop},
        {TextMarginRight, DimMarginRight}, {TextMarginBottom, DimMarginBottom},
        {TextRowGap, DimRowGap},           {TextColumnGap, DimColumnGap},
        {TextReserved1, DimReserved1},     {TextReserved2, DimReserved2},
    };
    for (const auto& [text, dim] : kReals)
        if (auto v = parseDimension(set.texts[text], unit))
            header.pageDims[dim] = *v;
    if (auto rows = ParseWholeNumber(set.texts[TextRows]))
        header.rows = *rows;
    if (auto cols = ParseWholeNumber(set.texts[TextColumns]))
        header.columns = *cols;
    header.rowFold = set.rowFold;
    header.columnFold = set.columnFold;

    headerText = JoinDimensionTexts(set.texts);

    if (IsCardDesignType(designType)) {
        const double cw = header.pageDims[DimCardWidth];
        const double ch = header.pageDims[DimCardHeight];
        header.areaWidth = set.columnFold ? cw * 2.0 : cw;
        header.areaHeight = set.rowFold ? ch * 2.0 : ch;
    } else {
        header.areaWidth = header.pageDims[DimPaperWidth];
        header.areaHeight = header.pageDims[DimPaperHeight];
    }

    const double oldX = header.pixelsPerUnitX;
    const double oldY = header.pixelsPerUnitY;
    const double newX = PixelsPerUnitX(unit, env.screen);
    const double newY = PixelsPerUnitY(unit, env.screen);
    header.units = unit;
    header.pixelsPerUnitX = newX;
    header.pixelsPerUnitY = newY;
    // The origin keeps its place on the screen; a header that had no sensible
    // scale yet (fresh, or damaged) starts from the corner instead.
    const bool oldScaleUsable = std::isfinite(oldX) && std::isfinite(oldY) && oldX > 0 && oldY > 0;
    if (oldScaleUsable && newX > 0 && newY > 0) {
        header.originX = header.originX * oldX / newX;
        header.originY = header.originY * oldY / newY;
    } else {
        header.originX = 0.0;
        header.originY = 0.0;
    }
    if (!std::isfinite(header.originX) || std::fabs(header.originX) > MaxLengthInUnit(unit))
        header.originX = 0.0;
    if (!std::isfinite(header.originY) || std::fabs(header.originY) > MaxLengthInUnit(unit))
        header.originY = 0.0;
    header.gridSpacingX = env.gridSpacingX[static_cast<std::size_t>(unit - 1)];
    header.gridSpacingY = env.gridSpacingY[static_cast<std::size_t>(unit - 1)];

    if (!quiet)
        header.modified = 1;
    return true;
}

bool applyPageSetup(Item& header, const pageset_t& pageset, std::int32_t designType,
                    const PageSetupEnvironment& env, bool quiet)
{
    if (header.rec.h.kind != KindDocumentHeader)
        return false;
    std::u16string text = header.text;
    if (!applyPageSetup(header.rec.h, text, pageset, designType, env, quiet))
        return false;
    SetText(header, text);
    ApplyHeader(header);
    return true;
}

} // namespace vlm
