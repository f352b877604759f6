#include "theme/themepage.h"

#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/cp932.h"
#include "store/fieldlength.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/themenamefile.h"
#include "support/refusal.h"
#include "support/startedform.h"
#include "support/tables.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

// One theme page over a world with the installation files in place, loaded
// the way start-up loads it.
struct ThemeFixture : ::testing::TestWithParam<int> {
    World w;
    bool sample = false;
    Button pageButton{"cmdCyokin", "テーマ"};
    const ThemeTraits& traits = kThemes[static_cast<std::size_t>(GetParam())];
    ThemePage page{traits, w.services(), pageButton, [this] { return sample; }};

    void SetUp() override { w.putInstallation(); }
    void load() { page.load(); }
    std::string ledger() { return w.get(traits.ledgerFile); }
    std::string items() { return w.get(traits.itemFile); }
    void type(const char* item, const char* amount) {
        page.txtKou.setText(item);
        page.txtInp.setText(amount);
    }
    std::vector<std::string> column(const LedgerTable& t, int c) {
        std::vector<std::string> v;
        for (int r = 1; r <= t.recordCount(); ++r) v.push_back(t.cell(r, c).text);
        return v;
    }
};

const char* const kThreeRecords =
    "\"2026年03月01日\",\"お風呂\",30\n\"2026年03月02日\",\"晩酌\",12.5\n"
    "\"2026年03月03日\",\"皿洗い\",20\n";

TEST_P(ThemeFixture, DepositChecksInOrderAndEnterStaysSilent) {
    w.put(traits.ledgerFile, "\"2026年03月01日\",\"お風呂\",30\n");
    w.put(traits.itemFile, "\"お風呂\",30\n");
    load();
    const std::string before = ledger();

    struct Case {
        const char* item;
        const char* amount;
        const char* text;
        const char* title;
    };
    for (const Case& c :
         {Case{"", "", "項目が選択されていません", "項目未選択"},
          Case{"お風呂", "", "金額が入力されていません", "金額未記入"},
          Case{"お風呂", "30円", "金額欄に数字以外の入力がされています", "数値以外"},
          Case{"お風呂", "abc", "金額欄に数字以外の入力がされています", "数値以外"}}) {
        type(c.item, c.amount);
        page.txtInp_KeyPress(kEnterKey);
        EXPECT_TRUE(w.dialogs.shown.empty()) << c.title;
        w.dialogs.answer(Answer::Ok);
        page.cmdHozon_Click();
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        EXPECT_EQ(w.dialogs.shown[0], (Shown{c.text, c.title, Icon::Exclamation, Buttons::Ok}));
        w.dialogs.shown.clear();
        EXPECT_EQ(ledger(), before);
        EXPECT_EQ(page.msgLedger.recordCount(), 1);
        EXPECT_EQ(page.txtKou.text(), c.item);  // nothing emptied on a refusal
    }

    // Typed forms of an amount; a listed item asks nothing, whatever the amount.
    page.txtInp_KeyPress('1');
    EXPECT_EQ(ledger(), before);
    for (const char* amount : {"1,000", "￥５００", " -500 ", "0"}) {
        type("お風呂", amount);
        page.txtInp_KeyPress(kEnterKey);
    }
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(ledger(), before +
                            "\"2026年03月05日\",\"お風呂\",1000\r\n"
                            "\"2026年03月05日\",\"お風呂\",500\r\n"
                            "\"2026年03月05日\",\"お風呂\",-500\r\n"
                            "\"2026年03月05日\",\"お風呂\",0\r\n");
    EXPECT_EQ(items(), "\"お風呂\",30\r\n");
    EXPECT_EQ(column(page.msgLedger, 3),
              (std::vector<std::string>{"¥30", "¥1,000", "¥500", "-¥500", "¥0"}));
    EXPECT_EQ(column(page.msgLedger, 4),
              (std::vector<std::string>{"¥30", "¥1,030", "¥1,530", "¥1,030", "¥1,030"}));
    EXPECT_EQ(page.themeTotal(), Money::fromYen(1030));
    EXPECT_EQ(page.lblCnt.caption(), "5");
    EXPECT_EQ(page.lblZen.caption(), "¥1,030");
    EXPECT_EQ(page.mctTema.rowCount(), 5);
    EXPECT_EQ(page.msgLedger.topRow(), 5);
    EXPECT_EQ(page.txtKou.text(), "");
    EXPECT_EQ(page.txtInp.text(), "");
    EXPECT_EQ(w.shell.focused, traits.itemField);
}

TEST_P(ThemeFixture, DeletingRewritesTheFileFromTheValues) {
    w.put(traits.ledgerFile, kThreeRecords);
    load();
    const std::string before = w.dir.read(std::string(traits.ledgerFile));

    page.msgLedger.setCurrentRow(2);
    w.dialogs.answer(Answer::Cancel).answer(Answer::Ok);
    page.msgLedger_DblClick();
    EXPECT_EQ(w.dir.read(std::string(traits.ledgerFile)), before);
    page.msgLedger_DblClick();
    EXPECT_EQ(w.dialogs.shown[1],
              (Shown{"2 2026年03月02日 晩酌 ¥13 のデータを削除してもいいですか？\r\n", "削除確認",
                     Icon::Question, Buttons::OkCancel}));
    EXPECT_EQ(
        w.dir.read(std::string(traits.ledgerFile)),
        *utf8ToCp932("\"2026年03月01日\",\"お風呂\",30\r\n\"2026年03月03日\",\"皿洗い\",20\r\n"));
    EXPECT_EQ(column(page.msgLedger, 0), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(page.msgLedger, 4), (std::vector<std::string>{"¥30", "¥50"}));
    EXPECT_EQ(page.lblCnt.caption(), "2");

    // The amount behind "¥13" is written back as it was, not as shown.
    w.put(traits.ledgerFile, kThreeRecords);
    load();
    page.msgLedger.setCurrentRow(3);
    w.dialogs.answer(Answer::Ok);
    page.msgLedger_DblClick();
    EXPECT_EQ(ledger(), "\"2026年03月01日\",\"お風呂\",30\r\n\"2026年03月02日\",\"晩酌\",12.5\r\n");

    page.msgLedger.setCurrentRow(1);
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    page.msgLedger_DblClick();
    page.msgLedger_DblClick();
    EXPECT_EQ(w.dialogs.shown.back().text, "最後の行はクリアボタンで削除してください");
    EXPECT_EQ(w.dialogs.shown.back().icon, Icon::Exclamation);
    EXPECT_EQ(ledger(), "\"2026年03月02日\",\"晩酌\",12.5\r\n");
}

// A deletion updates positions and running totals in memory: the page is
// then what reading the rewritten file gives.
TEST_P(ThemeFixture, AfterADeletionTheLedgerIsWhatAReloadMakesOfTheFile) {
    for (int r : {1, 2, 3}) {
        w.put(traits.ledgerFile, kThreeRecords);
        load();
        page.msgLedger.setCurrentRow(r);
        w.dialogs.answer(Answer::Ok);
        page.msgLedger_DblClick();

        Button otherButton{"cmdOther"};
        ThemePage reloaded{traits, w.services(), otherButton, [] { return false; }};
        reloaded.load();
        SCOPED_TRACE("row " + std::to_string(r));
        expectSameTable(page.msgLedger, reloaded.msgLedger);
        EXPECT_EQ(page.themeTotal(), reloaded.themeTotal());
        EXPECT_EQ(page.lblCnt.caption(), reloaded.lblCnt.caption());
        EXPECT_EQ(page.lblZen.caption(), reloaded.lblZen.caption());
    }
}

TEST_P(ThemeFixture, ClearingTheLedgerLeavesItemsAndName) {
    load();
    const bool asks = traits.index != 0;  // theme 1 passes over an empty ledger
    if (asks) w.dialogs.answer(Answer::Cancel);
    page.cmdClr_Click();
    EXPECT_EQ(w.dialogs.shown.size(), asks ? 1u : 0u);

    w.put(traits.ledgerFile, kThreeRecords);
    w.put(traits.itemFile, "\"お風呂\",30\n");
    load();
    const std::string name = page.lblTemaMei.caption();
    w.dialogs.answer(Answer::Cancel).answer(Answer::Ok);
    page.cmdClr_Click();
    EXPECT_EQ(page.msgLedger.recordCount(), 3);
    page.cmdClr_Click();
    EXPECT_EQ(w.dialogs.shown.back().text, "これまでのデータを削除してもいいですか？\r\n");
    EXPECT_EQ(w.dialogs.shown.back().icon, Icon::Question);
    EXPECT_EQ(w.dir.read(std::string(traits.ledgerFile)), "");
    EXPECT_TRUE(page.msgLedger.empty());
    EXPECT_EQ(page.lblCnt.caption(), "0");
    EXPECT_EQ(page.lblZen.caption(), "¥0");
    EXPECT_EQ(page.msgKou.recordCount(), 1);
    EXPECT_EQ(items(), "\"お風呂\",30\r\n");
    EXPECT_EQ(page.lblTemaMei.caption(), name);
    EXPECT_EQ(w.get(traits.nameFile), "\"" + name + "\"\r\n");
    EXPECT_EQ(page.mctTema.rowCount(), 3);  // the chart waits for the next deposit
}

TEST_P(ThemeFixture, NewItemsAreOfferedAndListedOnesPicked) {
    w.put(traits.itemFile, "\"Coffee\",120\n\"本\",1000\n");
    load();
    const std::string offer =
        "新規の項目ですが項目リストに保存しますか？\r\n\r\n"
        "保存すると次回よりリストからの選択で入力することができるようになります。";

    // A trailing blank or full-width letters make another name.
    w.dialogs.answer(Answer::No).answer(Answer::No).answer(Answer::Yes);
    for (const char* name : {"Coffee ", "Ｃｏｆｆｅｅ", "お風呂"}) {
        type(name, "30");
        page.cmdHozon_Click();
    }
    ASSERT_EQ(w.dialogs.shown.size(), 3u);
    EXPECT_EQ(w.dialogs.shown[0], (Shown{offer, "項目登録確認", Icon::Question, Buttons::YesNo}));
    EXPECT_EQ(items(), "\"Coffee\",120\r\n\"本\",1000\r\n\"お風呂\",30\r\n");
    EXPECT_EQ(column(page.msgKou, 0), (std::vector<std::string>{"Coffee", "本", "お風呂"}));
    EXPECT_EQ(page.msgLedger.recordCount(), 3);  // recorded whatever the answer

    // A click picks the amount as plain digits.
    page.msgKou.setCurrentRow(2);
    page.msgKou_Click();
    EXPECT_EQ(page.txtKou.text(), "本");
    EXPECT_EQ(page.txtInp.text(), "1000");

    // Deleting the second of three items, and the only item left.
    w.dialogs.answer(Answer::Ok);
    page.msgKou.setCurrentRow(2);
    page.msgKou_Click();
    page.msgKou_DblClick();
    EXPECT_EQ(w.dialogs.shown.back().text, "本 の項目を削除してもいいですか？\r\n");
    EXPECT_EQ(items(), "\"Coffee\",120\r\n\"お風呂\",30\r\n");
    EXPECT_EQ(column(page.msgKou, 0), (std::vector<std::string>{"Coffee", "お風呂"}));
    EXPECT_EQ(page.txtKou.text(), "");
    EXPECT_EQ(page.txtInp.text(), "");
    w.put(traits.itemFile, "\"本\",1000\n");
    page.load();
    page.msgKou.setCurrentRow(1);
    w.dialogs.answer(Answer::Ok);
    page.msgKou_DblClick();
    EXPECT_EQ(w.dialogs.shown.back().text,
              "最後の行は項目入力欄下の「項目全クリア」ボタンで削除してください");
    EXPECT_EQ(items(), "\"本\",1000\r\n");

    // Clearing the list reads the name again and leaves the ledger.
    w.put(traits.nameFile, "\"新しい名前\"\n");
    w.dialogs.answer(Answer::Ok);
    page.cmdClr2_Click();
    EXPECT_EQ(w.dialogs.shown.back().text, "登録されている項目を全て削除してもいいですか？\r\n");
    EXPECT_EQ(items(), "");
    EXPECT_TRUE(page.msgKou.empty());
    EXPECT_EQ(page.lblTemaMei.caption(), "新しい名前");
    EXPECT_EQ(page.msgLedger.recordCount(), 3);
    const auto shown = w.dialogs.shown.size();
    page.cmdClr2_Click();  // nothing left to clear
    page.msgKou_Click();
    EXPECT_EQ(w.dialogs.shown.size(), shown);
}

TEST_P(ThemeFixture, RenamingByTheThemesGesture) {
    load();
    const char* const installed[3] = {"～つもり貯金", "家庭賃金制", "罰金徴収制"};
    EXPECT_EQ(page.lblTemaMei.caption(), installed[traits.index]);
    EXPECT_EQ(page.lblTemaMei.tooltip(), "ダブルクリックでテーマ名を変更できます");
    EXPECT_EQ(page.imgTema.tooltip(), "ダブルクリックでテーマ名を変更できます");
    // Theme 2 renames on a single click, themes 1 and 3 on a double-click;
    // the other gesture does nothing.
    const bool byClick = traits.index == 1;
    w.dialogs.type("ゲームを我慢したつもり").type("本");
    page.lblTemaMei_Click();
    EXPECT_EQ(w.dialogs.shown.size(), byClick ? 1u : 0u);
    page.lblTemaMei_DblClick();
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(page.lblTemaMei.caption(), "ゲームを我慢したつもり");
    EXPECT_EQ(pageButton.caption(), "ゲームを");
    page.imgTema_DblClick();
    EXPECT_EQ(w.dialogs.shown.size(), byClick ? 1u : 2u);
    page.imgTema_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[0].text, "テーマ名を入力してください");
    EXPECT_EQ(w.dialogs.shown[0].title, "テーマ名入力");
    EXPECT_EQ(w.get(traits.nameFile), "\"本\"\r\n");
    EXPECT_EQ(page.lblTemaMei.caption(), "本");
    EXPECT_EQ(pageButton.caption(), "本");
}

TEST_P(ThemeFixture, NamesTheReaderWouldRefuseAreRefusedAtInput) {
    load();
    const std::string longest(kMaxFieldChars, 'a');
    const std::string name = w.get(traits.nameFile);

    // Too long by one character, or with a control character: refused.
    for (const std::string& bad :
         {longest + "a", std::string("a\x01z", 3), std::string("a\0z", 3)}) {
        w.dialogs.type(bad).answer(Answer::Ok);
        page.EditThemeName();
        EXPECT_EQ(w.get(traits.nameFile), name);
    }
    EXPECT_EQ(w.dialogs.shown[1].title, "文字数の上限");
    EXPECT_EQ(w.dialogs.shown[1].text, "テーマ名は 4,096 文字までです。");
    EXPECT_EQ(w.dialogs.shown[3].title, "使用できない文字");
    EXPECT_EQ(w.dialogs.shown[5].title, "使用できない文字");

    // The longest name is written and read back.
    w.dialogs.type(longest);
    page.EditThemeName();
    EXPECT_EQ(ThemeNameFile(w.folder, traits.index).read(), longest);

    // An item name: refused before the deposit.
    type((longest + "a").c_str(), "10");
    w.dialogs.answer(Answer::Ok);
    page.cmdHozon_Click();
    EXPECT_EQ(w.dialogs.shown.back().text, "項目名は 4,096 文字までです。");
    EXPECT_EQ(ledger(), "");
}

std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST_P(ThemeFixture, AFullLedgerOrItemListTakesNoMore) {
    w.put(traits.ledgerFile, repeated("\"2026年03月01日\",\"お風呂\",30\n", kMaxRecords));
    w.put(traits.itemFile, repeated("\"お風呂\",30\n", kMaxRecords - 1) + "\"皿洗い\",20\n");
    load();
    const std::string ledgerBytes = w.dir.read(std::string(traits.ledgerFile));
    const std::string itemBytes = w.dir.read(std::string(traits.itemFile));

    type("お風呂", "30");
    w.dialogs.answer(Answer::Ok);
    page.cmdHozon_Click();
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(w.dialogs.shown.back().text,
              page.themeName() +
                  "の記録は 32,766 回までです。\r\n古い記録を削除してから入金してください。");
    EXPECT_EQ(w.dir.read(std::string(traits.ledgerFile)), ledgerBytes);

    // A deposit under a new item is recorded, but the full list takes no item.
    page.msgLedger.removeRow(1);
    type("新しい項目", "5");
    w.dialogs.answer(Answer::Yes).answer(Answer::Ok);
    page.cmdHozon_Click();
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(w.dialogs.shown.back().text,
              "項目リストは 32,766 個までです。\r\n使わない項目を削除してから登録してください。");
    EXPECT_EQ(w.dir.read(std::string(traits.itemFile)), itemBytes);
    EXPECT_EQ(page.msgKou.recordCount(), kMaxRecords);
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeFixture, ::testing::Values(0, 1, 2));

TEST(ThemeNames, TheButtonShowsFourCharactersAndCancelWritesNothing) {
    StartedForm started({.files = {{files::kThemeName[1], "\"My家計簿をつけたら\"\n"}}});
    auto& [w, form] = started;
    EXPECT_EQ(form.themes[1].lblTemaMei.caption(), "My家計簿をつけたら");
    EXPECT_EQ(form.cmdCyokin4.caption(), "My家計");
    EXPECT_EQ(form.cmdCyokin3.caption(), "～つもり");
    EXPECT_EQ(form.cmdCyokin5.caption(), "罰金徴収");

    // Theme 2 renames on one click and writes its own file only.
    const auto stamp = [&](int t) { return w.folder.stamp(files::kThemeName[t]); };
    const decltype(stamp(0)) old[] = {stamp(0), stamp(1), stamp(2)};
    w.dialogs.type("");
    form.themes[1].imgTema_Click();  // Cancel
    EXPECT_EQ(stamp(1), old[1]);
    EXPECT_EQ(w.get(files::kThemeName[1]), "\"My家計簿をつけたら\"\r\n");
    w.dialogs.type("a\"b").answer(Answer::Ok).type("貯金🐷").answer(Answer::Ok).type("ジュース我慢");
    for (int i = 0; i < 3; ++i) form.themes[1].imgTema_Click();
    EXPECT_EQ(w.dialogs.shown[2].text,
              "テーマ名に保存できない文字が含まれています。\r\n"
              "ダブルクォーテーション（\"）、改行、絵文字などの記号は保存できません。");
    EXPECT_EQ(w.dialogs.shown[2].title, "使用できない文字");
    EXPECT_EQ(w.dialogs.shown[4].title, "使用できない文字");
    EXPECT_EQ(w.get(files::kThemeName[1]), "\"ジュース我慢\"\r\n");
    EXPECT_EQ(form.cmdCyokin4.caption(), "ジュース");
    EXPECT_EQ(stamp(0), old[0]);
    EXPECT_EQ(stamp(2), old[2]);

    // An item the files cannot carry is refused before anything is written.
    form.cmdCyokin3_Click();
    for (const char* bad : {"缶\"コーヒー\"", "ケーキ🍰", "改\n行"}) {
        form.themes[0].txtKou.setText(bad);
        form.themes[0].txtInp.setText("100");
        w.dialogs.answer(Answer::Ok);
        form.themes[0].cmdHozon_Click();
        EXPECT_EQ(w.dialogs.shown.back().title, "使用できない文字") << bad;
        EXPECT_EQ(form.themes[0].txtKou.text(), bad);
    }
    EXPECT_EQ(w.get(files::kTheme[0]), "");
    EXPECT_TRUE(form.themes[0].msgLedger.empty());
}

TEST(ThemeAmounts, ATotalBeyondMoneyIsRefusedNotWrapped) {
    World w;
    w.putInstallation();
    w.put(files::kItems[2], "\"罰金\",100\n");
    bool sample = false;
    Button button{"cmdCyokin5"};
    ThemePage page(kThemes[2], w.services(), button, [&sample] { return sample; });
    page.load();
    for (int i = 0; i < 2; ++i) {
        page.txtKou.setText("罰金");
        page.txtInp.setText("900000000000000");
        if (i == 1) w.dialogs.answer(Answer::Ok);
        page.cmdHozon_Click();
    }
    EXPECT_EQ(w.dialogs.shown.back().title, "金額超過");
    EXPECT_EQ(page.themeTotal(), Money::fromYen(900000000000000));
    EXPECT_EQ(w.get(files::kTheme[2]), "\"2026年03月05日\",\"罰金\",900000000000000\r\n");
}

TEST(ThemeStartUp, PageButtonsEmptyTheFieldsAndGuideAnEmptyLedger) {
    StartedForm started({.files = {{files::kTheme[1], "\"2026年03月01日\",\"お風呂\",30\n"},
                                   {files::kEvery, "\"2005年01月01日\",\"09:26:01\",1\n"}}});
    auto& [w, form] = started;
    EXPECT_TRUE(w.folder.exists(files::kTheme[0]));
    EXPECT_EQ(form.themes[1].lblZen.caption(), "¥30");
    EXPECT_EQ(form.themes[1].mctTema.rowCount(), 1);

    ThemePage& t2 = form.themes[1];
    t2.txtKou.setText("typed");
    t2.txtInp.setText("1");
    const int events = w.shell.eventsRun;
    form.cmdCyokin4_Click();
    EXPECT_TRUE(t2.fraCyokin.visible());
    EXPECT_FALSE(form.every.fraCyokin1.visible());
    EXPECT_EQ(w.shell.eventsRun, events + 1);
    EXPECT_EQ(t2.txtKou.text(), "");
    EXPECT_EQ(t2.txtInp.text(), "");
    EXPECT_EQ(w.shell.focused, "txtTumoriKou");
    EXPECT_TRUE(w.shell.guides.empty());

    form.cmdCyokin3_Click();
    ASSERT_EQ(w.shell.guides.size(), 1u);
    EXPECT_EQ(w.shell.guides[0], std::make_pair(Guide::Sub3, true));
    form.themes[0].txtKou.setText("kept");
    form.cmdCyokin3_Click();  // already shown: nothing at all
    EXPECT_EQ(form.themes[0].txtKou.text(), "kept");
    EXPECT_EQ(w.shell.guides.size(), 1u);

    // The sample data's reminder follows a theme deposit.
    form.themes[0].txtKou.setText("お風呂");
    form.themes[0].txtInp.setText("30");
    w.dialogs.answer(Answer::No).answer(Answer::Ok);
    form.themes[0].cmdHozon_Click();
    EXPECT_EQ(w.dialogs.shown.back().title, "新規スタート促し");
    EXPECT_EQ(w.get(files::kTheme[0]), "\"2026年03月05日\",\"お風呂\",30\r\n");
}

TEST(ThemeStartUp, MissingNameOrItemFileEndsStartUpNamingIt) {
    struct Case {
        std::string_view file;
        bool remove;
    };
    for (const Case& c : {Case{files::kThemeName[0], true}, Case{files::kThemeName[2], false},
                          Case{files::kItems[1], true}}) {
        StartedForm started({.load = false});
        auto& [w, form] = started;
        if (c.remove) {
            fs::remove(w.dir.path() / std::string(c.file));
        } else {
            w.put(c.file, "");
        }
        const FileError e = refusalOf([&] { form.Form_Load(); });
        EXPECT_EQ(e.file(), c.file);
        EXPECT_NE(std::string(e.what()).find(std::string(c.file)), std::string::npos);
        EXPECT_EQ(w.folder.exists(c.file), !c.remove);
        EXPECT_FALSE(w.shell.mainShown);
    }
}

}  // namespace
}  // namespace zm::test
