#pragma once

// The picture-insertion dialog (PictureDialog) shown in the wide popup window: the
// picture area with the clip outlines, the toolbar with the zoom, and the
// side panel (PictureDialogTabs) with the insert mode, the counts of the outlines,
// the look of the clips to come and the hint lines. What "Insert" does is
// the caller's; the dialog only holds the session.

#include "pictures/insert_picture.h"
#include "pictures/picture_session.h"
#include "settings/settings.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QTabWidget;
class QToolButton;

namespace vlm {

class ClipLookControls;
class PictureDialog;

// The look of new clips: the frame, shadow and 3-D choices kept in the
// Settings.
ClipLook ClipLookFromSettings(const Settings& settings);

// The picture and its outlines; mouse events go to the dialog in shown
// picture pixels.
class PictureArea : public QWidget
{
public:
    explicit PictureArea(PictureDialog& dialog, QWidget* parent = nullptr);
    void updateSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureDialog& dialog_;
};

class PictureDialogTabs : public QWidget
{
public:
    PictureDialogTabs(PictureDialog& dialog, Settings& settings, QWidget* parent = nullptr);
    // Insert mode, counts and hint lines from the dialog.
    void refresh();
    QTabWidget* tabs() const { return tabs_; }
    QComboBox* modeList() const { return mode_; }
    QLabel* rectangularCount() const { return rectCount_; }
    QLabel* roundCount() const { return roundCount_; }
    const std::vector<QLabel*>& hintLines() const { return lines_; }
    ClipLookControls* look() const { return look_; }
    // A press on hint line `index` of the "Clips" tab.
    void linePressed(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureDialog& dialog_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* mode_ = nullptr;
    QLabel* rectCount_ = nullptr;
    QLabel* roundCount_ = nullptr;
    std::vector<QLabel*> lines_;
    ClipLookControls* look_ = nullptr;
};

class PictureDialog : public QWidget
{
public:
    enum Tool : int {
        ToolPointer = 0,
        ToolRect = 500,
        ToolRectMarker = 501,
        ToolRound = 508,
        ToolRoundMarker = 509
    };
    enum class Button {
        Pointer,
        Rect,
        Round,
        Erase,
        Mirror,
        Flip,
        TurnClockwise,
        TurnCounterClockwise,
        Undo,
        Redo,
        ZoomOut,
        ZoomIn
    };

    // `insert` runs for "Insert" (and the hint line that inserts), `cancel`
    // for "Cancel".
    PictureDialog(Settings& settings, PictureInsert mode, std::function<void()> insert, std::function<void()> cancel,
          QWidget* parent = nullptr);
    ~PictureDialog() override;

    PictureSession& session() { return *session_; }
    PictureInsert mode() const { return mode_; }
    // The session's picture changed (loaded): the area, zoom and panel follow.
    void pictureChanged();
    // The size the picture area offers a picture that opens.
    QSize paneSize() const;

    // ---- Tools and modes ----
    int tool() const { return tool_; }
    void setTool(int tool);
    // The panel's insert mode; it chooses the tool that goes with it.
    void chooseInsertMode(int mode);

    // ---- The picture area (shown picture pixels) ----
    void areaMouseDown(QPoint p);
    void areaMouseMove(QPoint p, bool buttonDown);
    void areaMouseUp(QPoint p);
    // The press has been held long enough: the drag gesture starts.
    void holdTimeout();
    bool firstPointFixed() const { return firstFixed_; }
    // The gesture's outline in progress (shown pixels), for painting.
    std::optional<std::pair<QPoint, QPoint>> rubberBand() const;
    // The outline under the marker drag or selected, for painting.
    static int MarkerAt(const Item& outline, QPoint picturePoint, double zoom);

    // ---- Commands ----
    bool keyDown(QKeyEvent& event);
    void eraseCommand();
    void mirrorCommand();
    void flipCommand();
    void turnClockwiseCommand();
    void turnCounterClockwiseCommand();
    void undoCommand();
    void redoCommand();
    void zoomOutCommand();
    void zoomInCommand();
    void trackMoved(int position);
    void trackReleased(int position);
    void insertCommand();

    // The look of new clips from the Settings.
    ClipLook look() const;

    QToolButton* button(Button b) const { return buttons_.at(b); }
    QSlider* trackBar() const { return track_; }
    QLabel* zoomLabel() const { return zoomLabel_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* cancelButton() const { return cancel_; }
    PictureDialogTabs* box() const { return box_; }
    PictureArea* area() const { return area_; }

private:
    QToolButton* makeButton(Button b, const char16_t* face, const char16_t* hint, QWidget* parent);
    void afterOutlinesChanged();
    void afterPictureChanged();
    void createOutline(QPoint a, QPoint b);
    Item* selectedOutline();

    Settings& settings_;
    PictureInsert mode_;
    std::unique_ptr<PictureSession> session_;
    std::function<void()> insertRun_;
    std::map<Button, QToolButton*> buttons_;
    QSlider* track_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    PictureArea* area_ = nullptr;
    PictureDialogTabs* box_ = nullptr;

    int tool_ = ToolPointer;
    // Outlining gestures.
    bool firstFixed_ = false; // click, move, click: the first click fixed the first point
    bool dragging_ = false;   // press, drag, release
    bool buttonDown_ = false;
    QPoint first_, current_, press_;
    QTimer hold_;
    // Marker drags.
    Item* reshaped_ = nullptr;
    int marker_ = -1;
};

} // namespace vlm
