#include "qt/shell/restoredialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "qt/itemviews/tabout.h"
#include "qt/shell/style.h"

namespace zm {

namespace {

enum Column { Date, Time, Kind, Total, Records, Note, Columns };

}  // namespace

RestoreDialog::RestoreDialog(MainForm& form, const Runner& run, QWidget* parent)
    : QDialog(parent), form_(form), run_(run) {
    setObjectName("frmModosu");
    setWindowTitle("データを戻す");
    run_([this] { rows_ = form_.copyRows(); });

    auto* intro = new QLabel(
        "戻すコピーを選んで「戻す」を押してください。現在のデータはコピーしてから置き換えます。");
    intro->setWordWrap(true);

    table_ = new QTableWidget(static_cast<int>(rows_.size()), Columns);
    table_->setObjectName("lstCopies");
    table_->setAccessibleName("コピー一覧");
    table_->setHorizontalHeaderLabels({"日付", "時刻", "種類", "貯金総額", "件数", "状態"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    leaveByTab(table_);
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) showRow(r);
    table_->resizeColumnsToContents();
    // The rows are read after this: room for what they will show.
    const QFontMetrics fm(table_->font());
    const int pad = 2 * fm.averageCharWidth();
    for (const auto& [column, widest] :
         {std::pair{Time, "00:00:00"}, {Total, "¥99,999,999"}, {Records, "999,999件"}}) {
        table_->setColumnWidth(column,
                               std::max(table_->columnWidth(column),
                                        fm.horizontalAdvance(QString::fromUtf8(widest)) + pad));
    }
    connect(table_, &QTableWidget::itemSelectionChanged, this, &RestoreDialog::updateButton);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });

    ok_ = new QPushButton("戻す");
    ok_->setObjectName("cmdModosuOk");
    ok_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, [this] { choose(); });
    auto* cancel = new QPushButton("キャンセル");
    cancel->setObjectName("cmdModosuCancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(820, 440);

    // The reading thread works on rows of its own and hands each one back
    // through the event loop; it touches nothing of the window.
    reader_ = std::thread([this, rows = rows_]() mutable {
        for (std::size_t i = 0; i < rows.size() && !stop_; ++i) {
            form_.readCopyRow(rows[i]);
            QMetaObject::invokeMethod(
                this,
                [this, i, row = rows[i]] {
                    rows_[i] = row;
                    showRow(static_cast<int>(i));
                    updateButton();
                },
                Qt::QueuedConnection);
        }
    });
}

RestoreDialog::~RestoreDialog() {
    stop_ = true;
    if (reader_.joinable()) reader_.join();
}

void RestoreDialog::showRow(int r) {
    const MainForm::CopyRow& row = rows_[static_cast<std::size_t>(r)];
    const QString texts[Columns] = {
        qs(row.date),  qs(row.time),    qs(row.kind),
        qs(row.total), qs(row.records), row.read ? qs(row.problem) : QString("読み込み中…")};
    for (int c = 0; c < Columns; ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (c == Total || c == Records) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Only a copy read whole can be chosen.
        if (!row.readable) item->setFlags(Qt::NoItemFlags);
        if (row.read && !row.readable) {
            item->setForeground(scheme().problem);
            item->setToolTip(qs(row.problem));
        }
        table_->setItem(r, c, item);
    }
}

void RestoreDialog::updateButton() {
    const int r = table_->currentRow();
    const bool chosen = !table_->selectedItems().isEmpty() && r >= 0;
    ok_->setEnabled(chosen && rows_[static_cast<std::size_t>(r)].readable);
}

void RestoreDialog::choose() {
    const int r = table_->currentRow();
    if (r < 0 || table_->selectedItems().isEmpty()) return;
    const MainForm::CopyRow row = rows_[static_cast<std::size_t>(r)];
    if (!row.readable) return;
    run_([this, &row] { form_.restoreCopy(row, [this] { accept(); }); });
}

void openRestoreDialog(MainForm& form, const Runner& run, QWidget* parent) {
    RestoreDialog dialog(form, run, parent);
    dialog.exec();
}

}  // namespace zm
