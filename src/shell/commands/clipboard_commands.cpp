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

namespace vlm {

namespace {


struct ButtonSpec {
    int number;
    const char16_t* hint;
    const char16_t* label;
};

// After the stacking buttons: join and split, then, as a group of their own,
// erase, copy and paste. 0 separates the groups.
constexpr ButtonSpec kButtons[] = {
    {ClipboardCommands::JoinButton, texts::kHintJoin, u"\u2295"},
    {ClipboardCommands::SplitButton, texts::kHintSplit, u"\u2298"},
    {0, nullptr, nullptr},
    {ClipboardCommands::EraseButton, texts::kHintErase, u"\u2716"},
    {ClipboardCommands::CopyButton, texts::kHintCopy, u"\u2398"},
    {ClipboardCommands::PasteButton, texts::kHintPaste, u"\u2399"},
};

} // namespace

ClipboardCommands::ClipboardCommands(MainWindow& main, EditCommands& edit, Clipboard* system)
    : QObject(&main), main_(main), edit_(edit), system_(system)
{
    if (!system_) {
        ownSystem_ = std::make_unique<QtClipboard>();
        system_ = ownSystem_.get();
    }
    buildMenu();
    buildButtons();
    auto previous = std::move(edit_.selectionChanged);
    edit_.selectionChanged = [this, previous] {
        if (previous)
            previous();
        updateState();
    };
    updateState();
}

ClipboardCommands::~ClipboardCommands() = default;

void ClipboardCommands::buildMenu()
{
    QMenu* menu = edit_.editMenu();
    menu->addSeparator();
    // Besides the shortcuts of old, the ones every other program uses.
    cut_ = menu->addAction(uiText(texts::kMenuCut));
    cut_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_X)});
    copy_ = menu->addAction(uiText(texts::kMenuCopy));
    copy_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_C)});
    paste_ = menu->addAction(uiText(texts::kMenuPaste));
    paste_->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_V)});
    menu->addSeparator();
    copyToClipboard_ = menu->addAction(uiText(texts::kMenuCopyToClipboard));
    copyToClipboard_->setVisible(false);
    join_ = menu->addAction(uiText(texts::kMenuJoinItems));
    split_ = menu->addAction(uiText(texts::kMenuSplitGroup));

    connect(cut_, &QAction::triggered, this, [this] { CutCommand(); });
    connect(copy_, &QAction::triggered, this, [this] { CopyCommand(); });
    connect(paste_, &QAction::triggered, this, [this] { PasteCommand(); });
    connect(copyToClipboard_, &QAction::triggered, this, [this] { CopyToClipboardCommand(); });
    connect(join_, &QAction::triggered, this, [this] { JoinCommand(); });
    connect(split_, &QAction::triggered, this, [this] { SplitCommand(false); });
    connect(menu, &QMenu::aboutToShow, this, [this] { editMenuShown(); });
}

void ClipboardCommands::buildButtons()
{
    QToolBar* row = edit_.toolbar();
    for (const ButtonSpec& def : kButtons) {
        if (def.number == 0) {
            row->addSeparator();
            continue;
        }
        auto* b = new QToolButton(row);
        b->setText(uiText(def.label));
        b->setIcon(ToolbarPicture(def.number));
        b->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
        b->setToolTip(uiText(def.hint));
        b->setAccessibleName(uiText(def.hint));
        b->setAutoRaise(true);
        QAction* entry = row->addWidget(b);
        buttons_[def.number] = {b, entry};
        const int number = def.number;
        connect(b, &QToolButton::clicked, this, [this, number] {
            switch (number) {
            case JoinButton: JoinCommand(); break;
            case SplitButton: SplitCommand(true); break;
            case EraseButton: CutCommand(); break;
            case CopyButton: CopyCommand(); break;
            case PasteButton: PasteCommand(); break;
            default: break;
            }
        });
    }
}

QToolButton* ClipboardCommands::button(int number) const
{
    auto found = buttons_.find(number);
    return found == buttons_.end() ? nullptr : found->second.first;
}

QAction* ClipboardCommands::buttonAction(int number) const
{
    auto found = buttons_.find(number);
    return found == buttons_.end() ? nullptr : found->second.second;
}

// ---- State ----

void ClipboardCommands::updateState()
{
    DocumentWindow* w = main_.activeWindow();
    const ItemList* list = w ? &w->document().items : nullptr;
    bool selected = false;
    if (list)
        for (const Item& it : *list)
            selected = selected || IsSelectedLive(it);
    const bool several = list && SelectionCount(*list) >= 2;
    const bool group = list && IsGroupSelected(*list);
    const bool own = HasPastableItem(clipboard_);
    const bool pastable = own || (w && systemFilesPastable && systemFilesPastable());

    cut_->setEnabled(selected);
    copy_->setEnabled(selected);
    paste_->setEnabled(pastable);
    join_->setEnabled(several);
    split_->setEnabled(group);
    buttonAction(EraseButton)->setVisible(selected);
    buttonAction(CopyButton)->setVisible(selected);
    buttonAction(PasteButton)->setVisible(pastable);
    buttonAction(JoinButton)->setVisible(several);
    buttonAction(SplitButton)->setVisible(group);
}

void ClipboardCommands::editMenuShown()
{
    const Sandbox* box = edit_.activeSandbox();
    const QRect area = box ? box->outlinedArea() : QRect();
    copyToClipboardEnabled_ = area.width() > 0 && area.height() > 0;
    copyToClipboard_->setEnabled(copyToClipboardEnabled_);
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
    edit_.updateSelectionButtons();
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
    updateState();
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
        edit_.updateSelectionButtons();
        return;
    }
    PasteClipboard(*box, *pointer, clipboard_, main_, [this](int code) { main_.ShowPanel(code); });
    edit_.updateSelectionButtons();
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
    edit_.updateSelectionButtons();
}

void ClipboardCommands::SplitCommand(bool fromToolbar)
{
    Sandbox* box = edit_.activeSandbox();
    if (!box)
        return;
    SplitSelection(*box);
    if (fromToolbar)
        main_.RunDeferred(MainWindow::kDefaultPanel);
    edit_.updateSelectionButtons();
}

} // namespace vlm
