#include "shell/window/first_time_setup.h"

#include "model/page_setup.h"
#include "texts/shell_texts.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vlm {

FirstTimeSetup::FirstTimeSetup(int suggestedUnit, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);

    auto* intro = new QLabel(QString::fromUtf16(texts::kSetupIntro), this);
    QFont bigger = intro->font();
    bigger.setBold(true);
    intro->setFont(bigger);
    layout->addWidget(intro);

    layout->addWidget(new QLabel(QString::fromUtf16(texts::kSetupUnitsPrompt), this));
    millimeters_ = new QRadioButton(QString::fromUtf16(texts::kMillimeters), this);
    inches_ = new QRadioButton(QString::fromUtf16(texts::kInches), this);
    auto* group = new QButtonGroup(this);
    group->addButton(millimeters_);
    group->addButton(inches_);
    (suggestedUnit == UnitMillimeters ? millimeters_ : inches_)->setChecked(true);
    layout->addWidget(millimeters_);
    layout->addWidget(inches_);
    layout->addStretch(1);

    proceed_ = new QPushButton(QString::fromUtf16(texts::kProceed), this);
    proceed_->setDefault(true);
    layout->addWidget(proceed_, 0, Qt::AlignRight);
    connect(proceed_, &QPushButton::clicked, this, [this] { ProceedClick(); });
}

int FirstTimeSetup::chosenUnit() const
{
    return millimeters_->isChecked() ? UnitMillimeters : UnitInches;
}

void FirstTimeSetup::ProceedClick()
{
    if (onProceed)
        onProceed(chosenUnit());
}

} // namespace vlm
