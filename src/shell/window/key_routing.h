#pragma once

// Gives every document window its canvas keys: the editing layer's
// CanvasKeys (kept with the window's Sandbox by EditCommands) behind the
// DocumentKeys the main window's key hook offers each key press, shortcut
// override and input-method text to. Qt's events become
// the key codes and code points the commands use here and nowhere else. The
// canvas keys pause while a popup window shows one of its pages, and
// whenever a dialog closes the keyboard goes back to the window below it, so
// the shortcuts work at once even where no window manager hands it back.

#include "edit/keyboard.h"
#include "shell/window/document_window.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace vlm {

class EditCommands;
class MainWindow;

class KeyRouting : public QObject {
public:
    KeyRouting(MainWindow& main, EditCommands& edit);
    ~KeyRouting() override;

    // The canvas keys of a document window, or null.
    CanvasKeys* keysOf(const DocumentWindow* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class WindowKeys;

    // A dialog closed: the still open modal window below it, or the main
    // window, takes the keyboard again.
    void returnKeyboard(const QWidget* closed);

    CanvasKeyHooks hooksFor(DocumentWindow& window);
    void attach(DocumentWindow& window);
    void detach(DocumentWindow& window);
    void textGuidance(TextGuidance g);

    MainWindow& main_;
    EditCommands& edit_;
    // The main window is being destroyed: no event may reach it any more.
    bool going_ = false;
    std::map<const DocumentWindow*, std::unique_ptr<WindowKeys>> windows_;
};

// The text panel's two guidance lines in a state (rich text).
QStringList TextGuidanceLines(TextGuidance state);

// The code points of a key press's text; Ctrl with a letter gives the
// control character of that letter whatever text the platform sent.
std::u32string CharactersOf(const QKeyEvent& event);

} // namespace vlm
