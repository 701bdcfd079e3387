#include "shell/window/accessible_lists.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace vlm {

namespace {

class AccessibleList final : public QAccessibleWidget
{
public:
    explicit AccessibleList(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        // The accessible name, or else the text of the label whose buddy
        // this list is.
        return QAccessibleWidget::text(t);
    }

    // The open list of entries, and the field of a list one can type into.
    int childCount() const override { return field() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && field())
            return QAccessible::queryAccessibleInterface(field());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == box()->view())
            return 0;
        if (field() && child->object() == field())
            return 1;
        return -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        const bool open = box()->view() && box()->view()->isVisible();
        s.expanded = open;
        s.collapsed = !open;
        s.editable = box()->isEditable();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            if (box()->view() && box()->view()->isVisible())
                box()->hidePopup();
            else
                box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
    QLineEdit* field() const { return box()->isEditable() ? box()->lineEdit() : nullptr; }
};

QAccessibleInterface* listDescription(const QString& key, QObject* object)
{
    if (key == QLatin1String("QComboBox"))
        if (auto* box = qobject_cast<QComboBox*>(object))
            return new AccessibleList(box);
    return nullptr;
}

} // namespace

void announceListsByLabel()
{
    // Factories installed last are asked first, so this one comes before
    // the one of Qt Widgets, which the application installed already.
    static bool installed = false;
    if (installed)
        return;
    QAccessible::installFactory(listDescription);
    installed = true;
}

} // namespace vlm
