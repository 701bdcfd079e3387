#pragma once

// The zoom controls at the right end of the tool frame: "Zoom out", a track
// bar from 0 to 300 with the heading "Zoom" above and the zoom in percent
// below, and "Zoom in". Moving the track bar only changes the read-out; the
// zoom is applied when the mouse button is released on it.

#include <QWidget>

#include <functional>

class QLabel;
class QSlider;
class QToolButton;

namespace vlm {

class ZoomControls : public QWidget {
public:
    explicit ZoomControls(QWidget* parent = nullptr);

    std::function<void()> onZoomOut;
    std::function<void()> onZoomIn;
    // The track bar was released at a position; the receiver decides
    // whether it applies (not at 0).
    std::function<void(int position)> onTrackbarReleased;

    // Shows the zoom on the track bar and below it without applying it again.
    void showZoom(double zoom);

    // The read-out follows the track bar while it moves.
    void TrackBar1Change(int position);
    void TrackBar1MouseUp();

    QSlider* trackBar() const { return trackBar_; }
    QLabel* percentLabel() const { return percent_; }
    QToolButton* zoomOutButton() const { return zoomOut_; }
    QToolButton* zoomInButton() const { return zoomIn_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* zoomOut_ = nullptr;
    QToolButton* zoomIn_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* percent_ = nullptr;
};

} // namespace vlm
