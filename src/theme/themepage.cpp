#include "theme/themepage.h"

#include <optional>

#include "core/datetime.h"
#include "core/utf8.h"
#include "step/pagechart.h"
#include "store/cp932.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

namespace zm {

const std::array<ThemeTraits, 3> kThemes{{
    {0, "fraCyokin3", "msgChingin", "msgChinKou", "txtChinKou", "txtChin_Inp", "cmdChinHozon",
     "cmdChinClr", "cmdChinClr2", "lblChin_cnt", "lblChin_zen", "mctTema1", "lblTemaMei1",
     "imgTema1", files::kTheme[0], files::kItems[0], files::kThemeName[0], false,
     RenameGesture::DoubleClick},
    {1, "fraCyokin4", "msgTumori", "msgTumoriKou", "txtTumoriKou", "txtTumori_Inp",
     "cmdTumoriHozon", "cmdTumoriClr", "cmdTumoriClr2", "lblTumori_cnt", "lblTumori_zen",
     "mctTema2", "lblTemaMei2", "imgTema2", files::kTheme[1], files::kItems[1],
     files::kThemeName[1], true, RenameGesture::Click},
    {2, "fraCyokin5", "msgBakkin", "msgBakkinKou", "txtBakkinKou", "txtBakkin_Inp",
     "cmdBakkinHozon", "cmdBakkinClr", "cmdBakkinClr2", "lblBakkin_cnt", "lblBakkin_zen",
     "mctTema3", "lblTemaMei3", "imgTema3", files::kTheme[2], files::kItems[2],
     files::kThemeName[2], true, RenameGesture::DoubleClick},
}};

namespace {

constexpr const char* kDeleteTitle = "削除確認";
constexpr const char* kRenameTooltip = "ダブルクリックでテーマ名を変更できます";
constexpr const char* kUnwritableHint =
    "ダブルクォーテーション（\"）、改行、絵文字などの記号は保存できません。";

}  // namespace

ThemePage::ThemePage(const ThemeTraits& traits, Services services, Button& pageButton,
                     const bool& sampleData)
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
      sampleData_(sampleData) {
    lblTemaMei.setTooltip(kRenameTooltip);
    imgTema.setTooltip(kRenameTooltip);
    cmdClr2.setTooltip("項目全クリア");
}

// ---- The ledger ----

void ThemePage::ResetThemeLedgerTable() {
    msgLedger.reset({{"回", 600, Align::Default},
                     {"日付", 1900, Align::Centre},
                     {"項目", 4900, Align::Left},
                     {"入金", 900, Align::Right},
                     {"累計", 1050, Align::Right}});
}

void ThemePage::LoadThemeLedger() {
    const auto records = s_.folder.readOrCreate(traits_.ledgerFile, "Dsm");
    ThemeTotal = Money();
    // Rows, positions and running totals are rebuilt whole from the file.
    msgLedger.reset(msgLedger.columns());
    msgLedger.beginLoad();
    int i = 1;
    for (const Record& rec : records) {
        const auto total = Money::checkedAdd(ThemeTotal, rec.money(2));
        if (!total) {
            msgLedger.endLoad();
            throw FileError(std::string(traits_.ledgerFile), rec.line, "金額の合計が大きすぎます");
        }
        ThemeTotal = *total;
        msgLedger.appendRow(
            {std::to_string(i), rec.str(0), rec.str(1), Cell(rec.money(2)), Cell(ThemeTotal)});
        ++i;
    }
    msgLedger.endLoad();
    ThemeCount = msgLedger.recordCount();
    if (!msgLedger.empty()) msgLedger.scrollToLast();
    ShowThemeTotals();
}

void ThemePage::ShowThemeTotals() {
    lblCnt.setCaption(std::to_string(ThemeCount));
    lblZen.setCaption(ThemeTotal.currencyText());
}

Money ThemePage::typedAmount() const {
    return parseAmount(txtInp.text()).value_or(Money());
}

void ThemePage::AddThemeRow() {
    const Money amount = typedAmount();
    ThemeTotal += amount;
    const int r = msgLedger.rowCount();
    msgLedger.appendRow({std::to_string(r), dateText(s_.clock.today()), txtKou.text(), Cell(amount),
                         Cell(ThemeTotal)});
    msgLedger.scrollToLast();
    ThemeCount = r;
    ShowThemeTotals();
}

void ThemePage::AppendThemeRecord() {
    s_.folder.append(
        traits_.ledgerFile,
        RecordLine().str(dateText(s_.clock.today())).str(txtKou.text()).money(typedAmount()));
}

void ThemePage::DrawTemaChart() {
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
    if (!fitsStringField(txtKou.text())) {
        refuse(std::string("項目名に保存できない文字が含まれています。\r\n") + kUnwritableHint,
               "使用できない文字");
        return;
    }
    if (!Money::checkedAdd(ThemeTotal, typedAmount())) {
        refuse("金額が大きすぎて合計を計算できません。", "金額超過");
        return;
    }

    AddThemeRow();
    AppendThemeRecord();
    DrawTemaChart();
    OfferNewItem();
    if (sampleData_) {
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
    if (msgLedger.empty()) return;
    if (msgLedger.recordCount() == 1) {
        refuse("最後の行はクリアボタンで削除してください", kDeleteTitle);
        return;
    }
    const int r = msgLedger.currentRow();
    if (r < 1) return;
    std::string question;
    for (int c = 0; c < 4; ++c) {
        if (c > 0) question += ' ';
        question += msgLedger.cell(r, c).text;
    }
    question += " のデータを削除してもいいですか？\r\n";
    if (s_.dialogs.msgBox(question, kDeleteTitle, Icon::Question, Buttons::OkCancel) !=
        Answer::Ok) {
        return;
    }

    msgLedger.removeRow(r);
    std::vector<RecordLine> lines;
    lines.reserve(static_cast<std::size_t>(msgLedger.recordCount()));
    for (int row = 1; row <= msgLedger.recordCount(); ++row) {
        lines.push_back(RecordLine()
                            .str(msgLedger.cell(row, 1).text)
                            .str(msgLedger.cell(row, 2).text)
                            .money(msgLedger.value(row, 3)));
    }
    s_.folder.rewrite(traits_.ledgerFile, lines);
    LoadThemeLedger();
}

void ThemePage::cmdClr_Click() {
    if (!traits_.clearAsksWhenEmpty && msgLedger.empty()) return;
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", kDeleteTitle,
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    s_.folder.empty(traits_.ledgerFile);
    ResetThemeLedgerTable();
    LoadThemeLedger();
}

// ---- The item list ----

void ThemePage::ResetThemeItemTable() {
    msgKou.reset({{"項目", 4900, Align::Left}, {"金額", 900, Align::Right}});
}

void ThemePage::LoadThemeItems() {
    const auto records = s_.folder.read(traits_.itemFile, "sm");
    msgKou.reset(msgKou.columns());
    msgKou.beginLoad();
    for (const Record& rec : records) msgKou.appendRow({rec.str(0), Cell(rec.money(1))});
    msgKou.endLoad();
    LoadThemeName();
}

void ThemePage::msgKou_Click() {
    const int r = msgKou.currentRow();
    if (msgKou.empty() || r < 1) return;
    txtKou.setText(msgKou.cell(r, 0).text);
    txtInp.setText(msgKou.value(r, 1).plainText());
}

void ThemePage::txtKou_KeyPress(int key) {
    if (key == kEnterKey && !txtKou.text().empty()) s_.shell.setFocus(txtInp);
}

void ThemePage::OfferNewItem() {
    const std::string& name = txtKou.text();
    for (int r = 1; r <= msgKou.recordCount(); ++r) {
        if (msgKou.cell(r, 0).text == name) return;
    }
    const Answer a = s_.dialogs.msgBox(
        "新規の項目ですが項目リストに保存しますか？\r\n\r\n"
        "保存すると次回よりリストからの選択で入力することができるようになります。",
        "項目登録確認", Icon::Question, Buttons::YesNo);
    if (a != Answer::Yes) return;
    const Money amount = typedAmount();
    s_.folder.append(traits_.itemFile, RecordLine().str(name).money(amount));
    msgKou.appendRow({name, Cell(amount)});
}

void ThemePage::msgKou_DblClick() {
    if (msgKou.empty()) return;
    if (msgKou.recordCount() == 1) {
        refuse("最後の行は項目入力欄下の「項目全クリア」ボタンで削除してください", kDeleteTitle);
        return;
    }
    const int r = msgKou.currentRow();
    if (r < 1) return;
    if (s_.dialogs.msgBox(msgKou.cell(r, 0).text + " の項目を削除してもいいですか？\r\n",
                          kDeleteTitle, Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    msgKou.removeRow(r);
    txtKou.setText("");
    txtInp.setText("");
    std::vector<RecordLine> lines;
    lines.reserve(static_cast<std::size_t>(msgKou.recordCount()));
    for (int row = 1; row <= msgKou.recordCount(); ++row) {
        lines.push_back(RecordLine().str(msgKou.cell(row, 0).text).money(msgKou.value(row, 1)));
    }
    s_.folder.rewrite(traits_.itemFile, lines);
}

void ThemePage::cmdClr2_Click() {
    if (msgKou.empty()) return;
    if (s_.dialogs.msgBox("登録されている項目を全て削除してもいいですか？\r\n", kDeleteTitle,
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    s_.folder.empty(traits_.itemFile);
    txtKou.setText("");
    txtInp.setText("");
    ResetThemeItemTable();
    LoadThemeItems();
}

// ---- The name ----

void ThemePage::showName(const std::string& name) {
    lblTemaMei.setCaption(name);
    pageButton_.setCaption(firstChars(name, 4));
}

void ThemePage::LoadThemeName() {
    const auto records = s_.folder.read(traits_.nameFile, "s");
    if (records.empty()) {
        throw FileError(std::string(traits_.nameFile), 0, "テーマ名がありません");
    }
    showName(records.front().str(0));
}

void ThemePage::EditThemeName() {
    const std::string name = s_.dialogs.inputBox("テーマ名を入力してください", "テーマ名入力");
    if (name.empty()) return;
    if (!fitsStringField(name)) {
        refuse(std::string("テーマ名に保存できない文字が含まれています。\r\n") + kUnwritableHint,
               "使用できない文字");
        return;
    }
    s_.folder.rewrite(traits_.nameFile, {RecordLine().str(name)});
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
