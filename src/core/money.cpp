#include "core/money.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/utf8.h"

namespace zm {

void Money::overflow() {
    throw std::overflow_error("金額が大きすぎて計算できません");
}

namespace {

// The magnitude of the most negative raw value, 2^63.
constexpr std::uint64_t kMaxMagnitude = std::uint64_t{1} << 63;

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000';
}
bool isPlus(char32_t c) {
    return c == U'+' || c == U'\uFF0B';
}
bool isMinus(char32_t c) {
    return c == U'-' || c == U'\uFF0D' || c == U'\u2212';
}
bool isYen(char32_t c) {
    return c == U'\u00A5' || c == U'\uFFE5' || c == U'\\';
}
bool isPoint(char32_t c) {
    return c == U'.' || c == U'\uFF0E';
}
bool isGroup(char32_t c) {
    return c == U',' || c == U'\uFF0C';
}

// Half- and full-width digits as '0'..'9'; 0 for anything else.
char asciiDigit(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<char>(c);
    if (c >= U'\uFF10' && c <= U'\uFF19') return static_cast<char>('0' + (c - U'\uFF10'));
    return 0;
}

std::vector<char32_t> decode(std::string_view utf8) {
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < utf8.size();) out.push_back(nextChar(utf8, pos));
    return out;
}

// Integer and fraction digits (ASCII) to a magnitude in units of 1/kScale,
// rounding half away from zero past the fourth decimal. nullopt beyond 2^63.
std::optional<std::uint64_t> scaledMagnitude(std::string_view intDigits,
                                             std::string_view fracDigits) {
    std::uint64_t v = 0;
    const auto push = [&v](std::uint64_t digit) {
        return !__builtin_mul_overflow(v, std::uint64_t{10}, &v) &&
               !__builtin_add_overflow(v, digit, &v);
    };
    for (char c : intDigits)
        if (!push(static_cast<std::uint64_t>(c - '0'))) return std::nullopt;
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = i < fracDigits.size() ? fracDigits[i] : '0';
        if (!push(static_cast<std::uint64_t>(c - '0'))) return std::nullopt;
    }
    if (fracDigits.size() > 4 && fracDigits[4] >= '5' && __builtin_add_overflow(v, 1u, &v))
        return std::nullopt;
    if (v > kMaxMagnitude) return std::nullopt;
    return v;
}

std::optional<Money> signedMoney(bool negative, std::uint64_t magnitude) {
    if (negative) {
        if (magnitude == kMaxMagnitude)
            return Money::fromRaw(std::numeric_limits<std::int64_t>::min());
        return Money::fromRaw(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude >= kMaxMagnitude) return std::nullopt;
    return Money::fromRaw(static_cast<std::int64_t>(magnitude));
}

std::string groupedDigits(std::uint64_t v) {
    const std::string digits = std::to_string(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::uint64_t magnitudeOf(std::int64_t v) {
    return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

}  // namespace

std::optional<Money> Money::fromDouble(double yen) {
    if (!std::isfinite(yen)) return std::nullopt;
    // Through the shortest decimal form, so that 0.00015 rounds as written.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, yen);
    if (res.ec != std::errc()) return std::nullopt;
    return parsePlainMoney(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

std::int64_t Money::roundedYen() const {
    std::int64_t q = raw_ / kScale;
    const std::int64_t r = raw_ % kScale;
    if (r >= kScale / 2) ++q;
    if (r <= -kScale / 2) --q;
    return q;
}

std::string Money::currencyText() const {
    const std::int64_t yen = roundedYen();
    return (yen < 0 ? "-\u00A5" : "\u00A5") + groupedDigits(magnitudeOf(yen));
}

std::string Money::plainText() const {
    std::string out;
    appendPlainText(out);
    return out;
}

void Money::appendPlainText(std::string& out) const {
    char buf[kPlainTextRoom];
    out.append(buf, static_cast<std::size_t>(putPlainText(buf) - buf));
}

char* Money::putPlainText(char* p) const {
    const std::uint64_t mag = magnitudeOf(raw_);
    // A sign, twenty digits, a point and four decimals at most.
    char* const end = p + kPlainTextRoom;
    if (raw_ < 0) *p++ = '-';
    p = std::to_chars(p, end, mag / kScale).ptr;
    if (std::uint64_t frac = mag % kScale; frac != 0) {
        *p++ = '.';
        for (std::uint64_t unit = kScale / 10; frac != 0; unit /= 10) {
            *p++ = static_cast<char>('0' + frac / unit);
            frac %= unit;
        }
    }
    return p;
}

namespace {

bool isExponent(char32_t c) {
    return c == U'e' || c == U'E' || c == U'\uFF45' || c == U'\uFF25';
}

std::optional<Money> parseTyped(std::string_view text, bool allowExponent) {
    const std::vector<char32_t> c = decode(text);
    std::size_t i = 0;
    std::size_t n = c.size();
    while (i < n && isBlank(c[i])) ++i;
    while (n > i && isBlank(c[n - 1])) --n;

    // A sign and a yen sign, each at most once, in either order.
    bool negative = false;
    bool sawSign = false;
    bool sawYen = false;
    for (; i < n; ++i) {
        if (!sawSign && (isPlus(c[i]) || isMinus(c[i]))) {
            sawSign = true;
            negative = isMinus(c[i]);
        } else if (!sawYen && isYen(c[i])) {
            sawYen = true;
        } else {
            break;
        }
    }

    std::string intDigits;
    std::string fracDigits;
    for (; i < n; ++i) {
        if (const char d = asciiDigit(c[i])) {
            intDigits += d;
        } else if (isGroup(c[i]) && !intDigits.empty() && i + 1 < n && asciiDigit(c[i + 1])) {
            continue;
        } else {
            break;
        }
    }
    if (i < n && isPoint(c[i])) {
        for (++i; i < n && asciiDigit(c[i]); ++i) fracDigits += asciiDigit(c[i]);
    }
    if (intDigits.empty() && fracDigits.empty()) return std::nullopt;

    if (allowExponent && i < n && isExponent(c[i])) {
        // The plain reader moves the point and checks the range.
        std::string plain = (negative ? "-" : "") + intDigits + "." + fracDigits + "e";
        ++i;
        if (i < n && (isPlus(c[i]) || isMinus(c[i]))) plain += isMinus(c[i++]) ? '-' : '+';
        const std::size_t expStart = i;
        for (; i < n && asciiDigit(c[i]); ++i) plain += asciiDigit(c[i]);
        if (i != n || i == expStart) return std::nullopt;
        return parsePlainMoney(plain);
    }
    if (i != n) return std::nullopt;

    const auto mag = scaledMagnitude(intDigits, fracDigits);
    if (!mag) return std::nullopt;
    return signedMoney(negative, *mag);
}

}  // namespace

std::optional<Money> parseAmount(std::string_view text) {
    return parseTyped(text, false);
}

std::optional<Money> parseNumericAmount(std::string_view text) {
    return parseTyped(text, true);
}

namespace {

// The form the program itself writes ("-1234", "12.5"): read without a copy,
// since whole ledgers go through here.
std::optional<Money> parseShortPlainMoney(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::int64_t whole = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        // Longer numbers are left to the careful reading, before they overflow.
        if (digits == 14) return std::nullopt;
        whole = whole * 10 + (text[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    std::int64_t frac = 0;
    if (i < text.size() && text[i] == '.') {
        std::int64_t scale = Money::kScale;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (scale == 1) return std::nullopt;
            scale /= 10;
            frac += (text[i] - '0') * scale;
        }
    }
    if (i != text.size()) return std::nullopt;
    const std::int64_t raw = whole * Money::kScale + frac;
    return Money::fromRaw(negative ? -raw : raw);
}

}  // namespace

std::optional<Money> parsePlainMoney(std::string_view text) {
    if (auto quick = parseShortPlainMoney(text)) return quick;
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto digitsFrom = [&](std::size_t from) {
        std::size_t end = from;
        while (end < n && text[end] >= '0' && text[end] <= '9') ++end;
        i = end;
        return std::string(text.substr(from, end - from));
    };

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string intDigits = digitsFrom(i);
    std::string fracDigits;
    if (i < n && text[i] == '.') fracDigits = digitsFrom(i + 1);
    if (intDigits.empty() && fracDigits.empty()) return std::nullopt;

    // Other programs may write an exponent ("1E+05").
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negExp = text[i++] == '-';
        const std::string expDigits = digitsFrom(i);
        if (expDigits.empty()) return std::nullopt;
        for (char d : expDigits) exponent = std::min(exponent * 10 + (d - '0'), 100000L);
        if (negExp) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    const bool zero = intDigits.find_first_not_of('0') == std::string::npos &&
                      fracDigits.find_first_not_of('0') == std::string::npos;
    if (zero) return Money();
    if (exponent > 1000) return std::nullopt;
    if (exponent < -1000) return Money();

    // Move the decimal point by the exponent.
    if (exponent > 0) {
        const auto shift = static_cast<std::size_t>(exponent);
        if (fracDigits.size() < shift) fracDigits.append(shift - fracDigits.size(), '0');
        intDigits += fracDigits.substr(0, shift);
        fracDigits.erase(0, shift);
    } else if (exponent < 0) {
        const auto shift = static_cast<std::size_t>(-exponent);
        if (intDigits.size() < shift) intDigits.insert(0, shift - intDigits.size(), '0');
        fracDigits.insert(0, intDigits.substr(intDigits.size() - shift));
        intDigits.erase(intDigits.size() - shift);
    }

    const auto mag = scaledMagnitude(intDigits, fracDigits);
    if (!mag) return std::nullopt;
    return signedMoney(negative, *mag);
}

double leadingNumber(std::string_view text) {
    const std::vector<char32_t> c = decode(text);
    std::size_t i = 0;
    const std::size_t n = c.size();
    while (i < n && isBlank(c[i])) ++i;
    bool negative = false;
    if (i < n && (isPlus(c[i]) || isMinus(c[i]))) negative = isMinus(c[i++]);

    std::string intDigits;
    std::string fracDigits;
    for (; i < n && asciiDigit(c[i]); ++i) intDigits += asciiDigit(c[i]);
    if (i < n && isPoint(c[i]))
        for (++i; i < n && asciiDigit(c[i]); ++i) fracDigits += asciiDigit(c[i]);
    if (intDigits.empty() && fracDigits.empty()) return 0.0;

    const std::string number =
        (intDigits.empty() ? "0" : intDigits) + (fracDigits.empty() ? "" : "." + fracDigits);
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large for a double, or too close to zero.
        value = intDigits.find_first_not_of('0') == std::string::npos
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
    }
    return negative && value != 0.0 ? -value : value;
}

}  // namespace zm
