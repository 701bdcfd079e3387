#pragma once

// The keys of a document window's canvas: HandleKeyDown and HandleChar with
// the figure keys (Backspace, Enter, C, Esc), Delete, the caret keys, typing
// a new text and editing one in place with its blinking caret, the
// double-click, and the point commands Ctrl-A, Ctrl-D and Ctrl-I on splines
// and curves. Keys arrive as the virtual-key codes below and characters as
// Unicode code points; the shell maps Qt's events onto them (VirtualKeyOf).
//
// The handlers are ordinary methods and the two timers call ordinary
// methods too, so tests drive the keys without a window on the screen.

#include "edit/sandbox.h"
#include "edit/selection_tool.h"
#include "edit/text_edits.h"
#include "render/view_overlay.h"

#include <QPoint>
#include <QTimer>

#include <functional>

namespace vlm {

// The key codes the commands are written in.
namespace Vk {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int C = 67;
} // namespace Vk

// The one mapping of Qt's key codes (Qt::Key) onto those codes; 0 for keys
// the canvas has no command for.
int VirtualKeyOf(int qtKey);

// What the text panel's guidance says.
enum class TextGuidance { FineTune, Typing, InPlaceEditing };

// What the keys ask of the main window and of the commands built on them; each may be empty.
struct CanvasKeyHooks {
    // The first step of Delete: a highlighted GridLine Anchor deletes its
    // GridLine; true when one was highlighted (and nothing else happens).
    std::function<bool()> deleteHighlightedAnchor;
    // DeleteSelection removed Items: the panel that follows it.
    std::function<void()> selectionDeleted;
    std::function<void(int panelCode)> showPanel;
    // A panel through the main window's panel timer.
    std::function<void(int panelCode)> schedulePanel;
    std::function<int()> shownPanel;
    // A double-click on a picture: the picture insertion opens on the Clip.
    std::function<void(Item& clip)> openPictureDialog;
    std::function<void(TextGuidance)> textGuidance;
    std::function<void(int page)> requestHintPage;
    // Undo and Redo follow the history.
    std::function<void()> historyChanged;
};

class CanvasKeys {
public:
    static constexpr int kCaretBlinkMs = 500;
    static constexpr int kDoubleClickDelayMs = 200;

    // Takes over the window's typing, press, double-click and continuation
    // hooks.
    CanvasKeys(Sandbox& window, SelectionTool& pointer, CanvasKeyHooks hooks = {});
    ~CanvasKeys();
    CanvasKeys(const CanvasKeys&) = delete;
    CanvasKeys& operator=(const CanvasKeys&) = delete;

    CanvasKeyHooks& hooks() { return hooks_; }

    // True only for a caret key that moved the caret.
    bool HandleKeyDown(int virtualKey);
    // True when typing or Ctrl-A took the character.
    bool HandleChar(char32_t c);
    // Whether a key would act on the canvas now, before the menus' shortcuts
    // get it (a figure being built, a text being typed). Ctrl with a letter
    // stays the menus'.
    bool TakesKeyFirst(int virtualKey, bool printable, bool ctrl) const;

    bool keyboardEnabled() const { return keyboardEnabled_; }
    void setKeyboardEnabled(bool on) { keyboardEnabled_ = on; }

    // ---- Caret ----
    const Caret& caret() const { return caret_; }
    bool caretShown() const { return caretShown_; }
    bool caretBlinking() const { return blink_.isActive(); }
    void CaretBlinkTimer();
    void DrawCaret();
    void HideCaret();
    // A press while the caret blinks: true when it placed the caret.
    bool PlaceCaret(QPoint canvasPoint);
    void EndInPlaceEdit();

    // ---- Next-text settings ----
    // The text being typed or edited in place takes the next-text settings
    // (colour, size, weight, style and justification, face, character set,
    // preset direction) with no undo step of its own: the typing belongs to
    // the text's creation or editing step. `turn` also turns it to the preset
    // direction. Its box grows to fit, the area is repainted and the caret
    // drawn again. False when no text is being typed.
    bool CarryTextSettings(bool turn);

    // ---- Double-click ----
    void DoubleClick(QPoint canvasPoint);
    void DoubleClickDelayTimer();
    bool doubleClickPending() const { return doubleClick_.isActive(); }

    // ---- Point commands ----
    bool ContinueFigure();
    void CommitContinuation(const std::vector<QPoint>& nodes);
    void CancelContinuation(bool viaPanelTimer);
    bool DeleteTurningPoint();
    bool InsertTurningPoint();

private:
    Item* singleText() const;
    Item* singleSelected() const;
    // The single selected text while it is being typed or edited in place.
    Item* typedText() const;
    TextEditContext editContext() const;
    // One text edit: caret off, the edit, the changed area repainted, caret on.
    bool editText(const std::function<bool(Item&, Caret&, const TextEditContext&)>& edit);
    void startTyping(Item& text);
    void textEditingEnded();
    bool deleteSelection();
    bool escape();
    void cancelLineDrag();
    QPoint pointerCanvas() const;
    void guidance(TextGuidance g);

    Sandbox& window_;
    SelectionTool& pointer_;
    CanvasKeyHooks hooks_;
    bool keyboardEnabled_ = true;

    Caret caret_;
    bool caretShown_ = false;
    bool inPlace_ = false;
    SaveUnder caretUnder_;
    QTimer blink_;

    QTimer doubleClick_;
    QPoint doubleClickAt_;

    Item* continued_ = nullptr;
};

} // namespace vlm
