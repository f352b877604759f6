#include "ui/tableexport.h"

#include <gtest/gtest.h>

#include "support/world.h"

namespace zm::test {
namespace {

// These rows of a theme ledger as the page holds it: position, date, item,
// amount.
OutTable ledger(const std::vector<std::string>& items, const std::vector<int>& rows = {}) {
    LedgerTable table("msgLedger");
    table.reset({{"回"}, {"日付"}, {"項目", 1000, Align::Left}, {"入金", 1000, Align::Right}});
    unsigned day = 1;
    for (const std::string& item : items) {
        table.appendRow(
            {Cell::position(), Cell(ymd(2026, 1, day++)), item, Cell(Money::fromRaw(12'345'6789))});
    }
    return outTable(table, rows, "t");
}

// A text a spreadsheet would read as a formula keeps an apostrophe in front;
// RFC 4180 quoting where a field needs it; other texts as they are.
TEST(TableCsv, TextCellsComeOutAsTextWhateverTheyHold) {
    const struct {
        std::string item;
        std::string field;
    } cases[] = {
        {"お風呂", "お風呂"},
        {"=1+2", "'=1+2"},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+81", "'+81"},
        {"-5円", "'-5円"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tタブ", "'\tタブ"},
        {"\r改行", "\"'\r改行\""},
        {"a,b", "\"a,b\""},
        {"二行\n目", "\"二行\n目\""},
        {"中-ハイフン", "中-ハイフン"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string csv = toCsv(ledger({c.item}));
        EXPECT_EQ(csv,
                  "\xEF\xBB\xBF回,日付,項目,入金\r\n1,2026-01-01," + c.field + ",12345.6789\r\n")
            << c.item;
    }
}

// Values, never shown texts: plain amounts with their decimals and sign,
// ISO dates and months, times, counts; an empty cell stays empty.
TEST(TableCsv, ValuesArePlainForASpreadsheet) {
    const struct {
        OutCell cell;
        std::string csv, shown;
    } cases[] = {
        {OutCell::ofAmount(Money::fromYen(2'500'000)), "2500000", "¥2,500,000"},
        {OutCell::ofAmount(Money::fromYen(-400'000)), "-400000", "-¥400,000"},
        {OutCell::ofAmount(Money::fromRaw(12'5000)), "12.5", "¥13"},
        {OutCell::ofAmount(Money()), "0", "¥0"},
        {OutCell::ofDay(ymd(2005, 1, 4)), "2005-01-04", "2005年01月04日"},
        {OutCell::ofMonth(std::chrono::year(2026) / 12), "2026-12", "2026年12月"},
        {OutCell::ofMonth(std::chrono::year(2027) / 1), "2027-01", "2027年01月"},
        {OutCell::ofTime(hms(9, 5, 1)), "09:05:01", "09:05:01"},
        {OutCell::ofCount(32766), "32766", "32766"},
        {OutCell(), "", ""},
    };
    for (const auto& c : cases) {
        const OutTable table{"t", {"値"}, {Align::Right}, {{c.cell}}};
        EXPECT_EQ(toCsv(table), "\xEF\xBB\xBF値\r\n" + c.csv + "\r\n") << c.shown;
        EXPECT_EQ(toTsv(table), "値\n" + c.shown + "\n") << c.shown;
    }
}

// The chosen rows in order, or all; the clipboard's two forms of them.
TEST(TableCopy, ChosenRowsAsShownInTextAndHtml) {
    const std::vector<std::string> items = {"a<b>&c", "二\t列", "三"};
    EXPECT_EQ(toTsv(ledger(items, {1, 3})),
              "回\t日付\t項目\t入金\n"
              "1\t2026年01月01日\ta<b>&c\t¥12,346\n"
              "3\t2026年01月03日\t三\t¥12,346\n");
    EXPECT_EQ(ledger(items).rows.size(), 3u);
    EXPECT_EQ(toTsv(ledger(items, {2})),
              "回\t日付\t項目\t入金\n2\t2026年01月02日\t二 列\t¥12,346\n");

    const std::string html = toHtml(ledger(items, {1}));
    EXPECT_NE(html.find("<tr><th>回</th><th>日付</th><th>項目</th><th>入金</th></tr>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>a&lt;b&gt;&amp;c</td><td align=\"right\" sdval=\"12345.6789\">"
                        "¥12,346</td></tr>"),
              std::string::npos)
        << html;
}

TEST(TableFileName, TitleAndDateWithoutCharactersAFileNameCannotHold) {
    const struct {
        std::string title, name;
    } cases[] = {
        {"小銭清算貯金", "小銭清算貯金_20260305.csv"},
        {"旅行/車:費*?", "旅行_車_費___20260305.csv"},
        {"", "__20260305.csv"},
        {"..", "_.._20260305.csv"},
    };
    for (const auto& c : cases) EXPECT_EQ(outFileName(c.title, ymd(2026, 3, 5), ".csv"), c.name);
}

}  // namespace
}  // namespace zm::test
