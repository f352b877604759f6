#include "ui/ledgertable.h"

#include <gtest/gtest.h>

#include "support/world.h"

namespace zm::test {
namespace {

struct Told {
    LedgerTable::Change change;
    int row;
    bool operator==(const Told&) const = default;
};

// A ledger of positions, dates, times, amounts and running totals.
struct TableFixture : ::testing::Test {
    LedgerTable table{"msgTest"};
    std::vector<Told> told;

    TableFixture() {
        table.reset({{"回"}, {"日付"}, {"時間"}, {"入金"}, {"累計"}});
        table.observeRows([this](LedgerTable::Change c, int r) { told.push_back({c, r}); });
    }
    void add(int day, std::int64_t raw, std::int64_t total) {
        table.appendRow({Cell::position(), Cell(ymd(2026, 3, static_cast<unsigned>(day))),
                         Cell(hms(9, 5, day)), Cell(Money::fromRaw(raw)),
                         Cell(Money::fromRaw(total))});
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> texts;
        for (int r = 1; r <= table.recordCount(); ++r) texts.push_back(table.text(r, c));
        return texts;
    }
};

TEST_F(TableFixture, ValuesAreShownAsTextsWhenAskedAndKeptForRewriting) {
    add(1, 12'5000, 12'5000);
    table.appendRow({"お風呂", Cell(Money::fromYen(-400'000)), "", Cell(), ""});
    EXPECT_EQ(told, (std::vector<Told>{{LedgerTable::Change::RowAppended, 1},
                                       {LedgerTable::Change::RowAppended, 2}}));
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "お風呂"}));
    EXPECT_EQ(column(1), (std::vector<std::string>{"2026年03月01日", "-¥400,000"}));
    EXPECT_EQ(table.text(1, 2), "09:05:01");
    EXPECT_EQ(table.text(1, 3), "¥13");  // shown in whole yen
    EXPECT_EQ(table.value(1, 3), Money::fromRaw(12'5000));
    EXPECT_EQ(table.date(1, 1), ymd(2026, 3, 1));
    EXPECT_EQ(table.time(1, 2), hms(9, 5, 1));
    EXPECT_EQ(table.cell(2, 1).value, Money::fromYen(-400'000));
    EXPECT_EQ(table.cell(1, 1).value, std::nullopt);
    EXPECT_EQ(table.value(2, 0), Money());  // a text has no amount
    EXPECT_EQ(table.kind(2, 3), Cell::Kind::Empty);
    EXPECT_EQ(table.text(2, 3), "");
    EXPECT_THROW(table.date(2, 1), std::logic_error);
    EXPECT_THROW(table.text(3, 0), std::out_of_range);
    EXPECT_THROW(table.text(1, 5), std::out_of_range);

    // Short rows are filled with empty cells, long ones cut to the columns.
    table.appendRow(Row{"a"});
    table.appendRow({"a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(table.kind(3, 4), Cell::Kind::Empty);
    EXPECT_EQ(table.text(4, 4), "e");
}

TEST_F(TableFixture, PositionsAndRunningTotalsFollowARemovedRow) {
    add(1, 10'0000, 10'0000);
    add(2, -3'0000, 7'0000);
    add(3, 5'5000, 12'5000);
    add(4, 1'0000, 13'5000);
    told.clear();

    table.removeRow(2);
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(table.runningTotal(3, 4, 2), Money::fromRaw(16'5000));
    EXPECT_EQ(column(4), (std::vector<std::string>{"¥10", "¥16", "¥17"}));  // 15.5 and 16.5
    EXPECT_EQ(table.value(2, 4), Money::fromRaw(15'5000));
    EXPECT_EQ(told, (std::vector<Told>{{LedgerTable::Change::RowRemoved, 2},
                                       {LedgerTable::Change::ValuesChanged, 2}}));

    // From the first row; past the last row nothing is told.
    table.removeRow(1);
    EXPECT_EQ(table.runningTotal(3, 4, 1), Money::fromRaw(6'5000));
    EXPECT_EQ(column(4), (std::vector<std::string>{"¥6", "¥7"}));
    told.clear();
    EXPECT_EQ(table.runningTotal(3, 4, 3), Money::fromRaw(6'5000));
    EXPECT_TRUE(told.empty());
}

TEST_F(TableFixture, WidestTextsAreTheExtremeAmountsAndTheLastPosition) {
    add(1, 536'000'000'0000, 536'000'000'0000);
    add(2, -7'0000, 535'999'993'0000);
    add(3, 294'488'0000, 536'294'481'0000);
    table.appendRow({"見出し", "長い長い項目の名前", Cell(), Cell(), Cell()});
    EXPECT_EQ(table.widestTexts(0), (std::vector<std::string>{"3"}));
    EXPECT_EQ(table.widestTexts(1), (std::vector<std::string>{"2026年03月01日"}));
    EXPECT_EQ(table.widestTexts(3), (std::vector<std::string>{"¥536,000,000", "-¥7"}));
    EXPECT_EQ(table.widestTexts(4), (std::vector<std::string>{"¥536,294,481", "¥535,999,993"}));
    // From a row on: what a new row adds.
    EXPECT_EQ(table.widestTexts(3, 3), (std::vector<std::string>{"¥294,488"}));
    EXPECT_TRUE(table.widestTexts(3, 4).empty());
}

}  // namespace
}  // namespace zm::test
