#include "qt/itemviews/historygrid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "history/historytable.h"
#include "qt/itemviews/fixedcolumn.h"
#include "qt/itemviews/gridsetup.h"
#include "qt/itemviews/historymodel.h"
#include "qt/qtconvert.h"

namespace zm {

HistoryGrid::HistoryGrid(HistoryTable& table, const char* accessibleName, QWidget* parent)
    : QTableView(parent),
      table_(table),
      model_(new HistoryModel(table, this)),
      fixed_(new FixedColumn(this)) {
    setObjectName(qs(table.name()));
    setAccessibleName(QString::fromUtf8(accessibleName));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(ScrollPerPixel);
    setMinimumWidth(360);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setUpGrid(this, table.fontPoints());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setModel(model_);

    fixed_->setFocusPolicy(Qt::NoFocus);
    // The first column again, standing still while the grid scrolls sideways.
    fixed_->setAccessibleName(QString::fromUtf8(accessibleName) + "の左端の列");
    setUpGrid(fixed_, table.fontPoints());
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setFrameShape(QFrame::NoFrame);
    fixed_->setModel(model_);
    fixed_->setSelectionModel(selectionModel());
    viewport()->stackUnder(fixed_);
    applyColumns();

    table.bind([this] {
        if (table_.lastChange() == HistoryTable::Change::Reset) {
            model_->reload();
            applyColumns();
            scrollToTop();  // a new table starts at its first row
        } else {
            showTopRow();
        }
        setVisible(table_.visible());
    });
    // A grid made after its table was filled opens where the table stands.
    showTopRow();
}

QSize HistoryGrid::sizeHint() const {
    return {std::max(fullWidth_, minimumWidth()), QTableView::sizeHint().height()};
}

void HistoryGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFixedColumn();
}

void HistoryGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (scrollPending_) showTopRow();
}

void HistoryGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == 0) horizontalScrollBar()->setValue(sideways);
}

// The widths in twips, or more where this font needs it for the texts.
void HistoryGrid::applyColumns() {
    const auto& columns = table_.columns();
    const QFontMetrics metrics(font());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c);
        const int needed = std::max(metrics.horizontalAdvance(qs(columns[c].header)),
                                    metrics.horizontalAdvance(qs(table_.widestText(column)))) +
                           14;
        setColumnWidth(column, std::max(pixelsOfTwips(columns[c].widthTwips), needed));
    }
    const int count = model_->columnCount();
    for (int c = 0; c < count; ++c) fixed_->setColumnHidden(c, c > 0);
    if (count > 0) fixed_->setColumnWidth(0, columnWidth(0));
    // As wide as every column beside the scroll bar, where the page has the
    // room; narrower, the grid scrolls sideways.
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < count; ++c) width += columnWidth(c);
    if (width != fullWidth_) {
        fullWidth_ = width;
        updateGeometry();
    }
    placeFixedColumn();
}

void HistoryGrid::placeFixedColumn() {
    fixed_->setVisible(model_->columnCount() > 0);
    fixed_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
}

// The table's top row to the top of the view; a hidden grid cannot scroll,
// so it is applied again when shown.
void HistoryGrid::showTopRow() {
    const int row = table_.topRow();
    if (row < 1) return;
    scrollPending_ = !isVisible();
    // The scroll range follows a reset only at the next layout: without this,
    // the rows of a longer table lie beyond it.
    updateGeometries();
    QTableView::scrollTo(model_->index(row - 1, 1), PositionAtTop);
}

}  // namespace zm
