#pragma once

// The first step of "File" > "Export...": the file type and whether the
// picture is rendered "Smooth" (as the print preview renders it) or exactly
// at screen resolution. The save dialog and, for card designs rendered
// smooth, the choice of cards follow once it is confirmed.

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vlm {

class ExportDialog : public QWidget
{
public:
    struct Choice
    {
        int type = 0; // index into exportTypes()
        bool smooth = false;
    };

    ExportDialog(Choice initial, std::function<void(Choice)> confirmed, std::function<void()> cancelled,
                 QWidget* parent = nullptr);

    Choice choice() const;
    QComboBox* typeList() const { return types_; }
    QCheckBox* smoothBox() const { return smooth_; }
    QPushButton* continueButton() const { return continue_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    // A vector type is drawn, not rendered: Smooth means nothing for it.
    void typeChanged();

    QComboBox* types_ = nullptr;
    QCheckBox* smooth_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace vlm
