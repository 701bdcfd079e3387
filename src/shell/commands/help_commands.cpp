#include "shell/commands/help_commands.h"

#include "guidance/hint_pages.h"
#include "platform/ui_text.h"
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
    showAll_ = hints_->addAction(uiText(texts::kMenuShowAll));
    showNone_ = hints_->addAction(uiText(texts::kMenuShowNone));
    showAll_->setCheckable(true);
    showNone_->setCheckable(true);
    help_->addSeparator();
    about_ = help_->addAction(uiText(texts::kMenuAbout));

    connect(showAll_, &QAction::triggered, this, [this] { ShowAllCommand(); });
    connect(showNone_, &QAction::triggered, this, [this] { ShowNoneCommand(); });
    connect(about_, &QAction::triggered, this, [this] { AboutCommand(); });
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
