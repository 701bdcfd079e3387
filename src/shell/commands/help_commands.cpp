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
    QMenuBar* bar = main_.menuBar();
    help_ = bar->addMenu(uiText(texts::kMenuHelp));
    hints_ = help_->addMenu(uiText(texts::kMenuHints));
    if (CommandRegistry* r = main_.menus().commands) {
        showAll_ = r->add({.id = CommandId::ShowAllHints,
                           .caption = uiText(texts::kMenuShowAll),
                           .run = [this] { ShowAllCommand(); }});
        showNone_ = r->add({.id = CommandId::ShowNoHints,
                            .caption = uiText(texts::kMenuShowNone),
                            .run = [this] { ShowNoneCommand(); }});
        about_ = r->add({.id = CommandId::About,
                         .caption = uiText(texts::kMenuAbout),
                         .run = [this] { AboutCommand(); }});
        // Checks, not enabled states: they follow the settings each time a
        // menu opens and after each command.
        showAll_->setCheckable(true);
        showNone_->setCheckable(true);
        layOutMenu(hints_, *r, kHintsMenuLayout);
        layOutMenu(help_, *r, kHelpMenuLayout);
    }

    connect(help_, &QMenu::aboutToShow, this, [this] { updateChecks(); });
    connect(hints_, &QMenu::aboutToShow, this, [this] { updateChecks(); });
    updateChecks();
}

void HelpCommands::ShowAllCommand()
{
    SetAllHints(main_.settings(), true);
    updateChecks();
}

void HelpCommands::ShowNoneCommand()
{
    SetAllHints(main_.settings(), false);
    updateChecks();
}

void HelpCommands::updateChecks()
{
    if (!showAll_ || !showNone_)
        return;
    showAll_->setChecked(AllHintsOn(main_.settings()));
    showNone_->setChecked(NoHintsOn(main_.settings()));
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
