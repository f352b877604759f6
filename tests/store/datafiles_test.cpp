// The typed readers refuse what their fields cannot hold, naming the file and
// the line: sums beyond Money, more records than a page counts, numbers
// beyond their range.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "store/cp932.h"
#include "store/datafolder.h"
#include "store/datedamount.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/fieldlength.h"
#include "store/fileerror.h"
#include "store/kozeniledgerfile.h"
#include "store/loaded.h"
#include "store/readsahead.h"
#include "store/recordfile.h"
#include "store/settingsfile.h"
#include "store/targetdaysfile.h"
#include "store/themeledgerfile.h"
#include "store/themerecord.h"
#include "store/timedrecord.h"
#include "support/refusal.h"
#include "support/tempdir.h"

namespace zm {
namespace {

using test::refusalOf;

const DataFolder kNowhere{std::filesystem::path()};

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
        const FileError e = refusalOf([&] { file.parse(text); });
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
        refusalOf([&] { KozeniLedgerFile(kNowhere).parse(lines(line, kMaxRecords + 1)); });
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
        const FileError e = refusalOf([&] { TargetDaysFile::parse(bad); });
        EXPECT_EQ(e.file(), "目標３６５歩のマーチ.txt") << bad;
        EXPECT_EQ(e.line(), 1) << bad;
    }
    // A huge number is quoted only in part.
    const FileError e = refusalOf([&] { TargetDaysFile::parse(std::string(300, '9')); });
    EXPECT_LT(std::string(e.what()).size(), 150u);
    EXPECT_EQ(refusalOf([&] { SettingsFile::parseHelpTour("\"ヘルプツアー\",-1\r\n"); }).line(), 1);
}

// The records a read makes, or the fault it names, as "file:line:reason".
std::string describe(const ThemeRecord& r) {
    return r.item + "|" + dateText(r.date) + "|" + r.amount.plainText();
}
std::string describe(const TimedRecord& r) {
    return dateText(r.date) + "|" + timeText(r.time) + "|" + r.amount.plainText();
}

std::vector<DatedAmount> datedOf(const Loaded<ThemeRecord>& loaded) {
    std::vector<DatedAmount> out;
    for (const auto& r : loaded.records) out.push_back({r.date, r.amount});
    return out;
}

template <class Read>
std::string dated(const Read& read) {
    try {
        std::string out;
        for (const DatedAmount& d : read())
            out += dateText(d.date) + "|" + d.amount.plainText() + "\n";
        return out;
    } catch (const FileError& e) {
        return std::string(e.file()) + ":" + std::to_string(e.line()) + ":" + e.reason();
    }
}

// A read with numbered names, its names put back into the records.
Loaded<ThemeRecord> namesPutBack(Loaded<ThemeRecord> loaded) {
    if (loaded.nameOf.size() != loaded.records.size()) throw std::logic_error("not numbered");
    for (std::size_t i = 0; i < loaded.records.size(); ++i) {
        if (!loaded.records[i].item.empty()) throw std::logic_error("a name copied");
        loaded.records[i].item = loaded.names.at(loaded.nameOf[i]);
    }
    return loaded;
}

template <class Read>
std::string described(const Read& read) {
    try {
        const auto loaded = read();
        std::string out;
        for (const auto& r : loaded.records) out += describe(r) + "\n";
        return out + "total " + loaded.total.plainText();
    } catch (const FileError& e) {
        return std::string(e.file()) + ":" + std::to_string(e.line()) + ":" + e.reason();
    }
}

// The ledgers are read from their bytes, decoding only the strings; whatever
// the file holds, the records or the fault named must be those of reading the
// decoded text.
TEST(TypedReaders, ReadingTheBytesGivesWhatReadingTheDecodedTextGives) {
    const std::string date =
        "\"2026\x94\x4e"
        "03\x8c\x8e"
        "05\x93\xfa\"";
    std::string kanji;  // the longest field, twice as many bytes as characters
    for (std::size_t i = 0; i < kMaxFieldChars; ++i) kanji += "\x8a\xbf";
    const std::string themeFiles[] = {
        // The yen sign, half-width kana, a name again, blank and LF-only lines.
        date +
            ",\"\x5c"
            "100\xb1\",5\r\n\r\n" +
            date + ",\"\x83\x5c\x83\x5c\",-1.5\n  \r\n" + date +
            ",\"\x5c"
            "100\xb1\",7",
        // A bad date before a line that is not CP932: the code page is named first.
        date + ",\"a\",1\r\n\"2026-03-05\",\"b\",2\r\n" + date + ",\"\x81\",3\r\n",
        // A lead byte cut off by the quote; a bad amount after a good line.
        date + ",\"\x82\",1\r\n",
        date + ",\"a\",1\r\n" + date + ",\"b\",1x\r\n",
        // Within the limit in characters, past it in the code page's bytes;
        // and one character more.
        date + ",\"" + kanji + "\",1\r\n",
        date + ",\"" + kanji + "\x5c\",1\r\n",
        // Blanks around fields, a date in the UTF-8 spelling.
        "  " + date + " ,  \"a\" ,  12  \r\n\"2026年03月05日\",\"a\",1\r\n",
    };
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    const ThemeLedgerFile file(folder, 0);
    for (const std::string& bytes : themeFiles) {
        tmp.write(file.name(), bytes);
        const std::string decoded =
            described([&] { return file.parse(DataFolder::decode(file.name(), bytes)); });
        EXPECT_EQ(described([&] { return file.read(); }), decoded) << bytes;
        EXPECT_EQ(described([&] { return namesPutBack(file.readNumbered()); }), decoded) << bytes;
        // The dates and amounts alone, the items checked but not decoded.
        EXPECT_EQ(dated([&] { return file.parseDatedBytes(bytes); }), dated([&] {
                      return datedOf(file.parse(DataFolder::decode(file.name(), bytes)));
                  }))
            << bytes;
    }
    // Lines of a timed ledger laid out as the program writes them, each with
    // one value at or past its edge.
    const auto dated = [](const char* y, const char* m, const char* d) {
        return std::string("\"") + y + "\x94\x4e" + m + "\x8c\x8e" + d + "\x93\xfa\"";
    };
    const std::string timedFiles[] = {
        dated("2024", "02", "29") + ",\"23:59:59\",-0.0001\r\n",
        dated("2025", "02", "29") + ",\"12:00:00\",1\r\n",
        dated("2025", "13", "01") + ",\"12:00:00\",1\r\n",
        dated("2025", "01", "00") + ",\"12:00:00\",1\r\n",
        dated("2025", "1a", "01") + ",\"12:00:00\",1\r\n",
        dated("2025", "01", "01") + ",\"24:00:00\",1\r\n",
        dated("2025", "01", "01") + ",\"23:60:00\",1\r\n",
        dated("2025", "01", "01") + ",\"23:00:60\",1\r\n",
        dated("2025", "01", "01") + ",\"23:00\",1\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",\"1\"\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",1 \r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",1,2\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",1e3\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\"\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\",99999999999999999999\r\n",
        // An amount as long as a field may be, and one digit longer.
        dated("2025", "01", "01") + ",\"12:00:00\"," + std::string(kMaxFieldChars - 1, '0') +
            "1\r\n",
        dated("2025", "01", "01") + ",\"12:00:00\"," + std::string(kMaxFieldChars, '0') + "1\r\n",
    };
    const EveryLedgerFile timed(kNowhere);
    for (const std::string& bytes : timedFiles) {
        EXPECT_EQ(described([&] { return timed.parseBytes(bytes); }),
                  described([&] { return timed.parse(DataFolder::decode(timed.name(), bytes)); }))
            << bytes;
    }
    // ... refused by both, not read by both.
    EXPECT_EQ(described([&] { return timed.parseBytes(timedFiles[std::size(timedFiles) - 1]); })
                  .rfind(std::string(timed.name()) + ":1:", 0),
              0u);
    // More names than a reading remembers otherwise: every one is numbered.
    std::string many;
    for (int i = 0; i < 5000; ++i) many += date + ",\"n" + std::to_string(i % 4999) + "\",1\r\n";
    tmp.write(file.name(), many);
    const auto numbered = file.readNumbered();
    EXPECT_EQ(numbered.names.size(), 4999u);
    EXPECT_EQ(described([&] { return namesPutBack(numbered); }),
              described([&] { return file.read(); }));
    tmp.write(file.name(), themeFiles[0]);
    EXPECT_EQ(
        described([&] { return file.read(); }),
        "¥100ｱ|2026年03月05日|5\nソソ|2026年03月05日|-1.5\n¥100ｱ|2026年03月05日|7\ntotal 10.5");
    tmp.write(file.name(), themeFiles[1]);
    EXPECT_EQ(described([&] { return file.read(); }),
              "テーマ１.txt:3:文字コードが Shift-JIS ではありません");
}

// A read begun on the reading thread gives what reading the file then gives:
// taken while the file is unchanged, read anew once it has changed, refused
// alike when damaged, and left to readOrCreate() when the file is missing.
TEST(TypedReaders, AReadBegunAheadGivesWhatAFreshReadGives) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    const KozeniLedgerFile file(folder);
    const std::string line = utf8ToCp932("\"2026年03月05日\",\"09:00:00\",5\r\n").value();
    const struct {
        const char* how;
        std::string bytes;
        std::function<void()> change;
    } cases[] = {
        {"unchanged", line + line, [] {}},
        // Written by someone else than the reader.
        {"a line appended", line,
         [&] {
             KozeniLedgerFile(DataFolder(tmp.path())).append({Date{}, TimeOfDay{}, Money::fromYen(2)});
         }},
        {"rewritten", line + line, [&] { KozeniLedgerFile(DataFolder(tmp.path())).rewrite({}); }},
        {"damaged", line + "x\r\n", [] {}},
        {"missing", line, [&] { std::filesystem::remove(folder.resolve(file.name())); }},
    };
    for (const auto& c : cases) {
        tmp.write(file.name(), c.bytes);
        file.readAhead();
        c.change();
        const std::string taken = described([&] { return file.readOrCreate(); });
        EXPECT_EQ(taken, described([&] { return file.read(); })) << c.how;
        folder.ahead().dropAll();
    }
}

// A kept read is taken again only while the file keeps its stamp: whichever
// way the file changes behind the program's back, the next read follows it.
TEST(TypedReaders, AKeptReadIsTakenAgainUntilTheFileChanges) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    const KozeniLedgerFile file(folder);
    const auto line = [](int yen) {
        return utf8ToCp932("\"2026年03月05日\",\"09:00:00\"," + std::to_string(yen) + "\r\n")
            .value();
    };
    const auto path = [&] { return folder.resolve(file.name()); };
    const auto back = [&](timespec when) {
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, path().c_str(), times, 0), 0);
    };
    const auto modified = [&] {
        struct stat st {};
        ::stat(path().c_str(), &st);
        return st.st_mtim;
    };
    const struct {
        const char* how;
        std::function<void()> change;
        Money total;
    } changes[] = {
        {"a line appended", [&] { tmp.write(file.name(), line(1) + line(1)); }, Money::fromYen(2)},
        {"the same size, written in place, the time kept",
         [&] {
             const timespec was = modified();
             tmp.write(file.name(), line(1) + line(7));
             back(was);
         },
         Money::fromYen(8)},
        {"the same size and time, another file renamed over it",
         [&] {
             const timespec was = modified();
             const auto other = tmp.path() / "other";
             std::filesystem::copy_file(path(), other);
             std::filesystem::rename(other, path());
             back(was);
         },
         Money::fromYen(8)},
        {"emptied", [&] { tmp.write(file.name(), ""); }, Money()},
    };
    // The dates and amounts alone are kept beside the whole read, each
    // following the file the same way.
    const auto datedTotal = [&] {
        Money sum;
        for (const DatedAmount& d : *file.readDatedKept()) sum += d.amount;
        return sum;
    };
    tmp.write(file.name(), line(1));
    auto last = file.readKept();
    auto lastDated = file.readDatedKept();
    EXPECT_EQ(file.readKept(), last);  // unchanged: the same read
    EXPECT_EQ(file.readDatedKept(), lastDated);
    for (const auto& c : changes) {
        c.change();
        const auto now = file.readKept();
        EXPECT_NE(now, last) << c.how;
        EXPECT_EQ(now->total, c.total) << c.how;
        EXPECT_EQ(file.readKept(), now) << c.how;
        EXPECT_EQ(datedTotal(), c.total) << c.how;
        last = now;
    }
    std::filesystem::remove(path());
    EXPECT_THROW(file.readKept(), FileError);
}

}  // namespace
}  // namespace zm
