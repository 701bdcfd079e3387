// What a screen reader hears for every control of the program: each panel of
// the left column and each dialog is opened in turn, and every list, field,
// button and slider must be announced by its own label, not by the value it
// happens to hold.

#include "shell_fixture.h"

#include "model/item_record.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/customize_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/grid_commands.h"
#include "shell/commands/guidance_commands.h"
#include "shell/commands/help_commands.h"
#include "shell/commands/hint_commands.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/customize_dialog.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/picture_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/prepare_print_dialog.h"
#include "shell/window/first_time_setup.h"
#include "shell/window/key_routing.h"
#include "shell/window/left_column.h"
#include "shell/window/zoom_controls.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>

#include <algorithm>
#include <memory>

namespace vlm::test {
namespace {

QString Announced(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(what).trimmed() : QString();
}

bool IsControl(QWidget* w)
{
    return qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QListWidget*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w);
}

// What the control holds now, as it shows it.
QString ValueOf(QWidget* w)
{
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        return spin->text();
    if (auto* field = qobject_cast<QLineEdit*>(w))
        return field->text();
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentItem() ? list->currentItem()->text() : QString();
    if (auto* slider = qobject_cast<QSlider*>(w))
        return QString::number(slider->value());
    return {};
}

// Parts Qt builds inside its own controls (the field of a spin box or an
// editable list, the scroll arrows of a tab bar) are announced with them.
bool InsideQtControl(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) || qobject_cast<QTabBar*>(p))
            return true;
    return w->objectName().startsWith(QStringLiteral("qt_"));
}

// Every control under `root` that a screen reader would announce without a
// name, or by its value alone; `where` says which panel or dialog it is in.
// What lies under one of `skipped` is looked at on its own.
QStringList Unnamed(QWidget* root, const QString& where, const QList<QWidget*>& skipped = {})
{
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!IsControl(w) || InsideQtControl(w) ||
            std::any_of(skipped.begin(), skipped.end(), [w](QWidget* s) { return s->isAncestorOf(w); }))
            continue;
        const QString name = Announced(w, QAccessible::Name);
        const QString value = ValueOf(w).trimmed();
        if (name.isEmpty() || (!value.isEmpty() && name == value))
            out << where + QStringLiteral(": ") + QString::fromLatin1(w->metaObject()->className()) +
                       QStringLiteral(" \"") + name + QStringLiteral("\" (value \"") + value +
                       QStringLiteral("\")");
    }
    return out;
}

QAction* MenuEntry(QMenuBar* bar, const QStringList& path)
{
    QList<QAction*> actions = bar->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* a : actions)
            if (a->text() == caption)
                found = a;
        if (!found)
            return nullptr;
        actions = found->menu() ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
}

struct AccessibleNamesTest : ShellTest
{
    EditCommands* edit = nullptr;

    MainWindow& startAll()
    {
        MainWindow& m = start();
        auto* pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        new GridCommands(m, *edit);
        new PageSetupCommands(m);
        new ClipboardCommands(m, *edit);
        new KeyRouting(m, *edit);
        new CustomizeCommands(m);
        new PrintCommands(m, *edit);
        new HintCommands(m, *edit);
        new GuidanceCommands(m, *edit);
        new HelpCommands(m);
        return m;
    }

    // Runs the menu entry at `path`, and lists what is unnamed in the popup
    // it opened, at each of its stages, before closing it again.
    QStringList fromMenu(MainWindow& m, const QStringList& path)
    {
        const QString where = path.join(QStringLiteral(" > "));
        QAction* entry = MenuEntry(m.menuBar(), path);
        if (!entry)
            return {QStringLiteral("no menu entry ") + where};
        entry->trigger();
        QStringList out;
        bool opened = false;
        for (PopupWindow* popup : {&m.wideWindow(), &m.narrowWindow()}) {
            if (!popup->isVisible())
                continue;
            opened = true;
            out << Unnamed(popup, where);
            if (auto* page = dynamic_cast<PageSetupDialog*>(popup->frame())) {
                for (std::int32_t type = 1; type <= 11; ++type) {
                    page->showDesignTypeMenu();
                    page->chooseDesignType(type);
                    page->switchTimerTimeout();
                    flushDeletes();
                    out << Unnamed(popup, where + QStringLiteral(", type %1").arg(type));
                }
            }
            if (auto* list = dynamic_cast<CustomizeDialog*>(popup->frame())) {
                list->clickEntry(1);
                flushDeletes();
                out << Unnamed(popup, where + QStringLiteral(", first entry"));
            }
            popup->reject();
            flushDeletes();
        }
        if (!opened)
            out << QStringLiteral("nothing opened by ") + where;
        return out;
    }
};

TEST_F(AccessibleNamesTest, EveryControlOfEveryPanelAndDialogIsAnnouncedByItsLabel)
{
    MainWindow& m = startAll();
    m.Timer2Timer();
    ASSERT_NE(m.activeWindow(), nullptr);
    QStringList unnamed;

    // The toolbar with the zoom controls and the column's own buttons.
    QList<QWidget*> panelsAndPopups;
    panelsAndPopups << m.leftColumn().panelArea() << &m.wideWindow() << &m.narrowWindow();
    unnamed << Unnamed(&m, QStringLiteral("main window"), panelsAndPopups);

    // The panels of the left column: the insert panel, every tool and
    // fine-tune panel, the clip panel and the hint pages.
    std::vector<int> codes = {MainWindow::kDefaultPanel, 59, 98, 99, 199, 300, 301, 302, 303, 401};
    for (int code = 100; code <= 112; ++code)
        codes.push_back(code);
    for (int code = 200; code <= 212; ++code)
        codes.push_back(code);
    for (int code = 1024; code <= 1080; ++code)
        codes.push_back(code);
    for (int code : codes) {
        m.ShowPanel(code);
        unnamed << Unnamed(m.leftColumn().currentPanelWidget(), QStringLiteral("panel %1").arg(code));
    }

    // The line panel's lists as a screen reader reads them, and the zoom bar.
    m.ShowPanel(98);
    QStringList lineLists;
    for (QComboBox* box : m.leftColumn().currentPanelWidget()->findChildren<QComboBox*>())
        lineLists << Announced(box, QAccessible::Name);
    for (const char* label : {"Color", "Weight", "Pattern", "Direction"})
        EXPECT_TRUE(lineLists.contains(QString::fromLatin1(label))) << label;
    QSlider* zoomBar = m.zoomControls().findChild<QSlider*>();
    ASSERT_NE(zoomBar, nullptr);
    EXPECT_EQ(Announced(zoomBar, QAccessible::Name), QStringLiteral("Zoom"));

    // The popups the menus open.
    const QString file = QStringLiteral("File");
    const QString customize = QStringLiteral("Customize");
    for (const QStringList& path :
         {QStringList{file, QStringLiteral("Page Setup"), QStringLiteral("Current File")},
          QStringList{file, QStringLiteral("Page Setup"), QStringLiteral("New Files")},
          QStringList{file, QStringLiteral("Grid and Snap"), QStringLiteral("Current File")},
          QStringList{file, QStringLiteral("Grid and Snap"), QStringLiteral("New Files")},
          QStringList{file, QStringLiteral("Print Preview")},
          QStringList{QStringLiteral("Tools"), QStringLiteral("Speed")},
          QStringList{customize, QStringLiteral("Line Weights")},
          QStringList{customize, QStringLiteral("Line Patterns")},
          QStringList{customize, QStringLiteral("Alignments")},
          QStringList{customize, QStringLiteral("Font sizes")},
          QStringList{customize, QStringLiteral("Text angles")},
          QStringList{customize, QStringLiteral("Shadows")},
          QStringList{QStringLiteral("Help"), QStringLiteral("About")}})
        unnamed << fromMenu(m, path);

    // Frames shown on their own: the picture dialog, the print map and the
    // first-time setup.
    PictureDialog picture(
        m.settings(), PictureInsert::NewPicture, [] {}, [] {});
    unnamed << Unnamed(&picture, QStringLiteral("picture dialog"));
    HeaderFields header = m.activeWindow()->document().items.header()->rec.h;
    PreparePrintDialog prepare(
        &header, std::string(), QStringLiteral("Print"), [](const std::string&) {}, [] {});
    unnamed << Unnamed(&prepare, QStringLiteral("prepare print"));
    FirstTimeSetup setup(2);
    unnamed << Unnamed(&setup, QStringLiteral("first-time setup"));

    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace vlm::test
