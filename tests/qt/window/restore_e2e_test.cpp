#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <map>

#include "store/cp932.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "window.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// The list of copies, opened from the goals page: `act` runs once every row is read.
struct CopyList {
    Window& win;
    QDialog* dialog = nullptr;
    QTableWidget* table = nullptr;

    void open(const std::function<void()>& act) {
        QTimer::singleShot(0, win.window.get(), [this, act] {
            dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog && dialog->objectName() == "frmModosu");
            table = dialog->findChild<QTableWidget*>("lstCopies");
            QElapsedTimer clock;
            clock.start();
            while (!table->findItems("読み込み中…", Qt::MatchExactly).isEmpty()) {
                ASSERT_LT(clock.elapsed(), 20000);
                QTest::qWait(5);
            }
            act();
        });
        win.click("cmdModosu");
        EXPECT_FALSE(QApplication::activeModalWidget()) << "the list stayed open";
    }
    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    // The row of that date and kind clicked as a user would, and 戻す pressed.
    void choose(const char* date, const char* kind = "毎日のコピー") {
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, 0)->text() != date || table->item(r, 2)->text() != kind) continue;
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(r, 0)).center());
            button("cmdModosuOk")->click();
            return;
        }
        ADD_FAILURE() << "no copy of " << date << " " << kind;
    }
};

TEST(RestoreWindow, ACopyGoesBackWholeOrNotAtAllAndCanBeUndone) {
    Window win;
    World& w = win.w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月05日\",\"08:00:00\",1\n");  // today's deposit: locked
    for (std::string_view ledger :
         {files::kTheme[0], files::kTheme[1], files::kTheme[2], files::kKozeni, files::kGoals})
        w.put(ledger, "");  // no file made at the start or on the goals page
    // An older daily copy and a damaged one, of other data.
    const Files now = dataFiles(w.dir.path());
    for (const char* day : {"20260301", "20260228"}) {
        Files copy = now;
        copy[std::string(files::kEvery)] = *utf8ToCp932("\"2026年03月01日\",\"08:00:00\",1\r\n");
        copy[std::string(files::kKozeni)] =
            day == std::string("20260301") ? *utf8ToCp932("\"2026年03月01日\",\"09:00:00\",450\r\n")
                                           : std::string("damaged\r\n");
        copy[std::string(files::kThemeName[2])] = *utf8ToCp932("\"禁煙ボーナス\"\r\n");
        copy[std::string(files::kSettings)] = *utf8ToCp932("\"ヘルプツアー\",1\r\n");
        fs::create_directories(w.dir.path() / "バックアップ" / day);
        for (const auto& [name, bytes] : copy) {
            if (bytes != "-") std::ofstream(w.dir.path() / "バックアップ" / day / name) << bytes;
        }
    }
    const Files older = dataFiles(w.dir.path() / "バックアップ/20260301");
    win.start();
    win.click("cmdMaster");
    CopyList list{win};

    // Cancel of the list and of the question change nothing; a damaged copy cannot be chosen.
    list.open([&] {
        EXPECT_EQ(list.table->item(1, 3)->text().toStdString(), "¥451");
        EXPECT_EQ(list.table->item(2, 5)->text().indexOf("「小銭清算.txt」を読めません："), 0);
        list.choose("2026年02月28日");
        EXPECT_TRUE(list.table->selectedItems().isEmpty());
        EXPECT_FALSE(list.button("cmdModosuOk")->isEnabled());
        w.dialogs.answer(Answer::Cancel);
        list.choose("2026年03月01日");
        EXPECT_TRUE(list.dialog->isVisible());
        list.button("cmdModosuCancel")->click();
    });
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(dataFiles(w.dir.path()), now);

    // A fault at any replacement: every file stays the old one, and the message names it.
    for (std::string_view name : files::allData()) {
        FailingRenames calls;
        calls.names = {{std::string(name), 0}};
        const UsingFileCalls using_(calls);
        w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
        list.open([&] { list.choose("2026年03月01日"); });
        EXPECT_NE(w.dialogs.shown.back().text.find("「" + std::string(name) + "」"),
                  std::string::npos);
        EXPECT_EQ(dataFiles(w.dir.path()), now) << "failed at " << name;
    }

    // Put back byte for byte and shown on every page; then undone.
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    list.open([&] { list.choose("2026年03月01日"); });
    EXPECT_EQ(dataFiles(w.dir.path()), older);
    const auto& said = w.dialogs.shown;
    EXPECT_EQ(said[said.size() - 2].text.rfind("2026年03月01日の毎日のコピーに戻します。", 0), 0u);
    EXPECT_EQ(said.back().text.rfind("2026年03月01日の毎日のコピーを戻しました。", 0), 0u);
    EXPECT_EQ(win.text("lblSougaku"), "¥451");
    EXPECT_TRUE(win.find<QPushButton>("cmdEveryHozon")->isEnabled());
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin5")->text().toStdString(), "禁煙ボー");
    EXPECT_TRUE(win.find<QCheckBox>("chkHelp")->isChecked());
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    list.open([&] { list.choose("2026年03月05日", "データを戻す前"); });
    EXPECT_EQ(dataFiles(w.dir.path()), now);
    EXPECT_EQ(said.back().text.rfind(
                  "2026年03月05日 10:11:12 の「データを戻す前」のコピーを戻しました。", 0),
              0u);
    EXPECT_FALSE(win.find<QPushButton>("cmdEveryHozon")->isEnabled());

    // A replacement fails, and so does putting the first file back: the files
    // are a mix of two copies, so the program says where the old ones are and
    // ends rather than go on with them.
    FailingRenames calls;
    calls.names = {{std::string(files::allData()[3]), 0}, {std::string(files::allData()[0]), 1}};
    const UsingFileCalls using_(calls);
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    list.open([&] { list.choose("2026年03月01日"); });
    EXPECT_TRUE(win.shell.ended());
    EXPECT_EQ(said.back().icon, Icon::Critical);
    EXPECT_NE(said.back().text.find("データを戻す途中で止まりました"), std::string::npos);
    EXPECT_NE(said.back().text.find("20260305-101112"), std::string::npos) << said.back().text;
    EXPECT_FALSE(w.dialogs.pending());
}

}  // namespace
}  // namespace zm::test
