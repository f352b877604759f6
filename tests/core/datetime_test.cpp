#include "core/datetime.h"

#include <gtest/gtest.h>

#include "core/utf8.h"

namespace zm {
namespace {

using namespace std::chrono;

TEST(DateText, FormatsAndParsesOnlyValidDates) {
    EXPECT_EQ(dateText(2005y / January / 1d), "2005年01月01日");
    EXPECT_EQ(dateText(987y / December / 31d), "0987年12月31日");
    EXPECT_EQ(monthText(2005y / March), "2005年03月");
    EXPECT_EQ(parseDateText("2005年01月01日"), 2005y / January / 1d);
    EXPECT_EQ(parseDateText("2004年02月29日"), 2004y / February / 29d);
    EXPECT_EQ(parseDateText("2000年02月29日"), 2000y / February / 29d);
    for (const char* bad :
         {"2005年02月29日", "1900年02月29日", "2005年04月31日", "2005年13月01日", "2005年00月10日",
          "2005年1月01日", "２００５年01月01日", "2005年01月01日 ", "2005/01/01", ""})
        EXPECT_EQ(parseDateText(bad), std::nullopt) << bad;
}

TEST(DateText, TimesOnTheTwentyFourHourClock) {
    EXPECT_EQ(timeText(hours(9) + minutes(26) + seconds(1)), "09:26:01");
    EXPECT_EQ(timeText(seconds(86399)), "23:59:59");
    EXPECT_TRUE(isTimeText("00:00:00"));
    EXPECT_TRUE(isTimeText("23:59:59"));
    for (const char* bad :
         {"24:00:00", "9:26:01", "09:60:00", "09:00:60", "09:26:1 ", "09-26-01", "09:26:01 ", ""})
        EXPECT_FALSE(isTimeText(bad)) << bad;
}

TEST(DateArithmetic, CountsCalendarDays) {
    EXPECT_EQ(daysBetween(2004y / December / 31d, 2005y / January / 1d), 1);
    EXPECT_EQ(daysBetween(2004y / January / 1d, 2005y / January / 1d), 366);
    EXPECT_EQ(daysBetween(2005y / January / 1d, 2006y / January / 1d), 365);
    EXPECT_EQ(daysBetween(2005y / January / 1d, 2004y / December / 31d), -1);
    EXPECT_EQ(addDays(2005y / March / 1d, -1), 2005y / February / 28d);
    EXPECT_EQ(addDays(2004y / March / 1d, -1), 2004y / February / 29d);
    EXPECT_EQ(addDays(2005y / January / 1d, -1), 2004y / December / 31d);
    EXPECT_EQ(addDays(2004y / December / 31d, 365), 2005y / December / 31d);
}

TEST(Utf8, CountsAndCutsByCharacters) {
    EXPECT_EQ(charCount("ズメリ貯金Ｐｒｏ"), 8u);
    EXPECT_EQ(charCount("ab¥"), 3u);
    EXPECT_EQ(firstChars("テーマ名前", 4), "テーマ名");
    EXPECT_EQ(firstChars("aテ", 4), "aテ");
    EXPECT_EQ(firstChars("", 4), "");
    // Malformed bytes count one each and are never split further.
    EXPECT_EQ(charCount("\xff"
                        "a"),
              2u);
    EXPECT_EQ(charCount("\xe3\x81"), 2u);
    std::size_t pos = 0;
    EXPECT_EQ(nextChar("\xf0\x9f\x98\x80", pos), U'\U0001F600');
    EXPECT_EQ(pos, 4u);
}

}  // namespace
}  // namespace zm
