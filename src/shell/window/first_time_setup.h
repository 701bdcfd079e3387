#pragma once

// The first-time setup shown in the wide popup window on a first start:
// the user picks the measuring units and proceeds.

#include <QWidget>

#include <functional>

class QPushButton;
class QRadioButton;

namespace vlm {

class FirstTimeSetup : public QWidget {
public:
    // `suggestedUnit` (2 millimetres, 3 inches) is selected at first.
    explicit FirstTimeSetup(int suggestedUnit, QWidget* parent = nullptr);

    // Called with the chosen unit when the user proceeds.
    std::function<void(int unit)> onProceed;

    int chosenUnit() const;
    void ProceedClick();

    QRadioButton* millimetersButton() const { return millimeters_; }
    QRadioButton* inchesButton() const { return inches_; }
    QPushButton* proceedButton() const { return proceed_; }

private:
    QRadioButton* millimeters_ = nullptr;
    QRadioButton* inches_ = nullptr;
    QPushButton* proceed_ = nullptr;
};

} // namespace vlm
