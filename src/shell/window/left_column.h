#pragma once

// The column on the left of the main window: the area that shows the
// current panel, and below a splitter the guidance box with its heading, up
// to four option rows and the row with the Back and forward buttons. What
// the panels and options contain is filled in by their owners.

#include <QWidget>

#include <array>

class QLabel;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace vlm {

class OptionRow;

class LeftColumn : public QWidget {
public:
    static constexpr int kWidth = 120;
    static constexpr int kGuidanceHeight = 142;
    static constexpr int kOptionRowHeight = 20;
    static constexpr int kOptionRows = 4;
    static constexpr int kHeadingHeight = 36;
    static constexpr int kNavigationHeight = 20;
    // The first option row's top; each further shown row overlaps the one
    // above by two pixels.
    static constexpr int kOptionRowsTop = 40;
    static constexpr int kOptionRowOverlap = 2;

    explicit LeftColumn(QWidget* parent = nullptr);

    // Shows `panel` in the panel area; the column keeps it, hidden, when
    // another one is shown.
    void showPanelWidget(QWidget* panel);
    QWidget* currentPanelWidget() const;

    // Colours as 0x00BBGGRR values.
    void applyColors(int columnColor, int navigationColor, int splitterColor);
    // The Back label without its hover emphasis, and with it.
    void resetBackLabelStyle();
    void emphasizeBackLabel();
    // Places the shown option rows from the top down; hidden rows take no
    // room.
    void placeOptionRows();
    // The heading (its icon and text) is shown exactly when options are.
    void setHeadingVisible(bool visible);

    QStackedWidget* panelArea() const { return panelArea_; }
    QLabel* heading() const { return heading_; }
    QLabel* headingIcon() const { return headingIcon_; }
    QWidget* guidanceBox() const { return guidance_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }
    QLabel* backLabel() const { return backLabel_; }
    const std::array<OptionRow*, kOptionRows>& optionRows() const { return optionRows_; }

private:
    QSplitter* splitter_ = nullptr;
    QStackedWidget* panelArea_ = nullptr;
    QWidget* navigationRow_ = nullptr;
    QWidget* guidance_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* headingIcon_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QLabel* backLabel_ = nullptr;
    std::array<OptionRow*, kOptionRows> optionRows_{};
};

} // namespace vlm
