#pragma once

// The column on the left of the main window: the area that shows the
// current panel, and below a splitter the guidance box with its heading, up
// to four option rows and the row with the Back and forward buttons. What
// the panels and options contain is filled in by their owners.
//
// The column is as wide as its widest panel needs and never lets a panel
// shrink below what it asks for: a panel taller than the room it has
// scrolls, and every wrapped line keeps the height its width needs.

#include <QWidget>

#include <array>

class QLabel;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace vlm {

class OptionRow;

class LeftColumn : public QWidget {
public:
    // The width the column starts with; a panel that needs more widens it.
    static constexpr int kWidth = 184;
    static constexpr int kOptionRowHeight = 20;
    static constexpr int kOptionRows = 4;
    static constexpr int kHeadingHeight = 36;
    // The navigation row is at least this high, and as high as its buttons
    // with their pictures ask for.
    static constexpr int kNavigationHeight = 20;
    // The first option row's top; each further shown row overlaps the one
    // above by two pixels.
    static constexpr int kOptionRowsTop = 40;
    static constexpr int kOptionRowOverlap = 2;

    explicit LeftColumn(QWidget* parent = nullptr);

    // Shows `panel` in the panel area; the column keeps it, hidden, when
    // another one is shown. The column widens when the panel needs it.
    void showPanelWidget(QWidget* panel);
    QWidget* currentPanelWidget() const;

    // Colours as 0x00BBGGRR values.
    void applyColors(int columnColor, int navigationColor, int splitterColor);
    // The Back button's label without its hover emphasis, and with it.
    void resetBackLabelStyle();
    void emphasizeBackLabel();
    // The Back button shows its label "Back" only while there is a way back.
    void setBackLabelShown(bool shown);
    bool backLabelShown() const;
    bool backLabelEmphasized() const;
    // Places the shown option rows from the top down; hidden rows take no
    // room.
    void placeOptionRows();
    // The heading (its icon and text) is shown exactly when options are.
    void setHeadingVisible(bool visible);

    // The height of the guidance box: the heading, four option rows and the
    // navigation row.
    int guidanceHeight() const;

    QStackedWidget* panelArea() const { return panelArea_; }
    QScrollArea* panelScroller() const { return scroller_; }
    QLabel* heading() const { return heading_; }
    QLabel* headingIcon() const { return headingIcon_; }
    QWidget* guidanceBox() const { return guidance_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }
    const std::array<OptionRow*, kOptionRows>& optionRows() const { return optionRows_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Widens the column to the current panel's least width.
    void fitCurrentPanel();
    void placeGuidance();

    QSplitter* splitter_ = nullptr;
    QScrollArea* scroller_ = nullptr;
    QStackedWidget* panelArea_ = nullptr;
    QWidget* navigationRow_ = nullptr;
    QWidget* guidance_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* headingIcon_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    int navigationHeight_ = kNavigationHeight;
    std::array<OptionRow*, kOptionRows> optionRows_{};
};

} // namespace vlm
