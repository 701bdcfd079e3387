#pragma once

// "Save as Template": asks for the brand, the name (product number) and a
// description the current page setup is saved under.

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace vlm {

class SaveTemplateDialog : public QDialog
{
public:
    // `save` gets the three texts when "Save" is pressed.
    SaveTemplateDialog(std::function<void(const QString& brand, const QString& name, const QString& description)> save,
                       QWidget* parent = nullptr);

    QLineEdit* brandField() const { return brand_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* descriptionField() const { return description_; }
    QPushButton* saveButton() const { return ok_; }

private:
    std::function<void(const QString&, const QString&, const QString&)> save_;
    QLineEdit* brand_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* description_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace vlm
