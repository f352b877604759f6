#include <gtest/gtest.h>
#include <QFontMetrics>

#include "window.h"

#include "store/filenames.h"

namespace zm::test {
namespace {

// The widths of the table are the least a column gets: a running total of
// nine digits widens its column so that nothing is cut.
TEST(LedgerColumnsWindow, AmountColumnsWidenToTheirLongestAmount) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年03月01日\",\"09:00:00\",536000000\n"
              "\"2026年03月02日\",\"09:00:00\",294481\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());
    auto* table = win.find<QTableView>("msgEvery");
    const QFontMetrics metrics(table->font());
    EXPECT_EQ(table->model()->index(1, 4).data().toString(), "¥536,294,481");
    EXPECT_GT(table->columnWidth(4), metrics.horizontalAdvance("¥536,294,481"));
    EXPECT_GT(table->columnWidth(3), metrics.horizontalAdvance("¥536,000,000"));
    // The view makes room for its columns: the total is not cut at its edge.
    EXPECT_LE(table->columnViewportPosition(4) + table->columnWidth(4), table->viewport()->width());
    // A column whose texts fit keeps the width it was given.
    EXPECT_EQ(table->columnWidth(0), 700 / 15);
    EXPECT_GE(table->columnWidth(2), 1300 / 15);

    // Stays wide enough as the total grows by a deposit.
    win.click("cmdEveryHozon");
    EXPECT_EQ(table->model()->index(2, 4).data().toString(), "¥536,294,493");
    EXPECT_GT(table->columnWidth(4), metrics.horizontalAdvance("¥536,294,493"));
}

}  // namespace
}  // namespace zm::test
