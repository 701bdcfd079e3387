#pragma once

// The Speed options in a popup window: whether the active document window
// shows pictures, shadows and 3-D effects, with "Apply" and "Cancel".

#include "render/document_view.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;

namespace vlm {

class SpeedDialog : public QWidget
{
public:
    // `apply` receives the three choices when "Apply" is clicked; `close`
    // then (and on "Cancel") hides the popup.
    SpeedDialog(SpeedOptions options, std::function<void(const SpeedOptions&)> apply,
               std::function<void()> close, QWidget* parent = nullptr);

    QCheckBox* pictures() const { return boxes_[0]; }
    QCheckBox* shadows() const { return boxes_[1]; }
    QCheckBox* effects() const { return boxes_[2]; }
    QLabel* guidance() const { return guidance_; }
    void Apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SpeedOptions options_;
    std::function<void(const SpeedOptions&)> apply_;
    std::function<void()> close_;
    QCheckBox* boxes_[3] = {};
    QLabel* guidance_ = nullptr;
};

} // namespace vlm
