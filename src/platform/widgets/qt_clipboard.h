#pragma once

// The desktop's clipboard through Qt: the picture is offered in every image
// format Qt knows (PNG among them), so mail programs and editors can paste it.

#include "platform/clipboard.h"

namespace vlm {

class QtClipboard final : public Clipboard {
public:
    void putImage(const QImage& image) override;
};

} // namespace vlm
