#include "store/splitfields.h"

#include <cstdint>
#include <cstring>

#include "store/fieldlength.h"

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

}  // namespace zm
