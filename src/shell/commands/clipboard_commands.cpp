#include "shell/commands/clipboard_commands.h"

#include "edit/clipboard_edit.h"
#include "edit/selection.h"
#include "model/clipboard.h"
#include "platform/ui_text.h"
#include "platform/widgets/qt_clipboard.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/edit_commands.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/clipboard_texts.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

namespace vlm {

namespace {

// The toolbar numbers of the buttons and their commands.
constexpr std::pair<int, CommandId> kButtonIds[] = {
    {ClipboardCommands::JoinButton, CommandId::JoinButton},   {ClipboardCommands::SplitButton, CommandId::SplitButton},
    {ClipboardCommands::EraseButton, CommandId::EraseButton}, {ClipboardCommands::CopyButton, CommandId::CopyButton},
    {ClipboardCommands::PasteButton, CommandId::PasteButton},
};

CommandId buttonIdOf(int number)
{
    for (const auto& [n, id] : kButtonIds)
        if (n == number)
            return id;
    return CommandId::Separator;
}

} // namespace

ClipboardCommands::ClipboardCommands(MainWindow& main, EditCommands& edit, Clipboard* system)
    : QObject(&main), main_(main), edit_(edit), system_(system)
{
    if (!system_) {
        ownSystem_ = std::make_unique<QtClipboard>();
        system_ = ownSystem_.get();
    }
    registerCommands();
    connect(edit_.editMenu(), &QMenu::aboutToShow, this, [this] { editMenuShown(); });
    commands().refresh();
}

ClipboardCommands::~ClipboardCommands() = default;

CommandRegistry& ClipboardCommands::commands() const { return edit_.commands(); }

void ClipboardCommands::registerCommands()
{
    CommandRegistry& r = commands();
    const auto selected = [this] { return anySelected(); };
    const auto several = [this] {
        const DocumentWindow* w = main_.activeWindow();
        return w && SelectionCount(w->document().items) >= 2;
    };
    const auto group = [this] {
        const DocumentWindow* w = main_.activeWindow();
        return w && IsGroupSelected(w->document().items);
    };
    const auto pastable = [this] { return this->pastable(); };
    // Besides the shortcuts of old, the ones every other program uses.
    r.add({.id = CommandId::Cut,
           .caption = uiText(texts::kMenuCut),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_X)},
           .enabled = selected,
           .run = [this] { CutCommand(); }});
    r.add({.id = CommandId::Copy,
           .caption = uiText(texts::kMenuCopy),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_C)},
           .enabled = selected,
           .run = [this] { CopyCommand(); }});
    r.add({.id = CommandId::Paste,
           .caption = uiText(texts::kMenuPaste),
           .shortcuts = {QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_V)},
           .enabled = pastable,
           .run = [this] { PasteCommand(); }});
    // Never shown; its state follows the outlined area when the Edit menu
    // opens.
    // Kept for its shortcut; it acts while an area is outlined when the
    // Edit menu opens.
    r.add({.id = CommandId::CopyToClipboard,
           .caption = uiText(texts::kMenuCopyToClipboard),
           .enabled = [this] { return copyToClipboardEnabled_; },
           .run = [this] { CopyToClipboardCommand(); },
           .neverShown = true});
    r.add({.id = CommandId::JoinItems,
           .caption = uiText(texts::kMenuJoinItems),
           .enabled = several,
           .run = [this] { JoinCommand(); }});
    r.add({.id = CommandId::SplitGroup,
           .caption = uiText(texts::kMenuSplitGroup),
           .enabled = group,
           .run = [this] { SplitCommand(false); }});

    // The buttons appear only while they apply.
    const auto button = [&r](CommandId id, int picture, const char16_t* hint, const char16_t* label,
                             std::function<bool()> enabled, std::function<void()> run) {
        r.add({.id = id,
               .caption = uiText(label),
               .enabled = std::move(enabled),
               .run = std::move(run),
               .hideWhenDisabled = true,
               .button = true,
               .hint = uiText(hint),
               .picture = picture});
    };
    button(CommandId::JoinButton, JoinButton, texts::kHintJoin, u"\u2295", several, [this] { JoinCommand(); });
    button(CommandId::SplitButton, SplitButton, texts::kHintSplit, u"\u2298", group, [this] { SplitCommand(true); });
    button(CommandId::EraseButton, EraseButton, texts::kHintErase, u"\u2716", selected, [this] { CutCommand(); });
    button(CommandId::CopyButton, CopyButton, texts::kHintCopy, u"\u2398", selected, [this] { CopyCommand(); });
    button(CommandId::PasteButton, PasteButton, texts::kHintPaste, u"\u2399", pastable, [this] { PasteCommand(); });
}

QAction* ClipboardCommands::cutAction() const { return commands().action(CommandId::Cut); }
QAction* ClipboardCommands::copyAction() const { return commands().action(CommandId::Copy); }
QAction* ClipboardCommands::pasteAction() const { return commands().action(CommandId::Paste); }
QAction* ClipboardCommands::copyToClipboardAction() const { return commands().action(CommandId::CopyToClipboard); }
QAction* ClipboardCommands::joinAction() const { return commands().action(CommandId::JoinItems); }
QAction* ClipboardCommands::splitAction() const { return commands().action(CommandId::SplitGroup); }

QToolButton* ClipboardCommands::button(int number) const
{
    QAction* entry = buttonAction(number);
    if (!entry)
        return nullptr;
    for (QObject* o : entry->associatedObjects())
        if (auto* b = qobject_cast<QToolButton*>(o))
            return b;
    if (auto* widgetEntry = qobject_cast<QWidgetAction*>(entry))
        return qobject_cast<QToolButton*>(widgetEntry->defaultWidget());
    return nullptr;
}

QAction* ClipboardCommands::buttonAction(int number) const
{
    const CommandId id = buttonIdOf(number);
    return id == CommandId::Separator ? nullptr : commands().action(id);
}

// ---- State ----

bool ClipboardCommands::anySelected() const
{
    const DocumentWindow* w = main_.activeWindow();
    return w && FirstSelected(w->document().items);
}

bool ClipboardCommands::pastable() const
{
    return HasPastableItem(clipboard_) || (main_.activeWindow() && systemFilesPastable && systemFilesPastable());
}

void ClipboardCommands::editMenuShown()
{
    const Sandbox* box = edit_.activeSandbox();
    const QRect area = box ? box->outlinedArea() : QRect();
    copyToClipboardEnabled_ = area.width() > 0 && area.height() > 0;
    commands().refresh();
}

// ---- Commands ----

void ClipboardCommands::CutCommand()
{
    DocumentWindow* w = main_.activeWindow();
    Sandbox* box = edit_.sandboxOf(w);
    if (!box || !DeleteSelection(*box))
        return;
    w->view().viewport()->setCursor(Qt::ArrowCursor);
    // The hint page after a deletion, or the insert menu when it is off.
    if (edit_.showHintPage)
        edit_.showHintPage(kCutHintPage);
    else
        main_.RunDeferred(MainWindow::kDefaultPanel);
}

void ClipboardCommands::CopyCommand()
{
    DocumentWindow* w = main_.activeWindow();
    Sandbox* box = edit_.sandboxOf(w);
    if (!box)
        return;
    CopySelectedItems(*box, clipboard_);
    // Other programs get a picture of what was copied.
    const Bitmap picture = SelectionBitmap(box->view());
    if (!picture.isNull())
        system_->putImage(picture.image());
    // The clipboard changed: Paste follows.
    commands().refresh();
}

void ClipboardCommands::PasteCommand()
{
    DocumentWindow* w = main_.activeWindow();
    Sandbox* box = edit_.sandboxOf(w);
    SelectionTool* pointer = edit_.pointerOf(w);
    if (!box || !pointer)
        return;
    if (!HasPastableItem(clipboard_) && pasteSystemFiles) {
        pasteSystemFiles();
        return;
    }
    PasteClipboard(*box, *pointer, clipboard_, main_, [this](int code) { main_.ShowPanel(code); });
}

void ClipboardCommands::CopyToClipboardCommand()
{
    DocumentWindow* w = main_.activeWindow();
    Sandbox* box = edit_.sandboxOf(w);
    if (!box)
        return;
    w->view().view().hooks().copyToClipboard = [this](const Bitmap& area) { system_->putImage(area.image()); };
    CopyAreaToClipboard(*box);
}

void ClipboardCommands::JoinCommand()
{
    if (Sandbox* box = edit_.activeSandbox())
        JoinSelection(*box);
}

void ClipboardCommands::SplitCommand(bool fromToolbar)
{
    Sandbox* box = edit_.activeSandbox();
    if (!box)
        return;
    SplitSelection(*box);
    if (fromToolbar)
        main_.RunDeferred(MainWindow::kDefaultPanel);
}

} // namespace vlm
