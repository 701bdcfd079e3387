#pragma once

// The four attribute panels of the left column: lines (TLinebox), shapes
// (TPolybox), texts (TTextbox) and mixed selections (TUnibox). Each shows the
// title and guidance of its PanelCode (ToolPanel) above its controls. In
// next-item mode (98, 100..199, 300, 302, 303) a change goes into the
// Settings the next Item is made with; in fine-tune mode (59, 99,
// 200..299, 301) it is applied to the selected Items of the active window
// as one undo step.

#include "edit/fine_tune_window.h"
#include "edit/panel_lists.h"
#include "shell/panels/tool_panels.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;

namespace vlm {

class SampleComboBox;
struct Settings;

struct FineTunePanelHooks
{
    std::function<Sandbox*()> sandbox;
    // "Customize..." was chosen: the page of that list (9, 10, 11, 40, 41,
    // 63). The lists are refilled by Refill() when the dialog closes.
    std::function<void(int page)> customize;
    // "Customize..." of a colour list: the system colour dialog, and the
    // colour chosen there (none when cancelled), which the list then offers.
    std::function<std::optional<std::int32_t>()> chooseColor;
    // After every change: the toolbar's selection-dependent state.
    std::function<void()> changed;
    // Next-text mode: the text settings changed and should reach the text
    // being typed, if there is one (`turn`: the angle changed, so it turns
    // too). True when a text being typed took them.
    std::function<bool(bool turn)> textSettingsChanged;
    // Another panel is due: a next-item panel switched the tool (the
    // spline and curve shapes), or the selected Items changed their kind.
    std::function<void(int panelCode)> showPanel;
    // The links of the multi-selection panel.
    std::function<void()> join;
    std::function<void()> split;
};

class FineTunePanel : public ToolPanel
{
public:
    enum class Kind { Line, Shape, Text, Multi };

    FineTunePanel(int panelCode, Settings& settings, FineTunePanelHooks hooks, QWidget* parent = nullptr);

    // Builds the controls of `panelCode` and fills them from the Settings
    // or the selection.
    void open(int panelCode);
    // Fills the controls again (after a customization dialog closed).
    void Refill();

    Kind kind() const { return kind_; }
    bool fineTune() const { return fineTune_; }
    bool continuing() const { return continuing_; }
    static Kind KindFor(int panelCode);
    static bool IsFineTuneCode(int panelCode);
    static bool IsPanelCode(int panelCode);

    // The control with the accessible name `label`, or null.
    QWidget* control(const QString& label) const;

    // The multi-selection panel's links follow the selection: "Join items"
    // with at least two selected Items, "Split group" with a selected group.
    void updateLinks();
    QLabel* joinLink() const { return joinLink_; }
    QLabel* splitLink() const { return splitLink_; }

private:
    struct Row;
    SampleComboBox* addList(QWidget* page, const char16_t* label);
    QComboBox* addPlainList(QWidget* page, const char16_t* label);
    void build();
    void fill();
    void fillLine();
    void fillShape();
    void fillText();
    void fillMulti();
    void fillEffects(std::int32_t surface, ShadowBytes shadow, bool mixedShadow);
    void fillEffects(const SelectionAttributes& a);
    void addTurnButtons(QWidget* page);
    void deferRefill();
    void deferShowPanel(int code);
    int textDirectionOf(int position) const;

    // A change: applied in fine-tune mode, or written into the Settings.
    bool customizeChosen(SampleComboBox* box, int position, int page);
    int colorPosition(SampleComboBox* box, int position);
    void apply(const FineTuneOperation& op);
    // apply() of `op(items, history, context, values...)`.
    template <typename Op, typename... Values>
    void applyWith(Op op, Values... values)
    {
        apply([op, values...](ItemList& l, HistoryCursor& h, const FineTuneContext& x) {
            return op(l, h, x, values...);
        });
    }
    // After a change: the text being typed follows a next-text change,
    // the toolbar and the dependent lists follow every change.
    void afterChange(bool carryToText = true);
    bool carryToTypedText(bool turn);

    void colorChosen(int position);
    void textColorChosen(int position);
    void weightChosen(int position);
    void outlineChosen(int position);
    void patternChosen(int position);
    void directionChosen(int position);
    void fillChosen(int position);
    void surfaceChosen(int position);
    void shadowChosen(int position);
    void fourthChosen(int position);
    void fontChosen(int position);
    void charsetChosen(int position);
    void sizeChosen(int position);
    void fontWeightChosen(int weight);
    void styleToggled(int option, bool on);
    void justify(int value);
    void angleChosen(int position);
    void turn(Turn t);

    Settings& settings_;
    FineTunePanelHooks hooks_;
    Kind kind_ = Kind::Line;
    bool fineTune_ = false;
    // Continuing a spline or curve (Ctrl-A): the panel shows the continued
    // figure's look, which it keeps; nothing is selected to apply to.
    bool continuing_ = false;
    bool filling_ = false;
    bool refillPending_ = false;

    QTabWidget* tabs_ = nullptr;
    std::vector<QWidget*> controls_;
    SampleComboBox* color_ = nullptr;
    SampleComboBox* weight_ = nullptr;
    SampleComboBox* pattern_ = nullptr;
    SampleComboBox* direction_ = nullptr;
    SampleComboBox* fill_ = nullptr;
    SampleComboBox* outline_ = nullptr;
    SampleComboBox* shadow_ = nullptr;
    QComboBox* surface_ = nullptr;
    QComboBox* fourth_ = nullptr;
    QLabel* fourthLabel_ = nullptr;
    QComboBox* font_ = nullptr;
    QComboBox* charset_ = nullptr;
    SampleComboBox* size_ = nullptr;
    QComboBox* fontWeight_ = nullptr;
    QSlider* weightTrack_ = nullptr;
    SampleComboBox* angle_ = nullptr;
    std::vector<QToolButton*> styleButtons_; // bold, italic, underline, strikeout
    std::vector<QToolButton*> justifyButtons_;
    QLabel* joinLink_ = nullptr;
    QLabel* splitLink_ = nullptr;
};

} // namespace vlm
