#pragma once

// The print preview: the sheet as it will print, card copies and crossed-out
// cells included, rendered at the export resolution and reduced to the
// screen. It prepares itself 200 ms after it is shown, so that the popup is
// painted before the work starts. The pane shows the whole sheet: a sheet
// larger than the pane is drawn smaller to fit it, never cut.

#include "output/render_sheet.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QTimer;
class QToolButton;

namespace vlm {

class PrintPreviewDialog : public QWidget
{
public:
    // `document` is rendered once, when the timer fires; it must outlive
    // the frame (the popup keeps the program waiting meanwhile). `ready`
    // runs with the image once it is shown (the "Smooth" export saves it
    // then); `print` and `cancel` are the buttons.
    PrintPreviewDialog(Document& document, std::string selection, SheetEnvironment env,
             std::function<void(const Bitmap&)> ready, std::function<void()> print,
             std::function<void()> cancel, QWidget* parent = nullptr);

    bool isReady() const { return image_.has_value(); }
    const std::optional<Bitmap>& image() const { return image_; }
    // Runs the preparation now instead of waiting for the timer.
    void prepareNow();

    // The pane, and where in it the sheet is drawn (empty before the image
    // is ready).
    QWidget* pane() const;
    QRect shownSheet() const;

private:
    Document& document_;
    std::string selection_;
    SheetEnvironment env_;
    std::function<void(const Bitmap&)> ready_;
    std::optional<Bitmap> image_;
    QTimer* timer_ = nullptr;
    class SheetView;
    SheetView* pane_ = nullptr;
    QLabel* hints_[3] = {};
    QToolButton* printer_ = nullptr;
};

} // namespace vlm
