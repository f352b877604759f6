// Every table opens scrolled to its newest row, however late its view is made.
#include <gtest/gtest.h>
#include <QListWidget>
#include <QScrollBar>

#include "window.h"

#include "store/filenames.h"

namespace zm::test {
namespace {

// Today is 2026年03月05日: `n` lines of `line(day)` on the days before it.
std::string lastDays(int n, const std::function<std::string(const std::string&)>& line) {
    std::string text;
    for (int i = n; i >= 1; --i) text += line(dateText(addDays(ymd(2026, 3, 5), -i))) + "\n";
    return text;
}

// The frozen first column of a history grid shows each row's number beside
// the row itself.
void expectNumbersBesideTheirRows(QTableView* grid) {
    auto* numbers = grid->findChild<QTableView*>();
    ASSERT_NE(numbers, nullptr);
    const int last = grid->model()->rowCount() - 1;
    for (int row : {grid->rowAt(0), last}) {
        const auto top = [row](QTableView* view, int column) {
            const QRect cell = view->visualRect(view->model()->index(row, column));
            return view->viewport()->mapTo(view->window(), cell.topLeft()).y();
        };
        EXPECT_EQ(top(numbers, 0), top(grid, 1))
            << grid->objectName().toStdString() << " row " << row + 1;
    }
}

TEST(NewestRow, EveryTableOpensWithItsNewestRowInSight) {
    Window win;
    win.w.putInstallation();
    const auto timed = [](const std::string& d) { return "\"" + d + "\",\"09:00:00\",1"; };
    const auto theme = [](const std::string& d) { return "\"" + d + "\",\"お風呂\",30"; };
    win.w.put(files::kEvery, lastDays(60, timed));
    win.w.put(files::kKozeni, lastDays(60, timed));
    for (int t = 0; t < 3; ++t) win.w.put(files::kTheme[t], lastDays(60, theme));
    // A given-up run years ago: the histories hold many more rows than fit.
    win.w.put(files::kEveryHistory, "\"2020年01月01日\",\"09:00:00\",5\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());

    // The newest row is the top one, as far as the grid can scroll.
    const auto expectNewestInSight = [&](const char* grid) {
        QApplication::processEvents();
        auto* view = win.find<QTableView>(grid);
        const QScrollBar* bar = view->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0) << grid << ": all rows fit, nothing to check";
        EXPECT_EQ(bar->value(), bar->maximum()) << grid;
        const int last = view->model()->rowCount() - 1;
        EXPECT_TRUE(
            view->viewport()->rect().intersects(view->visualRect(view->model()->index(last, 1))))
            << grid;
        if (std::string_view(grid).starts_with("msgM") ||
            std::string_view(grid).starts_with("msgD"))
            expectNumbersBesideTheirRows(view);
    };

    expectNewestInSight("msgEvery");
    for (const auto& [button, grid] : {std::pair{"cmdCyokin2", "msgKozeni"},
                                       {"cmdCyokin3", "msgChingin"},
                                       {"cmdCyokin4", "msgTumori"},
                                       {"cmdCyokin5", "msgBakkin"},
                                       {"cmdMonth", "msgMonthList"},
                                       {"cmdDay", "msgDayList"}}) {
        win.click(button);
        expectNewestInSight(grid);
    }

    // A month picked, then every day again: today comes back into view.
    auto* months = win.find<QListWidget>("lstDay");
    months->setCurrentRow(0);
    QTest::mouseClick(months->viewport(), Qt::LeftButton, {},
                      months->visualItemRect(months->item(0)).center());
    win.click("cmdAllDay");
    expectNewestInSight("msgDayList");
}

}  // namespace
}  // namespace zm::test

namespace zm::test {
namespace {

// 72 days up to today, 2026年03月05日; three months picked by mouse, at a
// user's pace, then every day again: today's row is in sight.
TEST(NewestRow, AllDaysAfterSeveralMonthsBringsTodayBack) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, lastDays(71, [](const std::string& d) {
                                 return "\"" + d + "\",\"09:00:00\",1";
                             }) + "\"2026年03月05日\",\"09:00:00\",1\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());
    win.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.window.get()));
    win.click("cmdDay");
    QTest::qWait(50);
    auto* months = win.find<QListWidget>("lstDay");
    ASSERT_EQ(months->count(), 4);
    auto* grid = win.find<QTableView>("msgDayList");
    for (int month : {2, 0, 3}) {
        QTest::mouseClick(months->viewport(), Qt::LeftButton, {},
                          months->visualItemRect(months->item(month)).center());
        QTest::qWait(50);
    }
    QTest::mouseClick(win.find<QPushButton>("cmdAllDay"), Qt::LeftButton);
    QTest::qWait(50);
    ASSERT_EQ(grid->model()->rowCount(), 72);
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->model()->index(71, 1))))
        << "top row " << grid->rowAt(0) + 1;
    expectNumbersBesideTheirRows(grid);
}

}  // namespace
}  // namespace zm::test
