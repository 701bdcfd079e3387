#pragma once

// The dialog of the user's shadows (ShadowDialog): the twelve shadows on the
// left; for the open one its name, the sliders "Elevation", "Fade" and
// "Lightness", whether it is offered in the shadow lists, and a sample of
// it; the light direction of all shadows beside them. "Save" keeps the
// shadows and the light direction in the Settings.

#include "settings/custom_edits.h"
#include "shell/dialogs/customize_dialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace vlm {

struct Settings;

class ShadowDialog : public CustomizeDialog
{
public:
    // `saved` runs after "Save" changed the Settings (the light direction
    // then goes to the open documents); `close` hides the popup.
    ShadowDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
            QWidget* parent = nullptr);

    const ShadowCopy& copy() const { return copy_; }
    QLineEdit* nameField() const { return name_; }
    // 0 elevation, 1 fade, 2 lightness.
    QSlider* slider(int i) const { return sliders_[static_cast<std::size_t>(i)]; }
    QLabel* sliderLabel(int i) const { return labels_[static_cast<std::size_t>(i)]; }
    QCheckBox* showBox() const { return show_; }
    QCheckBox* lightBox(int direction) const { return lights_[static_cast<std::size_t>(direction)]; }
    QLabel* sample() const { return sample_; }

    // The mouse was released over a slider: the three values go into the
    // open shadow.
    void slidersReleased();
    void chooseLight(int direction);

protected:
    QString entryName(int k) const override;
    QStringList fillPane(int k, QVBoxLayout* pane) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeLightBoxes();
    void redrawSample();
    QString showCaption() const;

    const Settings& settings_;
    ShadowCopy copy_;
    QLineEdit* name_ = nullptr;
    std::array<QSlider*, 3> sliders_{};
    std::array<QLabel*, 3> labels_{};
    QCheckBox* show_ = nullptr;
    std::array<QCheckBox*, 4> lights_{};
    QLabel* sample_ = nullptr;
};

} // namespace vlm
