#include "shell/window/recent_files.h"

#include <QFileInfo>

#include <algorithm>

namespace vlm {

void AddRecentEntry(RecentFiles& files, const QString& name)
{
    if (name.isEmpty())
        return;
    const auto same = std::find_if(files.begin(), files.end(), [&](const std::u16string& entry) {
        return QString::fromStdU16String(entry).compare(name, Qt::CaseInsensitive) == 0;
    });
    if (same != files.end()) {
        std::move(same + 1, files.end(), same);
        files.back().clear();
    }
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files.front() = name.toStdU16String();
}

void TrimRecentEntries(RecentFiles& files)
{
    for (std::u16string& entry : files)
        entry = QString::fromStdU16String(entry).trimmed().toStdU16String();
}

QString FileCaption(const QString& path)
{
    return QFileInfo(path.trimmed()).completeBaseName().trimmed();
}

} // namespace vlm
