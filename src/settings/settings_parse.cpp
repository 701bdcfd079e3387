#include "settings/settings_parse.h"

#include "model/page_setup.h"

#include <charconv>
#include <cmath>

namespace vlm {

double ParseReal(std::u16string_view text)
{
    std::u16string t;
    for (char16_t c : TrimBlanks(text)) {
        if (c == u' ')
            continue;
        t += c == u',' ? u'.' : c;
    }
    return ParseDecimal(t).value_or(0.0);
}

std::optional<double> ParseMeasure(std::u16string_view text)
{
    std::u16string t(TrimBlanks(text));
    if (t.empty())
        return std::nullopt;
    if (t.back() == u'"')
        t.pop_back();
    for (char16_t& c : t)
        if (c == u',')
            c = u'.';

    const auto slash = t.find(u'/');
    if (slash == std::u16string::npos)
        return ParseDecimal(t);
    const auto num = ParseDecimal(std::u16string_view(t).substr(0, slash));
    const auto den = ParseDecimal(std::u16string_view(t).substr(slash + 1));
    if (!num || !den)
        return std::nullopt;
    if (*num == 0.0 || *den == 0.0)
        return 0.0;
    const double q = *num / *den;
    if (!std::isfinite(q))
        return std::nullopt;
    return q;
}

std::u16string FormatReal(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return u"0";
    return std::u16string(buf, end);
}

} // namespace vlm
