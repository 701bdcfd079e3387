#include "shell/commands/main_menus.h"

#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "shell/window/recent_files.h"
#include "texts/shell_texts.h"

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace vlm {

namespace {


QAction* AddAction(QMenu* menu, const char16_t* caption, QKeySequence shortcut = {})
{
    QAction* a = menu->addAction(uiText(caption));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

} // namespace

void layOutMenu(QMenu* menu, const CommandRegistry& commands, std::span<const CommandId> layout)
{
    for (CommandId id : layout) {
        if (id == CommandId::Separator)
            menu->addSeparator();
        else if (QAction* a = commands.action(id))
            menu->addAction(a);
    }
}

void layOutToolbar(QToolBar* row, CommandRegistry& commands, std::span<const CommandId> layout)
{
    for (CommandId id : layout) {
        if (id == CommandId::Separator) {
            row->addSeparator();
            continue;
        }
        const Command* c = commands.command(id);
        if (!c)
            continue;
        auto* b = new QToolButton(row);
        b->setText(c->caption);
        b->setIcon(ToolbarPicture(c->picture));
        b->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
        b->setToolTip(c->hint);
        b->setAccessibleName(c->hint);
        b->setAutoRaise(true);
        QAction* entry = row->addWidget(b);
        QObject::connect(b, &QToolButton::clicked, &commands, [&commands, id] { commands.run(id); });
        commands.placeButton(id, entry);
    }
}

void MainMenus::build(QMenuBar* bar)
{
    file = new QMenu(uiText(texts::kMenuFile), bar);
    bar->addMenu(file);
    newFile = AddAction(file, texts::kMenuNew, QKeySequence(Qt::CTRL | Qt::Key_N));
    open = AddAction(file, texts::kMenuOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
    reopen = file->addMenu(uiText(texts::kMenuReopen));
    for (QAction*& entry : reopenEntries) {
        entry = reopen->addAction(QString());
        entry->setVisible(false);
    }
    reopen->addSeparator();
    clearRecent = AddAction(reopen, texts::kMenuClearRecent);
    save = AddAction(file, texts::kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs = AddAction(file, texts::kMenuSaveAs);
    close = AddAction(file, texts::kMenuClose);
    QAction* laterGroupStart = file->addSeparator();
    pageSetup = file->addMenu(uiText(texts::kMenuPageSetup));
    pageSetupCurrent = AddAction(pageSetup, texts::kMenuCurrentFile);
    pageSetup->addSeparator();
    pageSetupNew = AddAction(pageSetup, texts::kMenuNewFiles);
    gridAndSnap = file->addMenu(uiText(texts::kMenuGridAndSnap));
    gridAndSnapCurrent = AddAction(gridAndSnap, texts::kMenuCurrentFile);
    gridAndSnap->addSeparator();
    gridAndSnapNew = AddAction(gridAndSnap, texts::kMenuNewFiles);
    QAction* printGroupStart = file->addSeparator();
    printPreview = AddAction(file, texts::kMenuPrintPreview);
    print = AddAction(file, texts::kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    exportMenu = file->addMenu(uiText(texts::kMenuExport));
    exportExact = AddAction(exportMenu, texts::kMenuExportExact);
    exportSmooth = AddAction(exportMenu, texts::kMenuExportSmooth);
    screenshot = AddAction(file, texts::kMenuScreenshot);
    QAction* afterScreenshot = file->addSeparator();
    exit = AddAction(file, texts::kMenuExit);

    exportMenu->menuAction()->setVisible(false);
    screenshot->setVisible(false);
    afterScreenshot->setVisible(false);
    for (QAction* later : {laterGroupStart, pageSetup->menuAction(), gridAndSnap->menuAction(), printGroupStart,
                           printPreview, print})
        later->setVisible(false);

    zoom = new QMenu(uiText(texts::kMenuZoom), bar);
    bar->addMenu(zoom);
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i) {
        zoomEntries[i] = zoom->addAction(ZoomLabel(kZoomSteps[i]));
        zoomEntries[i]->setCheckable(true);
    }

    window = new QMenu(uiText(texts::kMenuWindow), bar);
    bar->addMenu(window);
    window->menuAction()->setVisible(false);

    // Grid and Snap of the current file needs a document; Page Setup of the
    // current file works for new files while there is none.
    documentActions = {save, saveAs, close, gridAndSnapCurrent, print, printPreview, exportMenu->menuAction()};
    for (QAction* a : documentActions)
        a->setEnabled(false);
}

void MainMenus::rebuildReopen(std::array<std::u16string, kRecentFileCount>& recent)
{
    TrimRecentEntries(recent);
    bool any = false;
    for (int n = 0; n < kRecentFileCount; ++n) {
        const QString entry = QString::fromStdU16String(recent[n]);
        reopenEntries[n]->setText(FileCaption(entry));
        reopenEntries[n]->setToolTip(entry);
        reopenEntries[n]->setVisible(!entry.isEmpty());
        any = any || !entry.isEmpty();
    }
    reopen->setEnabled(any);
}

void MainMenus::checkZoom(double zoomFactor)
{
    const int index = ZoomStepIndex(zoomFactor);
    for (int i = 0; i < static_cast<int>(zoomEntries.size()); ++i)
        zoomEntries[i]->setChecked(i == index);
}

void MainMenus::setDocumentMenus(bool enabled)
{
    documentMenusEnabled_ = enabled;
    for (QAction* a : documentActions)
        a->setEnabled(enabled);
    if (documentMenusChanged)
        documentMenusChanged();
}

void MainMenus::replaceEntry(QAction*& slot, QAction* replacement)
{
    if (!slot || !replacement || slot == replacement)
        return;
    if (replacement->statusTip().isEmpty())
        replacement->setStatusTip(slot->statusTip());
    for (QMenu* menu : {file, exportMenu, pageSetup, gridAndSnap}) {
        if (menu && menu->actions().contains(slot)) {
            menu->insertAction(slot, replacement);
            menu->removeAction(slot);
        }
    }
    documentActions.erase(std::remove(documentActions.begin(), documentActions.end(), slot), documentActions.end());
    slot = replacement;
}

QAction* MainMenus::addWindowEntry(std::int32_t windowId, const QString& caption)
{
    QAction* entry = window->addAction(caption);
    entry->setCheckable(true);
    entry->setData(windowId);
    windowEntries.push_back(entry);
    updateWindowMenu();
    return entry;
}

void MainMenus::removeWindowEntry(QAction* entry)
{
    if (!entry)
        return;
    windowEntries.erase(std::remove(windowEntries.begin(), windowEntries.end(), entry), windowEntries.end());
    window->removeAction(entry);
    entry->deleteLater();
    updateWindowMenu();
}

void MainMenus::checkWindowEntry(const QAction* entry)
{
    for (QAction* a : windowEntries)
        a->setChecked(a == entry);
}

void MainMenus::setCurrentFileCaption(const QString& caption)
{
    for (QAction* current : {pageSetupCurrent, gridAndSnapCurrent})
        current->setStatusTip(caption);
}

void MainMenus::updateWindowMenu()
{
    window->menuAction()->setVisible(!windowEntries.empty());
}

} // namespace vlm
