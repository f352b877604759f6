#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/money.h"
#include "store/loaded.h"
#include "store/themerecord.h"
#include "ui/chartdata.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/services.h"

namespace zm {

struct ThemeRecord;
struct ItemRecord;

enum class RenameGesture { Click, DoubleClick };

// What sets the three theme pages apart: control names, files, and two
// differences of behaviour. The names follow the theme's word in the window
// ("Chin" makes txtChinKou, cmdChinHozon, ...), the ledger grid's aside.
struct ThemeTraits {
    ThemeTraits(int theme, const char* word, const char* ledgerGrid, bool asksWhenEmpty,
                RenameGesture gesture);

    int index;  // 0 for theme 1
    std::string frame, ledger, items, itemField, amountField, deposit, clear, clearItems, count,
        total, chart, nameLabel, picture;
    std::string_view ledgerFile, itemFile, nameFile;
    // Theme 1 passes over a clear of an empty ledger; themes 2 and 3 always ask.
    bool clearAsksWhenEmpty;
    RenameGesture rename;
};

extern const std::array<ThemeTraits, 3> kThemes;

// A theme savings page: deposits against named items, the item list to pick
// them from, and the theme's name. Built once per theme from its ThemeTraits.
class ThemePage {
public:
    // `pageButton` is the main window's button of this page, whose caption
    // follows the theme name; `sampleData` tells whether the shipped sample
    // data is still in place.
    ThemePage(const ThemeTraits& traits, Services services, Button& pageButton,
              std::function<bool()> sampleData);
    ThemePage(const ThemePage&) = delete;
    ThemePage& operator=(const ThemePage&) = delete;

    const ThemeTraits& traits() const { return traits_; }

    // Controls, named after the theme (msgChingin, txtTumoriKou, imgTema3, ...).
    Frame fraCyokin;
    LedgerTable msgLedger;
    LedgerTable msgKou;
    TextBox txtKou;
    TextBox txtInp;
    Button cmdHozon;
    Button cmdClr;
    Button cmdClr2;
    Label lblCnt;
    Label lblZen;
    ChartData mctTema;
    Label lblTemaMei;
    Picture imgTema;

    // What the main form and the summary pages read.
    Money themeTotal() const { return themeTotal_; }
    const std::string& themeName() const { return lblTemaMei.caption(); }
    bool hasRecords() const { return !msgLedger.empty(); }

    // Start-up: the ledger and item tables, the ledger, the items and the
    // name, the chart.
    void load();

    // Handlers.
    void cmdHozon_Click();
    void txtInp_KeyPress(int key);
    void msgLedger_DblClick();
    void cmdClr_Click();
    void msgKou_Click();
    void msgKou_DblClick();
    void cmdClr2_Click();
    void txtKou_KeyPress(int key);
    // Asks for a new name and keeps it.
    void EditThemeName();
    void imgTema_Click();
    void imgTema_DblClick();
    void lblTemaMei_Click();
    void lblTemaMei_DblClick();

    // The ledger's and the item list's columns, then a row per record (the
    // ledger's with its running total): the page's tables, or ones made to
    // take the files out.
    // A ledger read with its names numbered is filled without a copy of a
    // name per record.
    static void fillLedger(LedgerTable& table, const Loaded<ThemeRecord>& ledger);
    static void FillItems(LedgerTable& table, const std::vector<ItemRecord>& items);

private:
    // The ledger.
    void resetThemeLedgerTable();
    void loadThemeLedger();
    void addThemeRow(const ThemeRecord& record);
    void appendThemeRecord(const ThemeRecord& record);
    void showThemeTotals();
    void drawTemaChart();
    // The totals and the chart of the rows, as a reload would show them.
    void showThemeRows();
    // The page's words for it in an undo's text: テーマ１「…」.
    std::string where() const;
    std::string themeWord() const;  // テーマ１ to テーマ３
    // The item list.
    void resetThemeItemTable();
    void loadThemeItems();
    void offerNewItem();
    // The item list read anew, the boxes emptied as after its clear.
    void showItemsAgain();
    // The name.
    void loadThemeName();

    // The three checks of a deposit; shows the first failure when `tell`.
    bool depositReady(bool tell);
    Money typedAmount() const;
    void showName(const std::string& name);
    void refuse(const std::string& text, const std::string& title);

    const ThemeTraits& traits_;
    Services s_;
    Button& pageButton_;
    std::function<bool()> sampleData_;

    // State.
    Money themeTotal_;
    int themeCount_ = 0;
};

}  // namespace zm
