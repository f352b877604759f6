#include "store/recordline.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "core/utf8.h"
#include "store/cp932.h"

namespace zm {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Byte tests on eight bytes at once.
constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kDeletes = kEachByte * 0x7F;
constexpr bool hasZeroByte(std::uint64_t w) {
    return ((w - kEachByte) & ~w & kHighBits) != 0;
}
// Exact for n up to 128.
constexpr bool hasByteBelow(std::uint64_t w, unsigned n) {
    return ((w - kEachByte * n) & ~w & kHighBits) != 0;
}

}  // namespace

std::string excerpt(std::string_view text) {
    constexpr std::size_t kShown = 20;
    if (charCount(text) <= kShown) return std::string(text);
    return firstChars(text, kShown) + "…";
}

bool fitsFieldLength(std::string_view utf8) {
    // No character is shorter than a byte: most fields need no count at all.
    return utf8.size() <= kMaxFieldChars || charCount(utf8) <= kMaxFieldChars;
}

std::size_t findMarkOrControl(std::string_view text, char mark) {
    const char* p = text.data();
    const char* const stop = p + text.size();
    const std::uint64_t marks =
        kEachByte * static_cast<std::uint64_t>(static_cast<unsigned char>(mark));
    for (;;) {
        // Eight bytes at a time while none of them is the mark or below a blank.
        std::uint64_t word = 0;
        while (stop - p >= 8 && (std::memcpy(&word, p, 8), !hasByteBelow(word, 0x20) &&
                                                               !hasZeroByte(word ^ kDeletes) &&
                                                               !hasZeroByte(word ^ marks))) {
            p += 8;
        }
        for (const char* const until = stop - p >= 8 ? p + 8 : stop; p < until; ++p) {
            const auto u = static_cast<unsigned char>(*p);
            if (*p == mark || (u < 0x20 && u != '\t') || u == 0x7F) {
                return static_cast<std::size_t>(p - text.data());
            }
        }
        if (p == stop) return text.size();
    }
}

int splitFields(std::string_view line, FieldView* out, int cap, std::string& error) {
    if (line.empty()) return 0;
    const char* const begin = line.data();
    const char* const stop = begin + line.size();
    // Moves to the first `mark` or the line's end; false at a control character.
    const auto scan = [stop](const char*& p, char mark) {
        p += findMarkOrControl(std::string_view(p, static_cast<std::size_t>(stop - p)), mark);
        return p == stop || *p == mark;
    };
    int count = 0;
    const char* p = begin;
    for (;;) {
        while (p < stop && isBlank(*p)) ++p;
        FieldView field;
        bool more;  // a comma ends the field
        if (p < stop && *p == '"') {
            field.quoted = true;
            const char* const open = ++p;
            if (!scan(p, '"')) {
                error = "制御文字が含まれています";
                return -1;
            }
            if (p == stop) {
                error = "引用符（\"）が閉じていません";
                return -1;
            }
            field.text = std::string_view(open, static_cast<std::size_t>(p - open));
            const char* const close = ++p;
            while (p < stop && isBlank(*p)) ++p;
            if (p < stop && *p != ',') {
                // A comma inside and text after: the quote that closed this
                // field opened the next one, and this field's own is missing.
                if (field.text.find(',') != std::string_view::npos) {
                    error = "引用符（\"）が閉じていません";
                    return -1;
                }
                error = "引用符（\"）の後に余分な文字があります：" +
                        excerpt(std::string_view(close, static_cast<std::size_t>(stop - close)));
                return -1;
            }
        } else {
            const char* const from = p;
            if (!scan(p, ',')) {
                error = "制御文字が含まれています";
                return -1;
            }
            const char* end = p;
            while (end > from && isBlank(end[-1])) --end;
            field.text = std::string_view(from, static_cast<std::size_t>(end - from));
            // No writer could put it back: a string with a quote cannot be quoted.
            if (field.text.find('"') != std::string_view::npos) {
                error = "引用符（\"）の位置が正しくありません：" + excerpt(field.text);
                return -1;
            }
        }
        if (!fitsFieldLength(field.text)) {
            error = "項目が長すぎます：" + excerpt(field.text);
            return -1;
        }
        more = p < stop;
        if (count < cap) out[count] = field;
        ++count;
        if (!more) break;
        ++p;  // past the comma
    }
    return count;
}

void RecordLine::comma() {
    if (!text_.empty()) {
        text_ += ',';
    } else {
        text_.reserve(64);  // room for a whole ledger line at once
    }
}

RecordLine& RecordLine::str(std::string_view s) {
    comma();
    text_ += '"';
    text_ += s;
    text_ += '"';
    return *this;
}

RecordLine& RecordLine::money(Money m) {
    comma();
    text_ += m.plainText();
    return *this;
}

RecordLine& RecordLine::integer(std::int64_t n) {
    comma();
    text_ += std::to_string(n);
    return *this;
}

RecordLine& RecordLine::number(double d) {
    comma();
    if (d == 0.0) d = 0.0;  // no "-0"
    // Shortest form that reads back as the same double, never with an exponent.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    text_.append(buf, res.ptr);
    return *this;
}

void Cp932Lines::comma() {
    if (lineStarted_) bytes_ += ',';
    lineStarted_ = true;
}

std::size_t ShortTextHash::operator()(std::string_view s) const {
    std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ULL;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, s.data() + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    for (std::size_t k = i; k < s.size(); ++k) {
        tail = tail << 8 | static_cast<unsigned char>(s[k]);
    }
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

Cp932Lines& Cp932Lines::str(std::string_view utf8) {
    constexpr std::size_t kRemembered = 4096;
    comma();
    bytes_ += '"';
    const std::size_t start = bytes_.size();
    const auto known = encoded_.find(utf8);
    if (known != encoded_.end()) {
        const auto [from, size] = known->second;
        bytes_.resize(start + size);
        std::memcpy(bytes_.data() + start, bytes_.data() + from, size);
    } else if (!appendCp932(bytes_, utf8)) {
        ok_ = false;
    } else if (encoded_.size() < kRemembered) {
        encoded_.emplace(utf8, std::pair(start, bytes_.size() - start));
    }
    bytes_ += '"';
    return *this;
}

Cp932Lines& Cp932Lines::date(Date d) {
    static const DateMarks& marks = cp932DateMarks();
    const std::size_t start = bytes_.size();
    const bool started = lineStarted_;
    comma();
    bytes_ += '"';
    if (!appendDateText(bytes_, d, marks.year, marks.month, marks.day)) {
        bytes_.resize(start);  // a year of another width: the long way
        lineStarted_ = started;
        return str(dateText(d));
    }
    bytes_ += '"';
    return *this;
}

Cp932Lines& Cp932Lines::time(TimeOfDay t) {
    comma();
    bytes_ += '"';
    appendTimeText(bytes_, t);
    bytes_ += '"';
    return *this;
}

Cp932Lines& Cp932Lines::money(Money m) {
    comma();
    m.appendPlainText(bytes_);
    return *this;
}

void Cp932Lines::endLine() {
    bytes_ += "\r\n";
    lineStarted_ = false;
}

}  // namespace zm
