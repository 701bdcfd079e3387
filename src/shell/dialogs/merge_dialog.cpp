#include "shell/dialogs/merge_dialog.h"

#include "output/merge_files.h"
#include "output/vector_sheet.h"
#include "platform/ui_text.h"
#include "texts/merge_texts.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vlm {

namespace {

// The records the table shows; the rest print all the same.
constexpr int kShownRecords = 10;
// The preview's longer side in pixels.
constexpr int kPreviewSide = 480;

QPushButton* namedButton(const char16_t* caption, QWidget* parent)
{
    auto* b = new QPushButton(uiText(caption), parent);
    b->setAccessibleName(uiText(caption));
    return b;
}

} // namespace

MergeDialog::MergeDialog(Document& document, std::string selection, SheetEnvironment env, Actions actions,
                         QWidget* parent)
    : QWidget(parent), document_(document), selection_(std::move(selection)), env_(std::move(env)),
      actions_(std::move(actions))
{
    setAccessibleName(uiText(texts::kMergeTitle));
    auto* layout = new QHBoxLayout(this);

    auto* data = new QVBoxLayout;
    auto* fileRow = new QHBoxLayout;
    file_ = new QLabel(uiText(texts::kMergeNoFile), this);
    file_->setAccessibleName(uiText(texts::kDataFileTitle));
    auto* choose = namedButton(texts::kMergeChooseFile, this);
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(choose);
    data->addLayout(fileRow);

    data->addWidget(new QLabel(uiText(texts::kMergeColumns), this));
    columns_ = new QListWidget(this);
    columns_->setAccessibleName(uiText(texts::kMergeColumns));
    data->addWidget(columns_);
    insert_ = namedButton(texts::kMergeInsertField, this);
    auto* hint = new QLabel(uiText(texts::kMergeInsertHint), this);
    hint->setWordWrap(true);
    data->addWidget(insert_);
    data->addWidget(hint);

    data->addWidget(new QLabel(uiText(texts::kMergeRecords), this));
    records_ = new QTableWidget(this);
    records_->setAccessibleName(uiText(texts::kMergeRecords));
    records_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    records_->verticalHeader()->setVisible(true);
    data->addWidget(records_, 1);
    layout->addLayout(data, 1);

    auto* sheets = new QVBoxLayout;
    pane_ = new QLabel(this);
    pane_->setAccessibleName(uiText(texts::kMergePreview));
    pane_->setAlignment(Qt::AlignCenter);
    pane_->setMinimumSize(kPreviewSide * 3 / 4, kPreviewSide);
    sheets->addWidget(pane_, 1);
    auto* steps = new QHBoxLayout;
    previous_ = namedButton(texts::kMergePreviousSheet, this);
    sheetLabel_ = new QLabel(this);
    sheetLabel_->setAlignment(Qt::AlignCenter);
    next_ = namedButton(texts::kMergeNextSheet, this);
    steps->addWidget(previous_);
    steps->addWidget(sheetLabel_, 1);
    steps->addWidget(next_);
    sheets->addLayout(steps);
    auto* buttons = new QHBoxLayout;
    print_ = namedButton(texts::kMergePrint, this);
    auto* close = namedButton(texts::kMergeClose, this);
    buttons->addStretch(1);
    buttons->addWidget(print_);
    buttons->addWidget(close);
    sheets->addLayout(buttons);
    layout->addLayout(sheets);

    connect(choose, &QPushButton::clicked, this, [this] {
        if (actions_.chooseFile)
            actions_.chooseFile();
    });
    connect(insert_, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = columns_->currentItem(); item && actions_.insertField)
            actions_.insertField(item->text());
    });
    connect(columns_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (actions_.insertField)
            actions_.insertField(item->text());
    });
    connect(columns_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(previous_, &QPushButton::clicked, this, [this] {
        if (sheet_ > 0)
            showSheet(sheet_ - 1);
    });
    connect(next_, &QPushButton::clicked, this, [this] { showSheet(sheet_ + 1); });
    connect(print_, &QPushButton::clicked, this, [this] {
        if (actions_.print)
            actions_.print();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        if (actions_.close)
            actions_.close();
    });
    setData({}, nullptr);
}

MergeDialog::~MergeDialog() = default;

void MergeDialog::setData(const QString& path, std::shared_ptr<const DataTable> table)
{
    sheets_ = 0;
    table_ = std::move(table);
    columns_->clear();
    records_->clear();
    records_->setRowCount(0);
    records_->setColumnCount(0);
    if (!table_) {
        file_->setText(uiText(texts::kMergeNoFile));
        showSheet(0);
        return;
    }
    file_->setText(uiText(texts::kMergeFileRecords)
                       .arg(QFileInfo(path).fileName())
                       .arg(static_cast<qulonglong>(table_->records.size())));
    file_->setToolTip(path);
    QStringList headers;
    for (const std::u16string& c : table_->columns)
        headers << QString::fromStdU16String(c);
    columns_->addItems(headers);
    if (!headers.isEmpty())
        columns_->setCurrentRow(0);
    const int rows = static_cast<int>(std::min<std::size_t>(table_->records.size(), kShownRecords));
    records_->setColumnCount(static_cast<int>(headers.size()));
    records_->setHorizontalHeaderLabels(headers);
    records_->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::u16string>& record = table_->records[static_cast<std::size_t>(r)];
        for (int c = 0; c < headers.size(); ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdU16String(record[static_cast<std::size_t>(c)]));
            records_->setItem(r, c, cell);
        }
    }
    // The document's texts are filled only while a sheet is drawn.
    sheets_ = MergedSheets(document_, *table_, selection_, MergeRange{}, env_).sheets();
    showSheet(0);
}

void MergeDialog::showSheet(std::size_t sheet)
{
    const std::size_t count = sheets();
    sheet_ = count == 0 ? 0 : std::min(sheet, count - 1);
    preview_ = QImage();
    if (count > 0) {
        constexpr int kDpi = 600;
        const QSize full = vectorSheetSize(document_, env_.screen, kDpi);
        if (!full.isEmpty()) {
            const double scale = double(kPreviewSide) / std::max(full.width(), full.height());
            const QSize size(std::max(1, int(full.width() * scale)), std::max(1, int(full.height() * scale)));
            preview_ = QImage(size, QImage::Format_RGB32);
            preview_.fill(Qt::white);
            QPainter painter(&preview_);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.scale(scale, scale);
            VectorSheetOptions options;
            options.deviceDpi = kDpi;
            MergedSheets(document_, *table_, selection_, MergeRange{}, env_).draw(painter, sheet_, options);
        }
    }
    pane_->setPixmap(preview_.isNull() ? QPixmap() : QPixmap::fromImage(preview_));
    sheetLabel_->setText(count == 0 ? uiText(texts::kMergeNoSheet)
                                    : uiText(texts::kMergeSheetOf)
                                          .arg(static_cast<qulonglong>(sheet_ + 1))
                                          .arg(static_cast<qulonglong>(count)));
    updateButtons();
}

void MergeDialog::updateButtons()
{
    const std::size_t count = sheets();
    previous_->setEnabled(count > 0 && sheet_ > 0);
    next_->setEnabled(count > 0 && sheet_ + 1 < count);
    print_->setEnabled(count > 0);
    insert_->setEnabled(columns_->currentItem() != nullptr);
}

} // namespace vlm
