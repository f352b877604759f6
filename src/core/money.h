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
    // plainText() appended to `out`.
    void appendPlainText(std::string& out) const;
    // The same written at `out`, which has room for kPlainTextRoom bytes;
    // returns the end of what was written.
    static constexpr std::size_t kPlainTextRoom = 32;
    char* putPlainText(char* out) const;

    // nullopt when the sum or difference leaves Money's range.
    static std::optional<Money> checkedAdd(Money a, Money b) {
        std::int64_t raw = 0;
        if (__builtin_add_overflow(a.raw_, b.raw_, &raw)) return std::nullopt;
        return Money(raw);
    }
    static std::optional<Money> checkedSub(Money a, Money b) {
        std::int64_t raw = 0;
        if (__builtin_sub_overflow(a.raw_, b.raw_, &raw)) return std::nullopt;
        return Money(raw);
    }
    // Sums beyond the range never wrap: they throw std::overflow_error, which
    // ends the operation before anything is written.
    Money operator+(Money o) const { return sumOrThrow(raw_, o.raw_); }
    Money operator-(Money o) const {
        const auto diff = checkedSub(*this, o);
        if (!diff) overflow();
        return *diff;
    }
    Money operator-() const { return Money() - *this; }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t raw) : raw_(raw) {}
    [[noreturn]] static void overflow();
    static Money sumOrThrow(std::int64_t a, std::int64_t b) {
        std::int64_t raw = 0;
        if (__builtin_add_overflow(a, b, &raw)) overflow();
        return Money(raw);
    }
    std::int64_t raw_ = 0;
};

// The locale's currency parser for amounts a user types: leading and trailing
// blanks (half- and full-width), an optional sign, an optional yen sign (¥, ￥
// or \), digit grouping, a decimal part; full-width digits count as digits.
// nullopt for anything else, and for values outside Money's range.
std::optional<Money> parseAmount(std::string_view text);
// As parseAmount, and also a number with an exponent after it ("1e6",
// "2.5E+04"), which the locale's numeric test counts as a number too.
std::optional<Money> parseNumericAmount(std::string_view text);

// Exact reading of the plain decimal form written to data files
// ("-12.5", "1234"); nullopt when the text is not such a number.
std::optional<Money> parsePlainMoney(std::string_view text);

// The leading-number reading: skips leading blanks, takes an optional sign,
// digits and an optional decimal part, and stops at the first other
// character. 0 when the text does not begin with a number ("¥100" reads 0,
// "1,000" reads 1). Full-width digits count as digits.
double leadingNumber(std::string_view text);

}  // namespace zm
