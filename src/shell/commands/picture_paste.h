#pragma once

// "Paste" of picture files copied in a file manager: when the program's own
// clipboard holds nothing to paste, a picture file on the desktop's
// clipboard is inserted into the active document as if it had been dropped
// there.

#include <QStringList>

class QMimeData;

namespace vlm {

class ClipboardCommands;
class MainWindow;
class PictureCommands;

// The local picture files among the clipboard's or a drop's data.
QStringList pictureFilesOf(const QMimeData* mime);

// Connects "Paste" (menu, keys, button) of `clipboard` to the pictures.
void connectPicturePaste(MainWindow& main, ClipboardCommands& clipboard, PictureCommands& pictures);

} // namespace vlm
