#include "history/analysis.h"

#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/refusal.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

// "rank name amount" per row.
std::vector<std::string> ranking(const LedgerTable& t) {
    std::vector<std::string> rows;
    for (int r = 1; r <= t.recordCount(); ++r) {
        rows.push_back(t.cell(r, 0).text + " " + t.cell(r, 1).text + " " + t.cell(r, 2).text);
    }
    return rows;
}

// The counts of bands 1 to 8 as shown.
std::vector<std::string> counts(const AnalysisPage::BandLabels& row) {
    std::vector<std::string> v;
    for (std::size_t b = 1; b <= 8; ++b) v.push_back(row[b].caption());
    return v;
}

using Strings = std::vector<std::string>;

TEST(Analysis, OpensFromAnotherPageWithRankingsCountsAndTotals) {
    StartedForm started(
        {.files = {{files::kEveryHistory, "\"2025年12月01日\",\"10:00:00\",3000\n"},
                   {files::kKozeni, "\"2026年03月01日\",\"20:00:00\",20000\n"},
                   {files::kTheme[0],
                    "\"2026年03月01日\",\"お風呂\",30\n\"2026年03月02日\",\"晩酌\",50\n"
                    "\"2026年03月03日\",\"お風呂\",30\n"
                    "\"2026年03月04日\",\"タクシーを使ったつもり\",690\n"},
                   // Case and a trailing blank make other items; a name of
                   // theme 1 stays apart.
                   {files::kTheme[1],
                    "\"2026年03月01日\",\"Bath\",10\n\"2026年03月01日\",\"bath\",20\n"
                    "\"2026年03月01日\",\"bath \",30\n\"2026年03月02日\",\"お風呂\",5\n"},
                   {files::kThemeName[1], "\"ゲームを我慢したら\"\n"}},
         .helpTour = 1});
    auto& [w, form] = started;

    w.dialogs.answer(Answer::Ok);
    form.cmdData_Sort_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(
        w.dialogs.shown[0].text,
        "各種テーマの各項目毎の入金状況を把握することができます。\r\n\r\n"
        "貯金に貢献している項目順にリスト表示されます。\r\n"
        "また、各種テーマ、各種項目と３６５歩のマーチ貯金、小銭清算貯金とをトータルで分析し\r\n"
        "その中でも順位決めをして表示します。\r\n\r\n"
        "自分の貯金生活には何が有効になっているのか､そんな状況が一目でわかります｡ \r\n\r\n"
        "また、一回の入金でどのくらいの金額を入れていることが多いのか、そんな状況がわかる"
        "一覧機能もあります。 ");
    EXPECT_EQ(w.dialogs.shown[0].title, "ヘルプツアー");
    EXPECT_TRUE(form.fraDataSort.visible());
    EXPECT_FALSE(form.every.fraCyokin1.visible());

    const AnalysisPage& a = form.analysis;
    EXPECT_EQ(ranking(a.msgJunTema1),
              (Strings{"1 タクシーを使ったつもり ¥690", "2 お風呂 ¥60", "3 晩酌 ¥50"}));
    EXPECT_EQ(ranking(a.msgJunTema2),
              (Strings{"1 bath  ¥30", "2 bath ¥20", "3 Bath ¥10", "4 お風呂 ¥5"}));
    EXPECT_TRUE(a.msgJunTema3.empty());
    EXPECT_EQ(a.msgJunTema3.columns()[1].header, "内容");
    // The 365-step run is 0 and left out; small change outranks every item.
    EXPECT_EQ(ranking(a.msgJunTema),
              (Strings{"1 小銭清算 ¥20,000", "2 ３６５歩の履歴 ¥3,000",
                       "3 タクシーを使ったつもり ¥690", "4 お風呂 ¥60", "5 晩酌 ¥50", "6 bath  ¥30",
                       "7 bath ¥20", "8 Bath ¥10", "9 お風呂 ¥5"}));
    // The grand total leaves the given-up runs out; the ranking holds them.
    EXPECT_EQ(a.lblTemaGoukei[0].caption(), "¥20,865");
    Money ranked;
    for (int r = 1; r <= a.msgJunTema.recordCount(); ++r) ranked += a.msgJunTema.value(r, 2);
    EXPECT_EQ(ranked, Money::fromYen(23865));
    EXPECT_EQ(a.lblTemaGoukei[1].caption(), "¥800");
    EXPECT_EQ(a.lblTemaGoukei[3].caption(), "¥0");
    EXPECT_EQ(a.lblBunTema[2].caption(), "ゲームを我慢したら");
    EXPECT_EQ(a.lblBunTema2[4].caption(), "ゲームを");
    EXPECT_EQ(a.lblBunTema2[5].caption(), "罰金徴収");

    EXPECT_EQ(counts(a.lblBun_on1), (Strings{"0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(counts(a.lblBun_on2), (Strings{"0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(counts(a.lblBun_on3), (Strings{"0", "3", "0", "0", "0", "0", "1", "0"}));
    EXPECT_EQ(counts(a.lblBun_on4), (Strings{"1", "3", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(counts(a.lblBun_on), (Strings{"1", "6", "0", "0", "0", "0", "1", "1"}));
    // Copied, the band table holds what its labels show, row for row.
    EXPECT_EQ(toTsv(a.bandTable("t")),
              "１回入金\t1\t10\t100\t200\t300\t400\t500\t1000\n"
              "３６５歩\t0\t0\t0\t0\t0\t0\t0\t0\n"
              "小銭清算\t0\t0\t0\t0\t0\t0\t0\t1\n"
              "～つもり\t0\t3\t0\t0\t0\t0\t1\t0\n"
              "ゲームを\t1\t3\t0\t0\t0\t0\t0\t0\n"
              "罰金徴収\t0\t0\t0\t0\t0\t0\t0\t0\n"
              "合計\t1\t6\t0\t0\t0\t0\t1\t1\n");

    // Pressed again while shown: nothing is read, built or said.
    w.put(files::kTheme[2], "\"2026年03月05日\",\"寝坊した\",100\n");
    form.cmdData_Sort_Click();
    EXPECT_TRUE(a.msgJunTema3.empty());
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
    // Opened from another page, it is built afresh.
    form.cmdCyokin2_Click();
    w.dialogs.answer(Answer::Ok);
    form.cmdData_Sort_Click();
    EXPECT_EQ(ranking(a.msgJunTema3), Strings{"1 寝坊した ¥100"});
    EXPECT_EQ(a.lblBun_on5[3].caption(), "1");
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
}

TEST(Analysis, DepositBandsTakeAmountsInsideTheirBoundsOnly) {
    struct Case {
        double yen;
        int band;
    };
    for (const Case& c :
         {Case{9, 1},     Case{10, 2},    Case{99, 2},  Case{100, 3},   Case{999, 7},
          Case{1000, 8},  Case{20000, 8}, Case{0, 0},   Case{-5, 0},    Case{1, 1},
          Case{0.5, 0},   Case{5.5, 1},   Case{9.5, 0}, Case{99.5, 0},  Case{150.5, 3},
          Case{199.5, 0}, Case{200, 4},   Case{499, 6}, Case{499.5, 0}, Case{500, 7},
          Case{999.5, 0}, Case{1000.5, 8}}) {
        EXPECT_EQ(depositBand(*Money::fromDouble(c.yen)), c.band) << c.yen;
    }
}

// A full ledger of distinct items: "項目1" with amount 501, "項目2" with 502 ...
std::string fullThemeLedger() {
    std::string text;
    for (int i = 1; i <= kMaxRecords; ++i) {
        text += "\"2026年03月01日\",\"項目" + std::to_string(i) + "\"," +
                std::to_string(500 + i % 500) + "\n";
    }
    return text;
}

TEST(Analysis, FullLedgersAreCountedAndRankedWholeThenAnEmptyFolderClearsAll) {
    World w;
    std::string kozeni;
    for (int i = 0; i < kMaxRecords; ++i) kozeni += "\"2026年03月01日\",\"20:00:00\",999\n";
    w.put(files::kTheme[0], "");
    w.put(files::kTheme[1], fullThemeLedger());
    w.put(files::kTheme[2], "");
    w.put(files::kKozeni, kozeni);
    w.put(files::kEvery, "\"2026年03月01日\",\"09:00:00\",1\n");
    AnalysisPage page(w.services());
    page.Rebuild({Money::fromYen(1), Money::fromYen(7), Money::fromYen(999 * kMaxRecords), {}, {}});

    // One full theme and the three savings kinds: more rows than 16 bits count.
    EXPECT_EQ(page.msgJunTema2.recordCount(), kMaxRecords);
    const int all = kMaxRecords + 3;
    ASSERT_EQ(page.msgJunTema.recordCount(), all);
    EXPECT_EQ(page.msgJunTema.cell(1, 1).text, "小銭清算");
    EXPECT_EQ(page.msgJunTema.cell(2, 2).text, "¥999");
    EXPECT_EQ(page.msgJunTema.cell(all - 1, 1).text, "３６５歩の履歴");
    EXPECT_EQ(page.msgJunTema.cell(all, 0).text, std::to_string(all));
    EXPECT_EQ(page.msgJunTema.cell(all, 1).text, "３６５歩のマーチ");
    EXPECT_EQ(page.lblBun_on2[7].caption(), "32766");
    EXPECT_EQ(page.lblBun_on4[7].caption(), "32766");
    EXPECT_EQ(page.lblBun_on[7].caption(), std::to_string(2 * kMaxRecords));
    EXPECT_EQ(page.lblBun_on[1].caption(), "1");

    // Every ledger emptied: headers only, every count 0, no savings kinds.
    for (int t = 0; t < 3; ++t) w.put(files::kTheme[t], "");
    w.put(files::kKozeni, "");
    w.put(files::kEvery, "");
    page.Rebuild({});
    for (const LedgerTable* t :
         {&page.msgJunTema1, &page.msgJunTema2, &page.msgJunTema3, &page.msgJunTema}) {
        EXPECT_EQ(t->rowCount(), 1) << t->name();
        EXPECT_EQ(t->columns().size(), 3u);
    }
    for (int row = 0; row <= AnalysisPage::kSources; ++row) {
        EXPECT_EQ(counts(page.bandRow(row)), Strings(8, "0")) << row;
    }
    EXPECT_EQ(page.lblTemaGoukei[0].caption(), "¥0");
}

TEST(Analysis, LineThatDoesNotParseIsReportedWithItsFileAndLineAndNothingIsWritten) {
    StartedForm started({.files = {{files::kEvery, "\"2026年03月01日\",\"09:00:00\",1\n"}}});
    auto& [w, form] = started;
    // Broken after start-up, as by another program.
    w.put(files::kTheme[1], "\"2026年03月01日\",\"晩酌\",50\n\"2026年03月02日\",\"晩酌\",五十\n");
    const std::string before = w.dir.read(std::string(files::kTheme[1]));
    const FileError e = refusalOf([&] { form.cmdData_Sort_Click(); });
    EXPECT_EQ(e.file(), files::kTheme[1]);
    EXPECT_EQ(e.line(), 2);
    EXPECT_FALSE(form.fraDataSort.visible());
    EXPECT_EQ(w.dir.read(std::string(files::kTheme[1])), before);
    EXPECT_TRUE(w.dialogs.shown.empty());
}

}  // namespace
}  // namespace zm::test
