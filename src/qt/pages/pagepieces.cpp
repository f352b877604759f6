#include "qt/access/readas.h"
#include "qt/pages/pagepieces.h"

#include <qcustomplot.h>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "history/historytable.h"
#include "qt/charts/chartview.h"
#include "qt/charts/drawwhenshown.h"
#include "qt/export/chartpicture.h"
#include "qt/export/pageprint.h"
#include "qt/export/tableactions.h"
#include "qt/pages/focusframe.h"
#include "qt/itemviews/historygrid.h"

namespace zm {

LedgerView* makeLedger(LedgerTable& table, const PageContext& page, LedgerHandlers handlers) {
    auto* view = new LedgerView(table, page.run, std::move(handlers));
    offerTable(
        view,
        [&table](const std::vector<int>& rows, std::string title) {
            return outTable(table, rows, std::move(title));
        },
        page.out);
    if (view->removes()) offerRemoval(view, [view] { view->removeCurrent(); });
    return view;
}

HistoryGrid* makeHistoryGrid(HistoryTable& table, const char* accessibleName,
                             const PageContext& page) {
    auto* grid = new HistoryGrid(table, accessibleName);
    offerTable(
        grid,
        [&table](const std::vector<int>& rows, std::string title) {
            return table.out(rows, std::move(title));
        },
        page.out);
    return grid;
}

ChartView* makeChart(ChartData& data, const PageContext& page) {
    DataExport& out = page.out;
    return new ChartView(data, [&out](QCustomPlot* plot) {
        offerChart(plot, out);
        showFocus(plot);
        // A hidden page's chart costs nothing.
        drawWhenShown(plot);
    });
}

QLabel* makeCaption(const char* text, int size) {
    auto* label = new QLabel(QString::fromUtf8(text));
    setTextStyle(label, size);
    return label;
}

QLabel* makeText(Label& label, int size, bool bold, const QColor& colour) {
    auto* widget = new QLabel;
    bindLabel(label, widget);
    setTextStyle(widget, size, bold, colour);
    return widget;
}

QLabel* makeAmount(Label& label, int size) {
    auto* widget = new QLabel;
    bindLabel(label, widget);
    styleAmount(widget, size);
    return widget;
}

QLabel* addFigure(QGridLayout* grid, int row, int column, QLabel* caption, Label& value, int size) {
    QLabel* amount = makeAmount(value, size);
    readAsOneSentence({caption, amount}, " ");
    grid->addWidget(caption, row, column);
    grid->addWidget(amount, row, column + 1, Qt::AlignRight);
    return amount;
}

QLineEdit* makeAmountBox(TextBox& box, const PageContext& page, std::function<void(int)> onKey,
                         const char* accessibleName, int maxWidth, int size) {
    auto* field = new QLineEdit;
    field->setAccessibleName(QString::fromUtf8(accessibleName));
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(maxWidth);
    if (size > 0) setTextStyle(field, size);
    bindTextBox(box, field, page.run, std::move(onKey));
    return field;
}

QPushButton* makeButton(Button& button, const PageContext& page, std::function<void()> onClick) {
    auto* widget = new QPushButton;
    bindButton(button, widget, page.run, std::move(onClick));
    return widget;
}

void keepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

namespace {

void add(QBoxLayout* layout, const PagePart& part, int stretch) {
    if (part.widget) {
        layout->addWidget(part.widget, stretch);
    } else {
        layout->addLayout(part.layout, stretch);
    }
}

}  // namespace

void layOutPage(QWidget* frame, PagePart heading, PagePart left, int leftShare, PagePart right,
                int rightShare) {
    auto* body = new QHBoxLayout;
    add(body, left, leftShare);
    add(body, right, rightShare);
    auto* layout = new QVBoxLayout(frame);
    add(layout, heading, 0);
    layout->addLayout(body, 1);
}

void layOutLedgerPage(QWidget* frame, QWidget* title, QWidget* table, QLayout* side) {
    layOutPage(frame, title, table, 3, side, 4);
}

void fillHistoryPage(QWidget* frame, const char* title, HistoryTable& table, ChartData& chart,
                     QWidget* above, const PageContext& page) {
    HistoryGrid* grid = makeHistoryGrid(table, title, page);
    ChartView* view = makeChart(chart, page);
    auto* body = new QHBoxLayout;
    body->addWidget(grid);
    if (above) {
        auto* side = new QVBoxLayout;
        side->addWidget(above);
        side->addWidget(view, 1);
        body->addLayout(side, 1);
    } else {
        body->addWidget(view, 1);
    }
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(makePageTitle(title));
    layout->addLayout(body, 1);
    offerReport(
        frame, [title] { return std::string(title); }, {}, view,
        [&table] { return table.out({}, ""); }, page);
}

void offerReport(QWidget* frame, const char* title, Figures figures, ChartView* chart,
                 const LedgerTable& table, const PageContext& page) {
    offerReport(
        frame, [title] { return std::string(title); }, std::move(figures), chart,
        [&table] { return outTable(table, {}, ""); }, page);
}

void offerReport(QWidget* frame, std::function<std::string()> title, Figures figures,
                 ChartView* chart, std::function<OutTable()> table, const PageContext& page) {
    offerPage(frame,
              {std::move(title), std::move(figures), chart ? chart->plot() : nullptr,
               [table = std::move(table)] { return std::vector<OutTable>{table()}; }},
              page.out);
}

}  // namespace zm
