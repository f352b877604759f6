// A deposit (or its undo) repaints only the new (or last) row of a grid and
// moves the others on screen: what the screen then shows must be the grid drawn anew.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "window.h"

#include "store/filenames.h"

namespace zm::test {
namespace {

// The widget as the window's backing store holds it, and drawn anew.
QImage onScreen(QWidget* widget) {
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage drawnAnew(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TEST(LedgerPaintWindow, AfterDepositsTheGridOnScreenIsTheGridDrawnAnew) {
    struct Case {
        const char* what;
        int records;
        std::vector<const char*> amounts;
        int undone = 0;  // deposits undone afterwards
    };
    const Case cases[] = {
        {"a long ledger scrolls by a row", 60, {"500"}},
        {"the amount and total columns widen", 60, {"123456789"}},
        {"two deposits, one paint", 60, {"500", "700"}},
        {"a short ledger grows below its rows", 3, {"500"}},
        {"deposits undone take their rows away", 60, {"500", "123456789"}, 2},
        {"a deposit undone", 60, {"500"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window win;
        win.w.putInstallation();
        win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
        std::string ledger;
        for (int i = c.records; i >= 1; --i) {
            ledger += "\"" + dateText(addDays(ymd(2026, 3, 5), -i)) + "\",\"19:00:00\",300\n";
        }
        win.w.put(files::kKozeni, ledger);
        win.start();
        ASSERT_FALSE(win.shell.ended());
        win.click("cmdCyokin2");
        auto* table = win.find<QTableView>("msgKozeni");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(table->window()));
        settle();

        auto* amount = win.find<QLineEdit>("txtKozeni_Inp");
        for (const char* typed : c.amounts) {
            amount->setText(typed);
            win.click("cmdKozeniHozon");
        }
        for (int i = 0; i < c.undone; ++i) win.click("cmdUndo");
        settle();
        ASSERT_EQ(table->model()->rowCount(),
                  c.records + static_cast<int>(c.amounts.size()) - c.undone);
        EXPECT_TRUE(onScreen(table->viewport()) == drawnAnew(table->viewport()));
        // As a fresh start shows it: scrolled down to the newest row.
        EXPECT_EQ(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());
    }
}

}  // namespace
}  // namespace zm::test
