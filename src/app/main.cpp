// The desktop program. A start with a file while this user's instance is
// running hands the file over and ends; otherwise the main window opens,
// serves such hand-overs and ends in order when the system asks it to.

#include "platform/instance_channel.h"
#include "platform/qt_settings_store.h"
#include "platform/screen.h"
#include "platform/widgets/qt_prompts.h"
#include "shell/commands/canvas_context_menu.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/customize_commands.h"
#include "shell/commands/desktop_conventions.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/grid_commands.h"
#include "shell/commands/guidance_commands.h"
#include "shell/commands/help_commands.h"
#include "shell/commands/hint_commands.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/commands/picture_paste.h"
#include "shell/commands/export_commands.h"
#include "shell/commands/merge_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/window/file_drops.h"
#include "shell/window/key_routing.h"
#include "shell/window/main_window.h"
#include "shell/window/open_request.h"
#include "shell/window/termination_signals.h"
#include "texts/shell_texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

#include <memory>

int main(int argc, char** argv)
{
    QString file;
    {
        // A hand-over needs no display: the file manager may start us anywhere.
        QCoreApplication handOver(argc, argv);
        if (const auto named = vlm::FileOfCommandLine(QCoreApplication::arguments()))
            file = QFileInfo(*named).absoluteFilePath();
        if (!file.isEmpty() && vlm::InstanceChannel().send(vlm::OpenMacro(file)))
            return 0;
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromUtf16(vlm::texts::kAppTitle));
    QCoreApplication::setApplicationName(QString::fromUtf16(vlm::texts::kAppTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/packaging/vellumora.png")));

    const std::unique_ptr<vlm::QtSettingsStore> store = vlm::QtSettingsStore::openUserStore();
    vlm::QtPrompts prompts;
    vlm::ShellEnvironment environment;
    environment.programPath = QCoreApplication::applicationFilePath();
    environment.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    environment.recoveryFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
    environment.screen = vlm::ScreenMetrics::fromDpi(vlm::Screen::logicalDpiX(), vlm::Screen::logicalDpiY());

    auto window = std::make_unique<vlm::MainWindow>(prompts, *store, environment);
    prompts.setParent(window.get());
    vlm::MainWindow* w = window.get();
    // The picture commands go first: the editing commands run after them.
    auto* pictures = new vlm::PictureCommands(*w); // the main window owns it
    auto* edit = new vlm::EditCommands(*w);        // and the others too
    pictures->attach(*edit);
    new vlm::GridCommands(*w, *edit);
    // The templates are read when Page Setup first shows a card or label type.
    new vlm::PageSetupCommands(*w, vlm::installedTemplateSources(environment.dataHome));
    auto* clipboard = new vlm::ClipboardCommands(*w, *edit);
    vlm::connectPicturePaste(*w, *clipboard, *pictures);
    new vlm::DesktopConventions(*w, *edit, *clipboard);
    new vlm::CanvasContextMenu(*w, *edit, *clipboard);
    new vlm::FileDrops(*w);
    new vlm::KeyRouting(*w, *edit);
    new vlm::CustomizeCommands(*w);
    auto* print = new vlm::PrintCommands(*w, *edit);
    new vlm::ExportCommands(*w, *edit, *print);
    new vlm::MergeCommands(*w, *edit, *print);
    new vlm::HintCommands(*w, *edit);
    // The next-step options and the panel history, once every panel is known.
    new vlm::GuidanceCommands(*w, *edit);
    new vlm::HelpCommands(*w);
    // Another instance may serve this user already; this one then runs alone.
    vlm::InstanceChannel channel;
    channel.listen([w](const QString& macro) { w->HandleOpenRequest(macro); });
    vlm::TerminationSignals termination([w](int) { w->EndSession(); });

    window->show();
    window->Start(file);
    const int result = QApplication::exec();
    // The Settings are written as the main window goes.
    window.reset();
    return result;
}
