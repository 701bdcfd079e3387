#pragma once

// A document window: one Document shown in the multiple-document area, with
// the view that paints it. The main window decides about closing; this
// class only asks it and reports the close.

#include "model/document.h"
#include "render/view_settings.h"

#include <QMdiSubWindow>
#include <QString>

#include <cstdint>
#include <string>

class QAction;
class QInputMethodEvent;
class QKeyEvent;

namespace vlm {

class DocumentWindow;
class ViewWidget;

class DocumentWindowOwner {
public:
    virtual ~DocumentWindowOwner() = default;
    // May the window close? Asks about unsaved changes; false keeps it open.
    virtual bool queryClose(DocumentWindow& window) = 0;
    // The window is closing for good.
    virtual void windowClosed(DocumentWindow& window) = 0;
};

// The keys of a document window, handled by the editing layer.
class DocumentKeys {
public:
    virtual ~DocumentKeys() = default;
    // True when the key was taken and must go no further.
    virtual bool keyDown(QKeyEvent& event) = 0;
    virtual bool character(QKeyEvent& event) = 0;
    // True when the canvas is to get the key before a menu shortcut does.
    virtual bool takesFirst(QKeyEvent&) { return false; }
    // Text an input method composed; true when taken.
    virtual bool inputMethod(QInputMethodEvent&) { return false; }
};

class DocumentWindow : public QMdiSubWindow {
public:
    DocumentWindow(DocumentWindowOwner& owner, const ScreenMetrics& metrics, const ViewSettings& viewSettings,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    Document& document() { return document_; }
    const Document& document() const { return document_; }
    ViewWidget& view() { return *view_; }

    std::int32_t windowId() const { return WindowIdOf(document_); }

    // The file name without folder and extension, or "Untitled N".
    QString caption() const;
    // Shows the caption in the title bar and the Window menu entry.
    void updateCaption();

    QAction* windowMenuEntry() const { return windowMenuEntry_; }
    void setWindowMenuEntry(QAction* entry) { windowMenuEntry_ = entry; }

    DocumentKeys* keys() const { return keys_; }
    void setKeys(DocumentKeys* keys) { keys_ = keys; }

    // Which print cells of a card sheet print, one character per cell ("x":
    // not printed); kept while the window is open, never in the file.
    std::string areaSelection;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentWindowOwner& owner_;
    Document document_;
    ViewWidget* view_ = nullptr;
    QAction* windowMenuEntry_ = nullptr;
    DocumentKeys* keys_ = nullptr;
    bool closed_ = false;
};

} // namespace vlm
