#pragma once

// The two popup windows of the main window, a wide one and a narrow one,
// that host the dialog frames (page setup, print preview, picture
// insertion, customization lists, about, first-time setup). A popup shows
// one frame at a time and keeps the rest of the program waiting for it.

#include <QDialog>
#include <QPointer>

#include <functional>

namespace vlm {

class PopupWindow : public QDialog {
public:
    enum class Shape { Wide, Narrow };

    PopupWindow(Shape shape, QWidget* parent = nullptr);

    // Shows `frame` (the window takes it over) under `title`. `onClosed`
    // runs once, when the window closes by any means; the frame is freed
    // then.
    void showFrame(QWidget* frame, const QString& title, std::function<void()> onClosed = {});
    QWidget* frame() const { return frame_; }

    QSize sizeHint() const override;

private:
    void closed();

    Shape shape_;
    QPointer<QWidget> frame_;
    std::function<void()> onClosed_;
};

} // namespace vlm
