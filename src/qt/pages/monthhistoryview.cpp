// The monthly history page: the grid whose header row and first column stay
// in view, and the chart.
#include <QHBoxLayout>

#include "app/mainform.h"
#include "qt/binding/lazypage.h"
#include "qt/charts/chartview.h"
#include "qt/export/pageprint.h"
#include "qt/itemviews/historygrid.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"

namespace zm {

namespace {

void fillMonthHistory(QWidget* frame, MainForm& form, const PageContext& context) {
    MonthHistory& page = form.monthHistory;
    HistoryGrid* grid = makeHistoryGrid(page.msgMonthList, "月別の貯金履歴", context);
    ChartView* chart = makeChart(page.mctMonth, context);
    auto* side = new QHBoxLayout;
    side->addWidget(chart, 1);
    layOutHistoryPage(frame, "月別の貯金履歴", grid, side);
    offerPage(frame,
              {[] { return std::string("月別の貯金履歴"); },
               {},
               chart->plot(),
               [&page] { return std::vector<OutTable>{page.msgMonthList.out({}, "")}; }},
              context.out);
}

}  // namespace

QWidget* makeMonthHistoryView(MainForm& form, const PageContext& context) {
    return lazyPage(form.fraMonth,
                    [&form, context](QWidget* frame) { fillMonthHistory(frame, form, context); });
}

}  // namespace zm
