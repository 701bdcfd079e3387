#include "shell/panels/list_samples.h"

#include "model/item.h"
#include "render/pens.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace vlm {

namespace {

constexpr int kSampleHeight = 18;
constexpr int kSwatchWidth = 16;

using EntryRole = ListEntry::Role;

QList<int> DashesOf(const FilledList& list, const ListEntry& e, const Settings& s)
{
    QList<int> out;
    if (e.role == EntryRole::User) {
        const custPatternRec_t& p = s.customPatterns[static_cast<std::size_t>(e.entry - 1)];
        for (int k = 0; k < p.count && k < kPatternLengthCount; ++k)
            out.push_back(std::max(1, p.pixels[static_cast<std::size_t>(k)]));
        return out;
    }
    (void)list;
    const PatternTable t = BuiltInPattern(static_cast<int>(e.value), 1);
    for (int k = 0; k < t.count; ++k)
        out.push_back(t.lengths[static_cast<std::size_t>(k)]);
    return out;
}

// The dash walk of a line along x from `x0` to `x1` at height `y`.
void DrawDashes(QPainter& p, int x0, int x1, int y, const QList<int>& dashes, int width, const QColor& color)
{
    if (dashes.isEmpty())
        return;
    const int h = std::max(1, width);
    long long d = 0;
    for (int k = 0; x0 + d < x1; k = (k + 1) % static_cast<int>(dashes.size())) {
        const long long len = dashes[k];
        if (k % 2 == 0) {
            const int a = static_cast<int>(x0 + d);
            const int b = static_cast<int>(std::min<long long>(x1, x0 + d + len));
            p.fillRect(QRect(a, y - h / 2, std::max(1, b - a), h), color);
        }
        d += std::max<long long>(1, len);
    }
}

void DrawSample(QPainter& p, const QRect& r, const QModelIndex& index, const QString& text,
                const QColor& textColor, const QFont& font)
{
    const auto kind = static_cast<SampleKind>(index.data(SampleKindRole).toInt());
    const QColor ink = ColorOf(index.data(SampleColorRole).toInt());
    p.save();
    p.setFont(font);
    p.setPen(textColor);
    QRect textRect = r.adjusted(3, 0, -2, 0);
    switch (kind) {
    case SampleKind::Color: {
        const int c = index.data(SampleColorRole).toInt();
        if (c >= 0) {
            const QRect sw(r.left() + 3, r.top() + 3, text.isEmpty() ? r.width() - 6 : kSwatchWidth,
                           r.height() - 6);
            p.fillRect(sw, ColorOf(c));
            p.setPen(Qt::darkGray);
            p.drawRect(sw.adjusted(0, 0, -1, -1));
            p.setPen(textColor);
            textRect.setLeft(sw.right() + 5);
        }
        break;
    }
    case SampleKind::Weight:
    case SampleKind::Pattern: {
        const int w = std::clamp(index.data(SampleWidthRole).toInt(), 1, r.height() - 6);
        const int textWidth = p.fontMetrics().horizontalAdvance(text) + 6;
        const int x0 = std::min(r.right() - 12, r.left() + 3 + textWidth);
        const QList<int> dashes = kind == SampleKind::Pattern
                                      ? index.data(SampleDashesRole).value<QList<int>>()
                                      : QList<int>{r.width()};
        DrawDashes(p, x0, r.right() - 3, r.center().y(), dashes, w, ink);
        break;
    }
    case SampleKind::Shadow: {
        const QList<int> b = index.data(SampleShadowRole).value<QList<int>>();
        if (b.size() == 3) {
            const int side = r.height() - 8;
            const QRect sq(r.right() - side - 8, r.top() + 3, side, side);
            if (b[0] > 0) {
                const int off = std::max(1, b[0] / 20);
                const int grey = std::clamp(b[2], 0, 255);
                p.fillRect(sq.translated(off, off), QColor(grey, grey, grey));
            }
            p.fillRect(sq, QColor(0, 0, 255));
        }
        break;
    }
    case SampleKind::Text:
        break;
    }
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
    p.restore();
}

} // namespace

QColor ColorOf(std::int32_t c)
{
    if (c < 0)
        return QColor(Qt::black);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void ListSampleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem o(option);
    initStyleOption(&o, index);
    const QString text = o.text;
    o.text.clear();
    o.icon = QIcon();
    o.widget ? o.widget->style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, o.widget)
             : QStyledItemDelegate::paint(painter, o, index);
    const bool selected = option.state & QStyle::State_Selected;
    DrawSample(*painter, option.rect, index, text,
               selected ? option.palette.color(QPalette::HighlightedText)
                        : option.palette.color(QPalette::Text),
               o.font);
}

QSize ListSampleDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(s.height(), kSampleHeight));
    return s;
}

SampleComboBox::SampleComboBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new ListSampleDelegate(this));
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(6);
}

void SampleComboBox::setList(FilledList list, const Settings& s, std::int32_t sampleColor)
{
    const QSignalBlocker block(this);
    clear();
    list_ = std::move(list);
    for (const ListEntry& e : list_.entries) {
        addItem(QString::fromStdU16String(e.name));
        const int i = count() - 1;
        SampleKind kind = SampleKind::Text;
        if (e.role != EntryRole::Customize) {
            switch (list_.kind) {
            case ListKind::Colors:
            case ListKind::Fills:
                kind = SampleKind::Color;
                setItemData(i, e.color, SampleColorRole);
                break;
            case ListKind::LineWeights:
            case ListKind::FrameWeights:
                kind = SampleKind::Weight;
                setItemData(i, PenWidthFor(e.value, s.screen), SampleWidthRole);
                setItemData(i, sampleColor, SampleColorRole);
                break;
            case ListKind::Patterns:
                kind = SampleKind::Pattern;
                setItemData(i, 1, SampleWidthRole);
                setItemData(i, QVariant::fromValue(DashesOf(list_, e, s)), SampleDashesRole);
                setItemData(i, sampleColor, SampleColorRole);
                break;
            case ListKind::Shadows:
                kind = SampleKind::Shadow;
                setItemData(
                    i, QVariant::fromValue(QList<int>{e.shadow.elevation, e.shadow.fade, e.shadow.lightness}),
                    SampleShadowRole);
                break;
            default:
                break;
            }
        }
        setItemData(i, static_cast<int>(kind), SampleKindRole);
        if (e.name.empty())
            setItemData(i, QString::fromUtf16(u"#%1").arg(e.color, 6, 16, QLatin1Char('0')),
                        Qt::AccessibleTextRole);
    }
    setCurrentIndex(-1);
}

void SampleComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QString text = opt.currentText;
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0)
        return;
    const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    DrawSample(painter, r, model()->index(currentIndex(), modelColumn(), rootModelIndex()), text,
               palette().color(QPalette::ButtonText), font());
}

} // namespace vlm
