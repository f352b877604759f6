#include <gtest/gtest.h>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "window.h"

#include "store/filenames.h"

namespace zm::test {
namespace {

TEST(ThemePageWindow, DepositUnderANewItemRenameAndDeleteAnItem) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.w.put(files::kTheme[0], "\"2026年03月01日\",\"お風呂\",30\n");
    win.w.put(files::kItems[0], "\"お風呂\",30\n\"晩酌\",50\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin3")->text().toStdString(), "～つもり");
    win.click("cmdCyokin3");
    EXPECT_EQ(win.find<QPushButton>("cmdChinClr2")->accessibleName().toStdString(), "項目全クリア");
    EXPECT_FALSE(win.find<QLabel>("imgTema1")->pixmap().isNull());
    win.click("cmdCyokin1");

    // Opening the page empties what was typed and focuses the item field.
    auto* item = win.find<QLineEdit>("txtChinKou");
    auto* amount = win.find<QLineEdit>("txtChin_Inp");
    item->setText("前の入力");
    win.window->activateWindow();
    win.click("cmdCyokin3");
    EXPECT_TRUE(win.find("fraCyokin3")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());
    EXPECT_EQ(item->text().toStdString(), "");
    EXPECT_TRUE(item->hasFocus());

    // A deposit under a new item, typed, with Enter between the fields.
    typeJapanese(item, "新しい本");
    QTest::keyClick(item, Qt::Key_Return);
    EXPECT_TRUE(amount->hasFocus());
    QTest::keyClicks(amount, "1,200");
    win.w.dialogs.answer(Answer::Yes);
    win.click("cmdChinHozon");
    EXPECT_EQ(win.w.dialogs.shown.back().title, "項目登録確認");
    auto* ledger = win.find<QTableView>("msgChingin");
    ASSERT_EQ(ledger->model()->rowCount(), 2);
    EXPECT_EQ(cellText(ledger, 1, 2), "新しい本");
    EXPECT_EQ(cellText(ledger, 1, 3), "¥1,200");
    EXPECT_EQ(cellText(ledger, 1, 4), "¥1,230");
    EXPECT_EQ(win.text("lblChin_cnt"), "2");
    EXPECT_EQ(win.text("lblChin_zen"), "¥1,230");
    EXPECT_EQ(win.w.get(files::kTheme[0]),
              "\"2026年03月01日\",\"お風呂\",30\r\n\"2026年03月05日\",\"新しい本\",1200\r\n");
    EXPECT_EQ(win.w.get(files::kItems[0]), "\"お風呂\",30\r\n\"晩酌\",50\r\n\"新しい本\",1200\r\n");
    auto* items = win.find<QTableView>("msgChinKou");
    EXPECT_EQ(items->model()->rowCount(), 3);
    EXPECT_EQ(item->text().toStdString(), "");
    EXPECT_EQ(amount->text().toStdString(), "");
    EXPECT_TRUE(item->hasFocus());

    // A click picks an item; a double-click deletes it and leaves both fields empty.
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, rowCentre(items, 1));
    EXPECT_EQ(item->text().toStdString(), "晩酌");
    EXPECT_EQ(amount->text().toStdString(), "50");
    win.w.dialogs.answer(Answer::Ok);
    doubleClick(items->viewport(), rowCentre(items, 0));
    EXPECT_EQ(win.w.dialogs.shown.back().text, "お風呂 の項目を削除してもいいですか？\r\n");
    EXPECT_EQ(win.w.get(files::kItems[0]), "\"晩酌\",50\r\n\"新しい本\",1200\r\n");
    EXPECT_EQ(item->text().toStdString(), "");
    EXPECT_EQ(amount->text().toStdString(), "");

    // Theme 2 renames on one click, theme 1 on a double-click of its picture.
    win.click("cmdCyokin4");
    win.w.dialogs.type("ゲームを我慢したら");
    QTest::mouseClick(win.find("lblTemaMei2"), Qt::LeftButton);
    EXPECT_EQ(win.text("lblTemaMei2"), "ゲームを我慢したら");
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin4")->text().toStdString(), "ゲームを");
    EXPECT_EQ(win.w.get(files::kThemeName[1]), "\"ゲームを我慢したら\"\r\n");
    win.click("cmdCyokin3");
    const auto asked = win.w.dialogs.shown.size();
    QTest::mouseClick(win.find("imgTema1"), Qt::LeftButton);
    EXPECT_EQ(win.w.dialogs.shown.size(), asked);
    win.w.dialogs.type("読書");
    doubleClick(win.find("imgTema1"));
    EXPECT_EQ(win.w.dialogs.shown.size(), asked + 1);
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin3")->text().toStdString(), "読書");
    EXPECT_EQ(win.w.get(files::kThemeName[0]), "\"読書\"\r\n");
    EXPECT_FALSE(win.shell.ended());
}

}  // namespace
}  // namespace zm::test
