#include "theme/themepage.h"

#include <optional>

#include "core/datetime.h"
#include "core/utf8.h"
#include "store/cp932.h"
#include "store/fieldlength.h"
#include "store/filenames.h"
#include "store/itemlistfile.h"
#include "store/itemrecord.h"
#include "store/recordfile.h"
#include "store/themeledgerfile.h"
#include "store/themenamefile.h"
#include "store/themerecord.h"
#include "ui/dialogs.h"
#include "ui/pagechart.h"
#include "ui/recordlimit.h"
#include "ui/rowdeletion.h"
#include "ui/shell.h"

namespace zm {

ThemeTraits::ThemeTraits(int theme, const char* word, const char* ledgerGrid, bool asksWhenEmpty,
                         RenameGesture gesture)
    : index(theme),
      frame("fraCyokin" + std::to_string(theme + 3)),
      ledger(ledgerGrid),
      items(std::string("msg") + word + "Kou"),
      itemField(std::string("txt") + word + "Kou"),
      amountField(std::string("txt") + word + "_Inp"),
      deposit(std::string("cmd") + word + "Hozon"),
      clear(std::string("cmd") + word + "Clr"),
      clearItems(std::string("cmd") + word + "Clr2"),
      count(std::string("lbl") + word + "_cnt"),
      total(std::string("lbl") + word + "_zen"),
      chart("mctTema" + std::to_string(theme + 1)),
      nameLabel("lblTemaMei" + std::to_string(theme + 1)),
      picture("imgTema" + std::to_string(theme + 1)),
      ledgerFile(files::kTheme[static_cast<std::size_t>(theme)]),
      itemFile(files::kItems[static_cast<std::size_t>(theme)]),
      nameFile(files::kThemeName[static_cast<std::size_t>(theme)]),
      clearAsksWhenEmpty(asksWhenEmpty),
      rename(gesture) {}

const std::array<ThemeTraits, 3> kThemes{{
    {0, "Chin", "msgChingin", false, RenameGesture::DoubleClick},
    {1, "Tumori", "msgTumori", true, RenameGesture::Click},
    {2, "Bakkin", "msgBakkin", true, RenameGesture::DoubleClick},
}};

namespace {

constexpr const char* kDeleteTitle = "削除確認";
constexpr const char* kRenameTooltip = "ダブルクリックでテーマ名を変更できます";

}  // namespace

ThemePage::ThemePage(const ThemeTraits& traits, Services services, Button& pageButton,
                     std::function<bool()> sampleData)
    : fraCyokin(traits.frame),
      msgLedger(traits.ledger, 12),
      msgKou(traits.items, 12),
      txtKou(traits.itemField),
      txtInp(traits.amountField),
      cmdHozon(traits.deposit, "入金"),
      cmdClr(traits.clear, "クリア"),
      cmdClr2(traits.clearItems),
      lblCnt(traits.count),
      lblZen(traits.total),
      mctTema(traits.chart),
      lblTemaMei(traits.nameLabel, "～つもり貯金"),
      imgTema(traits.picture),
      traits_(traits),
      s_(services),
      pageButton_(pageButton),
      sampleData_(std::move(sampleData)) {
    lblTemaMei.setTooltip(kRenameTooltip);
    imgTema.setTooltip(kRenameTooltip);
    cmdClr2.setTooltip("項目全クリア");
}

void ThemePage::load() {
    resetThemeLedgerTable();
    resetThemeItemTable();
    loadThemeLedger();
    loadThemeItems();  // and the theme name
    drawTemaChart();
}

// ---- The ledger ----

namespace {

std::vector<Column> ledgerColumns() {
    return {{"回", 600, Align::Default},
            {"日付", 1900, Align::Centre},
            {"項目", 4900, Align::Left},
            {"入金", 900, Align::Right},
            {"累計", 1050, Align::Right}};
}

}  // namespace

void ThemePage::resetThemeLedgerTable() {
    msgLedger.reset(ledgerColumns());
}

void ThemePage::fillLedger(LedgerTable& table, const Loaded<ThemeRecord>& ledger) {
    // Rows, positions and running totals are rebuilt whole from the file.
    table.reset(ledgerColumns());
    table.beginLoad();
    table.reserve(static_cast<int>(ledger.records.size()));
    const bool numbered = ledger.nameOf.size() == ledger.records.size();
    std::vector<std::int64_t> nameText;
    nameText.reserve(ledger.names.size());
    for (const std::string& name : ledger.names) nameText.push_back(table.textValue(name));
    using K = Cell::Kind;
    static constexpr K kKinds[] = {K::Position, K::Day, K::Text, K::Amount, K::Amount};
    Money running;
    for (std::size_t i = 0; i < ledger.records.size(); ++i) {
        const ThemeRecord& rec = ledger.records[i];
        running += rec.amount;  // within range: the reader checked the sum
        const std::int64_t item =
            numbered ? nameText.at(ledger.nameOf[i]) : table.textValue(rec.item);
        const std::int64_t values[] = {0, dayNumber(rec.date), item, rec.amount.raw(),
                                       running.raw()};
        table.appendValues(kKinds, values);
    }
    table.endLoad();
}

void ThemePage::loadThemeLedger() {
    const auto ledger = ThemeLedgerFile(s_.folder, traits_.index).readOrCreate(true);
    fillLedger(msgLedger, ledger);
    themeTotal_ = ledger.total;
    themeCount_ = msgLedger.recordCount();
    if (!msgLedger.empty()) msgLedger.scrollToLast();
    showThemeTotals();
}

void ThemePage::showThemeTotals() {
    lblCnt.setCaption(std::to_string(themeCount_));
    lblZen.setCaption(themeTotal_.currencyText());
}

Money ThemePage::typedAmount() const {
    return parseAmount(txtInp.text()).value_or(Money());
}

void ThemePage::addThemeRow(const ThemeRecord& record) {
    themeTotal_ += record.amount;
    const int r = msgLedger.rowCount();
    msgLedger.appendRow(
        {Cell::position(), Cell(record.date), record.item, Cell(record.amount), Cell(themeTotal_)});
    msgLedger.scrollToLast();
    themeCount_ = r;
    showThemeTotals();
}

void ThemePage::appendThemeRecord(const ThemeRecord& record) {
    ThemeLedgerFile(s_.folder, traits_.index).append(record);
}

void ThemePage::drawTemaChart() {
    fillPageChart(msgLedger, mctTema);
}

bool ThemePage::depositReady(bool tell) {
    const auto fail = [&](const char* text, const char* title) {
        if (tell) s_.dialogs.msgBox(text, title, Icon::Exclamation, Buttons::Ok);
        return false;
    };
    if (txtKou.text().empty()) return fail("項目が選択されていません", "項目未選択");
    if (txtInp.text().empty()) return fail("金額が入力されていません", "金額未記入");
    if (!parseAmount(txtInp.text())) {
        return fail("金額欄に数字以外の入力がされています", "数値以外");
    }
    return true;
}

void ThemePage::refuse(const std::string& text, const std::string& title) {
    s_.dialogs.msgBox(text, title, Icon::Exclamation, Buttons::Ok);
}

void ThemePage::cmdHozon_Click() {
    if (!depositReady(true)) return;
    if (refuseFieldText(s_.dialogs, "項目名", fitsStringField(txtKou.text()),
                        fitsFieldLength(txtKou.text())))
        return;
    if (refuseWhenFull(s_.dialogs, msgLedger.recordCount(), kMaxRecords,
                       themeName() + "の記録は 32,766 回までです。\r\n"
                                     "古い記録を削除してから入金してください。"))
        return;
    if (!Money::checkedAdd(themeTotal_, typedAmount())) {
        refuse("金額が大きすぎて合計を計算できません。", "金額超過");
        return;
    }

    const ThemeRecord record{s_.clock.today(), txtKou.text(), typedAmount()};
    appendThemeRecord(record);
    s_.made(where() + "の入金 " + record.amount.currencyText(),
            followAppend(msgLedger,
                         {Cell::position(), Cell(record.date), record.item, Cell(record.amount),
                          Cell()},
                         3, 4, [this] { showThemeRows(); }));
    addThemeRow(record);
    drawTemaChart();
    offerNewItem();
    if (sampleData_()) {
        s_.dialogs.msgBox(kNewStartReminder, kNewStartReminderTitle, Icon::Exclamation,
                          Buttons::Ok);
    }
    txtKou.setText("");
    txtInp.setText("");
    s_.shell.setFocus(txtKou);
}

void ThemePage::txtInp_KeyPress(int key) {
    if (key != kEnterKey) return;
    // Enter deposits only what the button would accept, and otherwise stays quiet.
    if (depositReady(false)) cmdHozon_Click();
}

void ThemePage::msgLedger_DblClick() {
    const auto question = [this](int r) {
        return shownRow(msgLedger, r, 4) + " のデータを削除してもいいですか？\r\n";
    };
    const auto rewrite = [this](int r) {
        rewriteRowsExcept<ThemeRecord>(ThemeLedgerFile(s_.folder, traits_.index),
                                       msgLedger.recordCount(), r, [this](int i, ThemeRecord& rec) {
                                           rec.date = msgLedger.date(i, 1);
                                           rec.item = msgLedger.textView(i, 2);
                                           rec.amount = msgLedger.value(i, 3);
                                       });
    };
    Row removed;
    const int r = deleteCurrentRow(msgLedger, s_.dialogs,
                                   "最後の行はクリアボタンで削除してください", question, rewrite,
                                   &removed);
    if (r == 0) return;
    s_.made(where() + "の " + std::to_string(r) + " 行目の削除",
            followDeletion(msgLedger, r, std::move(removed), 3, 4, [this] { showThemeRows(); }));
    // The rows are those of the rewritten file: the table stands as a reload
    // would leave it, without reading the file again.
    themeTotal_ = settleLedgerAfterDeletion(msgLedger, r, 3, 4);
    themeCount_ = msgLedger.recordCount();
    showThemeTotals();
}

void ThemePage::cmdClr_Click() {
    if (!traits_.clearAsksWhenEmpty && msgLedger.empty()) return;
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", kDeleteTitle,
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    ThemeLedgerFile(s_.folder, traits_.index).empty();
    s_.made(where() + "のクリア", [this](bool) {
        resetThemeLedgerTable();
        loadThemeLedger();
        drawTemaChart();
    });
    resetThemeLedgerTable();
    loadThemeLedger();
}

void ThemePage::showThemeRows() {
    const int n = msgLedger.recordCount();
    themeTotal_ = n == 0 ? Money() : msgLedger.value(n, 4);
    themeCount_ = n;
    showThemeTotals();
    // As a reload leaves the table: no row chosen, the last one at the top.
    msgLedger.setCurrentRow(0);
    if (n > 0) msgLedger.scrollToLast();
    drawTemaChart();
}

std::string ThemePage::where() const {
    return themeWord() + "「" + themeName() + "」";
}

std::string ThemePage::themeWord() const {
    static const char* const kWords[] = {"テーマ１", "テーマ２", "テーマ３"};
    return kWords[traits_.index];
}

// ---- The name ----

void ThemePage::showName(const std::string& name) {
    lblTemaMei.setCaption(name);
    pageButton_.setCaption(firstChars(name, 4));
}

void ThemePage::loadThemeName() {
    showName(ThemeNameFile(s_.folder, traits_.index).read());
}

void ThemePage::EditThemeName() {
    const std::string name = s_.dialogs.inputBox("テーマ名を入力してください", "テーマ名入力");
    if (name.empty()) return;
    if (refuseFieldText(s_.dialogs, "テーマ名", fitsStringField(name), fitsFieldLength(name)))
        return;
    const std::string old = themeName();
    ThemeNameFile(s_.folder, traits_.index).write(name);
    s_.made(themeWord() + "の名前の変更（「" + old + "」から「" +
                name + "」へ）",
            [this](bool) { loadThemeName(); });
    showName(name);
}

void ThemePage::imgTema_Click() {
    if (traits_.rename == RenameGesture::Click) EditThemeName();
}

void ThemePage::imgTema_DblClick() {
    if (traits_.rename == RenameGesture::DoubleClick) EditThemeName();
}

void ThemePage::lblTemaMei_Click() {
    imgTema_Click();
}
void ThemePage::lblTemaMei_DblClick() {
    imgTema_DblClick();
}

}  // namespace zm
