#include "shell/dialogs/prepare_print_dialog.h"

#include "output/sheet_layout.h"
#include "platform/ui_text.h"
#include "texts/output_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


// A hint with one link word, underlined in blue while the pointer is over it.
QLabel* LinkHint(const char16_t* before, const char16_t* link, const char16_t* after, QWidget* parent,
                 std::function<void()> followed)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    const QString plain = uiText(before) + QStringLiteral("<a href=\"#\" style=\"text-decoration:none\">") +
                          uiText(link) + QStringLiteral("</a>") + uiText(after);
    const QString hovered = uiText(before) + QStringLiteral("<a href=\"#\" style=\"color:blue\">") +
                            uiText(link) + QStringLiteral("</a>") + uiText(after);
    label->setText(plain);
    label->setAccessibleName(uiText(before) + uiText(link) + uiText(after));
    QObject::connect(label, &QLabel::linkActivated, label, [followed](const QString&) { followed(); });
    QObject::connect(label, &QLabel::linkHovered, label, [label, plain, hovered](const QString& link) {
        label->setText(link.isEmpty() ? plain : hovered);
    });
    return label;
}

QLabel* Hint(const char16_t* text, QWidget* parent)
{
    auto* label = new QLabel(uiText(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

PreparePrintDialog::PreparePrintDialog(const HeaderFields* header, std::string selection, const QString& confirm,
               std::function<void(const std::string&)> confirmed, std::function<void()> cancelled,
               QWidget* parent)
    : QWidget(parent), selection_(std::move(selection))
{
    if (header)
        header_ = *header;
    setAccessibleName(uiText(texts::kPrepareHeading));
    auto* layout = new QHBoxLayout(this);
    view_ = new PrintMapView(*this, this);
    view_->setAccessibleName(uiText(texts::kPrepareHeading));
    view_->setMinimumSize(260, 260);
    layout->addWidget(view_, 1);

    auto* column = new QVBoxLayout;
    auto* heading = new QLabel(uiText(texts::kPrepareHeading), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    column->addWidget(Hint(texts::kPrepareArrange, this));
    column->addWidget(LinkHint(texts::kPrepareAllBefore, texts::kPrepareAllLink, texts::kPrepareAllAfter,
                               this, [this] { selectAll(); }));
    column->addWidget(LinkHint(texts::kPrepareNoneBefore, texts::kPrepareNoneLink, texts::kPrepareNoneAfter,
                               this, [this] { selectNone(); }));
    column->addWidget(Hint(texts::kPrepareLegend, this));
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(confirm, this);
    auto* cancel = new QPushButton(uiText(texts::kPrepareButtonCancel), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    auto* hints = new QWidget(this);
    hints->setLayout(column);
    hints->setFixedWidth(220);
    layout->addWidget(hints);
    connect(ok, &QPushButton::clicked, this, [this, confirmed] { confirmed(selection_); });
    connect(cancel, &QPushButton::clicked, this, [cancelled] { cancelled(); });
}

void PreparePrintDialog::selectAll()
{
    const PrintMap& m = view_->map();
    selection_.assign(static_cast<std::size_t>(m.rows * m.columns), ' ');
    view_->update();
}

void PreparePrintDialog::selectNone()
{
    const PrintMap& m = view_->map();
    selection_.assign(static_cast<std::size_t>(m.rows * m.columns), 'x');
    view_->update();
}

void PreparePrintDialog::clickAt(QPoint mapPoint)
{
    const QPoint cell = PrintMapCellAt(view_->map(), mapPoint);
    if (cell.isNull())
        return;
    selection_ = ToggleCell(selection_, cell.y(), cell.x(), view_->map().columns);
    view_->update();
}

PrintMapView::PrintMapView(PreparePrintDialog& owner, QWidget* parent) : QWidget(parent), owner_(owner)
{
    map_ = PrintMapOf(owner_.header_ ? &*owner_.header_ : nullptr, size());
}

QPoint PrintMapView::mapOrigin() const
{
    return {std::max(10, (width() - map_.picture.width()) / 2),
            std::max(10, (height() - map_.picture.height()) / 2)};
}

void PrintMapView::resizeEvent(QResizeEvent*)
{
    map_ = PrintMapOf(owner_.header_ ? &*owner_.header_ : nullptr, size());
}

void PrintMapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (map_.picture.isEmpty())
        return;
    p.translate(mapOrigin());
    p.fillRect(QRect(QPoint(0, 0), map_.picture), Qt::white);
    for (std::size_t i = 0; i < map_.cells.size(); ++i) {
        const QRect& cell = map_.cells[i];
        const int row = static_cast<int>(i) / map_.columns + 1;
        const int column = static_cast<int>(i) % map_.columns + 1;
        const bool prints = CellPrints(owner_.selection_, row, column, map_.columns);
        p.setPen(prints ? QColor(Qt::red) : QColor(192, 192, 192));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        if (!prints) {
            p.drawLine(cell.topLeft(), cell.bottomRight());
            p.drawLine(cell.topRight(), cell.bottomLeft());
        }
    }
}

void PrintMapView::mouseReleaseEvent(QMouseEvent* event)
{
    owner_.clickAt(event->position().toPoint() - mapOrigin());
}

} // namespace vlm
