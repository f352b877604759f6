#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>

#include "qt/help/helpviewer.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

int visibleDialogs(Window& win, const char* name) {
    int count = 0;
    for (QDialog* d : win.window->findChildren<QDialog*>(name)) count += d->isVisible() ? 1 : 0;
    return count;
}

TEST(GuideWindows, EmptyStepLedgerOpensTheScheduleModallyAtStartAndModelessFromItsButton) {
    Window win;
    win.w.putInstallation();
    bool inspected = false;
    win.onModalGuide = [&](QWidget* guide) {
        inspected = true;
        EXPECT_EQ(guide->objectName(), "frmSub1");
        EXPECT_EQ(guide->windowTitle().toStdString(), "ズメリ始めてみよう！ ３６５歩のマーチ");
        EXPECT_TRUE(guide->isModal());
        auto* table = guide->findChild<QTableView*>("msgEverySub");
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->model()->rowCount(), 365);
        EXPECT_EQ(cellText(table, 364, 0), "365日目");
        EXPECT_EQ(cellText(table, 364, 1), "¥66,795");
        EXPECT_EQ(guide->findChild<QPushButton*>("cmdModori")->text().toStdString(),
                  "１円玉を用意して さぁ 始めましょう！");
    };
    win.start();
    ASSERT_TRUE(inspected);
    ASSERT_EQ(win.guides.size(), 1u);
    EXPECT_TRUE(win.guides[0].modal);
    EXPECT_TRUE(win.guides[0].mainShown);
    EXPECT_EQ(visibleDialogs(win, "frmSub1"), 0);
    EXPECT_FALSE(win.shell.ended());

    // From the page button: modeless, and only once however often it is asked for.
    win.click("cmdDay");
    win.click("cmdCyokin1");
    win.click("cmdMonth");
    win.click("cmdCyokin1");
    ASSERT_EQ(win.guides.size(), 3u);
    EXPECT_FALSE(win.guides[1].modal);
    EXPECT_EQ(visibleDialogs(win, "frmSub1"), 1);
    auto* guide = win.find<QDialog>("frmSub1");
    EXPECT_FALSE(guide->isModal());
    guide->findChild<QPushButton*>("cmdModori")->click();
    EXPECT_EQ(visibleDialogs(win, "frmSub1"), 0);
}

TEST(GuideWindows, SmallChangeAndThemeGuidesShowTheirTextsAndTables) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.start();
    ASSERT_TRUE(win.guides.empty());

    std::vector<std::string> seen;
    win.onModalGuide = [&](QWidget* guide) {
        seen.push_back(guide->objectName().toStdString());
        EXPECT_TRUE(guide->isModal());
        const auto* modori = guide->findChild<QPushButton*>("cmdModori");
        ASSERT_NE(modori, nullptr);
        if (guide->objectName() == "frmSub2") {
            EXPECT_EQ(guide->windowTitle().toStdString(), "ズメリ始めてみよう！　小銭清算法");
            EXPECT_EQ(modori->text().toStdString(),
                      "財布から「小銭」を取り出して さぁ　始めましょう！");
            EXPECT_TRUE(guide->findChildren<QTableView*>().isEmpty());
            return;
        }
        EXPECT_EQ(guide->windowTitle().toStdString(), "ズメリ始めてみよう！　テーマでいこう！");
        EXPECT_EQ(modori->text().toStdString(), "テーマと金額を決めて、さぁ 始めよう！");
        EXPECT_EQ(guide->findChildren<QTableView*>().size(), 3);
        auto* bakkin = guide->findChild<QTableView*>("msgTemaSub3");
        ASSERT_NE(bakkin, nullptr);
        EXPECT_TRUE(bakkin->isVisible());
        EXPECT_EQ(cellText(bakkin, 2, 0), "腕立て伏せしなかった");
        EXPECT_EQ(cellText(bakkin, 2, 1), "¥20");
    };
    win.shell.openGuide(Guide::Sub2, true);
    win.shell.openGuide(Guide::Sub3, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"frmSub2", "frmSub3"}));
    EXPECT_EQ(visibleDialogs(win, "frmSub2") + visibleDialogs(win, "frmSub3"), 0);
}

TEST(GuideWindows, TheSmileyBoxSwitchesTheHelpTour) {
    Window win;
    win.w.putInstallation(0);
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.start();
    auto* box = win.find<QCheckBox>("chkHelp");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->toolTip().toStdString(), "ヘルプツアーのＯｎ／Ｏｆｆです");
    EXPECT_EQ(box->accessibleName().toStdString(), "ヘルプツアー");

    win.w.dialogs.answer(Answer::Ok);
    box->click();
    EXPECT_EQ(win.form->helpTour(), 1);
    EXPECT_EQ(win.w.get(files::kSettings), "\"ヘルプツアー\",1\r\n");
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].title, "ヘルプツアーＯＮ");
}

TEST(HelpViewer, OpensTheCompiledHelpAtItsStartPageFollowsLinksAndClosesAtTheEnd) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    std::filesystem::copy_file(ZUMERI_HELP_FILE, win.w.dir.path() / "ZumexHelp.chm");
    win.start();

    win.click("cmdHelp");
    auto* help = win.find<HelpWindow>("frmHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle().toStdString(), "ズメリ貯金Ｐｒｏ ヘルプ");
    HelpBrowser* browser = help->browser();
    EXPECT_EQ(browser->source().toString().toStdString(), "chm:/index.html");
    EXPECT_TRUE(browser->toPlainText().contains("５種類の貯金"));
    // The page's style sheet comes out of the same file: headings are brown.
    QTextCursor heading(browser->document()->begin());
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#6a3d00"));

    // The first link of the start page, followed from the keyboard.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source().toString().toStdString(), "chm:/step365.html");
    EXPECT_TRUE(browser->toPlainText().contains("３６５歩のマーチ"));

    auto* contents = help->findChild<QListWidget*>("helpContents");
    ASSERT_NE(contents, nullptr);
    ASSERT_GE(contents->count(), 9);
    EXPECT_EQ(contents->currentRow(), 1);
    contents->itemClicked(contents->item(2));
    EXPECT_EQ(browser->source().toString().toStdString(), "chm:/kozeni.html");
    help->findChild<QPushButton*>("helpBack")->click();
    EXPECT_EQ(browser->source().toString().toStdString(), "chm:/step365.html");

    // Asked again: the same window, back at the start page.
    win.click("cmdHelp");
    EXPECT_EQ(win.window->findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(browser->source().toString().toStdString(), "chm:/index.html");

    win.click("cmdEnd");
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(win.shell.ended());
    EXPECT_TRUE(win.w.dialogs.shown.empty());
}

TEST(HelpViewer, MissingOrBrokenHelpFileIsReportedAndTheProgramGoesOn) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.start();

    win.w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    win.click("cmdHelp");
    win.w.dir.write("ZumexHelp.chm", "not a help file");
    win.click("cmdHelp");
    ASSERT_EQ(win.w.dialogs.shown.size(), 2u);
    EXPECT_EQ(
        win.w.dialogs.shown[0].text,
        "ヘルプファイル「ZumexHelp.chm」が見つかりません。\r\n"
        "プログラムのデータと同じフォルダーに置いてから、もう一度ヘルプボタンを押してください。");
    EXPECT_EQ(win.w.dialogs.shown[1].text,
              "ヘルプファイル「ZumexHelp.chm」を開けません。\r\n"
              "ファイルが壊れているか、ヘルプファイルではありません。");
    for (const auto& shown : win.w.dialogs.shown) {
        EXPECT_EQ(shown.title, "ヘルプ");
        EXPECT_EQ(shown.icon, Icon::Exclamation);
    }
    EXPECT_EQ(win.window->findChild<QWidget*>("frmHelp"), nullptr);
    EXPECT_FALSE(win.shell.ended());

    // The extension may be written in capitals.
    std::filesystem::remove(win.w.dir.path() / "ZumexHelp.chm");
    std::filesystem::copy_file(ZUMERI_HELP_FILE, win.w.dir.path() / "ZumexHelp.CHM");
    win.click("cmdHelp");
    ASSERT_NE(win.find("frmHelp"), nullptr);
    EXPECT_TRUE(win.find("frmHelp")->isVisible());
}

TEST(HelpViewer, ReadsTheSystemFileAndTheContentsOfOtherHelpFiles) {
    // #SYSTEM: a version, then records of code, length and data; a title in
    // the Japanese code page and a default topic written with a backslash.
    QByteArray system("\x03\x00\x00\x00", 4);
    auto record = [&system](char code, const QByteArray& data) {
        system += code;
        system += '\0';
        system += static_cast<char>(data.size() + 1);
        system += '\0';
        system += data;
        system += '\0';
    };
    record(0, "help.hhc");
    record(2, "pages\\start.htm");
    record(3, QByteArray("\x83\x77\x83\x8b\x83\x76", 6));  // ヘルプ
    record(9, "ignored");
    const ChmSystem parsed = parseChmSystem(system);
    EXPECT_EQ(parsed.contentsFile.toStdString(), "/help.hhc");
    EXPECT_EQ(parsed.defaultTopic.toStdString(), "/pages/start.htm");
    EXPECT_EQ(parsed.title.toStdString(), "ヘルプ");
    // A record cut short is not read; those before it are.
    const ChmSystem cut = parseChmSystem(system.left(system.indexOf("ignored") - 4 - 2));
    EXPECT_TRUE(cut.title.isEmpty());
    EXPECT_EQ(cut.defaultTopic.toStdString(), "/pages/start.htm");

    const QByteArray hhc =
        "<UL><LI><OBJECT type=\"text/sitemap\">\n"
        "<param name=\"Name\" value=\"Q&amp;A &#12450;\">\n"
        "<param name=\"Local\" value=\"qa.html#top\"></OBJECT>\n"
        "<UL><LI><object type=\"text/sitemap\"><param name=\"Name\" value=\"本だけ\"></object>\n"
        "<LI><object type=\"text/sitemap\"><param name=\"Local\" value=\"sub/a.html\">"
        "<param name=\"Name\" value=\"下\"></object></UL></UL>";
    const std::vector<ChmTopic> topics = parseChmContents(hhc);
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].name.toStdString(), "Q&A ア");
    EXPECT_EQ(topics[0].path.toStdString(), "/qa.html#top");
    EXPECT_EQ(topics[1].name.toStdString(), "下");
    EXPECT_EQ(topics[1].path.toStdString(), "/sub/a.html");
}

}  // namespace
}  // namespace zm::test
