#pragma once

// The system clipboard, as far as the program writes to it: a picture that
// other programs can paste. The widget layer puts it on the desktop's
// clipboard; tests record what was put.

#include <QImage>

namespace vlm {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content by the picture.
    virtual void putImage(const QImage& image) = 0;
};

} // namespace vlm
