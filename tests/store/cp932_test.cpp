#include "store/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace zm::test {
namespace {

// What iconv itself makes of the bytes, as the reference.
std::optional<std::string> iconvDecode(std::string_view in) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(in.size() * 4 + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

TEST(Cp932, DecodesEveryOneAndTwoByteSequenceAsIconvDoes) {
    int characters = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(cp932ToUtf8(one), iconvDecode(one)) << b;
        for (int t = 0; t < 256; ++t) {
            const std::string two{static_cast<char>(b), static_cast<char>(t)};
            const auto expected = iconvDecode(two);
            ASSERT_EQ(cp932ToUtf8(two), expected) << b << " " << t;
            characters += expected.has_value();
        }
    }
    EXPECT_GT(characters, 7000);
    // In running text: ASCII, kana, kanji and the code page's own signs; a
    // line with a cut-off or foreign byte is refused whole.
    const std::string text = "\"2005\x94N01\x8c\x8e\",\x81`\x87@\xb1\xb2\r\n\\5,~\xfb\xfc";
    EXPECT_EQ(cp932ToUtf8(text), iconvDecode(text));
    EXPECT_EQ(cp932ToUtf8(text), "\"2005年01月\",～①ｱｲ\r\n\\5,~髙");
    EXPECT_EQ(cp932ToUtf8("abc\x94"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8("abc\x80xyz"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8(""), "");
    // ASCII is taken eight bytes at a time: a character at every offset of
    // such a run, and a lead byte cut off after one.
    for (std::size_t before = 0; before < 18; ++before) {
        for (std::size_t after = 0; after < 10; ++after) {
            const std::string run =
                std::string(before, 'a') + "\x94N" + std::string(after, '7') + "\x8c\x8e";
            ASSERT_EQ(cp932ToUtf8(run), iconvDecode(run)) << before << " " << after;
            ASSERT_EQ(cp932ToUtf8(std::string(before + after, 'b') + "\x94"), std::nullopt);
        }
    }
}

}  // namespace
}  // namespace zm::test
