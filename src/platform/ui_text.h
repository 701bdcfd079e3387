// The one conversion from the text tables of texts/ (UTF-16 literals) to the
// QString a widget, painter or file dialog takes. Every caption passes
// through here, so a text reaches the user exactly as the table holds it.
#pragma once

#include <QString>

#include <string_view>

namespace vlm {

inline QString uiText(const char16_t* text)
{
    return QString::fromUtf16(text);
}

inline QString uiText(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vlm
