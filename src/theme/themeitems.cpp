// The item list of a theme page: the items to pick a deposit from, their
// registration after a deposit of a new one, their deletion and clear.
#include "store/itemlistfile.h"
#include "store/itemrecord.h"
#include "theme/themepage.h"
#include "ui/dialogs.h"
#include "ui/recordlimit.h"
#include "ui/rowdeletion.h"
#include "ui/shell.h"

namespace zm {

namespace {

constexpr const char* kDeleteTitle = "削除確認";

std::vector<Column> itemColumns() {
    return {{"項目", 4900, Align::Left}, {"金額", 900, Align::Right}};
}

}  // namespace

void ThemePage::FillItems(LedgerTable& table, const std::vector<ItemRecord>& items) {
    table.reset(itemColumns());
    table.beginLoad();
    for (const ItemRecord& rec : items) table.appendRow({rec.item, Cell(rec.amount)});
    table.endLoad();
}

void ThemePage::showItemsAgain() {
    txtKou.setText("");
    txtInp.setText("");
    resetThemeItemTable();
    loadThemeItems();
}

void ThemePage::resetThemeItemTable() {
    msgKou.reset(itemColumns());
}

void ThemePage::loadThemeItems() {
    FillItems(msgKou, ItemListFile(s_.folder, traits_.index).read().records);
    loadThemeName();
}

void ThemePage::msgKou_Click() {
    const int r = msgKou.currentRow();
    if (msgKou.empty() || r < 1) return;
    txtKou.setText(msgKou.text(r, 0));
    txtInp.setText(msgKou.value(r, 1).plainText());
}

void ThemePage::txtKou_KeyPress(int key) {
    if (key == kEnterKey && !txtKou.text().empty()) s_.shell.setFocus(txtInp);
}

void ThemePage::offerNewItem() {
    const std::string& name = txtKou.text();
    for (int r = 1; r <= msgKou.recordCount(); ++r) {
        if (msgKou.text(r, 0) == name) return;
    }
    const Answer a = s_.dialogs.msgBox(
        "新規の項目ですが項目リストに保存しますか？\r\n\r\n"
        "保存すると次回よりリストからの選択で入力することができるようになります。",
        "項目登録確認", Icon::Question, Buttons::YesNo);
    if (a != Answer::Yes) return;
    if (refuseWhenFull(s_.dialogs, msgKou.recordCount(), kMaxRecords,
                       "項目リストは 32,766 個までです。\r\n"
                       "使わない項目を削除してから登録してください。"))
        return;
    const Money amount = typedAmount();
    ItemListFile(s_.folder, traits_.index).append({name, amount});
    s_.made(where() + "の項目「" + name + "」の登録", [this](bool) { showItemsAgain(); });
    msgKou.appendRow({name, Cell(amount)});
}

void ThemePage::msgKou_DblClick() {
    std::string item;
    const auto question = [this, &item](int r) {
        item = msgKou.text(r, 0);
        return item + " の項目を削除してもいいですか？\r\n";
    };
    const auto rewrite = [this](int r) {
        rewriteRowsExcept<ItemRecord>(ItemListFile(s_.folder, traits_.index), msgKou.recordCount(),
                                      r, [this](int i, ItemRecord& rec) {
                                          rec.item = msgKou.text(i, 0);
                                          rec.amount = msgKou.value(i, 1);
                                      });
    };
    if (deleteCurrentRow(msgKou, s_.dialogs,
                         "最後の行は項目入力欄下の「項目全クリア」ボタンで削除してください",
                         question, rewrite) == 0)
        return;
    s_.made(where() + "の項目「" + item + "」の削除",
            [this](bool) { showItemsAgain(); });
    txtKou.setText("");
    txtInp.setText("");
}

void ThemePage::cmdClr2_Click() {
    if (msgKou.empty()) return;
    if (s_.dialogs.msgBox("登録されている項目を全て削除してもいいですか？\r\n", kDeleteTitle,
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    ItemListFile(s_.folder, traits_.index).empty();
    s_.made(where() + "の項目全クリア", [this](bool) { showItemsAgain(); });
    txtKou.setText("");
    txtInp.setText("");
    resetThemeItemTable();
    loadThemeItems();
}

}  // namespace zm
