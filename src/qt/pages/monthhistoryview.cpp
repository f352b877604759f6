// The monthly history page: the grid whose header row and first column stay
// in view, and the chart.
#include "app/mainform.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"

namespace zm {

namespace {

void fillMonthHistory(QWidget* frame, MainForm& form, const PageContext& context) {
    MonthHistory& page = form.monthHistory;
    fillHistoryPage(frame, "月別の貯金履歴", page.msgMonthList, page.mctMonth, nullptr, context);
}

}  // namespace

QWidget* makeMonthHistoryView(MainForm& form, const PageContext& context) {
    return pageView(form.fraMonth, form, context, fillMonthHistory);
}

}  // namespace zm
