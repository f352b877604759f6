#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/money.h"
#include "store/cp932.h"
#include "store/decodedstrings.h"
#include "store/fieldlength.h"
#include "store/splitfields.h"

namespace zm {

// A line laid out exactly as the program writes it: strings in double
// quotes, the amount plain and last, single commas, no blanks. Such a line
// is read straight from its bytes without being split first; each read
// moves past its field and the comma after it, and answers false on
// anything else, leaving the line to the full reading, which also names
// the fault. What it accepts, the full reading reads the same.
class ExactLine {
public:
    // The marks of a date, two bytes each in the code page, as words.
    struct Marks {
        std::uint16_t year = 0, month = 0, day = 0;
        bool ok = false;
    };
    static const Marks& marks() {
        static const Marks words = [] {
            const DateMarks& m = cp932DateMarks();
            Marks w;
            w.ok = m.year.size() == 2 && m.month.size() == 2 && m.day.size() == 2;
            if (w.ok) {
                std::memcpy(&w.year, m.year.data(), 2);
                std::memcpy(&w.month, m.month.data(), 2);
                std::memcpy(&w.day, m.day.data(), 2);
            }
            return w;
        }();
        return words;
    }

    // Checked strings: `decoded` only remembers which were good. Numbered:
    // decoded.last() numbers the string just read.
    using Strings = StringFields;

    ExactLine(std::string_view line, DecodedStrings& decoded, Strings strings)
        : p_(line.data()), end_(line.data() + line.size()), decoded_(decoded), strings_(strings) {}

    // "YYYY年MM月DD日",
    bool date(Date& out) {
        constexpr std::ptrdiff_t kLength = 17;
        const Marks& w = marks();
        int y = 0, m = 0, d = 0;
        if (end_ - p_ < kLength || !w.ok || p_[0] != '"' || !digits<4>(p_ + 1, y) ||
            !word(p_ + 5, w.year) || !digits<2>(p_ + 7, m) || !word(p_ + 9, w.month) ||
            !digits<2>(p_ + 11, d) || !word(p_ + 13, w.day) || p_[15] != '"' || p_[16] != ',') {
            return false;
        }
        p_ += kLength;
        out = Date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                   std::chrono::day{static_cast<unsigned>(d)}};
        // Every month has 28 days: only the days after need the calendar.
        return m >= 1 && m <= 12 && d >= 1 && (d <= 28 || out.ok());
    }
    // "HH:MM:SS",
    bool time(TimeOfDay& out) {
        constexpr std::ptrdiff_t kLength = 11;
        int h = 0, m = 0, s = 0;
        if (end_ - p_ < kLength || p_[0] != '"' || !digits<2>(p_ + 1, h) || p_[3] != ':' ||
            !digits<2>(p_ + 4, m) || p_[6] != ':' || !digits<2>(p_ + 7, s) || p_[9] != '"' ||
            p_[10] != ',' || h >= 24 || m >= 60 || s >= 60) {
            return false;
        }
        p_ += kLength;
        out = TimeOfDay{h * 3600 + m * 60 + s};
        return true;
    }
    bool str(std::string& out) {
        if (!open()) return false;
        const auto* quote =
            static_cast<const char*>(std::memchr(p_, '"', static_cast<std::size_t>(end_ - p_)));
        if (!quote) return false;
        const std::string_view bytes(p_, static_cast<std::size_t>(quote - p_));
        p_ = quote;
        if (!close()) return false;
        // A name met before was checked then.
        if (const std::string* known = decoded_.find(bytes)) {
            if (strings_ == Strings::Copied) out = *known;
            return true;
        }
        if (findMarkOrControl(bytes, '"') != bytes.size()) return false;
        if (strings_ == Strings::Copied) return decoded_.decode(bytes, out);
        if (strings_ == Strings::Numbered) return decoded_.decode(bytes);
        // No character is shorter than a byte.
        const auto chars =
            bytes.size() <= kMaxFieldChars
                ? isCp932(bytes)
                : cp932CharCount(bytes).value_or(kMaxFieldChars + 1) <= kMaxFieldChars;
        if (chars) decoded_.remember(bytes, std::string());
        return chars;
    }
    // The rest of the line.
    bool money(Money& out) {
        const std::string_view rest(p_, static_cast<std::size_t>(end_ - p_));
        if (rest.size() > kMaxFieldChars) return false;
        const auto m = parsePlainMoney(rest);
        if (!m) return false;
        out = *m;
        return true;
    }

private:
    bool open() { return p_ < end_ && *p_++ == '"'; }
    // The closing quote and the comma after it.
    bool close() {
        if (end_ - p_ < 2 || p_[0] != '"' || p_[1] != ',') return false;
        p_ += 2;
        return true;
    }
    template <int N>
    static bool digits(const char* at, int& out) {
        for (int i = 0; i < N; ++i) {
            const auto digit = static_cast<unsigned>(at[i] - '0');
            if (digit > 9) return false;
            out = out * 10 + static_cast<int>(digit);
        }
        return true;
    }
    static bool word(const char* at, std::uint16_t w) {
        std::uint16_t v = 0;
        std::memcpy(&v, at, 2);
        return v == w;
    }

    const char* p_;
    const char* end_;
    DecodedStrings& decoded_;
    Strings strings_;
};

}  // namespace zm
