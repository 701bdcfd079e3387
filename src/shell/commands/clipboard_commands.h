#pragma once

// The clipboard and grouping commands of the main window: the Edit menu's
// "Cut", "Copy", "Paste", the hidden "Copy to Clipboard", "Join Items" and
// "Split Group", the toolbar's join, split, erase, copy and paste buttons,
// registered by identifier with the predicates of their enabled and shown
// states (main_menus lays them out), and the internal clipboard that every
// document window of the program shares and that outlives the window it was
// filled from. "Copy" also offers a picture of the copied Items to other
// programs through the system clipboard.

#include "model/item_list.h"
#include "platform/clipboard.h"
#include "shell/commands/command_registry.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QToolButton;

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;

class ClipboardCommands : public QObject {
public:
    // The toolbar button numbers of these commands.
    enum Button { JoinButton = 35, SplitButton = 36, EraseButton = 14, CopyButton = 16, PasteButton = 15 };
    // The hint page shown after "Cut" when its flag is on.
    static constexpr int kCutHintPage = 1038;

    // Registers the commands with `edit`'s registry and lays them out in its
    // Edit menu and toolbar; `system`, when given, replaces the desktop's clipboard (tests).
    ClipboardCommands(MainWindow& main, EditCommands& edit, Clipboard* system = nullptr);
    ~ClipboardCommands() override;

    void CutCommand();
    void CopyCommand();
    void PasteCommand();
    void CopyToClipboardCommand();
    void JoinCommand();
    // `fromToolbar`: the split button shows the insert panel afterwards.
    void SplitCommand(bool fromToolbar);

    // The Edit menu opens: "Copy to Clipboard" follows the outlined area.
    void editMenuShown();

    const ItemList& clipboard() const { return clipboard_; }

    // Files on the desktop's clipboard (a picture copied in a file manager):
    // whether one can be pasted, and pasting it when the program's own
    // clipboard holds nothing to paste. Set by the picture commands.
    std::function<bool()> systemFilesPastable;
    std::function<void()> pasteSystemFiles;

    QAction* cutAction() const;
    QAction* copyAction() const;
    QAction* pasteAction() const;
    QAction* copyToClipboardAction() const;
    // The item is never shown, and Qt reports a hidden action disabled: this
    // is the state it would show.
    bool copyToClipboardEnabled() const { return copyToClipboardEnabled_; }
    QAction* joinAction() const;
    QAction* splitAction() const;
    QToolButton* button(int number) const;
    // The toolbar's entry of a button: hidden and shown through it.
    QAction* buttonAction(int number) const;

    // The registry the commands are in (the edit commands').
    CommandRegistry& commands() const;

private:
    void registerCommands();
    bool anySelected() const;
    bool pastable() const;

    MainWindow& main_;
    EditCommands& edit_;
    std::unique_ptr<Clipboard> ownSystem_;
    Clipboard* system_ = nullptr;
    ItemList clipboard_;

    bool copyToClipboardEnabled_ = false;
};

} // namespace vlm
