#include "shell/commands/button_hover.h"

#include <QEvent>
#include <QMenu>
#include <QToolButton>

namespace vlm {

namespace {

bool IsBackground(QObject* object)
{
    return object->isWidgetType() && !qobject_cast<QToolButton*>(object) && !qobject_cast<QMenu*>(object);
}

} // namespace

ButtonHover::ButtonHover(QWidget* frame) : QObject(frame), frame_(frame)
{
    timer_.setSingleShot(true);
    timer_.setInterval(kHoverMs);
    connect(&timer_, &QTimer::timeout, this, [this] { lowerAll(); });
    watch(frame);
}

void ButtonHover::watch(QObject* object)
{
    object->installEventFilter(this);
    // Everything in the frame but its buttons is background, and reports
    // pointer moves over it.
    if (IsBackground(object))
        static_cast<QWidget*>(object)->setMouseTracking(true);
    for (QObject* child : object->children())
        if (child->isWidgetType())
            watch(child);
}

void ButtonHover::raise(QToolButton* button)
{
    if (!button || !button->isVisibleTo(button->window()) || !button->isEnabled())
        return;
    if (raised_ != button) {
        lowerAll();
        raised_ = button;
        button->setAutoRaise(false);
    }
    timer_.start();
}

void ButtonHover::lowerAll()
{
    timer_.stop();
    if (raised_)
        raised_->setAutoRaise(true);
    raised_ = nullptr;
}

bool ButtonHover::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            watch(child);
        break;
    case QEvent::Enter:
        // Only flat buttons take part (the row's extension button does not).
        if (auto* b = qobject_cast<QToolButton*>(watched);
            b && (b == raised_ || b->autoRaise()) &&
            b->objectName() != QLatin1String("qt_toolbar_ext_button"))
            raise(b);
        break;
    case QEvent::MouseMove:
        if (IsBackground(watched))
            lowerAll();
        break;
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (watched == raised_ && (!raised_->isVisible() || !raised_->isEnabled()))
            lowerAll();
        break;
    default:
        break;
    }
    return false;
}

} // namespace vlm
