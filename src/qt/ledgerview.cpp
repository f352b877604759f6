#include "qt/ledgerview.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "qt/dataout.h"

namespace zm {

namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 DPI

Qt::Alignment qtAlign(Align a) {
    switch (a) {
        case Align::Centre:
            return Qt::AlignCenter;
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Align::Left:
        case Align::Default:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

LedgerModel::LedgerModel(LedgerTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    shownRows_ = table_.recordCount();
    shownColumns_ = static_cast<int>(table_.columns().size());
}

int LedgerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int LedgerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns_;
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int row = index.row();
    if (removing_ >= 0) {
        if (row == removing_) return {};
        if (row > removing_) --row;
    }
    if (row >= table_.recordCount()) return {};
    const auto col = static_cast<std::size_t>(index.column());
    // Only the cells in view are asked for: their texts are made here.
    if (role == Qt::DisplayRole) return qs(table_.text(row + 1, index.column()));
    if (role == Qt::TextAlignmentRole && col < table_.columns().size()) {
        return QVariant::fromValue(qtAlign(table_.columns()[col].align));
    }
    if (role == Qt::FontRole && table_.kind(row + 1, index.column()) != Cell::Kind::Text) {
        // Amounts, dates, times and positions are digits, signs and 年月日,
        // which the font draws the same unshaped: shaping was most of the
        // cost of drawing a grid.
        static const QFont unshaped = [] {
            QFont f;
            f.setStyleStrategy(QFont::PreferNoShaping);
            return f;
        }();
        return unshaped;
    }
    return {};
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    const auto col = static_cast<std::size_t>(section);
    if (col >= table_.columns().size()) return {};
    if (role == Qt::DisplayRole) return qs(table_.columns()[col].header);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

void LedgerModel::tableChanged(LedgerTable::Change change, int row) {
    switch (change) {
        case LedgerTable::Change::RowAppended:
            beginInsertRows({}, shownRows_, shownRows_);
            shownRows_ = table_.recordCount();
            endInsertRows();
            break;
        case LedgerTable::Change::RowRemoved:
            removing_ = row - 1;
            beginRemoveRows({}, removing_, removing_);
            shownRows_ = table_.recordCount();
            removing_ = -1;
            endRemoveRows();
            break;
        case LedgerTable::Change::Reset:
            beginResetModel();
            shownRows_ = table_.recordCount();
            shownColumns_ = static_cast<int>(table_.columns().size());
            endResetModel();
            break;
        case LedgerTable::Change::ValuesChanged:
            if (row <= shownRows_) {
                emit dataChanged(index(row - 1, 0), index(shownRows_ - 1, shownColumns_ - 1),
                                 {Qt::DisplayRole});
            }
            break;
        case LedgerTable::Change::TopRow:
        case LedgerTable::Change::CurrentRow:
            break;
    }
}

LedgerView::LedgerView(LedgerTable& table, const Runner& run, LedgerHandlers handlers,
                       QWidget* parent)
    : QTableView(parent), table_(table), model_(new LedgerModel(table, this)) {
    setAccessibleName("入金一覧");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // The rows' header is set up before the rows arrive: each of these walks
    // every section, and a full ledger has 32,766.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    QFont f = font();
    f.setPointSize(table.fontPoints());
    setFont(f);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
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
            case LedgerTable::Change::RowRemoved:
                break;
        }
    });
    markBound(table, this);
    table.bind([this] { setVisible(table_.visible()); });
    offerTable(this, [this](const std::vector<int>& rows, std::string title) {
        return outTable(table_, rows, std::move(title));
    });
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
            if (appendedFrom_ == kNoAppend) appendedFrom_ = row - 1;
            break;
        case LedgerTable::Change::Reset:
        case LedgerTable::Change::RowRemoved:
            appendedFrom_ = kWhole;
            break;
        case LedgerTable::Change::TopRow:
        case LedgerTable::Change::CurrentRow:
        case LedgerTable::Change::ValuesChanged:  // repainted through dataChanged
            break;
    }
}

void LedgerView::doItemsLayout() {
    const int from = appendedFrom_;
    if (from < 0) {
        appendedFrom_ = kNoAppend;
        QTableView::doItemsLayout();
        return;
    }
    updateGeometries();
    appendedFrom_ = kNoAppend;
    const int y = rowViewportPosition(from);
    viewport()->update(0, y, viewport()->width(), viewport()->height() - y);
}

void LedgerView::updateGeometries() {
    const int before = verticalHeader()->offset();
    QTableView::updateGeometries();
    // The grid may shift its rows without repainting them, counting on the
    // repaint of a whole layout; without one they are moved here.
    const int moved = before - verticalHeader()->offset();
    if (appendedFrom_ >= 0 && moved != 0) viewport()->scroll(0, moved);
}

void LedgerView::applyColumns() {
    const auto& cols = table_.columns();
    if (static_cast<int>(cols.size()) == columnsApplied_) return;
    for (std::size_t c = 0; c < cols.size(); ++c) {
        setColumnWidth(static_cast<int>(c), cols[c].widthTwips / kTwipsPerPixel);
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
    // The scroll range follows the rows only at the next layout: without
    // this, a row just added lies beyond it and the scroll stops short.
    updateGeometries();
    scrollTo(model_->index(tableRow - 1, 0), QAbstractItemView::PositionAtTop);
}

void LedgerView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (scrollPending_) scrollToTop(table_.topRow());
}

}  // namespace zm
