#pragma once

// Pictures into documents: the insert-picture command (the toolbar button,
// the Insert menu and the insert panel's "Picture" row) with its open
// dialog, a picture file opened as a document, "Edit this clip" and "Insert
// new clip" on a selected Clip, "Insert" of the picture dialog, the clip
// panel of the left column, and picture files dropped onto a document
// window. Installed into the main window before the editing commands so
// that they run after it.

#include "pictures/insert_picture.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace vlm {

class ClipLookControls;
class DocumentWindow;
class EditCommands;
class MainWindow;
class ClipPanel;
class PictureDialog;

// The hint page shown after a picture or its clips were inserted.
inline constexpr int kPictureInsertedHintPage = 1077;
// Its show flag (1-based, as the hint pages number them).
inline constexpr int kPictureInsertedHintFlag = 41;
// Left-column codes of the clip panel and of the picture frame's two modes
// opened from it.
inline constexpr int kClipPanelCode = 401;
inline constexpr int kEditClipCommand = 503;
inline constexpr int kNewClipCommand = 510;

class PictureCommands : public QObject
{
public:
    explicit PictureCommands(MainWindow& main);

    // The editing commands, once they exist: their Sandbox history and
    // hint pages are used.
    void attach(EditCommands& edit);

    // The insert-picture command: the open dialog, then the picture dialog
    // on the chosen file (a new document first when none is open).
    void InsertPictureCommand();
    // The picture dialog on a file for `window`.
    void openForFile(DocumentWindow& window, const QString& path);
    // The picture dialog on the selected Clip of `window`: EditClip or
    // NewClip. Closes nothing and opens nothing when no Clip with its
    // Picture record is selected. Also the way a double-click on a Clip
    // opens it (after selecting it alone).
    void openForClip(DocumentWindow& window, PictureInsert mode);
    // "Insert" of the dialog showing.
    void insertCommand();

    // Inserts the picture file as the entire image, as a drop does. False
    // when it is no picture this program reads.
    bool insertDroppedFile(DocumentWindow& window, const QString& path);

    PictureDialog* dialog() const;
    // 100 ms after the picture dialog opened on a file, once it has been
    // painted: the file is read into it.
    void loadTimer();
    bool loadPending() const { return loadTimer_.isActive(); }
    ClipPanel* clipPanel() const { return clipPanel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // "Customize..." of a look's lists: the system colour dialog for the
    // frame colours, the Customize menu's entry for the frame weights and
    // shadows.
    void connectLook(ClipLookControls& look);
    void installPanel();
    ClipPanel* makeClipPanel();
    void open(DocumentWindow& window, PictureDialog* dialog, const QString& title, std::int32_t clipSequence);
    void afterInsert(DocumentWindow& window, const InsertedPicture& inserted, bool edited);
    HistoryCursor& cursorOf(DocumentWindow& window);
    void refreshAfterClipChange(DocumentWindow& window);

    MainWindow& main_;
    EditCommands* edit_ = nullptr;
    QPointer<QWidget> dialog_; // the PictureDialog
    std::int32_t windowId_ = -1;
    std::int32_t clipSequence_ = 0;                          // the Clip the dialog opened on
    std::map<const DocumentWindow*, HistoryCursor> cursors_; // without editing commands
    ClipPanel* clipPanel_ = nullptr;
    QTimer loadTimer_;
    QPointer<QWidget> loading_; // the PictureDialog the timer reads a file into
    QString loadPath_;
};

} // namespace vlm
