#include "store/cp932.h"
#include "core/utf8.h"
#include "store/charactertable.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace zm {

namespace {

// One converter per direction, opened once: opening is far dearer than a
// short conversion, and a damaged file is decoded again line by line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Ready for new text: no shift state left from the last one.
    iconv_t fresh() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

std::optional<std::string> convert(Converter& converter, std::string_view in) {
    if (!converter.ok()) return std::nullopt;
    iconv_t cd = converter.fresh();

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) continue;
        if (errno != E2BIG) {
            ok = false;  // EILSEQ: not convertible; EINVAL: cut off in the middle of a character
            break;
        }
        const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
    }
    if (!ok) return std::nullopt;
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

// The UTF-8 of every CP932 character, asked of iconv once, each row of
// double-byte characters when a text first holds one of them (a file uses a
// few of the sixty rows). Decoding through it keeps iconv's mapping and its
// refusals, at a fraction of the cost of iconv's converter, which matters for
// files of tens of thousands of lines. Safe to use from several threads.
class DecodeTable {
public:
    struct Entry {
        std::uint8_t size = 0;  // 0: not a character
        char utf8[7] = {};
    };

    DecodeTable() : cd_(iconv_open("UTF-8", "CP932")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return;
        for (int b = 0; b < 256; ++b) {
            const char one[1] = {static_cast<char>(b)};
            if (decode(cd_, one, 1, single_[static_cast<std::size_t>(b)]) == EINVAL)
                lead_[static_cast<std::size_t>(b)] = true;
        }
        asciiAsIs_ = true;
        for (int b = 0; b < 0x80; ++b) {
            const Entry& e = single_[static_cast<std::size_t>(b)];
            asciiAsIs_ = asciiAsIs_ && e.size == 1 && e.utf8[0] == static_cast<char>(b);
        }
        ready_ = true;
    }
    ~DecodeTable() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    DecodeTable(const DecodeTable&) = delete;
    DecodeTable& operator=(const DecodeTable&) = delete;

    bool ready() const { return ready_; }

    std::optional<std::string> decode(std::string_view in) const {
        // At most three bytes of UTF-8 per byte of CP932, and room for the
        // fixed-size copies below; left uninitialised.
        std::unique_ptr<char[]> buffer(new char[in.size() * 3 + 8]);
        char* out = buffer.get();
        const auto* p = reinterpret_cast<const unsigned char*>(in.data());
        const auto* const end = p + in.size();
        while (p < end) {
            if (asciiAsIs_ && *p < 0x80) {
                // A record is mostly ASCII: eight bytes at a time while all are.
                std::uint64_t word = 0;
                while (end - p >= 8 && (std::memcpy(&word, p, 8), (word & kHighBits) == 0)) {
                    std::memcpy(out, &word, 8);
                    out += 8;
                    p += 8;
                }
                while (p < end && *p < 0x80) *out++ = static_cast<char>(*p++);
                continue;
            }
            const Entry* e = &single_[*p];
            std::size_t used = 1;
            if (lead_[*p]) {
                if (p + 1 == end) return std::nullopt;  // cut off after its first byte
                e = &pair(p[0], p[1]);
                used = 2;
            }
            if (e->size == 0) return std::nullopt;
            // A fixed four bytes copy faster than the character's own size.
            std::memcpy(out, e->utf8, 4);
            out += e->size;
            p += used;
        }
        return std::string(buffer.get(), out);
    }

    // Whether decode() would succeed, without decoding.
    bool valid(std::string_view in) const {
        const auto* p = reinterpret_cast<const unsigned char*>(in.data());
        const auto* const end = p + in.size();
        while (p < end) {
            if (asciiAsIs_ && *p < 0x80) {
                ++p;
            } else if (!lead_[*p]) {
                if (single_[*p++].size == 0) return false;
            } else {
                if (p + 1 == end || pair(p[0], p[1]).size == 0) return false;
                p += 2;
            }
        }
        return true;
    }
    // How many characters decode() would give, without giving them.
    std::optional<std::size_t> charCount(std::string_view in) const {
        std::size_t count = 0;
        const auto* p = reinterpret_cast<const unsigned char*>(in.data());
        const auto* const end = p + in.size();
        while (p < end) {
            if (asciiAsIs_ && *p < 0x80) {
                ++count;
                ++p;
                continue;
            }
            const Entry* e = &single_[*p];
            std::size_t used = 1;
            if (lead_[*p]) {
                if (p + 1 == end) return std::nullopt;
                e = &pair(p[0], p[1]);
                used = 2;
            }
            if (e->size == 0) return std::nullopt;
            for (std::size_t i = 0; i < e->size; ++i) {
                count += (static_cast<unsigned char>(e->utf8[i]) & 0xC0) != 0x80;
            }
            p += used;
        }
        return count;
    }

private:
    const Entry& pair(unsigned char lead, unsigned char trail) const {
        if (!rowReady_[lead].load(std::memory_order_acquire)) fillRow(lead);
        return rows_[lead][trail];
    }
    void fillRow(unsigned char lead) const {
        const std::lock_guard lock(filling_);
        if (rowReady_[lead].load(std::memory_order_relaxed)) return;
        auto row = std::make_unique<Entry[]>(256);
        for (int t = 0; t < 256; ++t) {
            const char two[2] = {static_cast<char>(lead), static_cast<char>(t)};
            decode(cd_, two, 2, row[static_cast<std::size_t>(t)]);
        }
        rows_[lead] = std::move(row);
        rowReady_[lead].store(true, std::memory_order_release);
    }

    // Decodes one character into e; the errno of a refusal, else 0.
    static int decode(iconv_t cd, const char* in, std::size_t size, Entry& e) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in);  // iconv does not write through it
        std::size_t inLeft = size;
        char* outPtr = e.utf8;
        std::size_t outLeft = sizeof e.utf8;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return errno;
        }
        // Characters of three bytes or fewer in UTF-8 keep the bound above.
        const auto produced = static_cast<std::size_t>(outPtr - e.utf8);
        if (inLeft == 0 && produced > 0 && produced <= size * 3) {
            e.size = static_cast<std::uint8_t>(produced);
            return 0;
        }
        return EILSEQ;
    }

    static constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    iconv_t cd_;
    std::array<Entry, 256> single_{};
    std::array<bool, 256> lead_{};
    // The double-byte characters by their first byte, each row made once.
    mutable std::array<std::unique_ptr<Entry[]>, 256> rows_;
    mutable std::array<std::atomic<bool>, 256> rowReady_{};
    mutable std::mutex filling_;  // and iconv's state, which cd_ keeps
    bool asciiAsIs_ = false;
    bool ready_ = false;
};

}  // namespace

namespace {

CharacterTable& encodeTable() {
    thread_local CharacterTable table([](std::string_view t) {
        thread_local Converter toCp932("CP932", "UTF-8");
        return convert(toCp932, t);
    });
    return table;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    return encodeTable().encode(utf8);
}

bool appendCp932(std::string& out, std::string_view utf8) {
    return encodeTable().encodeAppend(out, utf8);
}

namespace {

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    if (decodeTable().ready()) return decodeTable().decode(cp932);
    thread_local Converter toUtf8("UTF-8", "CP932");
    return convert(toUtf8, cp932);
}

bool isCp932(std::string_view cp932) {
    if (decodeTable().ready()) return decodeTable().valid(cp932);
    return cp932ToUtf8(cp932).has_value();
}

std::optional<std::size_t> cp932CharCount(std::string_view cp932) {
    if (decodeTable().ready()) return decodeTable().charCount(cp932);
    const auto utf8 = cp932ToUtf8(cp932);
    if (!utf8) return std::nullopt;
    return charCount(*utf8);
}

const DateMarks& cp932DateMarks() {
    static const DateMarks marks{utf8ToCp932("年").value_or(""), utf8ToCp932("月").value_or(""),
                                 utf8ToCp932("日").value_or("")};
    return marks;
}

bool fitsStringField(std::string_view utf8) {
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || (u < 0x20 && c != '\t') || u == 0x7F) return false;
    }
    return utf8ToCp932(utf8).has_value();
}

}  // namespace zm
