// The daily history page: the grid whose header row and first column stay in
// view, the month list with 全日程表示, and the chart.
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/mainform.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"

namespace zm {

namespace {

// The month list and 全日程表示 beside it.
QWidget* makeMonthPicker(MainForm& form, const PageContext& context) {
    DayHistory& page = form.dayHistory;
    auto* months = new QListWidget;
    months->setAccessibleName("月毎表示");
    months->setFixedWidth(150);
    setTextStyle(months, points::kSmall);
    // Every entry is a month of the same width: laying out one instead of
    // each of a thousand keeps the first opening quick.
    months->setUniformItemSizes(true);
    bindListBox(page.lstDay, months, context.run, [&form] { form.lstDay_Click(); });
    auto* allDays = makeButton(page.cmdAllDay, context, [&form] { form.cmdAllDay_Click(); });
    allDays->setMinimumSize(120, 36);
    auto* list = new QVBoxLayout;
    list->addWidget(new QLabel("月毎表示"));
    list->addWidget(months, 1);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(list);
    row->addWidget(allDays, 0, Qt::AlignBottom);
    row->addStretch();
    auto* picker = new QWidget;
    picker->setLayout(row);
    picker->setFixedHeight(150);
    return picker;
}

void fillDayHistory(QWidget* frame, MainForm& form, const PageContext& context) {
    DayHistory& page = form.dayHistory;
    fillHistoryPage(frame, "日別の貯金履歴", page.msgDayList, page.mctDay,
                    makeMonthPicker(form, context), context);
}

}  // namespace

QWidget* makeDayHistoryView(MainForm& form, const PageContext& context) {
    return pageView(form.fraDay, form, context, fillDayHistory);
}

}  // namespace zm
