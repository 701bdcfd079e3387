#pragma once

// The hover highlight of the tool frame: the flat button under the pointer
// is shown raised and stays raised until the pointer moves over another
// button or the frame's background, or until the hover timer lowers it.
// Hidden and disabled buttons are never raised.

#include <QObject>
#include <QPointer>
#include <QTimer>

class QToolButton;
class QWidget;

namespace vlm {

class ButtonHover : public QObject
{
public:
    static constexpr int kHoverMs = 5000;

    // Watches every tool button inside `frame`, also the ones added later.
    explicit ButtonHover(QWidget* frame);

    // The pointer came over `button`: it is raised, every other one lowered,
    // and the hover timer starts again.
    void raise(QToolButton* button);
    // Every raised button is flat again.
    void lowerAll();

    QToolButton* raisedButton() const { return raised_; }
    QTimer& timer() { return timer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QWidget* frame_;
    QPointer<QToolButton> raised_;
    QTimer timer_;
};

} // namespace vlm
