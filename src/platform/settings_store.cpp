#include "platform/settings_store.h"

#include <limits>

namespace vlm {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

std::optional<std::int32_t> SettingsStore::parseDecimalInteger(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulated as a magnitude; the limit allows exactly INT32_MIN.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::int32_t> SettingsStore::readInteger(std::string_view key, std::string_view name) const
{
    Value v = read(key, name);
    if (v.type == Type::Integer)
        return v.integer;
    if (v.type == Type::Text && v.untyped)
        return parseDecimalInteger(v.text);
    return std::nullopt;
}

std::optional<std::u16string> SettingsStore::readText(std::string_view key, std::string_view name) const
{
    Value v = read(key, name);
    if (v.type != Type::Text)
        return std::nullopt;
    return std::move(v.text);
}

} // namespace vlm
