#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

// The buttons, the keys and the line of undo through the real window: the
// field's own typing goes first, then the data; the line goes with the next
// action.
TEST(UndoWindow, ButtonsKeysAndTheLineFollowTheChanges) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, kOneStep);
    win.w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",300\n");
    win.start();
    auto* undo = win.find<QPushButton>("cmdUndo");
    auto* redo = win.find<QPushButton>("cmdRedo");
    auto* line = win.find<QLabel>("lblUndo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    win.click("cmdCyokin2");
    auto* field = win.find<QLineEdit>("txtKozeni_Inp");
    const auto before = dataFiles(win.w.dir.path());
    QTest::keyClicks(field, "1200");
    QTest::keyClick(field, Qt::Key_Return);
    const auto after = dataFiles(win.w.dir.path());
    ASSERT_NE(after, before);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->toolTip().toStdString(), "元に戻す：小銭清算の入金 ¥1,200");

    // Typing in the field is undone first; the deposit stays.
    field->setFocus();
    QTest::keyClicks(field, "45");
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text().toStdString(), "");
    EXPECT_EQ(dataFiles(win.w.dir.path()), after);

    // With nothing of its own to undo, the key undoes the deposit, from any page.
    win.click("cmdCyokin1");
    win.find<QWidget>("txtSetNissuu")->setFocus();
    QTest::keyClick(win.find<QWidget>("txtSetNissuu"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dataFiles(win.w.dir.path()), before);
    EXPECT_TRUE(win.find<QWidget>("fraCyokin2")->isVisible());
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text().toStdString(), "元に戻しました：小銭清算の入金 ¥1,200");
    EXPECT_EQ(win.text("lblKozeni_cnt"), "1回");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->toolTip().toStdString(), "やり直し：小銭清算の入金 ¥1,200");

    // The field's typing undone keeps its own redo; elsewhere Ctrl+Y redoes
    // the deposit; the button undoes again; the next action clears the line.
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(field->text().toStdString(), "45");
    EXPECT_EQ(dataFiles(win.w.dir.path()), before);
    auto* table = win.find<QWidget>("msgKozeni");
    QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(dataFiles(win.w.dir.path()), after);
    EXPECT_EQ(win.text("lblKozeni_cnt"), "2回");
    undo->click();
    EXPECT_EQ(dataFiles(win.w.dir.path()), before);
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dataFiles(win.w.dir.path()), after);
    EXPECT_EQ(line->text().toStdString(), "やり直しました：小銭清算の入金 ¥1,200");
    win.click("cmdMaster");
    EXPECT_EQ(line->text().toStdString(), "");
    EXPECT_TRUE(win.w.dialogs.shown.empty());
}

}  // namespace
}  // namespace zm::test
