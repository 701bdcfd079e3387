#include "shell/help_commands.h"

#include "guidance/hint_pages.h"
#include "shell/main_window.h"
#include "shell/popup_window.h"
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

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

} // namespace

HelpCommands::HelpCommands(MainWindow& main) : QObject(&main), main_(main)
{
    QMenuBar* bar = main_.menuBar();
    help_ = bar->addMenu(Text(texts::kMenuHelp));
    hints_ = help_->addMenu(Text(texts::kMenuHints));
    showAll_ = hints_->addAction(Text(texts::kMenuShowAll));
    showNone_ = hints_->addAction(Text(texts::kMenuShowNone));
    showAll_->setCheckable(true);
    showNone_->setCheckable(true);
    help_->addSeparator();
    about_ = help_->addAction(Text(texts::kMenuAbout));

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

    auto* title = new QLabel(Text(texts::kAppTitle), frame);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    title->setFont(big);
    title->setObjectName(QStringLiteral("aboutTitle"));
    layout->addWidget(title);

    auto* version = new QLabel(Text(texts::kAboutVersion) + QLatin1Char(' ') + Version(), frame);
    version->setObjectName(QStringLiteral("aboutVersion"));
    layout->addWidget(version);

    auto* purpose = new QLabel(Text(texts::kAboutPurpose), frame);
    purpose->setWordWrap(true);
    purpose->setObjectName(QStringLiteral("aboutPurpose"));
    layout->addWidget(purpose);
    layout->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(Text(texts::kAboutClose), frame);
    ok->setAccessibleName(Text(texts::kAboutClose));
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
    main_.wideWindow().showFrame(MakeAboutFrame(), Text(texts::kMenuAbout));
}

} // namespace vlm
