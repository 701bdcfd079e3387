#include "shell/commands/picture_paste.h"

#include "pictures/picture_decoders.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/window/main_window.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace vlm {

QStringList pictureFilesOf(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile() &&
            PictureFormatForName(QFileInfo(url.toLocalFile()).fileName().toStdU16String()) != PictureFormatNone)
            files << url.toLocalFile();
    return files;
}

void connectPicturePaste(MainWindow& main, ClipboardCommands& clipboard, PictureCommands& pictures)
{
    QClipboard* system = QGuiApplication::clipboard();
    if (!system)
        return;
    clipboard.systemFilesPastable = [system] { return !pictureFilesOf(system->mimeData()).isEmpty(); };
    clipboard.pasteSystemFiles = [&main, &pictures, system] {
        const QStringList files = pictureFilesOf(system->mimeData());
        for (const QString& file : files)
            if (DocumentWindow* w = main.activeWindow())
                pictures.insertDroppedFile(*w, file);
    };
    QPointer<ClipboardCommands> guard(&clipboard);
    QObject::connect(system, &QClipboard::dataChanged, &clipboard, [guard] {
        if (guard)
            guard->commands().refresh();
    });
    clipboard.commands().refresh();
}

} // namespace vlm
