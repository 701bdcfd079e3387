#include "shell/window/file_drops.h"

#include "pictures/picture_decoders.h"
#include "shell/window/main_window.h"
#include "texts/file_texts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace vlm {

FileDrops::FileDrops(MainWindow& main) : QObject(&main), main_(main)
{
    main_.setAcceptDrops(true);
    main_.installEventFilter(this);
}

QStringList FileDrops::openableFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    const QString document = QString::fromUtf8(texts::kDocumentExtension);
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (!info.isFile())
            continue;
        const bool isDocument = info.suffix().compare(document, Qt::CaseInsensitive) == 0;
        if (isDocument || PictureFormatForName(info.fileName().toStdU16String()) != PictureFormatNone)
            files << info.absoluteFilePath();
    }
    return files;
}

void FileDrops::openDropped(const QStringList& files)
{
    for (const QString& file : files)
        main_.OpenDocument(file);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched != &main_ || (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = openableFiles(drop->mimeData());
    if (files.isEmpty())
        return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        openDropped(files);
    return true;
}

} // namespace vlm
