#pragma once

// The Grid and Snap options in a popup window: the boxes and the density
// field of each direction over a working copy of the grid options, and the
// "Save" and "Cancel" buttons.

#include "settings/settings.h"

#include <QWidget>

#include <functional>

class QBoxLayout;
class QCheckBox;
class QLineEdit;

namespace vlm {

class GridOptionsDialog : public QWidget
{
public:
    // `save` receives the working copy when "Save" is clicked; `close` then
    // (and on "Cancel") hides the popup.
    GridOptionsDialog(defaults_t options, std::function<void(const defaults_t&)> save,
                     std::function<void()> close, QWidget* parent = nullptr);

    const defaults_t& options() const { return options_; }

    // The controls, by direction (0 horizontal, 1 vertical).
    QCheckBox* showGridlines(int direction) const { return boxes_[direction][0]; }
    QCheckBox* showAnchors(int direction) const { return boxes_[direction][1]; }
    QCheckBox* snapToGrid(int direction) const { return boxes_[direction][2]; }
    QLineEdit* density(int direction) const { return density_[direction]; }
    void Save();

private:
    defaults_t options_;
    std::function<void(const defaults_t&)> save_;
    std::function<void()> close_;
    QCheckBox* boxes_[2][3] = {};
    QLineEdit* density_[2] = {};
};

// "Pixels", "Millimeters" or "Inches".
QString DensityUnitName(std::int32_t unit);

// The button row of an option frame: `confirm` ("Save", "Apply") and
// "Cancel", right-aligned at the bottom of `layout`.
void AddFrameButtons(QWidget* frame, QBoxLayout* layout, const char16_t* confirm,
                     std::function<void()> onConfirm, std::function<void()> onCancel);

} // namespace vlm
