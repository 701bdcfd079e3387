#pragma once

// The column on the left of the main window: the area that shows the
// current panel, and below a splitter the row with the Back and forward
// buttons and the guidance box with its heading and up to four option rows.
// What the panels and options contain is filled in by their owners.

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace vlm {

class LeftColumn : public QWidget {
public:
    static constexpr int kWidth = 120;
    static constexpr int kGuidanceHeight = 142;
    static constexpr int kOptionRowHeight = 20;
    static constexpr int kOptionRows = 4;

    explicit LeftColumn(QWidget* parent = nullptr);

    // Shows `panel` in the panel area; the column keeps it, hidden, when
    // another one is shown.
    void showPanelWidget(QWidget* panel);
    QWidget* currentPanelWidget() const;

    // Colours as 0x00BBGGRR values.
    void applyColors(int columnColor, int navigationColor, int splitterColor);
    // The Back label without its hover emphasis.
    void resetBackLabelStyle();

    QStackedWidget* panelArea() const { return panelArea_; }
    QLabel* heading() const { return heading_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }
    QLabel* backLabel() const { return backLabel_; }
    const std::array<QFrame*, kOptionRows>& optionRows() const { return optionRows_; }

private:
    QSplitter* splitter_ = nullptr;
    QStackedWidget* panelArea_ = nullptr;
    QWidget* navigationRow_ = nullptr;
    QWidget* guidance_ = nullptr;
    QLabel* heading_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QLabel* backLabel_ = nullptr;
    std::array<QFrame*, kOptionRows> optionRows_{};
};

} // namespace vlm
