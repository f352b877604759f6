#include "store/recordline.h"

#include <gtest/gtest.h>

#include "store/cp932.h"

namespace zm {
namespace {

std::vector<std::string> texts(std::string_view line) {
    std::vector<std::string> out;
    for (const RawField& f : splitRecordLine(line)) out.push_back(f.text);
    return out;
}

using V = std::vector<std::string>;

TEST(RecordLineSplit, QuotedAndPlainFields) {
    const auto fields = splitRecordLine(R"("2005年01月01日","09:26:01",1234)");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_TRUE(fields[0].quoted);
    EXPECT_EQ(fields[0].text, "2005年01月01日");
    EXPECT_FALSE(fields[2].quoted);
    EXPECT_EQ(fields[2].text, "1234");

    EXPECT_EQ(texts(R"(  "a,b" , 12  ,x)"), (V{"a,b", "12", "x"}));
    EXPECT_EQ(texts(R"("a"junk,5)"), (V{"a", "5"}));
    EXPECT_EQ(texts(R"(" keep ",	-3)"), (V{" keep ", "-3"}));
    EXPECT_EQ(texts(""), V{});
    EXPECT_EQ(texts("1,"), (V{"1", ""}));
    EXPECT_EQ(texts(",,"), (V{"", "", ""}));
    EXPECT_EQ(texts(R"("unclosed,1)"), V{"unclosed,1"});
}

TEST(RecordLineWrite, FieldsAreWrittenPlainlyAndReadBack) {
    RecordLine line;
    line.str("ちょっと、a,b").money(Money::fromYen(1234)).money(Money::fromRaw(-5000));
    line.integer(-7).number(365).number(12.5).number(0.1).money(Money());
    EXPECT_EQ(line.text(), R"("ちょっと、a,b",1234,-0.5,-7,365,12.5,0.1,0)");
    EXPECT_EQ(texts(line.text()),
              (V{"ちょっと、a,b", "1234", "-0.5", "-7", "365", "12.5", "0.1", "0"}));

    EXPECT_EQ(RecordLine().number(1e20).text(), "100000000000000000000");
    EXPECT_EQ(RecordLine().number(-0.0).text(), "0");
    EXPECT_EQ(RecordLine().str("").str("").text(), R"("","")");
}

TEST(Cp932, WindowsCodePageCharactersRoundTrip) {
    const std::pair<const char*, const char*> cases[] = {
        {"～", "\x81\x60"}, {"①", "\x87\x40"},  {"㈱", "\x87\x8a"}, {"髙", "\xfb\xfc"},
        {"ー", "\x81\x5b"}, {"－", "\x81\x7c"}, {"ｱ", "\xb1"},      {"a,\"", "a,\""},
    };
    for (const auto& [utf8, cp932] : cases) {
        EXPECT_EQ(utf8ToCp932(utf8), cp932) << utf8;
        EXPECT_EQ(cp932ToUtf8(cp932), utf8) << utf8;
    }
    EXPECT_EQ(utf8ToCp932("貯金😀"), std::nullopt);
    EXPECT_EQ(utf8ToCp932("\xff"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8("\x81"), std::nullopt);  // lead byte without its trail byte
    EXPECT_EQ(utf8ToCp932(""), "");

    EXPECT_TRUE(fitsStringField("コーヒー１杯～、ケーキ"));
    EXPECT_FALSE(fitsStringField("a\"b"));
    EXPECT_FALSE(fitsStringField("a\nb"));
    EXPECT_FALSE(fitsStringField("a\rb"));
    EXPECT_FALSE(fitsStringField("ケーキ🍰"));
}

}  // namespace
}  // namespace zm
