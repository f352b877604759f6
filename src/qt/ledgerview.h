#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

#include "qt/bind.h"
#include "ui/ledgertable.h"

namespace zm {

// The grid of a LedgerTable: the records are the model's rows (the table's
// header row is the view's header).
class LedgerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LedgerModel(LedgerTable& table, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Called by the table's observer.
    void tableChanged(LedgerTable::Change change, int row);

private:
    LedgerTable& table_;
    int shownRows_ = 0;
    int shownColumns_ = 0;
    // The table tells of a removal once its row is gone; until the views
    // have heard of it, the rows keep their old places and the removed one
    // shows nothing.
    int removing_ = -1;
};

struct LedgerHandlers {
    std::function<void()> click;
    std::function<void()> dblClick;
};

// A QTableView bound to the table: widths in twips, the table's font size and
// alignments; a click selects the table's current row and runs the handlers.
class LedgerView : public QTableView {
    Q_OBJECT
public:
    LedgerView(LedgerTable& table, const Runner& run, LedgerHandlers handlers,
               QWidget* parent = nullptr);
    // The page's least width for the view; it grows beyond it to show all
    // of its columns.
    void setLeastWidth(int width);
    // After rows were only appended, lays out and repaints just the new rows.
    void doItemsLayout() override;

protected:
    void showEvent(QShowEvent* event) override;
    void updateGeometries() override;

private:
    void noteLayoutChange(LedgerTable::Change change, int row);
    void applyColumns();
    void fitColumns(int from, bool amountsOnly = false);
    void scrollToTop(int tableRow);

    LedgerTable& table_;
    LedgerModel* model_;
    int columnsApplied_ = -1;
    int leastWidth_ = 0;
    // A hidden view cannot scroll; the table's top row is applied when shown.
    bool scrollPending_ = false;
    bool clicking_ = false;
    // The first row (of the model) appended since the last layout while
    // nothing else changed; kNoAppend with nothing pending, kWhole when the
    // next layout must repaint everything.
    static constexpr int kNoAppend = -1;
    static constexpr int kWhole = -2;
    int appendedFrom_ = kNoAppend;
};

}  // namespace zm
