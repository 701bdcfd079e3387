#include "settings/data_file_memory.h"

#include <algorithm>

namespace vlm {

std::u16string dataFileFor(const Settings& settings, std::u16string_view document)
{
    const auto it = std::find_if(settings.dataFiles.begin(), settings.dataFiles.end(),
                                 [&](const Settings::DataFileUse& u) { return u.document == document; });
    return it == settings.dataFiles.end() ? std::u16string() : it->data;
}

void rememberDataFile(Settings& settings, std::u16string_view document, std::u16string_view data)
{
    if (document.empty() || data.empty())
        return;
    std::erase_if(settings.dataFiles, [&](const Settings::DataFileUse& u) { return u.document == document; });
    settings.dataFiles.insert(settings.dataFiles.begin(), {std::u16string(document), std::u16string(data)});
    if (settings.dataFiles.size() > kMaxDataFiles)
        settings.dataFiles.resize(kMaxDataFiles);
}

} // namespace vlm
