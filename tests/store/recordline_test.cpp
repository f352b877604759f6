#include "store/recordline.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "store/cp932.h"
#include "store/cp932lines.h"
#include "store/fieldlength.h"
#include "store/splitfields.h"

namespace zm {
namespace {

// The fields' texts, or {"!" + reason} for a malformed line.
std::vector<std::string> texts(std::string_view line) {
    FieldView fields[8];
    std::string error;
    const int n = splitFields(line, fields, 8, error);
    if (n < 0) return {"!" + error};
    std::vector<std::string> out;
    for (int i = 0; i < n && i < 8; ++i) out.emplace_back(fields[i].text);
    return out;
}

using V = std::vector<std::string>;

TEST(RecordLineSplit, QuotedAndPlainFields) {
    FieldView fields[3];
    std::string error;
    ASSERT_EQ(splitFields(R"("2005年01月01日","09:26:01",1234)", fields, 3, error), 3);
    EXPECT_TRUE(fields[0].quoted);
    EXPECT_EQ(fields[0].text, "2005年01月01日");
    EXPECT_FALSE(fields[2].quoted);
    EXPECT_EQ(fields[2].text, "1234");
    // More fields than room: counted, not stored.
    EXPECT_EQ(splitFields("1,2,3,4", fields, 3, error), 4);

    EXPECT_EQ(texts(R"(  "a,b" , 12  ,x)"), (V{"a,b", "12", "x"}));
    EXPECT_EQ(texts(R"("a"  ,5)"), (V{"a", "5"}));
    EXPECT_EQ(texts(R"(" keep ",	-3)"), (V{" keep ", "-3"}));
    EXPECT_EQ(texts(""), V{});
    EXPECT_EQ(texts("1,"), (V{"1", ""}));
    EXPECT_EQ(texts(",,"), (V{"", "", ""}));
}

TEST(RecordLineSplit, DamagedLinesAreRefusedWithAShortReason) {
    // Text after a closing quote, an unclosed quote, control characters.
    EXPECT_EQ(texts(R"("2005年01月03日"x,5)"), V{"!引用符（\"）の後に余分な文字があります：x,5"});
    EXPECT_EQ(texts(R"("unclosed,1)"), V{"!引用符（\"）が閉じていません"});
    EXPECT_EQ(texts(R"("2026年03月01日,"09:00:00",1)"), V{"!引用符（\"）が閉じていません"});
    EXPECT_EQ(texts(std::string("\"a\0b\",1", 7)), V{"!制御文字が含まれています"});
    EXPECT_EQ(texts("\"a\x1b\",1"), V{"!制御文字が含まれています"});
    // A quote inside a plain field: no writer could put that string back.
    EXPECT_EQ(texts(R"(1,ab"c)"), V{"!引用符（\"）の位置が正しくありません：ab\"c"});
    // A huge field is refused, and the reason quotes only its beginning.
    const std::string huge(kMaxFieldChars + 1, 'x');
    const V refused = texts("\"" + huge + "\",1");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], "!項目が長すぎます：" + std::string(20, 'x') + "…");
    // The limit counts characters, whatever their bytes: the longest field of
    // kanji that input accepts is read back.
    std::string kanji;
    for (std::size_t i = 0; i < kMaxFieldChars; ++i) kanji += "漢";
    EXPECT_EQ(texts("\"" + kanji + "\"")[0], kanji);
    EXPECT_EQ(texts("\"" + kanji + "漢\"")[0].substr(0, 1), "!");
}

TEST(RecordLineSplit, LongFieldsAreScannedWholeWhereverTheSignStands) {
    // Fields are scanned several bytes at a time: a sign at every offset of a
    // long field, with Japanese text around it, is found as byte by byte.
    const std::string around = "預金テーマ";  // 15 bytes
    for (std::size_t at = 0; at <= 20; ++at) {
        const std::string head = (around + around).substr(0, at);
        const std::string tail = "abcdefghijklmnopq";
        const auto line = [&](const std::string& sign, bool quoted) {
            const std::string field = head + sign + tail;
            return (quoted ? "\"" + field + "\"" : field) + ",7";
        };
        for (const bool quoted : {true, false}) {
            EXPECT_EQ(texts(line("\x01", quoted)), V{"!制御文字が含まれています"}) << at;
            EXPECT_EQ(texts(line("\x7f", quoted)), V{"!制御文字が含まれています"}) << at;
        }
        EXPECT_EQ(texts(line("\t", true)), (V{head + "\t" + tail, "7"})) << at;
        EXPECT_EQ(texts("\"" + head + "\"," + tail), (V{head, tail})) << at;
        EXPECT_EQ(texts(head + "," + tail), (V{head, tail})) << at;
        EXPECT_EQ(texts(head + "\"" + tail)[0].rfind("!引用符", 0), 0u) << at;
    }
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
    // Control characters the reader refuses are refused here first; a tab is a blank.
    EXPECT_FALSE(fitsStringField(std::string("a\0b", 3)));
    EXPECT_FALSE(
        fitsStringField("a\x1b"
                        "b"));
    EXPECT_FALSE(fitsStringField("a\x7f"));
    EXPECT_TRUE(fitsStringField("a\tb"));
}

// iconv alone, converting the whole text in one go.
std::optional<std::string> iconvWhole(const char* to, const char* from, std::string in) {
    iconv_t cd = iconv_open(to, from);
    std::string out(in.size() * 3 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// The converters remember what iconv made of each character; whatever the
// text, they must give what iconv gives for the whole of it.
TEST(Cp932, ConvertersGiveWhatIconvGivesForTheWholeText) {
    // Every character of the code page, each of its two-byte codes, and ASCII.
    std::string cp932;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        if (iconvWhole("UTF-8", "CP932", one)) cp932 += one;
        for (int t = 0x40; t < 0x100; ++t) {
            const std::string two = {static_cast<char>(b), static_cast<char>(t)};
            if (b >= 0x80 && iconvWhole("UTF-8", "CP932", two)) cp932 += two;
        }
    }
    const auto utf8 = iconvWhole("UTF-8", "CP932", cp932);
    ASSERT_TRUE(utf8.has_value());
    EXPECT_GT(cp932.size(), 14000u);
    EXPECT_EQ(cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(utf8ToCp932(*utf8), iconvWhole("CP932", "UTF-8", *utf8));

    // Broken or foreign input fails as it fails in iconv, wherever it stands.
    for (const char* bad : {"\x81", "\x81\x20", "\xa0", "\xfd", "\xff", "\x85\x40"}) {
        const std::string text = std::string("\x93\xfa") + bad + "ok";
        EXPECT_EQ(cp932ToUtf8(text), iconvWhole("UTF-8", "CP932", text)) << text;
    }
    for (const char* bad : {"\xc0\xaf", "\xed\xa0\x80", "\xe5\x86", "\x80", "😀", "\xf4\x90\x80\x80",
                            "\xef\xbf\xbf", "\u00a5", "\u203e"}) {
        const std::string text = std::string("日") + bad + "ok";
        EXPECT_EQ(utf8ToCp932(text), iconvWhole("CP932", "UTF-8", text)) << text;
    }
}

// Lines made straight in the code page are the bytes of the text line encoded
// whole, whatever the values: a year of another width, fractions and signs,
// characters of one byte, the yen sign, a string the code page lacks.
TEST(Cp932Lines, GiveTheBytesOfTheEncodedTextLine) {
    using std::chrono::day;
    using std::chrono::month;
    using std::chrono::year;
    struct Case {
        Date date;
        TimeOfDay time;
        std::string item;
        Money amount;
    };
    const Case cases[] = {
        {Date{year{2026}, month{3}, day{5}}, std::chrono::seconds(9 * 3600 + 26 * 60 + 1),
         "お風呂を我慢した", Money::fromYen(500)},
        {Date{year{7}, month{1}, day{31}}, std::chrono::seconds(0), "ｱｲｳ ~a,b", Money::fromRaw(-5)},
        {Date{year{10000}, month{12}, day{1}}, std::chrono::seconds(86399), "¥100～①",
         Money::fromRaw(-123456789)},
        {Date{year{-1}, month{2}, day{9}}, std::chrono::seconds(60), "", Money::fromRaw(10)},
        {Date{year{9999}, month{12}, day{31}}, std::chrono::seconds(3600), "髙",
         Money::fromRaw(INT64_MIN)},
    };
    Cp932Lines lines;
    std::string text;
    for (const Case& c : cases) {
        lines.date(c.date).time(c.time).str(c.item).money(c.amount);
        lines.endLine();
        lines.str(c.item).money(c.amount);
        lines.endLine();
        text += RecordLine()
                    .str(dateText(c.date))
                    .str(timeText(c.time))
                    .str(c.item)
                    .money(c.amount)
                    .text() +
                "\r\n";
        text += RecordLine().str(c.item).money(c.amount).text() + "\r\n";
    }
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.bytes(), utf8ToCp932(text));

    Cp932Lines unwritable;
    unwritable.str("ケーキ🍰").money(Money::fromYen(1));
    EXPECT_FALSE(unwritable.ok());
}

}  // namespace
}  // namespace zm
