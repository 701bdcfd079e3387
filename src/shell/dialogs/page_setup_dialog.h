#pragma once

// The Page Setup dialog in the wide popup window: the frame `PageSetupDialog` with the
// Apply and Cancel buttons and one of its two stages, the design-type menu
// `DesignTypeBox` or the dimension panel `DimensionPanel`. All rules live in the
// PageSetupSession; these widgets show it and pass the user's edits on.

#include "output/page_setup_session.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace vlm {

struct LabelTemplate;
class PageSetupDialog;
class TemplateLibrary;
class TemplatesBox;

// The design-type menu: the eight offered types and, for the one the pointer
// rests on, its description and picture.
class DesignTypeBox : public QWidget
{
public:
    DesignTypeBox(PageSetupDialog& page, QWidget* parent = nullptr);

    // The pointer came to rest on the button of `designType`.
    void showType(std::int32_t designType);
    QToolButton* button(std::int32_t designType) const;
    std::int32_t shownType() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PageSetupDialog& page_;
    std::array<QToolButton*, 8> buttons_{};
    QLabel* picture_ = nullptr;
    QLabel* description_ = nullptr;
    std::int32_t shown_ = 0;
};

// The dimension panel of the current type.
class DimensionPanel : public QWidget
{
public:
    DimensionPanel(PageSetupDialog& page, QWidget* parent = nullptr);

    // Fills every control from the session; their change notifications are
    // ignored meanwhile.
    void refresh();

    QCheckBox* portraitBox() const { return portrait_; }
    QCheckBox* landscapeBox() const { return landscape_; }
    QListWidget* quickSelectList() const { return quickSelect_; }
    QListWidget* unitList() const { return units_; }
    // The field of `text`, null when the panel does not offer it.
    QLineEdit* field(DimensionText text) const;
    QCheckBox* foldBox(DimensionCell::Kind fold) const;
    QLabel* labelOf(DimensionText text) const;
    QWidget* sample() const { return sample_; }
    // The Templates box; null for the sheet design types and without a
    // template library.
    TemplatesBox* templatesBox() const { return templates_; }

private:
    void buildFields();
    void orientationClicked(std::int32_t orientation);
    void afterEdit();

    PageSetupDialog& page_;
    QCheckBox* portrait_ = nullptr;
    QCheckBox* landscape_ = nullptr;
    QListWidget* quickSelect_ = nullptr;
    TemplatesBox* templates_ = nullptr;
    QListWidget* units_ = nullptr;
    QWidget* fieldsArea_ = nullptr;
    QGridLayout* fieldsGrid_ = nullptr;
    std::vector<std::pair<DimensionText, QLineEdit*>> fields_;
    std::vector<std::pair<DimensionText, QLabel*>> labels_;
    QCheckBox* rowFold_ = nullptr;
    QCheckBox* columnFold_ = nullptr;
    QWidget* sample_ = nullptr;
    QVBoxLayout* hints_ = nullptr;
    DimensionLayout layout_;
    bool filling_ = false;
};

class PageSetupDialog : public QWidget
{
public:
    static constexpr int kSwitchDelayMs = 200;

    // `apply` receives the session when "Apply" is pressed; `close` runs
    // after "Apply" and after "Cancel". With `templates`, the card and label
    // types offer its products beside Quick select.
    PageSetupDialog(PageSetupSession session, std::function<void(const PageSetupSession&)> apply,
          std::function<void()> close, TemplateLibrary* templates = nullptr, QWidget* parent = nullptr);

    PageSetupSession& session() { return session_; }

    // A type of the menu was clicked: the menu stage gives way to its
    // dimension panel kSwitchDelayMs later.
    void chooseDesignType(std::int32_t designType);
    void switchTimerTimeout();
    QTimer& switchTimer() { return switchTimer_; }
    // Back to the design-type menu.
    void showDesignTypeMenu();

    void ApplyClick();
    void CancelClick();

    // The Templates box: what it searches for and which row was chosen
    // last outlive the panel, which a product of another type replaces.
    TemplateLibrary* templates() const { return templates_; }
    const QString& templateSearch() const { return templateSearch_; }
    void setTemplateSearch(const QString& text) { templateSearch_ = text; }
    int chosenTemplate() const { return chosenTemplate_; }
    // Row `row` of the list, product `t`, was chosen: it is applied like a
    // Quick select row, on the panel of the type it makes.
    void chooseTemplate(int row, const LabelTemplate& t);
    // "Save as Template...": asks for a brand, a name and a description.
    void askSaveTemplate();
    // Writes the current set to the user's folder under that brand and
    // name; the box lists it and says where it went, or why it did not.
    bool saveTemplate(const QString& brand, const QString& name, const QString& description);

    DesignTypeBox* menu() const { return menu_; }
    DimensionPanel* dimensions() const { return dimensions_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    // Replaces the stage frame by the one the session is in.
    void showStage();

    PageSetupSession session_;
    std::function<void(const PageSetupSession&)> onApply_;
    std::function<void()> onClose_;
    QVBoxLayout* stageArea_ = nullptr;
    DesignTypeBox* menu_ = nullptr;
    DimensionPanel* dimensions_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer switchTimer_;
    TemplateLibrary* templates_ = nullptr;
    QString templateSearch_;
    int chosenTemplate_ = -1;
};

} // namespace vlm
