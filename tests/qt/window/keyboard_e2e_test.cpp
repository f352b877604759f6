#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QAccessible>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {


// A window over a ledger of each savings page, the focus in it.
struct Keys : ::testing::Test {
    Window win;

    void SetUp() override {
        win.w.putInstallation();
        win.w.put(files::kEvery, kOneStep);
        win.w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",300\n"
                                  "\"2026年03月02日\",\"09:00:00\",45\n");
        for (int t = 0; t < 3; ++t) {
            win.w.put(files::kTheme[t], "\"2026年03月01日\",\"本\",100\n");
            win.w.put(files::kItems[t], "\"本\",100\n");
        }
        std::filesystem::copy_file(ZUMERI_HELP_FILE, win.w.dir.path() / "ZumexHelp.chm");
        win.start();
        activate();
    }
    // Offscreen, a closed menu leaves no window active.
    void activate() {
        win.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(win.window.get()));
    }
    QWidget* focus() { return QApplication::focusWidget(); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(focus() ? focus() : win.window.get(), k, mods);
    }
    // Tab alone, until the control of that name has the keys.
    void tabTo(const char* name) {
        for (int i = 0; i < 40 && focus()->objectName() != name; ++i) key(Qt::Key_Tab);
        ASSERT_EQ(focus()->objectName().toStdString(), name);
    }
    // The only page button checked, the others not, as a reader hears it too.
    void expectMarked(const char* button) {
        for (const auto& [b, frame] : kPages) {
            auto* widget = win.find<QPushButton>(b);
            EXPECT_EQ(widget->isChecked(), b == std::string(button)) << b;
            EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->state().checked,
                      b == std::string(button))
                << b;
        }
    }
    // The entries of the context menu Shift+F10 opens on the focused widget.
    std::vector<std::string> menuByKeys() {
        std::vector<std::string> entries;
        QTimer::singleShot(0, [&entries] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator()) entries.push_back(a->text().toStdString());
            }
            menu->close();
        });
        key(Qt::Key_F10, Qt::ShiftModifier);
        activate();
        return entries;
    }
};

// Ctrl+1 to Ctrl+9 open the pages in the order of their buttons and the
// page's button is marked, also for a page shown by an undo; Delete on a row
// chosen with the arrow keys asks and deletes as the double-click does.
TEST_F(Keys, PagesByCtrlAndDigitMarkTheirButtonAndDeleteOnARow) {
    expectMarked("cmdCyokin1");
    for (int i = 8; i >= 0; --i) {
        SCOPED_TRACE(kPages[i].frame);
        QTest::keyClick(win.window.get(), Qt::Key(Qt::Key_1 + i), Qt::ControlModifier);
        EXPECT_TRUE(win.find<QWidget>(kPages[i].frame)->isVisible());
        expectMarked(kPages[i].button);
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

    // The undo shows the page of its step: its button is marked, not the one clicked.
    win.click("cmdMonth");
    expectMarked("cmdMonth");
    QTest::keyClick(win.window.get(), Qt::Key_Z, Qt::ControlModifier);
    expectMarked("cmdCyokin2");
}

// From the page's button by Tab and Enter alone (and the amount typed), a
// deposit on each savings page.
TEST_F(Keys, DepositOnEachSavingsPageByTabAndEnter) {
    struct Case {
        const char* page;
        const char* first;  // the first control Tab goes to, then what to type
        const char* typed;
        const char* second;  // the next one, typed into, or none
        const char* typedSecond;
        std::string_view file;
        const char* added;
    };
    const Case cases[] = {
        {"cmdCyokin1", "cmdEveryHozon", nullptr, nullptr, nullptr, files::kEvery,
         "\"2026年03月05日\",\"10:11:12\",2\r\n"},
        {"cmdCyokin2", "txtKozeni_Inp", "120", nullptr, nullptr, files::kKozeni,
         "\"2026年03月05日\",\"10:11:12\",120\r\n"},
        {"cmdCyokin3", "txtChinKou", "本", "txtChin_Inp", "30", files::kTheme[0],
         "\"2026年03月05日\",\"本\",30\r\n"},
        {"cmdCyokin4", "txtTumoriKou", "本", "txtTumori_Inp", "40", files::kTheme[1],
         "\"2026年03月05日\",\"本\",40\r\n"},
        {"cmdCyokin5", "txtBakkinKou", "本", "txtBakkin_Inp", "50", files::kTheme[2],
         "\"2026年03月05日\",\"本\",50\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const std::string before = win.w.get(c.file);
        // The starting place: the page's button, which Enter presses.
        win.find(c.page)->setFocus();
        key(Qt::Key_Return);
        for (auto [name, text] : {std::pair{c.first, c.typed}, {c.second, c.typedSecond}}) {
            if (!name) break;
            tabTo(name);
            // Digits by their keys, Japanese as the input method commits it.
            if (text && text[0] >= '0' && text[0] <= '9') QTest::keyClicks(focus(), text);
            if (text && !(text[0] >= '0' && text[0] <= '9')) typeJapanese(focus(), text);
        }
        key(Qt::Key_Return);
        EXPECT_EQ(win.w.get(c.file), before + c.added);
    }
    EXPECT_FALSE(win.w.dialogs.pending());
}

// Tab, Shift+Tab and Ctrl+Tab leave every kind of table; Shift+F10 opens the
// menu of a table and of a chart, which Tab reaches and which shows its
// focus; "削除…" only where rows are deleted, acting as Delete does.
TEST_F(Keys, TabLeavesTablesAndShiftF10OpensTheMenus) {
    struct Case {
        int page;
        const char* table;
        Qt::KeyboardModifiers mods;
    };
    for (const Case& c : {Case{1, "msgEvery", Qt::NoModifier},
                          Case{8, "msgDayList", Qt::ShiftModifier},
                          Case{7, "msgJunTema", Qt::ControlModifier},
                          Case{3, "msgChinKou", Qt::ControlModifier | Qt::ShiftModifier}}) {
        SCOPED_TRACE(c.table);
        QTest::keyClick(win.window.get(), Qt::Key(Qt::Key_0 + c.page), Qt::ControlModifier);
        auto* table = win.find<QTableView>(c.table);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        key(Qt::Key_Tab, c.mods);
        EXPECT_NE(focus(), table);
        EXPECT_TRUE(focus()->isVisible());
        // Back the other way, the keys are in the table again.
        key(Qt::Key_Tab, c.mods & Qt::ShiftModifier ? Qt::NoModifier : Qt::ShiftModifier);
        EXPECT_EQ(focus(), table);
    }

    using Entries = std::vector<std::string>;
    QTest::keyClick(win.window.get(), Qt::Key_1, Qt::ControlModifier);
    win.find("msgEvery")->setFocus();
    EXPECT_EQ(menuByKeys(), (Entries{"コピー", "CSVで保存…", "印刷…"}));
    tabTo("");  // the chart has no name of its own
    auto* chart = qobject_cast<QCustomPlot*>(focus());
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->findChild<QWidget*>("focusFrame")->isVisible());
    EXPECT_EQ(menuByKeys(), (Entries{"画像として保存…", "印刷…"}));
    key(Qt::Key_Tab);
    EXPECT_FALSE(chart->findChild<QWidget*>("focusFrame")->isVisible());

    QTest::keyClick(win.window.get(), Qt::Key_2, Qt::ControlModifier);
    auto* kozeni = win.find<QTableView>("msgKozeni");
    kozeni->setFocus();
    kozeni->setCurrentIndex(kozeni->model()->index(1, 0));
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().back()->text().toStdString(), "削除…");
        menu->actions().back()->trigger();
        menu->close();
    });
    win.w.dialogs.answer(Answer::Cancel);
    key(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].text,
              "2 2026年03月02日 09:00:00 ¥45 のデータを削除してもいいですか？\r\n");
    EXPECT_EQ(win.w.get(files::kKozeni),
              "\"2026年03月01日\",\"09:00:00\",300\r\n\"2026年03月02日\",\"09:00:00\",45\r\n");
}

// Escape closes the help window.
TEST_F(Keys, EscapeClosesTheHelp) {
    key(Qt::Key_F1);
    QWidget* help = win.find("frmHelp");
    help->activateWindow();  // as the desktop does with a new window
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());

}

}  // namespace
}  // namespace zm::test
