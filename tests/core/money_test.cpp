#include "core/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace zm {
namespace {

constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

TEST(MoneyText, CurrencyRoundsToWholeYenWithGrouping) {
    EXPECT_EQ(Money::fromYen(2500000).currencyText(), "¥2,500,000");
    EXPECT_EQ(Money::fromYen(-400000).currencyText(), "-¥400,000");
    EXPECT_EQ(Money().currencyText(), "¥0");
    EXPECT_EQ(Money::fromRaw(-4000).currencyText(), "¥0");
    EXPECT_EQ(Money::fromRaw(5000).currencyText(), "¥1");
    EXPECT_EQ(Money::fromRaw(-5000).currencyText(), "-¥1");
    EXPECT_EQ(Money::fromRaw(9994999).currencyText(), "¥999");
    EXPECT_EQ(Money::fromYen(1000).currencyText(), "¥1,000");
    EXPECT_EQ(Money::fromRaw(kMin).currencyText(), "-¥922,337,203,685,478");
}

TEST(MoneyText, PlainHasNoTrailingZerosAndReadsBack) {
    EXPECT_EQ(Money::fromYen(1234).plainText(), "1234");
    EXPECT_EQ(Money::fromYen(-300).plainText(), "-300");
    EXPECT_EQ(Money::fromRaw(125000).plainText(), "12.5");
    EXPECT_EQ(Money::fromRaw(1).plainText(), "0.0001");
    EXPECT_EQ(Money().plainText(), "0");
    EXPECT_EQ(Money::fromRaw(kMin).plainText(), "-922337203685477.5808");
    for (std::int64_t raw : {kMin, kMax, std::int64_t{-1}, std::int64_t{125000}, std::int64_t{0}})
        EXPECT_EQ(parsePlainMoney(Money::fromRaw(raw).plainText()), Money::fromRaw(raw)) << raw;
}

TEST(MoneyParse, AmountsAsUsersTypeThem) {
    const auto yen = [](std::int64_t y) { return std::optional(Money::fromYen(y)); };
    EXPECT_EQ(parseAmount("2,500,000"), yen(2500000));
    EXPECT_EQ(parseAmount("¥2,500,000"), yen(2500000));
    EXPECT_EQ(parseAmount("-¥300"), yen(-300));
    EXPECT_EQ(parseAmount("¥-300"), yen(-300));
    EXPECT_EQ(parseAmount("\\500"), yen(500));
    EXPECT_EQ(parseAmount("－３００"), yen(-300));
    EXPECT_EQ(parseAmount("−３００"), yen(-300));
    EXPECT_EQ(parseAmount("￥１，０００"), yen(1000));
    EXPECT_EQ(parseAmount("\u3000 1000\t\u3000"), yen(1000));
    EXPECT_EQ(parseAmount("12."), yen(12));
    EXPECT_EQ(parseAmount("１２．５"), Money::fromRaw(125000));
    EXPECT_EQ(parseAmount(".5"), Money::fromRaw(5000));
    EXPECT_EQ(parseAmount("1.23456"), Money::fromRaw(12346));
    EXPECT_EQ(parseAmount("-0.00005"), Money::fromRaw(-1));
    EXPECT_EQ(parseAmount("922337203685477.5807"), Money::fromRaw(kMax));
    EXPECT_EQ(parseAmount("-922337203685477.5808"), Money::fromRaw(kMin));

    for (const char* bad : {"",
                            " \u3000",
                            "abc",
                            "1e3",
                            "12a",
                            "1,000円",
                            "--1",
                            "¥¥1",
                            "+-1",
                            ",100",
                            "100,",
                            "1,,000",
                            ".",
                            "¥",
                            "1.000,5",
                            "1 000",
                            "¥ 1",
                            "922337203685477.5808",
                            "922337203685477.58075",
                            "99999999999999999999999"})
        EXPECT_EQ(parseAmount(bad), std::nullopt) << bad;
}

TEST(MoneyParse, PlainFileFormIncludingExponents) {
    EXPECT_EQ(parsePlainMoney("1234"), Money::fromYen(1234));
    EXPECT_EQ(parsePlainMoney("-12.5"), Money::fromRaw(-125000));
    EXPECT_EQ(parsePlainMoney("+7"), Money::fromYen(7));
    EXPECT_EQ(parsePlainMoney("1E+05"), Money::fromYen(100000));
    EXPECT_EQ(parsePlainMoney("1.5e-4"), Money::fromRaw(2));
    EXPECT_EQ(parsePlainMoney("1e-999999"), Money());
    for (const char* bad : {"", "-", "1,000", "¥1", " 1", "1 ", "1e", "nan", "inf", "12a", "1e20",
                            "1e999999", "１２"})
        EXPECT_EQ(parsePlainMoney(bad), std::nullopt) << bad;
}

TEST(MoneyParse, FromDoubleRoundsToTheUnitAndRefusesTheUnrepresentable) {
    EXPECT_EQ(Money::fromDouble(12.5), Money::fromRaw(125000));
    EXPECT_EQ(Money::fromDouble(-0.00015), Money::fromRaw(-2));
    EXPECT_EQ(Money::fromDouble(9e14), Money::fromYen(900000000000000));
    EXPECT_EQ(Money::fromDouble(1e15), std::nullopt);
    EXPECT_EQ(Money::fromDouble(std::nan("")), std::nullopt);
    EXPECT_EQ(Money::fromDouble(-INFINITY), std::nullopt);
}

TEST(MoneyParse, LeadingNumberStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(leadingNumber("1,000"), 1);
    EXPECT_EQ(leadingNumber("¥100"), 0);
    EXPECT_EQ(leadingNumber(" 12.5kg"), 12.5);
    EXPECT_EQ(leadingNumber("１００"), 100);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("\u3000－３．５円"), -3.5);
    EXPECT_EQ(leadingNumber("+7 8"), 7);
    EXPECT_EQ(leadingNumber("1e5"), 1);
    EXPECT_EQ(leadingNumber("12.5.3"), 12.5);
    EXPECT_TRUE(std::isinf(leadingNumber(std::string(400, '9'))));
}

TEST(MoneyArithmetic, SumsBeyondTheRangeNeverWrap) {
    const Money top = Money::fromRaw(kMax);
    const Money one = Money::fromYen(1);
    EXPECT_EQ(Money::checkedAdd(top, one), std::nullopt);
    EXPECT_EQ(Money::checkedAdd(top - one, one), top);
    EXPECT_THROW(top + one, std::overflow_error);
    EXPECT_THROW(-top - one - one, std::overflow_error);
    Money m = top;
    EXPECT_THROW(m += one, std::overflow_error);
    EXPECT_EQ(m, top);  // nothing changed
}

}  // namespace
}  // namespace zm
