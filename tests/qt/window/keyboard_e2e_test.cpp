#include <gtest/gtest.h>
#include <QTableView>
#include <QTest>

#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

// Ctrl+1 to Ctrl+9 open the pages in the order of their buttons; Delete on a
// row chosen with the arrow keys asks and deletes as the double-click does.
TEST(KeyboardWindow, PagesByCtrlAndDigitAndDeleteOnARow) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, kOneStep);
    win.w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",300\n"
                              "\"2026年03月02日\",\"09:00:00\",45\n");
    win.w.put(files::kTheme[0], "\"2026年03月01日\",\"本\",100\n");
    win.w.put(files::kTheme[1], "\"2026年03月01日\",\"本\",100\n");
    win.w.put(files::kTheme[2], "\"2026年03月01日\",\"本\",100\n");
    win.start();
    win.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.window.get()));
    const char* const frames[] = {"fraCyokin1", "fraCyokin2", "fraCyokin3",
                                  "fraCyokin4", "fraCyokin5", "fraMokuhyo",
                                  "fraDataSort", "fraDay", "fraMonth"};
    for (int i = 8; i >= 0; --i) {
        SCOPED_TRACE(frames[i]);
        QTest::keyClick(win.window.get(), Qt::Key(Qt::Key_1 + i), Qt::ControlModifier);
        EXPECT_TRUE(win.find<QWidget>(frames[i])->isVisible());
    }
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin2")->toolTip().toStdString(),
              "小銭清算貯金ページ（Ctrl+2）");

    QTest::keyClick(win.window.get(), Qt::Key_2, Qt::ControlModifier);
    auto* table = win.find<QTableView>("msgKozeni");
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Down);
    win.w.dialogs.answer(Answer::Ok);
    QTest::keyClick(table, Qt::Key_Delete);
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].text,
              "2 2026年03月02日 09:00:00 ¥45 のデータを削除してもいいですか？\r\n");
    EXPECT_EQ(win.w.get(files::kKozeni), "\"2026年03月01日\",\"09:00:00\",300\r\n");
    // The last row is refused, as by the double-click.
    win.w.dialogs.answer(Answer::Ok);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(win.w.dialogs.shown.back().text, "最後の行はクリアボタンで削除してください");
}

}  // namespace
}  // namespace zm::test
