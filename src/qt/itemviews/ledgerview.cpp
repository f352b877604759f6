#include "qt/itemviews/ledgerview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "qt/itemviews/gridsetup.h"
#include "qt/itemviews/ledgermodel.h"

namespace zm {

LedgerView::LedgerView(LedgerTable& table, const Runner& run, LedgerHandlers handlers,
                       QWidget* parent)
    : QTableView(parent),
      table_(table),
      model_(new LedgerModel(table, this)),
      run_(run),
      remove_(handlers.dblClick) {
    setAccessibleName("入金一覧");
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The rows' header is set up before the rows arrive: each setting walks
    // every section, and a full ledger has 32,766.
    setUpGrid(this, table.fontPoints());
    setModel(model_);
    applyColumns();
    fitColumns(1);

    table.observeRows([this](LedgerTable::Change change, int row) {
        noteLayoutChange(change, row);
        model_->tableChanged(change, row);
        switch (change) {
            case LedgerTable::Change::Reset:
                applyColumns();
                fitColumns(1);
                break;
            case LedgerTable::Change::RowAppended:
                fitColumns(row);
                break;
            case LedgerTable::Change::ValuesChanged:
                // Running totals: only the columns of amounts have changed.
                fitColumns(row, true);
                break;
            case LedgerTable::Change::TopRow:
                scrollToTop(row);
                break;
            case LedgerTable::Change::CurrentRow:
                // A click has drawn its own selection, which may hold more rows.
                if (clicking_) break;
                if (row > 0) {
                    selectRow(row - 1);
                } else {
                    clearSelection();
                }
                break;
            case LedgerTable::Change::RowInserted:
            case LedgerTable::Change::RowRemoved:
                break;
        }
    });
    markBound(table, this);
    table.bind([this] { setVisible(table_.visible()); });
    // A view made after its table was filled opens where the table stands.
    scrollToTop(table.topRow());

    auto select = [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        clicking_ = true;
        table_.setCurrentRow(index.row() + 1);
        clicking_ = false;
    };
    connect(this, &QTableView::clicked, this, [select, run, h = handlers](const QModelIndex& i) {
        select(i);
        if (h.click) run(h.click);
    });
    connect(this, &QTableView::doubleClicked, this,
            [select, run, h = handlers](const QModelIndex& i) {
                select(i);
                if (h.dblClick) run(h.dblClick);
            });
}

// A deposit appends a row to a ledger of thousands: Qt would repaint every
// row in view, so only the new rows are painted and those above them are
// moved on screen as the grid scrolls.
void LedgerView::noteLayoutChange(LedgerTable::Change change, int row) {
    switch (change) {
        case LedgerTable::Change::RowAppended:
            if (lastRowGone_) {
                appendedFrom_ = kWhole;
            } else if (appendedFrom_ == kNoAppend) {
                appendedFrom_ = row - 1;
            }
            break;
        case LedgerTable::Change::RowRemoved:
            // The last row going (a deposit undone) moves no other row: what
            // is below the new last row is painted, as after an append.
            if (row == table_.rowCount() && row >= 2 && appendedFrom_ == kNoAppend) {
                appendedFrom_ = row - 2;
                lastRowGone_ = true;
                break;
            }
            appendedFrom_ = kWhole;
            break;
        case LedgerTable::Change::Reset:
        case LedgerTable::Change::RowInserted:
            appendedFrom_ = kWhole;
            break;
        case LedgerTable::Change::TopRow:
        case LedgerTable::Change::CurrentRow:
        case LedgerTable::Change::ValuesChanged:  // repainted through dataChanged
            break;
    }
}

void LedgerView::doItemsLayout() {
    layOut();
    // A row that left shortens the range only now: the scroll asked for
    // before is made again within it.
    if (scrollAgain_) {
        scrollAgain_ = false;
        if (table_.topRow() >= 1) {
            scrollTo(model_->index(table_.topRow() - 1, 0), QAbstractItemView::PositionAtTop);
        }
    }
}

void LedgerView::layOut() {
    const int from = appendedFrom_;
    if (from < 0) {
        appendedFrom_ = kNoAppend;
        lastRowGone_ = false;
        QTableView::doItemsLayout();
        return;
    }
    updateGeometries();
    appendedFrom_ = kNoAppend;
    lastRowGone_ = false;
    const int y = rowViewportPosition(from);
    viewport()->update(0, y, viewport()->width(), viewport()->height() - y);
}

void LedgerView::updateGeometries() {
    const int before = verticalHeader()->offset();
    QTableView::updateGeometries();
    // The grid may shift its rows without repainting them, counting on the
    // repaint of a whole layout; without one they are moved here.
    const int moved = before - verticalHeader()->offset();
    // (The range shrunk by a row that went scrolls the grid itself.)
    if (appendedFrom_ >= 0 && moved != 0 && !lastRowGone_) viewport()->scroll(0, moved);
}

void LedgerView::applyColumns() {
    const auto& cols = table_.columns();
    if (static_cast<int>(cols.size()) == columnsApplied_) return;
    for (std::size_t c = 0; c < cols.size(); ++c) {
        setColumnWidth(static_cast<int>(c), pixelsOfTwips(cols[c].widthTwips));
    }
    columnsApplied_ = static_cast<int>(cols.size());
}

// A column is as wide as its widest amount, date or position needs (from row
// `from` on), never narrower than the table's own width; texts keep that
// width. Columns only widen, so a deletion does not make them jump.
void LedgerView::fitColumns(int from, bool amountsOnly) {
    const QFontMetrics metrics(font());
    // The cell's margins and the grid line.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    for (int c = 0; c < static_cast<int>(table_.columns().size()); ++c) {
        if (amountsOnly && table_.kind(from, c) != Cell::Kind::Amount) continue;
        int width = columnWidth(c);
        for (const std::string& text : table_.widestTexts(c, from)) {
            width = std::max(width, metrics.horizontalAdvance(qs(text)) + padding);
        }
        if (width != columnWidth(c)) setColumnWidth(c, width);
    }
    // The view asks for room for all of its columns, so that a widened one is
    // not cut at the view's edge instead. A column that stretches takes what
    // is left and asks for nothing of its own.
    int needed = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < horizontalHeader()->count(); ++c) {
        needed += horizontalHeader()->sectionResizeMode(c) == QHeaderView::Stretch
                      ? horizontalHeader()->minimumSectionSize()
                      : columnWidth(c);
    }
    needed = std::max(needed, leastWidth_);
    if (needed > minimumWidth()) setMinimumWidth(needed);
}

void LedgerView::setLeastWidth(int width) {
    leastWidth_ = width;
    if (width > minimumWidth()) setMinimumWidth(width);
}

void LedgerView::scrollToTop(int tableRow) {
    if (tableRow < 1) return;
    scrollPending_ = !isVisible();
    scrollAgain_ = true;
    // The scroll range follows the rows only at the next layout: without
    // this, a row just added lies beyond it and the scroll stops short.
    updateGeometries();
    scrollTo(model_->index(tableRow - 1, 0), QAbstractItemView::PositionAtTop);
}

void LedgerView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete || event->modifiers() != Qt::NoModifier || !remove_ ||
        !currentIndex().isValid()) {
        QTableView::keyPressEvent(event);
        return;
    }
    removeCurrent();
}

void LedgerView::removeCurrent() {
    if (!remove_ || !currentIndex().isValid()) return;
    // The row the keys moved to is the one the question names.
    clicking_ = true;
    table_.setCurrentRow(currentIndex().row() + 1);
    clicking_ = false;
    run_(remove_);
}

// A grid that stood at its newest row stays there when it gets shorter or
// taller (a scroll bar of the window comes or goes).
void LedgerView::resizeEvent(QResizeEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    const bool atNewest = bar->maximum() > 0 && bar->value() == bar->maximum();
    QTableView::resizeEvent(event);
    if (atNewest) bar->setValue(bar->maximum());
}

void LedgerView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (scrollPending_) scrollToTop(table_.topRow());
}

}  // namespace zm
