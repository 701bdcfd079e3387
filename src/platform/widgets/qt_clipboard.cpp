#include "platform/widgets/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vlm {

void QtClipboard::putImage(const QImage& image)
{
    if (image.isNull())
        return;
    if (QClipboard* board = QGuiApplication::clipboard())
        board->setImage(image, QClipboard::Clipboard);
}

} // namespace vlm
