#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/startedform.h"
#include "support/tables.h"
#include "support/world.h"

namespace zm::test {
namespace {

// Deposits up to yesterday on every page, items, names and goals.
StartSetup filledFolder() {
    return {.files = {
                {files::kEvery, "\"2026年03月02日\",\"09:00:00\",1\n"
                                "\"2026年03月03日\",\"09:00:00\",2\n"
                                "\"2026年03月04日\",\"09:00:00\",3\n"},
                {files::kKozeni, "\"2026年03月01日\",\"09:00:00\",300\n"
                                 "\"2026年03月02日\",\"19:00:00\",45\n"
                                 "\"2026年03月04日\",\"08:00:00\",1200\n"},
                {files::kTheme[0], "\"2026年03月01日\",\"缶コーヒーを買ったつもり\",120\n"
                                   "\"2026年03月02日\",\"タクシーを使ったつもり\",690\n"
                                   "\"2026年03月03日\",\"缶コーヒーを買ったつもり\",120\n"},
                {files::kItems[0], "\"缶コーヒーを買ったつもり\",120\n"
                                   "\"タクシーを使ったつもり\",690\n"},
                {files::kGoals, "\"家族で外食\",5000\n\"旅行\",50000\n"},
            }};
}

// Everything a fresh start shows of the savings pages, and of the goals
// when they are on screen, compared with what `form` shows.
void expectShownAsAtStart(MainForm& form, World& w) {
    MainForm fresh(w.services());
    fresh.Form_Load();
    expectSameTable(form.every.msgEvery, fresh.every.msgEvery);
    expectSameTable(form.kozeni.msgKozeni, fresh.kozeni.msgKozeni);
    for (std::size_t i = 0; i < 3; ++i) {
        expectSameTable(form.themes[i].msgLedger, fresh.themes[i].msgLedger);
        expectSameTable(form.themes[i].msgKou, fresh.themes[i].msgKou);
    }
    const std::vector<std::pair<const Captioned*, const Captioned*>> captions = {
        {&form.every.lblkeika, &fresh.every.lblkeika},
        {&form.every.lblEvery_zen, &fresh.every.lblEvery_zen},
        {&form.every.lblCmnt1[0], &fresh.every.lblCmnt1[0]},
        {&form.every.lblCmnt1[2], &fresh.every.lblCmnt1[2]},
        {&form.every.lblEvery_Kingaku, &fresh.every.lblEvery_Kingaku},
        {&form.every.lblEvery_Tainou, &fresh.every.lblEvery_Tainou},
        {&form.every.lblSetKingaku, &fresh.every.lblSetKingaku},
        {&form.every.cmdEveryHozon, &fresh.every.cmdEveryHozon},
        {&form.kozeni.lblKozeni_cnt, &fresh.kozeni.lblKozeni_cnt},
        {&form.kozeni.lblKozeni_zen, &fresh.kozeni.lblKozeni_zen},
        {&form.kozeni.lblKozeni_Max, &fresh.kozeni.lblKozeni_Max},
        {&form.kozeni.lblKozeni_Min, &fresh.kozeni.lblKozeni_Min},
        {&form.kozeni.lblKozeni_Avg, &fresh.kozeni.lblKozeni_Avg},
        {&form.kozeni.lblCmnt2[1], &fresh.kozeni.lblCmnt2[1]},
        {&form.kozeni.lblKozeni_Keika, &fresh.kozeni.lblKozeni_Keika},
        {&form.themes[0].lblCnt, &fresh.themes[0].lblCnt},
        {&form.themes[0].lblZen, &fresh.themes[0].lblZen},
        {&form.themes[0].lblTemaMei, &fresh.themes[0].lblTemaMei},
        {&form.cmdCyokin3, &fresh.cmdCyokin3},
    };
    for (const auto& [got, want] : captions) {
        EXPECT_EQ(got->visible(), want->visible()) << got->name();
        if (want->visible()) {
            EXPECT_EQ(got->caption(), want->caption()) << got->name();
        }
        EXPECT_EQ(got->enabled(), want->enabled()) << got->name();
    }
    EXPECT_EQ(form.every.txtSetNissuu.text(), fresh.every.txtSetNissuu.text());
    EXPECT_EQ(form.every.mctEvery.rowCount(), fresh.every.mctEvery.rowCount());
    EXPECT_EQ(form.kozeni.mctKozeni.rowCount(), fresh.kozeni.mctKozeni.rowCount());
    EXPECT_EQ(form.themes[0].mctTema.rowCount(), fresh.themes[0].mctTema.rowCount());
    if (form.fraMokuhyo.visible()) {
        fresh.cmdMaster_Click();
        expectSameTable(form.goals.msgMokuhyo, fresh.goals.msgMokuhyo);
        EXPECT_EQ(form.goals.lblSougaku.caption(), fresh.goals.lblSougaku.caption());
        EXPECT_EQ(form.goals.lblMokuSou.caption(), fresh.goals.lblMokuSou.caption());
        EXPECT_EQ(form.goals.lblSagaku.caption(), fresh.goals.lblSagaku.caption());
    }
}

struct Kind {
    const char* what;  // the step's words, as its buttons and line show them
    std::function<void(MainForm&, World&)> change;
    std::function<const Frame&(MainForm&)> page;
    int steps = 1;
};

TEST(Undo, EveryKindOfChangeIsUndoneAndRedoneByteForByteAndShownAsAtStart) {
    const auto every = [](MainForm& f) -> const Frame& { return f.every.fraCyokin1; };
    const auto kozeni = [](MainForm& f) -> const Frame& { return f.kozeni.fraCyokin2; };
    const auto theme = [](MainForm& f) -> const Frame& { return f.themes[0].fraCyokin; };
    const auto goals = [](MainForm& f) -> const Frame& { return f.fraMokuhyo; };
    const auto themeDeposit = [](Answer saveItem) {
        return [saveItem](MainForm& f, World& w) {
            f.themes[0].txtKou.setText("本を買ったつもり");
            f.themes[0].txtInp.setText("1500");
            w.dialogs.answer(saveItem);
            f.themes[0].cmdHozon_Click();
        };
    };
    const Kind kinds[] = {
        {"３６５歩の入金 ¥4", [](MainForm& f, World&) { f.every.cmdEveryHozon_Click(); }, every},
        {"３６５歩の差分入金 ¥4（小銭清算へ ¥96）",
         [](MainForm& f, World& w) {
             w.dialogs.type("100").answer(Answer::Ok);
             f.every.cmdEveryHozon2_Click();
         },
         every},
        {"３６５歩のギブアップ（合計を履歴に保存）",
         [](MainForm& f, World& w) {
             w.dialogs.answer(Answer::Ok).answer(Answer::Yes);
             f.every.cmdEveryClr_Click();
         },
         every},
        {"３６５歩のギブアップ（全てクリア）",
         [](MainForm& f, World& w) {
             w.dialogs.answer(Answer::Ok).answer(Answer::No);
             f.every.cmdEveryClr_Click();
         },
         every},
        {"３６５歩の目標日数の変更（400）",
         [](MainForm& f, World&) {
             f.every.txtSetNissuu.setText("400");
             f.every.txtSetNissuu_KeyPress(kEnterKey);
         },
         every},
        {"小銭清算の入金 ¥1,200",
         [](MainForm& f, World&) {
             f.kozeni.txtKozeni_Inp.setText("1200");
             f.kozeni.cmdKozeniHozon_Click();
         },
         kozeni},
        {"小銭清算の 2 行目の削除",
         [](MainForm& f, World& w) {
             f.kozeni.msgKozeni.setCurrentRow(2);
             w.dialogs.answer(Answer::Ok);
             f.kozeni.msgKozeni_DblClick();
         },
         kozeni},
        {"小銭清算のクリア",
         [](MainForm& f, World& w) {
             w.dialogs.answer(Answer::Ok);
             f.kozeni.cmdKozeniClr_Click();
         },
         kozeni},
        {"テーマ１「～つもり貯金」の入金 ¥1,500", themeDeposit(Answer::No), theme},
        {"テーマ１「～つもり貯金」の項目「本を買ったつもり」の登録", themeDeposit(Answer::Yes),
         theme, 2},
        {"テーマ１「～つもり貯金」の 1 行目の削除",
         [](MainForm& f, World& w) {
             f.themes[0].msgLedger.setCurrentRow(1);
             w.dialogs.answer(Answer::Ok);
             f.themes[0].msgLedger_DblClick();
         },
         theme},
        {"テーマ１「～つもり貯金」のクリア",
         [](MainForm& f, World& w) {
             w.dialogs.answer(Answer::Ok);
             f.themes[0].cmdClr_Click();
         },
         theme},
        {"テーマ１「～つもり貯金」の項目「缶コーヒーを買ったつもり」の削除",
         [](MainForm& f, World& w) {
             f.themes[0].msgKou.setCurrentRow(1);
             w.dialogs.answer(Answer::Ok);
             f.themes[0].msgKou_DblClick();
         },
         theme},
        {"テーマ１「～つもり貯金」の項目全クリア",
         [](MainForm& f, World& w) {
             w.dialogs.answer(Answer::Ok);
             f.themes[0].cmdClr2_Click();
         },
         theme},
        {"テーマ１の名前の変更（「～つもり貯金」から「旅行のつもり」へ）",
         [](MainForm& f, World& w) {
             w.dialogs.type("旅行のつもり");
             f.themes[0].imgTema_DblClick();
         },
         theme},
        {"目的「車」の登録",
         [](MainForm& f, World&) {
             f.cmdMaster_Click();
             f.goals.txtInpMokuKou.setText("車");
             f.goals.txtInpMokuKin.setText("900000");
             f.goals.cmdMokuHozon_Click();
         },
         goals},
        {"目的「家族で外食」の削除",
         [](MainForm& f, World& w) {
             f.cmdMaster_Click();
             f.goals.msgMokuhyo.setCurrentRow(1);
             w.dialogs.answer(Answer::Ok);
             f.goals.msgMokuhyo_DblClick();
         },
         goals},
        {"目的のクリア",
         [](MainForm& f, World& w) {
             f.cmdMaster_Click();
             w.dialogs.answer(Answer::Ok);
             f.goals.cmdMokuClr_Click();
         },
         goals},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        StartedForm started(filledFolder());
        auto& [w, form] = started;
        EXPECT_FALSE(form.cmdUndo.enabled());
        const auto before = dataFiles(w.dir.path());
        kind.change(form, w);
        const auto after = dataFiles(w.dir.path());
        ASSERT_NE(after, before);
        EXPECT_TRUE(form.cmdUndo.enabled());
        EXPECT_EQ(form.cmdUndo.tooltip(), std::string("元に戻す：") + kind.what);

        // Undone and redone from another page, later in the day: the redo
        // writes what was first written, not the clock's new time.
        form.cmdDay_Click();
        w.clock.set(ymd(2026, 3, 5), hms(18, 0, 0));
        for (int i = 0; i < kind.steps; ++i) form.cmdUndo_Click();
        EXPECT_EQ(dataFiles(w.dir.path()), before);
        EXPECT_TRUE(kind.page(form).visible());
        EXPECT_EQ(form.cmdRedo.tooltip().rfind("やり直し：", 0), 0u);
        EXPECT_EQ(form.lblUndo.caption().rfind("元に戻しました：", 0), 0u);
        expectShownAsAtStart(form, w);

        form.cmdDay_Click();
        for (int i = 0; i < kind.steps; ++i) form.cmdRedo_Click();
        EXPECT_EQ(dataFiles(w.dir.path()), after);
        EXPECT_TRUE(kind.page(form).visible());
        EXPECT_EQ(form.lblUndo.caption(), std::string("やり直しました：") + kind.what);
        EXPECT_FALSE(form.cmdRedo.enabled());
        expectShownAsAtStart(form, w);
        EXPECT_FALSE(w.dialogs.pending());
    }
}

TEST(Undo, HundredsOfStepsGoBackInOrderAndANewChangeEndsTheRedo) {
    StartedForm started(filledFolder());
    auto& [w, form] = started;
    const auto start = dataFiles(w.dir.path());
    for (int i = 1; i <= 150; ++i) {
        form.kozeni.txtKozeni_Inp.setText(std::to_string(i));
        form.kozeni.cmdKozeniHozon_Click();
    }
    for (int i = 0; i < 150; ++i) form.cmdUndo_Click();
    EXPECT_EQ(dataFiles(w.dir.path()), start);
    EXPECT_FALSE(form.cmdUndo.enabled());
    EXPECT_EQ(form.cmdUndo.tooltip(), "元に戻す変更はありません");

    form.cmdRedo_Click();
    EXPECT_EQ(form.kozeni.lblKozeni_cnt.caption(), "4回");
    form.kozeni.txtKozeni_Inp.setText("5");
    form.kozeni.cmdKozeniHozon_Click();
    EXPECT_FALSE(form.cmdRedo.enabled());
    EXPECT_EQ(form.cmdUndo.tooltip(), "元に戻す：小銭清算の入金 ¥5");
    // The target days entered again as they are change nothing: no step.
    form.every.txtSetNissuu.setText("365");
    form.every.txtSetNissuu_KeyPress(kEnterKey);
    EXPECT_EQ(form.cmdUndo.tooltip(), "元に戻す：小銭清算の入金 ¥5");
    // The line of the last undo goes with the next action.
    form.actionBegins();
    EXPECT_EQ(form.lblUndo.caption(), "");
}

TEST(Undo, AFileChangedSinceIsNotWrittenAndItsStepIsDropped) {
    const struct {
        const char* what;
        std::size_t asked;  // questions the change itself asked
        std::function<void(MainForm&, World&)> change;
    } cases[] = {
        {"an append, cut back", 0,
         [](MainForm& f, World&) {
             f.kozeni.txtKozeni_Inp.setText("500");
             f.kozeni.cmdKozeniHozon_Click();
         }},
        {"a rewrite, written whole", 1,
         [](MainForm& f, World& w) {
             f.kozeni.msgKozeni.setCurrentRow(1);
             w.dialogs.answer(Answer::Ok);
             f.kozeni.msgKozeni_DblClick();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartedForm started(filledFolder());
        auto& [w, form] = started;
        c.change(form, w);
        // A sync tool adds a record.
        std::ofstream(w.folder.resolve(files::kKozeni), std::ios::app | std::ios::binary)
            << "\"2026\x94N03\x8c\x8e" "05\x93\xfa\",\"10:30:00\",10\r\n";
        const auto changed = dataFiles(w.dir.path());
        w.dialogs.answer(Answer::Ok);
        form.cmdUndo_Click();
        EXPECT_EQ(dataFiles(w.dir.path()), changed);
        ASSERT_EQ(w.dialogs.shown.size(), c.asked + 1);
        EXPECT_EQ(w.dialogs.shown.back().title, "元に戻す");
        EXPECT_NE(w.dialogs.shown.back().text.find("「小銭清算.txt」がほかのプログラムで変更"),
                  std::string::npos);
        EXPECT_FALSE(form.cmdUndo.enabled());
        // The page shows the file as it is now, the other program's record with it.
        expectShownAsAtStart(form, w);
    }

    // A change made on top of the other program's is undone; the one from
    // before it no longer is, though its own bytes are still in place.
    StartedForm started(filledFolder());
    auto& [w, form] = started;
    const auto deposit = [&form] {
        form.kozeni.txtKozeni_Inp.setText("500");
        form.kozeni.cmdKozeniHozon_Click();
    };
    deposit();
    // The other program puts 900 in place of the first 300, the size kept.
    std::string bytes = w.dir.read(files::kKozeni);
    bytes.replace(bytes.find("300"), 3, "900");
    w.dir.write(files::kKozeni, bytes);
    EXPECT_THROW(deposit(), OutsideChange);
    w.dialogs.answer(Answer::Ok);
    form.followOutsideChange(std::string(files::kKozeni));
    const auto changed = dataFiles(w.dir.path());
    deposit();
    form.cmdUndo_Click();
    EXPECT_EQ(dataFiles(w.dir.path()), changed);
    w.dialogs.answer(Answer::Ok);
    form.cmdUndo_Click();
    EXPECT_EQ(dataFiles(w.dir.path()), changed);
    EXPECT_EQ(w.dialogs.shown.back().title, "元に戻す");
    EXPECT_FALSE(form.cmdUndo.enabled());
}

// A failed write: every call of one kind after the first `passing` fails.
struct FailingCalls final : FileCalls {
    bool truncates = false;  // ftruncate fails, else write
    int passing = 0;
    int calls = 0;
    ssize_t write(int fd, const void* data, std::size_t size) override {
        if (!truncates && calls++ >= passing) return errno = ENOSPC, -1;
        return FileCalls::write(fd, data, size);
    }
    int ftruncate(int fd, off_t length) override {
        if (truncates && calls++ >= passing) return errno = EIO, -1;
        return FileCalls::ftruncate(fd, length);
    }
};

TEST(Undo, AFailedWriteKeepsEveryFileAndTheStepToTryAgain) {
    const struct {
        const char* what;
        std::function<void(MainForm&, World&)> change;
        bool redo;
        bool truncates;
        int passing;
    } cases[] = {
        {"a deletion undone on a full disk",
         [](MainForm& f, World& w) {
             f.kozeni.msgKozeni.setCurrentRow(1);
             w.dialogs.answer(Answer::Ok);
             f.kozeni.msgKozeni_DblClick();
         },
         false, false, 0},
        {"an over-payment undone, its second file failing",
         [](MainForm& f, World& w) {
             w.dialogs.type("100").answer(Answer::Ok);
             f.every.cmdEveryHozon2_Click();
         },
         false, true, 1},
        {"a deposit redone on a full disk",
         [](MainForm& f, World&) {
             f.kozeni.txtKozeni_Inp.setText("500");
             f.kozeni.cmdKozeniHozon_Click();
             f.cmdUndo_Click();
         },
         true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartedForm started(filledFolder());
        auto& [w, form] = started;
        c.change(form, w);
        const auto kept = dataFiles(w.dir.path());
        Button& button = c.redo ? form.cmdRedo : form.cmdUndo;
        const std::string tooltip = button.tooltip();
        {
            FailingCalls failing;
            failing.truncates = c.truncates;
            failing.passing = c.passing;
            UsingFileCalls using_(failing);
            w.dialogs.answer(Answer::Ok);
            c.redo ? form.cmdRedo_Click() : form.cmdUndo_Click();
        }
        EXPECT_EQ(dataFiles(w.dir.path()), kept);
        ASSERT_FALSE(w.dialogs.shown.empty());
        EXPECT_NE(w.dialogs.shown.back().text.find("ファイルは変わっていません"), std::string::npos)
            << w.dialogs.shown.back().text;
        EXPECT_EQ(button.tooltip(), tooltip);
        EXPECT_FALSE(w.shell.ended);

        // Tried again once the disk has room: it goes through.
        c.redo ? form.cmdRedo_Click() : form.cmdUndo_Click();
        EXPECT_NE(dataFiles(w.dir.path()), kept);
        expectShownAsAtStart(form, w);
    }
}

}  // namespace
}  // namespace zm::test
