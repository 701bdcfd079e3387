#include "shell/commands/canvas_context_menu.h"

#include "edit/selection.h"
#include "edit/tool_mode.h"
#include "platform/ui_text.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/window/document_window.h"
#include "shell/window/hook_chain.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/clipboard_texts.h"
#include "texts/desktop_texts.h"

#include <QAction>
#include <QMenu>

#include <cmath>
#include <functional>
#include <optional>

namespace vlm {

namespace {

// A picture is picked by its frame; a right-click anywhere on it means it
// too. The canvas point on the frame of the topmost picture whose box holds
// `documentPoint`, none when there is no such picture.
std::optional<QPoint> pictureFrameUnder(const DocumentView& view, const ItemList& list, QPoint documentPoint)
{
    const Item* found = nullptr;
    for (const Item& it : list) {
        const DrawingFields& d = it.rec.d;
        if (!IsLive(it) || d.kind != KindClip || documentPoint.x() < d.left || documentPoint.x() > d.right ||
            documentPoint.y() < d.top || documentPoint.y() > d.bottom)
            continue;
        if (!found || d.stackOrder > found->rec.d.stackOrder)
            found = &it;
    }
    if (!found)
        return std::nullopt;
    const DrawingFields& d = found->rec.d;
    if (d.clipShape == 2) {
        const int r = static_cast<int>(std::lround(std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1)));
        return QPoint(view.toCanvasX(d.x1 + r), view.toCanvasY(d.y1));
    }
    return QPoint(view.toCanvasX(d.left), view.toCanvasY(documentPoint.y()));
}

} // namespace

CanvasContextMenu::CanvasContextMenu(MainWindow& main, EditCommands& edit, ClipboardCommands& clipboard)
    : QObject(&main), main_(main), edit_(edit), clipboard_(clipboard)
{
    RunAfter(main_.hooks().documentOpened, [this](DocumentWindow& w) {
        const std::int32_t id = w.windowId();
        w.view().onContextMenu = [this, id](QPoint canvasPoint, QPoint global) {
            if (DocumentWindow* target = main_.windowWithId(id))
                open(*target, canvasPoint, global);
        };
    });
}

CanvasContextMenu::~CanvasContextMenu() = default;

QMenu* CanvasContextMenu::prepare(DocumentWindow& window, QPoint canvasPoint)
{
    if (main_.activeWindow() != &window)
        main_.ActivateWindow(window.windowId());
    Sandbox* box = edit_.sandboxOf(&window);
    CanvasInput* input = window.view().canvasInput();
    if (box && input && box->toolMode() == ToolMode::Pointer) {
        DocumentView& view = window.view().view();
        QPoint at = canvasPoint;
        const Item* under = ItemAtClick(view, canvasPoint);
        if (!under) {
            const QPoint document(view.toDocumentX(canvasPoint.x()), view.toDocumentY(canvasPoint.y()));
            if (const std::optional<QPoint> frame = pictureFrameUnder(view, window.document().items, document)) {
                at = *frame;
                under = ItemAtClick(view, at);
            }
        }
        if (under && !IsSelectedLive(*under)) {
            CanvasMouse m;
            m.x = at.x();
            m.y = at.y();
            m.button = MouseButton::Left;
            input->Image1MouseDown(m);
            input->Image1MouseUp(m);
        }
    }
    clipboard_.commands().refresh();
    const bool selected = FirstSelected(window.document().items) != nullptr;

    menu_ = std::make_unique<QMenu>();
    menu_->setAccessibleName(uiText(texts::kContextMenu));
    const auto add = [this](const char16_t* caption, bool enabled, std::function<void()> run) {
        QAction* a = menu_->addAction(uiText(caption));
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, [run] { run(); });
        return a;
    };
    ClipboardCommands& c = clipboard_;
    add(texts::kMenuCut, c.cutAction()->isEnabled(), [&c] { c.CutCommand(); });
    add(texts::kMenuCopy, c.copyAction()->isEnabled(), [&c] { c.CopyCommand(); });
    add(texts::kMenuPaste, c.pasteAction()->isEnabled(), [&c] { c.PasteCommand(); });
    // Erase is the toolbar's erase button.
    add(texts::kContextErase, selected, [&c] { c.CutCommand(); });
    menu_->addSeparator();
    add(texts::kContextFront, selected, [this] { edit_.PlaceOnTopCommand(); });
    add(texts::kContextBack, selected, [this] { edit_.PlaceBehindCommand(); });
    const std::optional<int> panel = SelectionPanelCode(window.document().items, false);
    add(texts::kContextFineTune, selected && panel.has_value(), [this, code = panel.value_or(0)] {
        if (code != 0)
            main_.ShowPanel(code);
    });
    menu_->addSeparator();
    add(texts::kMenuJoinItems, c.joinAction()->isEnabled(), [&c] { c.JoinCommand(); });
    add(texts::kMenuSplitGroup, c.splitAction()->isEnabled(), [&c] { c.SplitCommand(false); });
    return menu_.get();
}

void CanvasContextMenu::open(DocumentWindow& window, QPoint canvasPoint, QPoint global)
{
    if (QMenu* m = prepare(window, canvasPoint))
        m->popup(global);
}

} // namespace vlm
