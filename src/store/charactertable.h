#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// Text from UTF-8 into a code page one character at a time, through what a
// converter made of each character the first time: a data file repeats a few
// characters (年, 月, 日, the names of items) tens of thousands of times, and
// the converter's work per call is most of the cost of writing a full
// ledger. For a code page without shift states a character converts alone as
// it does in its text, and whatever the table cannot take (a character beyond
// the BMP, broken UTF-8, a character the code page lacks) goes to the
// converter whole: the result is always the converter's.
class CharacterTable {
public:
    using Converter = std::optional<std::string> (*)(std::string_view);
    explicit CharacterTable(Converter convert);

    std::optional<std::string> encode(std::string_view utf8);
    // encode() appended to `out`; false, `out` as it was, when it fails.
    bool encodeAppend(std::string& out, std::string_view utf8);

private:
    struct Unit {
        enum : std::uint8_t { kUnknown, kKnown, kNone };
        std::uint8_t state = kUnknown;
        std::uint8_t size = 0;
        char bytes[4] = {};
    };
    const Unit* find(std::uint32_t code, std::string_view character) {
        const Unit& u = units_[code];
        return u.state == Unit::kKnown ? &u : learn(code, character);
    }
    // Asks the converter about a character not met before.
    const Unit* learn(std::uint32_t code, std::string_view character);

    Converter convert_;
    // ASCII comes out as ASCII (checked once with the converter).
    bool asciiSame_ = false;
    std::vector<Unit> units_;  // by code point
};

}  // namespace zm
