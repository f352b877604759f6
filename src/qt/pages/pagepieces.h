#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "qt/binding/lazypage.h"
#include "qt/itemviews/ledgerview.h"
#include "qt/pages/pagecontext.h"
#include "qt/shell/style.h"
#include "ui/chartdata.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/tableexport.h"

class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zm {

class ChartView;
class HistoryGrid;
class HistoryTable;

// The pieces every page is built from, so that each looks and acts alike.

// A ledger grid with its table menu and keys.
LedgerView* makeLedger(LedgerTable& table, const PageContext& page, LedgerHandlers handlers = {});
// A history grid with its table menu and keys.
HistoryGrid* makeHistoryGrid(HistoryTable& table, const char* accessibleName,
                             const PageContext& page);
// A page chart with its menu, drawn only while its page is shown; Tab
// reaches it and its focus shows.
ChartView* makeChart(ChartData& data, const PageContext& page);

// A fixed caption beside a figure or a field.
QLabel* makeCaption(const char* text, int size = points::kCaption);
// A label of the logic at `size`, bold or not, in a colour or the palette's.
QLabel* makeText(Label& label, int size, bool bold = false, const QColor& colour = QColor());
// A figure of the logic (yen, days, counts) in the amount style.
QLabel* makeAmount(Label& label, int size);
// A figure in a grid of figures: its caption at (row, column), its value
// right-aligned beside it.
QLabel* addFigure(QGridLayout* grid, int row, int column, QLabel* caption, Label& value,
                  int size = points::kFigure);
// An entry field for an amount or a number: right-aligned, at most
// `maxWidth` wide, its text at `size` (0 for the window's).
QLineEdit* makeAmountBox(TextBox& box, const PageContext& page, std::function<void(int)> onKey,
                         const char* accessibleName, int maxWidth, int size = 0);
QPushButton* makeButton(Button& button, const PageContext& page, std::function<void()> onClick);

// A label that comes and goes keeps its room while hidden, so that the page's
// layout, and the chart in it, stay as they are.
void keepRoomWhenHidden(QWidget* widget);
// A part of a page: a widget or a layout.
struct PagePart {
    PagePart(QWidget* w) : widget(w) {}  // NOLINT: either converts
    PagePart(QLayout* l) : layout(l) {}  // NOLINT
    QWidget* widget = nullptr;
    QLayout* layout = nullptr;
};
// A page: its heading above, and below it two sides, each taking its share
// of the width.
void layOutPage(QWidget* frame, PagePart heading, PagePart left, int leftShare, PagePart right,
                int rightShare);
// A ledger page: its title above, the table on the left, the rest beside it.
void layOutLedgerPage(QWidget* frame, QWidget* title, QWidget* table, QLayout* side);
// A history page: its title above, the grid on the left, and beside it what
// is `above` (if anything) over the chart; printable as its grid.
void fillHistoryPage(QWidget* frame, const char* title, HistoryTable& table, ChartData& chart,
                     QWidget* above, const PageContext& page);

// The figures of a report, each under its caption.
using Figures = std::vector<std::pair<std::string, const Label*>>;

// Makes `frame` printable: a report of one table under the title, with the
// figures and the chart (none when null).
void offerReport(QWidget* frame, std::function<std::string()> title, Figures figures,
                 ChartView* chart, std::function<OutTable()> table, const PageContext& page);
// The same for a ledger's table under a fixed title.
void offerReport(QWidget* frame, const char* title, Figures figures, ChartView* chart,
                 const LedgerTable& table, const PageContext& page);

// The page's widget, filled by `fill` when the frame is first shown.
template <class Page>
QWidget* pageView(Control& frame, Page& page, const PageContext& context,
                  void (*fill)(QWidget*, Page&, const PageContext&)) {
    return lazyPage(frame,
                    [&page, context, fill](QWidget* widget) { fill(widget, page, context); });
}

}  // namespace zm
