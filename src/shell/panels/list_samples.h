#pragma once

// Drop-down boxes that show the panels' lists as a user reads them: colour
// swatches beside their names, weights as lines of their width, patterns
// as dashes walked as a line draws them, shadows as a small square with its
// shadow. The entries come from FillList; the box keeps the FilledList so
// that a position leads back to its entry.

#include "edit/panel_lists.h"

#include <QComboBox>
#include <QStyledItemDelegate>

namespace vlm {

class ListSampleDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// What a sample is drawn with; set per entry as item data.
enum SampleRole : int {
    SampleKindRole = Qt::UserRole + 1,
    SampleColorRole,  // colour value 0x00BBGGRR (or -2, -1 for the fills)
    SampleWidthRole,  // line width in pixels
    SampleDashesRole, // QList<int> of dash and space lengths in pixels
    SampleShadowRole, // QList<int>: elevation, fade, lightness
};
enum class SampleKind : int { Text = 0, Color, Weight, Pattern, Shadow };

// A combo box with an owner-drawn closed face as well.
class SampleComboBox : public QComboBox
{
public:
    explicit SampleComboBox(QWidget* parent = nullptr);

    // Replaces the entries; `sampleColor` is the colour weights and
    // patterns are drawn in. Selects nothing.
    void setList(FilledList list, const Settings& settings, std::int32_t sampleColor);
    const FilledList& list() const { return list_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FilledList list_;
};

// 0x00BBGGRR as a QColor.
QColor ColorOf(std::int32_t colorRef);

} // namespace vlm
