#include "shell/window/hook_chain.h"
#include "shell/window/key_routing.h"

#include "platform/ui_text.h"
#include "shell/commands/edit_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/keyboard_texts.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>

namespace vlm {

namespace {

constexpr int kDeletedHintPage = 1038;


std::u32string CodePoints(const QString& s)
{
    std::u32string out;
    for (char32_t c : s.toUcs4())
        out.push_back(c);
    return out;
}

} // namespace

QStringList TextGuidanceLines(TextGuidance state)
{
    switch (state) {
    case TextGuidance::Typing: return {uiText(texts::kGuideTypeText), uiText(texts::kGuideTypeDone)};
    case TextGuidance::InPlaceEditing: return {uiText(texts::kGuideEndEdit), uiText(texts::kGuideEndEditPointer)};
    case TextGuidance::FineTune: break;
    }
    return {uiText(texts::kGuideEditText), uiText(texts::kGuideMoveText)};
}

std::u32string CharactersOf(const QKeyEvent& event)
{
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && !(event.modifiers() & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z)
        return std::u32string(1, static_cast<char32_t>(key - Qt::Key_A + 1));
    return CodePoints(event.text());
}

class KeyRouting::WindowKeys final : public DocumentKeys {
public:
    WindowKeys(EditCommands& edit, DocumentWindow& window) : edit_(edit), window_(window) {}

    bool keyDown(QKeyEvent& event) override
    {
        CanvasKeys* keys = edit_.keysOf(&window_);
        const int vk = VirtualKeyOf(event.key());
        return keys && vk != 0 && keys->HandleKeyDown(vk);
    }

    bool character(QKeyEvent& event) override
    {
        CanvasKeys* keys = edit_.keysOf(&window_);
        bool taken = false;
        if (keys)
            for (char32_t c : CharactersOf(event))
                taken = keys->HandleChar(c) || taken;
        return taken;
    }

    bool takesFirst(QKeyEvent& event) override
    {
        CanvasKeys* keys = edit_.keysOf(&window_);
        const std::u32string chars = CharactersOf(event);
        const bool printable = !chars.empty() && !(event.modifiers() & Qt::ControlModifier) && chars[0] >= 0x20;
        return keys && keys->TakesKeyFirst(VirtualKeyOf(event.key()), printable,
                                           (event.modifiers() & Qt::ControlModifier) != 0);
    }

    bool inputMethod(QInputMethodEvent& event) override
    {
        CanvasKeys* keys = edit_.keysOf(&window_);
        bool taken = false;
        if (keys)
            for (char32_t c : CodePoints(event.commitString()))
                taken = keys->HandleChar(c) || taken;
        return taken;
    }

private:
    EditCommands& edit_;
    DocumentWindow& window_;
};

KeyRouting::KeyRouting(MainWindow& main, EditCommands& edit) : QObject(&main), main_(main), edit_(edit)
{
    edit_.keyHooks = [this](DocumentWindow& w) { return hooksFor(w); };
    // Next-text changes of the text panel reach the text being typed.
    edit_.carryTextSettings = [this](bool turn) {
        CanvasKeys* keys = keysOf(main_.activeWindow());
        return keys && keys->CarryTextSettings(turn);
    };
    ShellHooks& hooks = main_.hooks();
    RunAfter(hooks.documentOpened, [this](DocumentWindow& w) { attach(w); });
    RunBefore(hooks.documentClosing, [this](DocumentWindow& w) { detach(w); });
    RunAfter(hooks.documentActivated, [this](DocumentWindow* w) {
        if (!w)
            return;
        attach(*w);
        if (CanvasKeys* keys = keysOf(w))
            keys->setKeyboardEnabled(true);
    });
    // The popups' and every dialog's showing and hiding; the filter goes
    // before the main window's members do, whose popups hide as they go.
    qApp->installEventFilter(this);
    RunAfter(hooks.mainWindowGoing, [this] {
        going_ = true;
        qApp->removeEventFilter(this);
    });
    for (DocumentWindow* w : main_.documentWindows())
        attach(*w);
}

// The document windows go before the commands of the main window do, so
// the adapters never outlive a window that still points to them.
KeyRouting::~KeyRouting() = default;

CanvasKeys* KeyRouting::keysOf(const DocumentWindow* window) const { return edit_.keysOf(window); }

CanvasKeyHooks KeyRouting::hooksFor(DocumentWindow&)
{
    CanvasKeyHooks hooks;
    hooks.deleteHighlightedAnchor = [this] {
        CommandRegistry& commands = main_.commands();
        return commands.enabled(CommandId::DeleteHighlightedAnchor) &&
               commands.run(CommandId::DeleteHighlightedAnchor);
    };
    hooks.selectionDeleted = [this] {
        // The hint page after a deletion, or the insert menu when it is off.
        if (edit_.showHintPage)
            edit_.showHintPage(kDeletedHintPage);
        else
            main_.RunDeferred(MainWindow::kDefaultPanel);
    };
    hooks.showPanel = [this](int code) { main_.ShowPanel(code); };
    hooks.schedulePanel = [this](int code) { main_.RunDeferred(code); };
    hooks.shownPanel = [this] { return main_.currentPanel(); };
    // The double-click selected the Clip alone.
    hooks.openPictureDialog = [this](Item&) { main_.commands().run(CommandId::EditPicture); };
    hooks.textGuidance = [this](TextGuidance g) { textGuidance(g); };
    hooks.requestHintPage = [this](int page) {
        if (edit_.showHintPage)
            edit_.showHintPage(page);
    };
    return hooks;
}

void KeyRouting::attach(DocumentWindow& window)
{
    if (windows_.count(&window))
        return;
    auto entry = std::make_unique<WindowKeys>(edit_, window);
    window.setKeys(entry.get());
    // Text composed by an input method reaches the canvas too.
    window.view().viewport()->setAttribute(Qt::WA_InputMethodEnabled, true);
    windows_[&window] = std::move(entry);
}

void KeyRouting::detach(DocumentWindow& window)
{
    auto found = windows_.find(&window);
    if (found == windows_.end())
        return;
    if (window.keys() == found->second.get())
        window.setKeys(nullptr);
    windows_.erase(found);
}

bool KeyRouting::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (going_ || (type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    // A page in a popup window owns the keys until the window it was
    // opened from is active again.
    if (widget == &main_.wideWindow() || widget == &main_.narrowWindow()) {
        if (type == QEvent::Show)
            for (auto& [window, adapter] : windows_)
                if (CanvasKeys* keys = keysOf(window))
                    keys->setKeyboardEnabled(false);
        if (type == QEvent::Hide)
            if (CanvasKeys* keys = keysOf(main_.activeWindow()))
                keys->setKeyboardEnabled(true);
    }
    if (type == QEvent::Hide && widget->isWindow() && qobject_cast<QDialog*>(widget))
        returnKeyboard(widget);
    return QObject::eventFilter(watched, event);
}

void KeyRouting::returnKeyboard(const QWidget* closed)
{
    // A window manager gives the keyboard to the window below a closed
    // dialog; without one (a bare X server) nobody does, and no shortcut
    // would work until the user clicked the window.
    QWidget* below = QApplication::activeModalWidget();
    if (below == closed || (below && !below->isVisible()))
        below = nullptr;
    if (!below) {
        if (!main_.isVisible())
            return;
        below = &main_;
    }
    below->activateWindow();
    // In the main window the keys belong to the document in front, not to
    // a field of a panel that would keep Ctrl+Z or Delete for itself.
    if (below == &main_)
        if (DocumentWindow* active = main_.activeWindow())
            active->view().setFocus(Qt::OtherFocusReason);
}

void KeyRouting::textGuidance(TextGuidance g)
{
    auto* panel = dynamic_cast<ToolPanel*>(main_.leftColumn().currentPanelWidget());
    if (!panel)
        return;
    const int code = panel->panelCode();
    const bool textPanel = code == PanelCode::TextTool || code == PanelCode::TextTool2 || code == PanelCode::TextTool3;
    if (!textPanel)
        return;
    switch (g) {
    case TextGuidance::Typing: panel->setPanelCode(PanelCode::TextTool3); break;
    case TextGuidance::FineTune: panel->setPanelCode(PanelCode::TextTool); break;
    case TextGuidance::InPlaceEditing: {
        const auto& lines = panel->lineLabels();
        const QStringList guidance = TextGuidanceLines(g);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            lines[i]->setTextFormat(Qt::RichText);
            lines[i]->setText(i < static_cast<std::size_t>(guidance.size()) ? guidance[static_cast<int>(i)] : QString());
        }
        break;
    }
    }
}

} // namespace vlm
