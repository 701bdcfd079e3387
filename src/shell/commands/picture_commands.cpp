#include "shell/commands/picture_commands.h"
#include "shell/window/hook_chain.h"

#include "edit/edit_step.h"
#include "edit/sandbox.h"
#include "model/item_list.h"
#include "pictures/clip_adjust.h"
#include "pictures/picture_decoders.h"
#include "pictures/picture_open_filter.h"
#include "platform/ui_text.h"
#include "shell/commands/customize_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/dialogs/picture_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/clip_look_controls.h"
#include "shell/panels/clip_panel.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/picture_texts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <optional>
#include <utility>

namespace vlm {

namespace {


// Pictures larger than this are not read (the decoders refuse far smaller
// pictures than such files hold).
constexpr qint64 kMaxPictureFileBytes = 512ll * 1024 * 1024;

std::vector<std::uint8_t> ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxPictureFileBytes)
        return {};
    const QByteArray data = f.readAll();
    return {data.begin(), data.end()};
}

PictureFormat FormatOf(const QString& path)
{
    return PictureFormatForName(QFileInfo(path).fileName().trimmed().toStdU16String());
}

QString PictureOfDrop(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && FormatOf(url.toLocalFile()) != PictureFormatNone)
            return url.toLocalFile();
    return {};
}

bool IsPictureClip(const Document& doc, const Item* clip)
{
    return clip && IsLive(*clip) && clip->rec.d.kind == KindClip && clip->rec.d.pictureId >= 1 &&
           PictureById(doc.items, clip->rec.d.pictureId) != nullptr;
}

} // namespace

void PictureCommands::connectLook(ClipLookControls& look)
{
    look.customColor = [this](std::int32_t initial) { return ChooseListColor(main_, initial); };
    look.customize = [this](int page) {
        if (const std::optional<CommandId> id = customizeCommandOf(page))
            main_.commands().run(*id);
    };
}

PictureCommands::PictureCommands(MainWindow& main) : QObject(&main), main_(main)
{
    loadTimer_.setSingleShot(true);
    loadTimer_.setInterval(100);
    connect(&loadTimer_, &QTimer::timeout, this, [this] { loadTimer(); });
    ShellHooks& hooks = main_.hooks();
    auto previousFrame = std::move(hooks.runFrameCommand);
    hooks.runFrameCommand = [this, previousFrame](int code) {
        if (code == 400) {
            InsertPictureCommand();
        } else if (code == kEditClipCommand || code == kNewClipCommand) {
            if (DocumentWindow* w = main_.activeWindow())
                openForClip(*w, code == kEditClipCommand ? PictureInsert::EditClip : PictureInsert::NewClip);
        } else if (previousFrame) {
            previousFrame(code);
        }
    };
    hooks.insertPicture = [this](DocumentWindow& window, const QString& picture) {
        openForFile(window, picture);
    };
    hooks.pictureFrameKeys = [this](QKeyEvent& event) {
        PictureDialog* d = dialog();
        return d && !main_.narrowWindow().isVisible() && d->keyDown(event);
    };
    main_.commands().add({.id = CommandId::EditPicture, .run = [this] {
                              if (DocumentWindow* w = main_.activeWindow())
                                  openForClip(*w, PictureInsert::EditClip);
                          }});
    installPanel();
    RunBefore(hooks.panelShown, [this](int code) {
        if (code == kClipPanelCode && clipPanel_ && main_.activeWindow())
            clipPanel_->showSelection(main_.activeWindow()->document().items);
    });
    RunBefore(hooks.documentOpened, [this](DocumentWindow& w) {
        w.view().setAcceptDrops(true);
        w.view().installEventFilter(this);
    });
    RunAfter(hooks.documentClosing, [this](DocumentWindow& w) { cursors_.erase(&w); });
}

void PictureCommands::attach(EditCommands& edit)
{
    edit_ = &edit;
    // The editing commands' panels stand for every selection; the clip
    // panel goes before theirs.
    installPanel();
}

void PictureCommands::installPanel()
{
    ShellHooks& hooks = main_.hooks();
    AskFirst(hooks.makePanel, [this](int code) -> QWidget* {
        return code == kClipPanelCode ? makeClipPanel() : nullptr;
    });
}

ClipPanel* PictureCommands::makeClipPanel()
{
    if (clipPanel_)
        return clipPanel_;
    clipPanel_ = new ClipPanel(main_.settings());
    connectLook(*clipPanel_->look());
    clipPanel_->changeClips = [this](const std::function<void(Item&)>& change) {
        DocumentWindow* w = main_.activeWindow();
        if (!w)
            return;
        w->view().view().RemoveMarkers();
        if (EditSelectedClips(w->document().items, cursorOf(*w), change) > 0)
            refreshAfterClipChange(*w);
        else
            w->view().repaintAll(true);
    };
    clipPanel_->openPicture = [this](PictureInsert mode) {
        if (DocumentWindow* w = main_.activeWindow())
            openForClip(*w, mode);
    };
    return clipPanel_;
}

PictureDialog* PictureCommands::dialog() const
{
    return static_cast<PictureDialog*>(dialog_.data());
}

HistoryCursor& PictureCommands::cursorOf(DocumentWindow& window)
{
    if (edit_)
        if (Sandbox* sandbox = edit_->sandboxOf(&window))
            return sandbox->historyCursor();
    return cursors_[&window];
}

void PictureCommands::refreshAfterClipChange(DocumentWindow& window)
{
    if (Sandbox* sandbox = edit_ ? edit_->sandboxOf(&window) : nullptr) {
        EditStep edit(*sandbox);
        edit.repaintAll(true);
        edit.changed({.items = true});
    } else {
        window.view().repaintAll(true);
    }
    window.updateCaption();
    if (clipPanel_ && main_.activeWindow() == &window)
        clipPanel_->showSelection(window.document().items);
}

void PictureCommands::InsertPictureCommand()
{
    DocumentWindow* window = main_.activeWindow();
    if (!window)
        window = main_.OpenDocument({});
    if (!window)
        return;
    const std::int32_t windowId = window->windowId();
    Settings& s = main_.settings();
    Prompts::FileDialog request;
    request.title = uiText(texts::kPictureOpenTitle);
    request.folder = QString::fromStdU16String(s.picidr);
    request.fileName = QString::fromStdU16String(s.lastPictureFileName);
    request.filter = uiText(pictureOpenFilter());
    request.filterIndex = pictureFilterPosition(s.picndx);
    const std::optional<QString> chosen = main_.prompts().openFile(request);
    if (!chosen)
        return;
    const QFileInfo info(*chosen);
    s.picidr = info.absolutePath().toStdU16String();
    s.lastPictureFileName = info.fileName().toStdU16String();
    if (const int value = pictureFilterValueFor(info.fileName().toStdU16String()); value > 0)
        s.picndx = value;
    // The open dialog let the event loop run: the window is looked up again.
    if (DocumentWindow* target = main_.windowWithId(windowId))
        openForFile(*target, *chosen);
}

void PictureCommands::openForFile(DocumentWindow& window, const QString& path)
{
    auto* d = new PictureDialog(
        main_.settings(), PictureInsert::NewPicture, [this] { insertCommand(); },
        [this] { main_.wideWindow().reject(); });
    d->session().fileName = path.toStdU16String();
    connectLook(*d->box()->look());
    open(window, d, QFileInfo(path).completeBaseName(), 0);
    // The file is read once the dialog has been painted.
    loading_ = d;
    loadPath_ = path;
    loadTimer_.start();
}

void PictureCommands::loadTimer()
{
    loadTimer_.stop();
    const QPointer<PictureDialog> guard = static_cast<PictureDialog*>(std::exchange(loading_, nullptr).data());
    const QString path = std::exchange(loadPath_, QString());
    if (!guard)
        return;
    const PictureFormat format = FormatOf(path);
    if (format == PictureFormatNone)
        return; // not a picture: nothing is shown, and "Insert" inserts nothing
    if (!guard->session().load(ReadFile(path), format, guard->paneSize())) {
        main_.prompts().message(Prompts::Kind::Warning, uiText(LoadFailureText(guard->session())), Prompts::Ok);
        return;
    }
    if (guard)
        guard->pictureChanged();
}

void PictureCommands::openForClip(DocumentWindow& window, PictureInsert mode)
{
    Document& doc = window.document();
    Item* clip = FirstSelected(doc.items);
    if (!IsPictureClip(doc, clip)) {
        if (dialog())
            main_.wideWindow().reject();
        return;
    }
    const Item* picture = PictureById(doc.items, clip->rec.d.pictureId);
    const DrawingFields& c = clip->rec.d;
    auto* d = new PictureDialog(
        main_.settings(), mode, [this] { insertCommand(); }, [this] { main_.wideWindow().reject(); });
    d->session().fileName = picture->text;
    connectLook(*d->box()->look());
    const double zoom = c.clipShape == 2 ? c.scaleX : c.placementScale;
    const bool loaded = d->session().loadForClip(picture->pictureData, picture->rec.d.clipShape, c.mirrorX,
                                                 c.mirrorY, c.pictureTurn, zoom);
    // Editing starts from the clip's boundary, ready to be reshaped.
    if (loaded && mode == PictureInsert::EditClip && d->session().startWithClipOutline(c))
        d->setTool(PictureDialog::ToolPointer);
    d->pictureChanged();
    const QString title = QFileInfo(QString::fromStdU16String(picture->text)).completeBaseName();
    open(window, d, title, clip->rec.d.sequence);
    if (!loaded)
        main_.prompts().message(Prompts::Kind::Warning, uiText(texts::kNotAValidFile), Prompts::Ok);
}

void PictureCommands::open(DocumentWindow& window, PictureDialog* d, const QString& title, std::int32_t clipSequence)
{
    dialog_ = d;
    windowId_ = window.windowId();
    clipSequence_ = clipSequence;
    main_.wideWindow().showFrame(d, title, [this] {
        dialog_ = nullptr;
        // The keys go back to the documents.
        main_.activateWindow();
    });
}

void PictureCommands::insertCommand()
{
    PictureDialog* d = dialog();
    if (!d)
        return;
    DocumentWindow* window = main_.windowWithId(windowId_);
    if (!window) {
        main_.wideWindow().reject();
        return;
    }
    Document& doc = window->document();
    Item* clip = nullptr;
    if (d->mode() != PictureInsert::NewPicture) {
        clip = BySequence(doc.items, clipSequence_);
        if (!IsPictureClip(doc, clip)) {
            main_.wideWindow().reject();
            return;
        }
    }
    InsertedPicture inserted;
    if (d->session().loaded()) {
        window->view().view().RemoveMarkers();
        inserted = insertPicture(doc, d->session(), d->mode(), d->look(), main_, cursorOf(*window), clip);
    }
    const bool edited = d->mode() == PictureInsert::EditClip;
    // Closing frees the dialog later; nothing of it is used below.
    main_.wideWindow().accept();
    if (inserted.inserted)
        afterInsert(*window, inserted, edited);
}

void PictureCommands::afterInsert(DocumentWindow& window, const InsertedPicture& inserted, bool edited)
{
    window.updateCaption();
    {
        // The picture went in with its own step; the window follows it.
        std::optional<EditStep> edit;
        if (Sandbox* sandbox = edit_ ? edit_->sandboxOf(&window) : nullptr)
            edit.emplace(*sandbox);
        if (edit) {
            edit->changed({.selection = !edited, .items = true});
            if (edited)
                edit->repaintAll(true);
        } else if (edited) {
            window.view().repaintAll(true);
        }
        if (!edited)
            SelectOnly(window.document().items, nullptr);
    }
    if (edited) {
        // The edited clip stays selected: its panel shows its new version.
        if (main_.activeWindow() == &window) {
            if (main_.currentPanel() != kClipPanelCode)
                main_.ShowPanel(kClipPanelCode);
            else if (clipPanel_)
                clipPanel_->showSelection(window.document().items);
        }
        return;
    }
    const std::int32_t windowId = window.windowId();
    QTimer::singleShot(200, this, [this, windowId] {
        if (DocumentWindow* w = main_.windowWithId(windowId))
            w->view().repaintAll(false);
    });
    // Nothing is selected now: the hint page when its flag is set, else the
    // insert panel (never the clip panel of a clip no longer selected).
    const bool hint = main_.settings().hints[kPictureInsertedHintFlag - 1] != 0 && edit_ && edit_->showHintPage;
    if (hint)
        edit_->showHintPage(kPictureInsertedHintPage);
    else if (main_.activeWindow() == &window && main_.currentPanel() != MainWindow::kDefaultPanel)
        main_.ShowPanel(MainWindow::kDefaultPanel);
    (void)inserted;
}

bool PictureCommands::insertDroppedFile(DocumentWindow& window, const QString& path)
{
    const PictureFormat format = FormatOf(path);
    if (format == PictureFormatNone)
        return false;
    PictureSession session(window.document().items.metrics());
    session.fileName = path.toStdU16String();
    if (!session.load(ReadFile(path), format, window.view().size())) {
        main_.prompts().message(Prompts::Kind::Warning, uiText(LoadFailureText(session)), Prompts::Ok);
        return false;
    }
    window.view().view().RemoveMarkers();
    const InsertedPicture inserted =
        insertPicture(window.document(), session, PictureInsert::NewPicture,
                      ClipLookFromSettings(main_.settings()), main_, cursorOf(window));
    if (!inserted.inserted)
        return false;
    afterInsert(window, inserted, false);
    return true;
}

bool PictureCommands::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = PictureOfDrop(drop->mimeData());
    if (path.isEmpty())
        return QObject::eventFilter(watched, event);
    if (type != QEvent::Drop) {
        drop->acceptProposedAction();
        return true;
    }
    for (DocumentWindow* w : main_.documentWindows())
        if (&w->view() == watched) {
            drop->acceptProposedAction();
            insertDroppedFile(*w, path);
            return true;
        }
    return QObject::eventFilter(watched, event);
}

} // namespace vlm
