#pragma once

// The clip panel of the left column (ClipPanel): saturation, contrast and
// lightness of the selected Clips on the "Colors" tab, their frame, frame
// colour, shadow and frame 3-D on the "Effects" tab, the links that open
// the picture dialog on the Clip, and the mirror, flip and turn buttons.
// Every change is one step of the document's undo history; the panel only
// says what changes, its owner applies it.

#include "model/item_list.h"
#include "pictures/insert_picture.h"
#include "settings/settings.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;

namespace vlm {

class ClipLookControls;

class ClipPanel : public QWidget
{
public:
    enum class Button { EditBoundary, Mirror, Flip, TurnClockwise, TurnCounterClockwise };

    ClipPanel(Settings& settings, QWidget* parent = nullptr);

    // The values of the selected Clips of `items`: the common ones shown,
    // the others left at 0 or unselected.
    void showSelection(const ItemList& items);

    // Applies `change` to every selected Clip as one edit.
    std::function<void(const std::function<void(Item&)>& change)> changeClips;
    // "Edit this clip", "Edit clip boundary" and "Insert new clip".
    std::function<void(PictureInsert mode)> openPicture;

    // A slider was released: all three values go to the Clips.
    void slidersReleased();
    void sliderMoved(int index, int position);
    void runButton(Button b);
    // The link lines: 0 "Edit this clip", 1 "Insert new clip".
    void linePressed(int index);

    QSlider* slider(int index) const { return sliders_[index]; }
    QLabel* percentLabel(int index) const { return percents_[index]; }
    QTabWidget* tabs() const { return tabs_; }
    ClipLookControls* look() const { return look_; }
    QToolButton* button(Button b) const { return buttons_[static_cast<int>(b)]; }
    QLabel* editLink() const { return editLink_; }
    QLabel* newClipLink() const { return newClipLink_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Settings& settings_;
    QTabWidget* tabs_ = nullptr;
    std::array<QSlider*, 3> sliders_{};
    std::array<QLabel*, 3> percents_{};
    std::array<QToolButton*, 5> buttons_{};
    ClipLookControls* look_ = nullptr;
    QLabel* editLink_ = nullptr;
    QLabel* newClipLink_ = nullptr;
};

} // namespace vlm
