#pragma once

#include <QTableView>
#include <functional>

#include "qt/binding/bind.h"
#include "ui/ledgertable.h"

namespace zm {

class LedgerModel;

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
    // Deletes the current row as the double-click does, where the table
    // deletes rows (Delete and the menu's "削除…").
    bool removes() const { return static_cast<bool>(remove_); }
    void removeCurrent();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Delete on a row deletes it as the double-click does, where it does.
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;

private:
    void noteLayoutChange(LedgerTable::Change change, int row);
    void applyColumns();
    void fitColumns(int from, bool amountsOnly = false);
    void scrollToTop(int tableRow);
    void layOut();

    LedgerTable& table_;
    LedgerModel* model_;
    Runner run_;
    std::function<void()> remove_;
    int columnsApplied_ = -1;
    int leastWidth_ = 0;
    // A hidden view cannot scroll; the table's top row is applied when shown.
    bool scrollPending_ = false;
    // A scroll asked for before the next layout, made again after it.
    bool scrollAgain_ = false;
    bool clicking_ = false;
    // The first row (of the model) appended since the last layout while
    // nothing else changed; kNoAppend with nothing pending, kWhole when the
    // next layout must repaint everything.
    static constexpr int kNoAppend = -1;
    static constexpr int kWhole = -2;
    int appendedFrom_ = kNoAppend;
    // The only change since the last layout is the last row gone.
    bool lastRowGone_ = false;
};

}  // namespace zm
