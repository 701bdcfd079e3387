#pragma once

// One next-step option row of the guidance box: a bevelled panel with the
// option's icon and label. The pointer resting on it shows its hover mark;
// a click chooses the option.

#include <QFrame>

#include <functional>

class QLabel;

namespace vlm {

class OptionRow : public QFrame
{
public:
    static constexpr int kHeight = 20;

    explicit OptionRow(QWidget* parent = nullptr);

    // The option of `code` (its label and icon); 0 empties the row.
    void setOption(int code);
    int option() const { return option_; }
    QString label() const;

    void setHoverMark(bool on);
    bool hoverMark() const { return marked_; }

    // The pointer came onto the row; the row was clicked.
    std::function<void()> entered;
    std::function<void()> clicked;

protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitLabel();

    QLabel* icon_ = nullptr;
    QLabel* text_ = nullptr;
    int option_ = 0;
    bool marked_ = false;
};

} // namespace vlm
