#pragma once

// The dialogs of the user's line weights (WeightsDialog), line patterns
// (PatternsDialog) and line directions, text angles or font sizes (DirectionsDialog),
// each over a working copy of its twelve entries. "Save" puts the copy into
// the Settings (the open entry becomes the next choice of its list) and
// then hands the Settings on to be kept.

#include "settings/custom_edits.h"
#include "shell/dialogs/customize_dialog.h"

class QComboBox;
class QLineEdit;

namespace vlm {

struct Settings;

class WeightsDialog : public CustomizeDialog
{
public:
    // `saved` runs after "Save" changed the Settings; `close` hides the popup.
    WeightsDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
               QWidget* parent = nullptr);

    const WeightCopy& copy() const { return copy_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* valueField() const { return value_; }
    QComboBox* unitsList() const { return units_; }

protected:
    QString entryName(int k) const override;
    QStringList fillPane(int k, QVBoxLayout* pane) override;

private:
    WeightCopy copy_;
    QLineEdit* name_ = nullptr;
    QLineEdit* value_ = nullptr;
    QComboBox* units_ = nullptr;
};

class PatternsDialog : public CustomizeDialog
{
public:
    PatternsDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
              QWidget* parent = nullptr);

    const PatternCopy& copy() const { return copy_; }
    QLineEdit* nameField() const { return name_; }
    QComboBox* unitsList() const { return units_; }
    // Length j (1..12): odd lengths are dashes, even ones spaces.
    QLineEdit* lengthField(int j) const { return lengths_[static_cast<std::size_t>(j - 1)]; }

protected:
    QString entryName(int k) const override;
    QStringList fillPane(int k, QVBoxLayout* pane) override;

private:
    PatternCopy copy_;
    QLineEdit* name_ = nullptr;
    QComboBox* units_ = nullptr;
    std::array<QLineEdit*, kPatternLengthCount> lengths_{};
};

class DirectionsDialog : public CustomizeDialog
{
public:
    // `list`: Directions, TextAngles or FontSizes.
    DirectionsDialog(Settings& settings, CustomList list, std::function<void()> saved, std::function<void()> close,
                QWidget* parent = nullptr);

    CustomList list() const { return list_; }
    const DirectionCopy& copy() const { return copy_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* valueField() const { return value_; }
    // Null for font sizes, which have no unit.
    QComboBox* unitsList() const { return units_; }

protected:
    QString entryName(int k) const override;
    QStringList fillPane(int k, QVBoxLayout* pane) override;

private:
    CustomList list_;
    DirectionCopy copy_;
    QLineEdit* name_ = nullptr;
    QLineEdit* value_ = nullptr;
    QComboBox* units_ = nullptr;
};

} // namespace vlm
