#pragma once

// The four choices of how a clip looks, shared by the picture dialog's side
// panel (for the clips to come) and the clip panel (for the selected ones):
// "Frame" (the frame weights, "None" first), "Frame Color", "Shadow" and
// "Frame 3-D". The colour and 3-D choices are enabled only with a frame.
// The frame, colour and shadow lists are the panels' lists (FillList), with
// the user's frame weights, colours and shadows.

#include "edit/panel_lists.h"
#include "settings/settings.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;

namespace vlm {

struct ShadowChoice
{
    std::uint8_t elevation = 0, fade = 0, lightness = 0;
    bool operator==(const ShadowChoice&) const = default;
};

class ClipLookControls : public QWidget
{
public:
    ClipLookControls(Settings& settings, QWidget* parent = nullptr);

    // Shows the values; none leaves a list without a selection. A frame
    // width of 0 (or not framed) selects "None".
    void showValues(std::optional<double> frameMm, std::optional<std::int32_t> color,
                    std::optional<ShadowChoice> shadow, std::optional<std::uint8_t> surface);
    // Enables the colour and 3-D lists as for a frame.
    void setFramed(bool framed);
    // Fills the lists again from the Settings (a customization dialog
    // closed), keeping the values shown.
    void refill();

    // What the user chose; each runs at once.
    std::function<void(bool framed, double mm)> frameChosen;
    std::function<void(std::int32_t color)> colorChosen;
    std::function<void(const ShadowChoice& shadow)> shadowChosen;
    std::function<void(std::uint8_t surface)> surfaceChosen;
    // "Customize..." of the colour list: the system colour dialog.
    std::function<std::optional<std::int32_t>(std::int32_t initial)> customColor;
    // "Customize..." of the frame or shadow list: the page of its dialog
    // (9 or 63). The choice shown stays.
    std::function<void(int page)> customize;

    QComboBox* frameList() const { return frame_; }
    QComboBox* colorList() const { return color_; }
    QComboBox* shadowList() const { return shadow_; }
    QComboBox* surfaceList() const { return surface_; }

private:
    void fill();
    void fillColors();
    void frameActivated(int index);
    void colorActivated(int index);
    void shadowActivated(int index);

    Settings& settings_;
    QComboBox* frame_ = nullptr;
    QComboBox* color_ = nullptr;
    QComboBox* shadow_ = nullptr;
    QComboBox* surface_ = nullptr;
    FilledList frames_, colors_, shadows_;
    int lastFrame_ = -1, lastColor_ = -1, lastShadow_ = -1;
};

} // namespace vlm
