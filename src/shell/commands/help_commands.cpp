#include "shell/commands/help_commands.h"

#include "guidance/hint_pages.h"
#include "platform/ui_text.h"
#include "shell/commands/main_menus.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/main_window.h"
#include "texts/hint_texts.h"
#include "texts/shell_texts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


} // namespace

HelpCommands::HelpCommands(MainWindow& main) : QObject(&main), main_(main)
{
    CommandRegistry& r = main_.commands();
    // The checks follow the flags, which hint pages change too: they are
    // read again each time a menu opens.
    r.add({.id = CommandId::ShowAllHints,
           .caption = uiText(texts::kMenuShowAll),
           .run = [this] { ShowAllCommand(); },
           .checked = [this] { return AllHintsOn(main_.settings()); }});
    r.add({.id = CommandId::ShowNoHints,
           .caption = uiText(texts::kMenuShowNone),
           .run = [this] { ShowNoneCommand(); },
           .checked = [this] { return NoHintsOn(main_.settings()); }});
    r.add({.id = CommandId::About, .caption = uiText(texts::kMenuAbout), .run = [this] { AboutCommand(); }});
    for (QMenu* m : {helpMenu(), hintsMenu()})
        connect(m, &QMenu::aboutToShow, this, [this] { main_.commands().refresh(); });
}

QMenu* HelpCommands::helpMenu() const { return main_.menus().menu(CommandId::HelpMenu); }
QMenu* HelpCommands::hintsMenu() const { return main_.menus().menu(CommandId::HintsMenu); }
QAction* HelpCommands::showAllAction() const { return main_.commands().action(CommandId::ShowAllHints); }
QAction* HelpCommands::showNoneAction() const { return main_.commands().action(CommandId::ShowNoHints); }
QAction* HelpCommands::aboutAction() const { return main_.commands().action(CommandId::About); }

void HelpCommands::ShowAllCommand()
{
    SetAllHints(main_.settings(), true);
}

void HelpCommands::ShowNoneCommand()
{
    SetAllHints(main_.settings(), false);
}

QString HelpCommands::Version()
{
    return QStringLiteral(VLM_VERSION);
}

QWidget* HelpCommands::MakeAboutFrame()
{
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(10);

    auto* title = new QLabel(uiText(texts::kAppTitle), frame);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    title->setFont(big);
    title->setObjectName(QStringLiteral("aboutTitle"));
    layout->addWidget(title);

    auto* version = new QLabel(uiText(texts::kAboutVersion) + QLatin1Char(' ') + Version(), frame);
    version->setObjectName(QStringLiteral("aboutVersion"));
    layout->addWidget(version);

    auto* purpose = new QLabel(uiText(texts::kAboutPurpose), frame);
    purpose->setWordWrap(true);
    purpose->setObjectName(QStringLiteral("aboutPurpose"));
    layout->addWidget(purpose);
    layout->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(uiText(texts::kAboutClose), frame);
    ok->setAccessibleName(uiText(texts::kAboutClose));
    ok->setDefault(true);
    row->addWidget(ok);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, frame, [frame] {
        if (auto* popup = dynamic_cast<PopupWindow*>(frame->window()))
            popup->accept();
    });
    return frame;
}

void HelpCommands::AboutCommand()
{
    main_.wideWindow().showFrame(MakeAboutFrame(), uiText(texts::kMenuAbout));
}

} // namespace vlm
