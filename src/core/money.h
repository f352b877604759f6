#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// An amount of yen as fixed-point currency: signed 64-bit, four decimal places.
class Money {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromYen(std::int64_t yen) { return Money(yen * kScale); }
    static constexpr Money fromRaw(std::int64_t raw) { return Money(raw); }
    // Nearest unit of Money; nullopt when the value does not fit.
    static std::optional<Money> fromDouble(double yen);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / kScale; }
    // Whole yen, halves rounded away from zero.
    std::int64_t roundedYen() const;

    // "¥2,500,000", "-¥400,000", "¥0": whole yen with grouping.
    std::string currencyText() const;
    // "1234", "-300", "12.5": the form of data files and plan labels.
    std::string plainText() const;

    constexpr Money operator+(Money o) const { return Money(raw_ + o.raw_); }
    constexpr Money operator-(Money o) const { return Money(raw_ - o.raw_); }
    constexpr Money operator-() const { return Money(-raw_); }
    Money& operator+=(Money o) { raw_ += o.raw_; return *this; }
    Money& operator-=(Money o) { raw_ -= o.raw_; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

// The locale's currency parser for amounts a user types: leading and trailing
// blanks (half- and full-width), an optional sign, an optional yen sign (¥, ￥
// or \), digit grouping, a decimal part; full-width digits count as digits.
// nullopt for anything else, and for values outside Money's range.
std::optional<Money> parseAmount(std::string_view text);

// Exact reading of the plain decimal form written to data files
// ("-12.5", "1234"); nullopt when the text is not such a number.
std::optional<Money> parsePlainMoney(std::string_view text);

// The leading-number reading: skips leading blanks, takes an optional sign,
// digits and an optional decimal part, and stops at the first other
// character. 0 when the text does not begin with a number ("¥100" reads 0,
// "1,000" reads 1). Full-width digits count as digits.
double leadingNumber(std::string_view text);

}  // namespace zm
