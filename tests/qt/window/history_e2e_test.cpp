#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include "qt/charts/chartview.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

void clickEntry(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Today is 2026年03月05日.
TEST(HistoryWindow, BothPagesOpenAndAMonthPickedInTheListShowsItsDays) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年02月27日\",\"09:00:00\",1\n\"2026年03月04日\",\"09:00:00\",2\n");
    win.w.put(files::kKozeni, "\"2026年03月05日\",\"20:00:00\",100\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());

    win.click("cmdDay");
    EXPECT_TRUE(win.find("fraDay")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());
    auto* grid = win.find<QTableView>("msgDayList");
    ASSERT_EQ(grid->model()->rowCount(), 7);
    EXPECT_EQ(cellText(grid, 0, 1), "2026年02月27日");
    EXPECT_EQ(cellText(grid, 6, 3), "¥100");
    EXPECT_EQ(cellText(grid, 6, 8), "¥103");
    QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString().toStdString(), "３５６歩");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0xC0, 0xC0, 0xFF));
    // Every date fits its column.
    EXPECT_GE(grid->columnWidth(1),
              grid->fontMetrics().horizontalAdvance(QString::fromUtf8("2026年02月27日")));
    auto* chart = win.find<ChartView>("mctDay");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->plot()->plottableCount(), 6);
    EXPECT_EQ(chart->plot()->graph(0)->dataCount(), 7);

    // A month from the list, by mouse; the same month again after all days.
    auto* list = win.find<QListWidget>("lstDay");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text().toStdString(), "2026年02月");
    clickEntry(list, 0);
    ASSERT_EQ(grid->model()->rowCount(), 28);
    EXPECT_EQ(cellText(grid, 26, 2), "¥1");
    EXPECT_EQ(cellText(grid, 27, 8), "¥1");
    win.click("cmdAllDay");
    EXPECT_EQ(grid->model()->rowCount(), 7);
    clickEntry(list, 0);
    EXPECT_EQ(grid->model()->rowCount(), 28);
    // The arrow keys pick too.
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(grid->model()->rowCount(), 31);
    EXPECT_EQ(cellText(grid, 30, 1), "2026年03月31日");

    // The first column stays in view when the grid scrolls sideways.
    grid->setMinimumWidth(0);
    grid->resize(300, grid->height());
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
    auto* fixed = grid->findChild<QTableView*>();
    ASSERT_NE(fixed, nullptr);
    EXPECT_TRUE(fixed->isVisible());
    EXPECT_EQ(fixed->x(), grid->frameWidth());
    EXPECT_EQ(fixed->columnWidth(0), grid->columnWidth(0));

    win.click("cmdMonth");
    EXPECT_TRUE(win.find("fraMonth")->isVisible());
    EXPECT_FALSE(win.find("fraDay")->isVisible());
    auto* months = win.find<QTableView>("msgMonthList");
    ASSERT_EQ(months->model()->rowCount(), 2);
    EXPECT_EQ(cellText(months, 0, 1), "2026年02月");
    EXPECT_EQ(cellText(months, 1, 8), "¥103");
    EXPECT_FALSE(win.shell.ended());
}

TEST(HistoryWindow, ALineThatDoesNotParseIsReportedWithItsFileAndLine) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.start();
    win.w.put(files::kTheme[1],
              "\"2026年03月01日\",\"晩酌\",50\n\"2026年03月02日\",\"晩酌\",五十\n");
    win.w.dialogs.answer(Answer::Ok);
    win.click("cmdMonth");
    EXPECT_TRUE(win.shell.ended());
    const auto& report = win.w.dialogs.shown.back();
    EXPECT_EQ(report.icon, Icon::Critical);
    EXPECT_NE(report.text.find("ファイル「テーマ２.txt」の 2 行目"), std::string::npos);
    EXPECT_FALSE(win.find("fraMonth")->isVisible());
}

}  // namespace
}  // namespace zm::test
