// The typed readers refuse what their fields cannot hold, naming the file and
// the line: sums beyond Money, more records than a page counts, numbers
// beyond their range.
#include "store/datafiles.h"

#include <gtest/gtest.h>

#include <functional>

#include "store/fileerror.h"

namespace zm {
namespace {

const DataFolder kNowhere{std::filesystem::path()};

FileError refusal(const std::function<void()>& read) {
    try {
        read();
    } catch (const FileError& e) {
        return e;
    }
    ADD_FAILURE() << "read without a refusal";
    return FileError("", 0, "");
}

std::string lines(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST(TypedReaders, ASumBeyondMoneyNamesFileAndLine) {
    const std::string text =
        "\"2026年03月01日\",\"09:00:00\",922337203685477\r\n"
        "\"2026年03月02日\",\"09:00:00\",-1\r\n"
        "\"2026年03月03日\",\"09:00:00\",2\r\n";
    for (const RecordFile<TimedRecord>& file :
         {RecordFile<TimedRecord>(EveryLedgerFile(kNowhere)),
          RecordFile<TimedRecord>(EveryHistoryFile(kNowhere))}) {
        const FileError e = refusal([&] { file.parse(text); });
        EXPECT_EQ(e.file(), file.name());
        EXPECT_EQ(e.line(), 3);
        EXPECT_EQ(e.reason(), "合計金額が大きすぎます");
    }
}

TEST(TypedReaders, MoreRecordsThanAPageCountsAreRefusedWhole) {
    const std::string line = "\"2026年03月01日\",\"09:00:00\",1\r\n";
    EXPECT_EQ(KozeniLedgerFile(kNowhere).parse(lines(line, kMaxRecords)).records.size(),
              static_cast<std::size_t>(kMaxRecords));
    const FileError e =
        refusal([&] { KozeniLedgerFile(kNowhere).parse(lines(line, kMaxRecords + 1)); });
    EXPECT_EQ(e.file(), "小銭清算.txt");
    EXPECT_EQ(e.line(), kMaxRecords + 1);
    EXPECT_EQ(e.reason(), "記録が多すぎます（32766 件まで）");
    // The history of given-up runs has no such limit.
    EXPECT_EQ(EveryHistoryFile(kNowhere).parse(lines(line, kMaxRecords + 1)).total,
              Money::fromYen(kMaxRecords + 1));
}

TEST(TypedReaders, NumbersBeyondTheirRangeNameTheLine) {
    EXPECT_EQ(TargetDaysFile::parse("32767\r\n"), 32767);
    EXPECT_EQ(TargetDaysFile::parse("-32767\r\n"), -32767);
    EXPECT_EQ(TargetDaysFile::parse("\r\n365.5\r\n"), 366);
    for (const char* bad : {"32768\r\n", "922337203685478\r\n", "-1e300\r\n"}) {
        const FileError e = refusal([&] { TargetDaysFile::parse(bad); });
        EXPECT_EQ(e.file(), "目標３６５歩のマーチ.txt") << bad;
        EXPECT_EQ(e.line(), 1) << bad;
    }
    // A huge number is quoted only in part.
    const FileError e = refusal([&] { TargetDaysFile::parse(std::string(300, '9')); });
    EXPECT_LT(std::string(e.what()).size(), 150u);
    EXPECT_EQ(refusal([&] { SettingsFile::parseHelpTour("\"ヘルプツアー\",-1\r\n"); }).line(), 1);
}

}  // namespace
}  // namespace zm
