#include "app/mainform.h"

#include "app/dailycopy.h"
#include "store/datafolder.h"
#include "store/editlog.h"
#include "store/filenames.h"
#include "store/readsahead.h"
#include "store/settingsfile.h"
#include "store/themeledgerfile.h"
#include "store/timedrecord.h"
#include "ui/shell.h"

namespace zm {

// The over-payment's surplus goes to the small-change page.
bool MainForm::KozeniSink::canTake(Money amount) {
    // Checked before the 365-step record is written: both records or neither.
    form.ownFolders_[1].checkUnchanged(files::kKozeni);
    return !form.kozeni.refuseDeposit(amount);
}
void MainForm::KozeniSink::record(const TimedRecord& rec) {
    form.kozeni.appendRecord(rec);
}
void MainForm::KozeniSink::refresh() {
    form.kozeni.reload();
}

MainForm::MainForm(Services services)
    : edits_(std::make_shared<EditLog>()),
      changes_{{{*this, 0}, {*this, 1}, {*this, 2}, {*this, 3}, {*this, 4}, {*this, 5}}},
      ownFolders_{services.folder, services.folder, services.folder,
                  services.folder, services.folder, services.folder},
      every(ownServices(services, 0)),
      kozeni(ownServices(services, 1), [this] { return every.sampleData(); }),
      themes{{ThemePage(kThemes[0], ownServices(services, 2), cmdCyokin3, [this] { return every.sampleData(); }),
              ThemePage(kThemes[1], ownServices(services, 3), cmdCyokin4, [this] { return every.sampleData(); }),
              ThemePage(kThemes[2], ownServices(services, 4), cmdCyokin5, [this] { return every.sampleData(); })}},
      goals(ownServices(services, 5),
            {[this] { return goalsTotals(); },
             [this](int i) { return themes[static_cast<std::size_t>(i)].themeName(); },
             [this] { return savingsPace(); }}),
      analysis(services),
      dayHistory(services),
      monthHistory(services),
      s_(services) {
    for (DataFolder& folder : ownFolders_) folder.keepEdits(edits_);
    // The histories take the savings pages' ledgers from their tables while
    // the files are as the pages last read or wrote them.
    const LedgerMirrors mirrors{{{&ownFolders_[0], &every.msgEvery},
                                 {},
                                 {&ownFolders_[1], &kozeni.msgKozeni},
                                 {&ownFolders_[2], &themes[0].msgLedger},
                                 {&ownFolders_[3], &themes[1].msgLedger},
                                 {&ownFolders_[4], &themes[2].msgLedger}}};
    dayHistory.takeLedgersFrom(mirrors);
    monthHistory.takeLedgersFrom(mirrors);
    every.setSurplusSink(surplusToKozeni_);
    cmdCyokin1.setTooltip("３６５歩のマーチ貯金ページ");
    cmdCyokin2.setTooltip("小銭清算貯金ページ");
    cmdCyokin3.setTooltip("テーマ１の貯金ページ");
    cmdCyokin4.setTooltip("テーマ２の貯金ページ");
    cmdCyokin5.setTooltip("テーマ３の貯金ページ");
    cmdMaster.setTooltip("貯金の目的を表示します");
    cmdData_Sort.setTooltip("入金状態の分析結果です");
    cmdDay.setTooltip("日別の貯金履歴データです");
    cmdMonth.setTooltip("月別の貯金履歴データです");
    cmdEnd.setTooltip("プログラムを終了します");
    cmdHelp.setTooltip("ヘルプファイルを開きます");
    chkHelp.setTooltip("ヘルプツアーのＯｎ／Ｏｆｆです");
    // Ctrl+1 to Ctrl+9 open the pages in the order of their buttons.
    Button* const pages[] = {&cmdCyokin1, &cmdCyokin2, &cmdCyokin3,   &cmdCyokin4, &cmdCyokin5,
                             &cmdMaster,  &cmdData_Sort, &cmdDay, &cmdMonth};
    for (int i = 0; i < 9; ++i) {
        Button& b = *pages[i];
        b.setTooltip(b.tooltip() + "（Ctrl+" + std::to_string(i + 1) + "）");
    }
    cmdHelp.setTooltip(cmdHelp.tooltip() + "（F1）");
    showUndoButtons();
}

Services MainForm::ownServices(const Services& s, int page) {
    const auto i = static_cast<std::size_t>(page);
    return {ownFolders_[i], s.dialogs, s.shell, s.clock,
            &changes_[i]};
}

std::array<Frame*, 9> MainForm::pageFrames() {
    return {&every.fraCyokin1,
            &kozeni.fraCyokin2,
            &themes[0].fraCyokin,
            &themes[1].fraCyokin,
            &themes[2].fraCyokin,
            &fraDay,
            &fraMonth,
            &fraDataSort,
            &fraMokuhyo};
}

void MainForm::Form_Load() {
    helpFile_ = std::string(files::kHelp);
    s_.shell.doEvents();
    loading_ = true;
    tendDataFolder(s_);
    finishRestore();
    finishNewStart();
    READ_SETTEI();
    chkHelp.setValue(helpTour_);
    chkHelp_Click();  // setting the value raises the click, quiet while loading
    HidePages();

    loadSavingsPages();
    makeDayCopy(s_);

    dayHistory.InitDayGrid(themeNames());
    every.fraCyokin1.setVisible(true);
    s_.shell.showMainWindow();
    loading_ = false;
    if (!every.hasRecords()) s_.shell.openGuide(Guide::Sub1, true);
}

void MainForm::loadSavingsPages() {
    // The themes' files are read on the other core while the pages before
    // them load; what a failure leaves untaken is dropped.
    for (int i = 0; i < 3; ++i) ThemeLedgerFile(s_.folder, i).readAhead(true);
    const struct DropReadsAhead {
        const DataFolder& folder;
        ~DropReadsAhead() { folder.ahead().dropAll(); }
    } drop{s_.folder};
    every.load();

    kozeni.reload();
    // Themes 1, 2 and 3, in that order.
    for (ThemePage& theme : themes) theme.load();
}

void MainForm::READ_SETTEI() {
    helpTour_ = SettingsFile(s_.folder).readHelpTour();
}

GoalsPage::Totals MainForm::goalsTotals() const {
    return {every.cumulative(),
            kozeni.kozeniTotal(),
            {themes[0].themeTotal(), themes[1].themeTotal(), themes[2].themeTotal()}};
}

RecentPace MainForm::savingsPace() const {
    RecentPace pace(s_.clock.today());
    const auto add = [&pace](std::int64_t day, Money amount) { pace.add(day, amount); };
    every.msgEvery.forEachDated(1, 3, add);
    kozeni.msgKozeni.forEachDated(1, 3, add);
    for (const ThemePage& theme : themes) theme.msgLedger.forEachDated(1, 3, add);
    return pace;
}

void MainForm::HidePages() {
    for (Frame* f : pageFrames()) f->setVisible(false);
}

bool MainForm::switchTo(Frame& frame) {
    if (frame.visible()) return false;
    HidePages();
    frame.setVisible(true);
    return true;
}

void MainForm::openTheme(ThemePage& theme) {
    if (!switchTo(theme.fraCyokin)) return;
    s_.shell.doEvents();
    theme.txtKou.setText("");
    theme.txtInp.setText("");
    s_.shell.setFocus(theme.txtKou);
    if (!theme.hasRecords()) s_.shell.openGuide(Guide::Sub3, true);
}

void MainForm::cmdCyokin1_Click() {
    if (!switchTo(every.fraCyokin1)) return;
    if (!every.hasRecords()) s_.shell.openGuide(Guide::Sub1, false);
}

void MainForm::cmdCyokin2_Click() {
    if (!switchTo(kozeni.fraCyokin2)) return;
    if (!kozeni.hasRecords()) s_.shell.openGuide(Guide::Sub2, true);
    s_.shell.setFocus(kozeni.txtKozeni_Inp);
}
void MainForm::cmdCyokin3_Click() {
    openTheme(themes[0]);
}
void MainForm::cmdCyokin4_Click() {
    openTheme(themes[1]);
}
void MainForm::cmdCyokin5_Click() {
    openTheme(themes[2]);
}
void MainForm::cmdMaster_Click() {
    openSummary(
        fraMokuhyo, [this] { rebuildGoals(); },
        "貯金する目的を小さなことから夢に近いようなことまでいくつでも登録できます。\r\n"
        "またその項目,達成状況などを一覧でみることができます。\r\n\r\n"
        "貯金意識を継続させるためのちょっとしたやる気につなげてください。");
}
void MainForm::rebuildGoals() {
    goals.InitMokuhyoGrid();
    goals.LoadMokuhyoFile();
    goals.ShowSougaku();
    goals.UpdateSagaku();
}
void MainForm::cmdData_Sort_Click() {
    openSummary(fraDataSort, [this] { rebuildAnalysis(); }, kAnalysisHelpTour);
}
void MainForm::rebuildAnalysis() {
    analysis.Rebuild({every.cumulative(),
                      every.historyTotal(),
                      kozeni.kozeniTotal(),
                      {themes[0].themeTotal(), themes[1].themeTotal(), themes[2].themeTotal()},
                      {themes[0].themeName(), themes[1].themeName(), themes[2].themeName()}});
}
void MainForm::cmdDay_Click() {
    openSummary(
        fraDay, [this] { dayHistory.open(themeNames()); }, DayHistory::kHelpTourText);
}
void MainForm::cmdMonth_Click() {
    openSummary(
        fraMonth, [this] { monthHistory.open(themeNames()); }, MonthHistory::kHelpTourText);
}
// A summary page is built while the page before is still shown, so that it
// appears whole; then the help tour tells what it is for.
void MainForm::openSummary(Frame& frame, const std::function<void()>& build,
                           const char* helpTourText) {
    if (frame.visible()) return;
    build();
    switchTo(frame);
    helpTourText_ = helpTourText;
    ShowHelpTour();
}
void MainForm::cmdAllDay_Click() {
    dayHistory.showAllDays(themeNames());
}
void MainForm::lstDay_Click() {
    dayHistory.showMonth(themeNames());
}

ThemeNames MainForm::themeNames() const {
    return {themes[0].themeName(), themes[1].themeName(), themes[2].themeName()};
}

void MainForm::cmdEnd_Click() {
    s_.shell.closeHelp();
    s_.shell.endProgram();
}

}  // namespace zm
