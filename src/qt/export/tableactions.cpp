#include "qt/export/tableactions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "qt/export/dataexport.h"
#include "qt/export/menukeys.h"
#include "qt/export/pageprint.h"
#include "qt/export/savedialog.h"
#include "qt/qtconvert.h"

namespace zm {

TableActions::TableActions(QWidget* table, TableRows rows, DataExport& out)
    : QObject(table), table_(table), rows_(std::move(rows)), out_(out) {
    setObjectName("tableOut");
    if (auto* view = qobject_cast<QAbstractItemView*>(table)) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(table_);
        QAction* copy = menu.addAction("コピー", [this] { copyRows(); });
        copy->setShortcut(QKeySequence::Copy);
        menu.addAction("CSVで保存…", [this] { saveCsv(); });
        addPrintEntry(menu, table_);
        if (remove_) {
            menu.addSeparator();
            QAction* remove = menu.addAction("削除…", remove_);
            auto* view = qobject_cast<QAbstractItemView*>(table_);
            remove->setEnabled(!view || view->currentIndex().isValid());
        }
        menu.exec(table_->mapToGlobal(at));
    });
    table->installEventFilter(this);
    openMenuByKeys(table);
}

std::string TableActions::title() const {
    return title_ ? title_() : pageTitleOf(table_);
}

void TableActions::copyRows() {
    copyTable(rows_(selectedRows(), title()));
}

void TableActions::saveCsv() {
    const std::string title = this->title();
    const QString name = askSaveName(table_, "CSVで保存", offeredPath(out_.fileName(title, ".csv")),
                                     {"CSV (*.csv)"});
    if (name.isEmpty()) return;
    out_.saveCsv(pathOf(name), rows_(selectedRows(), title));
}

bool TableActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched != table_) return false;
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool copy = key->matches(QKeySequence::Copy);
    const bool all = key->matches(QKeySequence::SelectAll);
    if (!copy && !all) return false;
    // Taken here rather than by a shortcut elsewhere in the window.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (copy) copyRows();
    if (auto* view = qobject_cast<QAbstractItemView*>(table_); view && all) view->selectAll();
    return true;
}

// The selected rows, 1-based and in order; none selected gives none.
std::vector<int> TableActions::selectedRows() const {
    std::vector<int> rows;
    auto* view = qobject_cast<QAbstractItemView*>(table_);
    if (!view || !view->selectionModel()) return rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        rows.push_back(index.row() + 1);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void offerTable(QWidget* table, TableRows rows, DataExport& out) {
    new TableActions(table, std::move(rows), out);
}

namespace {

TableActions* actionsOf(QWidget* table) {
    return table->findChild<TableActions*>("tableOut", Qt::FindDirectChildrenOnly);
}

}  // namespace

void setOutTitle(QWidget* table, std::function<std::string()> title) {
    if (TableActions* out = actionsOf(table)) out->setTitle(std::move(title));
}

void offerRemoval(QWidget* table, std::function<void()> remove) {
    if (TableActions* out = actionsOf(table)) out->setRemove(std::move(remove));
}

void copyTable(const OutTable& table) {
    auto* mime = new QMimeData;
    mime->setText(qs(toTsv(table)));
    mime->setHtml(qs(toHtml(table)));
    QApplication::clipboard()->setMimeData(mime);
}

}  // namespace zm
