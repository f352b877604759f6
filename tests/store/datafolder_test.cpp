#include "store/datafolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>

#include "store/fieldreader.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/kozeniledgerfile.h"
#include "store/recordline.h"
#include "store/settingsfile.h"
#include "store/timedrecord.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/tempdir.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::FileSizeLimit;
using test::refusalOf;
using test::TempDir;

constexpr std::string_view kHelpTour = "\x83\x77\x83\x8b\x83\x76\x83\x63\x83\x41\x81\x5b";

// "YYYY年MM月DD日" in CP932.
std::string cp932Date(std::string_view y, std::string_view m, std::string_view d) {
    return std::string(y) + "\x94\x4e" + std::string(m) + "\x8c\x8e" + std::string(d) + "\x93\xfa";
}

std::vector<std::string> entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every record of a file as the field reader reads it, each field read by
// its letter in `kinds`: 's' string, 'D' date, 'T' time, 'm' amount, 'i'
// whole number, 'n' number.
struct ReadRecord {
    int line = 0;
    std::vector<std::string> strs;  // str() of every field
    std::vector<Money> moneys;      // the amount of an 'm' field
    std::vector<double> numbers;    // the value of an 'i' or 'n' field
};

std::vector<ReadRecord> readAs(const DataFolder& folder, std::string_view name,
                               std::string_view kinds) {
    std::vector<ReadRecord> records;
    const int count = static_cast<int>(kinds.size());
    forEachRecord(name, folder.readText(name), count, [&](const FieldReader& f) {
        ReadRecord r{
            f.line(), {}, std::vector<Money>(kinds.size()), std::vector<double>(kinds.size())};
        for (int i = 0; i < count; ++i) {
            const auto at = static_cast<std::size_t>(i);
            switch (kinds[at]) {
                case 'D':
                    f.date(i);
                    break;
                case 'T':
                    f.time(i);
                    break;
                case 'm':
                    r.moneys[at] = f.money(i);
                    break;
                case 'i':
                    r.numbers[at] = static_cast<double>(f.integer(i));
                    break;
                case 'n':
                    r.numbers[at] = f.number(i);
                    break;
            }
            r.strs.push_back(f.str(i));
        }
        records.push_back(std::move(r));
    });
    return records;
}

unsigned modeOf(const fs::path& p) {
    return static_cast<unsigned>(fs::status(p).permissions());
}

class DataFolderTest : public ::testing::Test {
protected:
    TempDir tmp;
    DataFolder folder{tmp.path()};
};

TEST_F(DataFolderTest, ExtensionCaseNamesOneFile) {
    tmp.write("テーマ１.txt", "");
    EXPECT_EQ(folder.resolve("テーマ１.TXT"), tmp.path() / "テーマ１.txt");
    EXPECT_TRUE(folder.exists("テーマ１.Txt"));
    EXPECT_FALSE(folder.exists("テーマ1.txt"));  // the half-width digit is another name
    tmp.write("abc.txt", "");
    EXPECT_FALSE(folder.exists("ABC.txt"));  // only the extension ignores case

    folder.append("テーマ１.TXT", RecordLine().str("x"));
    tmp.write("３６５歩のマーチ.TXT", "\"old\"\r\n");
    folder.rewrite("３６５歩のマーチ.txt", {RecordLine().str("new")});
    EXPECT_EQ(entries(tmp.path()),
              (std::vector<std::string>{"abc.txt", "テーマ１.txt", "３６５歩のマーチ.TXT"}));
    EXPECT_EQ(tmp.read("テーマ１.txt"), "\"x\"\r\n");
    EXPECT_EQ(tmp.read("３６５歩のマーチ.TXT"), "\"new\"\r\n");
}

TEST_F(DataFolderTest, ReadsRecordsFieldByField) {
    tmp.write("empty.txt", "");
    EXPECT_TRUE(readAs(folder, "empty.txt", "DTm").empty());

    tmp.write("l.txt", "\"" + cp932Date("2005", "01", "01") + "\",\"09:26:01\",1234\r\n" +
                           "\r\n  \t\r\n" + "\"" + cp932Date("2005", "01", "02") +
                           "\",\"23:00:00\",-12.5\n" + cp932Date("2005", "01", "03") +
                           ",10:00:00,0");
    const auto recs = readAs(folder, "l.txt", "DTm");
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].line, 1);
    EXPECT_EQ(recs[0].strs[0], "2005年01月01日");
    EXPECT_EQ(recs[0].moneys[2], Money::fromYen(1234));
    EXPECT_EQ(recs[1].line, 4);
    EXPECT_EQ(recs[1].moneys[2], Money::fromRaw(-125000));
    EXPECT_EQ(recs[2].strs[0], "2005年01月03日");
    EXPECT_EQ(recs[2].strs[1], "10:00:00");

    tmp.write("n.txt", "\"a, b\",2.5,2.5\r\n\"c\",3.5,1E+02\r\n\"d\",-2.5,-0.25\r\n");
    const auto nums = readAs(folder, "n.txt", "sin");
    ASSERT_EQ(nums.size(), 3u);
    EXPECT_EQ(nums[0].strs[0], "a, b");
    EXPECT_EQ(nums[0].numbers[1], 2);
    EXPECT_EQ(nums[1].numbers[1], 4);
    EXPECT_EQ(nums[2].numbers[1], -2);
    EXPECT_EQ(nums[0].numbers[2], 2.5);
    EXPECT_EQ(nums[1].numbers[2], 100.0);
    EXPECT_EQ(nums[2].strs[2], "-0.25");
}

TEST_F(DataFolderTest, BadContentNamesFileAndLine) {
    const auto fails = [&](std::string bytes, std::string_view shape) {
        tmp.write("x.txt", bytes);
        return refusalOf([&] { readAs(folder, "x.txt", shape); });
    };
    FileError e = fails("\"a\",1\r\n\r\n\"b\"\r\n", "si");
    EXPECT_EQ(e.line(), 3);
    EXPECT_STREQ(e.what(), "ファイル「x.txt」の 3 行目：項目の数が違います（2 個のはずが 1 個）");

    EXPECT_EQ(fails("abc\r\n", "m").reason(), "金額が数値ではありません：abc");
    EXPECT_EQ(fails("\"5\"\r\n", "m").reason(), "金額が数値ではありません：5");
    EXPECT_EQ(fails("1,\"x\"\r\n", "ii").reason(), "数値ではありません：x");
    EXPECT_EQ(fails("\"" + cp932Date("2005", "13", "01") + "\"", "D").reason(),
              "日付が正しくありません：2005年13月01日");
    EXPECT_EQ(fails("\"9:00:00\"", "T").reason(), "時刻が正しくありません：9:00:00");
    e = fails("\"a\"\r\n\"\x81\"\r\n", "s");
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(e.reason(), "文字コードが Shift-JIS ではありません");

    e = refusalOf([&] { readAs(folder, files::kSettings, "si"); });
    EXPECT_EQ(e.line(), 0);
    EXPECT_STREQ(e.what(), "ファイル「設定.txt」：ファイルがありません");
    fs::create_directory(tmp.path() / "d.txt");
    EXPECT_EQ(refusalOf([&] { readAs(folder, "d.txt", "s"); }).reason(),
              "通常のファイルではありません");
}

TEST_F(DataFolderTest, TheCodePagesYenSignReadsAsYenAndWritesBackTheSameByte) {
    // "ソ" (0x83 0x5C) carries 0x5C as its second byte: it stays "ソ".
    tmp.write("items.txt", "\"\\100\x83\x5C\",100\r\n");
    const auto records = readAs(folder, "items.txt", "sm");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].strs[0], "¥100ソ");
    folder.rewrite("items.txt", {RecordLine().str(records[0].strs[0]).money(records[0].moneys[1])});
    EXPECT_EQ(tmp.read("items.txt"), "\"\\100\x83\x5C\",100\r\n");
}

TEST_F(DataFolderTest, ReadOrCreateMakesAnEmptyFile) {
    EXPECT_TRUE(KozeniLedgerFile(folder).readOrCreate().records.empty());
    EXPECT_EQ(tmp.read("小銭清算.txt"), "");
    tmp.write("小銭清算.txt", "\"a\"\r\n");
    folder.createIfMissing(files::kKozeni);
    EXPECT_EQ(readAs(folder, files::kKozeni, "s").size(), 1u);
}

// What stands in a data file's place and is no file to read: refused at
// once with a reason in Japanese, never a hang, a flood or a write error.
TEST_F(DataFolderTest, WhatIsNoRegularFileIsRefusedNamingIt) {
    const fs::path kozeni = tmp.path() / "小銭清算.txt";
    // A file that keeps growing while it is read: past its end, every read
    // brings more, until well over the limit.
    struct GrowingFile final : FileCalls {
        std::size_t more = std::size_t{258} * 1024 * 1024;
        ssize_t read(int fd, void* data, std::size_t size) override {
            const ssize_t n = FileCalls::read(fd, data, size);
            if (n != 0 || more == 0) return n;
            size = std::min(size, more);
            more -= size;
            std::memset(data, 'x', size);
            return static_cast<ssize_t>(size);
        }
    } growing;
    std::optional<UsingFileCalls> grows;
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* reason;
    };
    const Case cases[] = {
        {"pipe", [&] { ASSERT_EQ(::mkfifo(kozeni.c_str(), 0644), 0); },
         "通常のファイルではありません"},
        {"device", [&] { fs::create_symlink("/dev/zero", kozeni); },
         "通常のファイルではありません"},
        {"folder", [&] { fs::create_directory(kozeni); }, "通常のファイルではありません"},
        {"link loop", [&] { fs::create_symlink("小銭清算.txt", kozeni); },
         "読み込めません（シンボリックリンクが多すぎるか、循環しています）"},
        {"huge",
         [&] {
             tmp.write("小銭清算.txt", "");
             fs::resize_file(kozeni, std::uintmax_t{300} * 1024 * 1024);  // sparse
         },
         "ファイルが大きすぎます（257 MB まで）"},
        {"growing",
         [&] {
             tmp.write("小銭清算.txt", "\"a\"\r\n");
             grows.emplace(growing);
         },
         "ファイルが大きすぎます（257 MB まで）"},
    };
    for (const Case& c : cases) {
        c.make();
        const FileError e = refusalOf([&] { KozeniLedgerFile(folder).readOrCreate(); });
        EXPECT_EQ(e.file(), "小銭清算.txt") << c.what;
        EXPECT_EQ(e.reason(), c.reason) << c.what;
        grows.reset();
        fs::remove_all(kozeni);
    }
}

TEST_F(DataFolderTest, AppendWritesCp932LinesAndMendsAMissingLineEnd) {
    folder.append(files::kEvery,
                  RecordLine().str("2005年01月01日").str("09:26:01").money(Money::fromYen(1234)));
    folder.append(files::kEvery, RecordLine().str("2005年01月02日").str("09:00:00").money(Money()));
    EXPECT_EQ(tmp.read("３６５歩のマーチ.TXT"),
              "\"" + cp932Date("2005", "01", "01") + "\",\"09:26:01\",1234\r\n\"" +
                  cp932Date("2005", "01", "02") + "\",\"09:00:00\",0\r\n");

    tmp.write("k.txt", "\"a\",1");
    folder.append("k.txt", RecordLine().str("b").integer(2));
    EXPECT_EQ(tmp.read("k.txt"), "\"a\",1\r\n\"b\",2\r\n");

    EXPECT_EQ(refusalOf([&] { folder.append("k.txt", RecordLine().str("🍰")); }).reason(),
              "Shift-JIS で書けない文字があります");
    EXPECT_EQ(tmp.read("k.txt"), "\"a\",1\r\n\"b\",2\r\n");
}

TEST_F(DataFolderTest, RewriteKeepsPermissionsAndEmpties) {
    tmp.write("p.txt", "\"old\"\r\n");
    fs::permissions(tmp.path() / "p.txt", fs::perms(0640));
    folder.rewrite("p.txt", {RecordLine().str("a").integer(1), RecordLine().str("b").integer(2)});
    EXPECT_EQ(tmp.read("p.txt"), "\"a\",1\r\n\"b\",2\r\n");
    EXPECT_EQ(modeOf(tmp.path() / "p.txt"), 0640u);

    folder.rewrite("new.txt", {RecordLine().integer(365)});
    EXPECT_EQ(modeOf(tmp.path() / "new.txt"), 0644u);

    EXPECT_THROW(folder.rewrite("p.txt", {RecordLine().str("ok"), RecordLine().str("😀")}),
                 FileError);
    EXPECT_EQ(tmp.read("p.txt"), "\"a\",1\r\n\"b\",2\r\n");

    folder.empty("p.txt");
    EXPECT_EQ(tmp.read("p.txt"), "");
    EXPECT_EQ(entries(tmp.path()), (std::vector<std::string>{"new.txt", "p.txt"}));
}

TEST_F(DataFolderTest, FailedRewriteLeavesOldFileAndNoTempFile) {
    // rename() cannot put a file over a non-empty folder, not even for root.
    fs::create_directory(tmp.path() / "t.txt");
    tmp.write("t.txt/inside", "keep");
    const FileError e = refusalOf([&] { folder.rewrite("t.txt", {RecordLine().str("x")}); });
    EXPECT_EQ(e.file(), "t.txt");
    EXPECT_EQ(tmp.read("t.txt/inside"), "keep");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"t.txt"});

    // A file-size limit makes the write of the temporary file fail half-way.
    const std::string old = "\"old\",1\r\n";
    tmp.write("w.txt", old);
    std::vector<RecordLine> lines(50, RecordLine().str("a longer record than the old one"));
    {
        const FileSizeLimit limit(64);
        EXPECT_THROW(folder.rewrite("w.txt", lines), FileError);
    }
    EXPECT_EQ(tmp.read("w.txt"), old);
    EXPECT_EQ(entries(tmp.path()), (std::vector<std::string>{"t.txt", "w.txt"}));
}

TEST_F(DataFolderTest, HelpTourSetting) {
    const SettingsFile settings(folder);
    settings.writeHelpTour(0);
    EXPECT_EQ(tmp.read("設定.txt"), "\"" + std::string(kHelpTour) + "\",0\r\n");
    EXPECT_EQ(settings.readHelpTour(), 0);
    settings.writeHelpTour(1);
    EXPECT_EQ(settings.readHelpTour(), 1);

    tmp.write("設定.txt", "\"other label\",0\r\n");
    EXPECT_EQ(settings.readHelpTour(), 0);
    tmp.write("設定.txt", "");
    EXPECT_THROW(settings.readHelpTour(), FileError);
    // Only 1 and 0 mean anything.
    tmp.write("設定.txt", "\"ヘルプツアー\",7\r\n");
    EXPECT_EQ(refusalOf([&] { settings.readHelpTour(); }).line(), 1);
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// Whatever another program does to a file after this folder read it, the next
// write through the folder writes nothing and names the file; read again, the
// write goes through. The folder's own writes are no change to it; a write
// through another copy of it is one.
TEST(OutsideChanges, NoWriteFollowsAChangeBehindTheFoldersBack) {
    namespace fs = std::filesystem;
    const TimedRecord rec{Date{std::chrono::year{2026}, std::chrono::March, std::chrono::day{5}},
                          TimeOfDay{36000}, Money::fromYen(7)};
    const std::string line = "\"2026\x94N03\x8c\x8e" "01\x93\xfa\",\"09:00:00\",300\r\n";
    const struct {
        const char* how;
        std::function<void(const fs::path&)> change;
    } changes[] = {
        {"appended", [&](const fs::path& p) { std::ofstream(p, std::ios::app) << line; }},
        {"rewritten in place, same size",
         [&](const fs::path& p) {
             std::string edited = line + line;
             edited[edited.size() - 3] = '9';
             std::ofstream(p, std::ios::binary | std::ios::in) << edited;
         }},
        {"renamed over",
         [&](const fs::path& p) {
             std::ofstream(p.string() + ".new", std::ios::binary) << line;
             fs::rename(p.string() + ".new", p);
         }},
        {"truncated", [](const fs::path& p) { fs::resize_file(p, 0); }},
        {"removed", [](const fs::path& p) { fs::remove(p); }},
        {"written by another copy",
         [&](const fs::path& p) { KozeniLedgerFile(DataFolder(p.parent_path())).append(rec); }},
    };
    const struct {
        const char* what;
        std::function<void(const KozeniLedgerFile&)> write;
    } writers[] = {
        {"append", [&](const KozeniLedgerFile& f) { f.append(rec); }},
        {"rewrite", [&](const KozeniLedgerFile& f) { f.rewrite({rec, rec}); }},
        {"empty", [](const KozeniLedgerFile& f) { f.empty(); }},
    };
    for (const auto& c : changes) {
        for (const auto& w : writers) {
            SCOPED_TRACE(std::string(c.how) + " / " + w.what);
            test::TempDir tmp;
            tmp.write(files::kKozeni, line + line);
            const DataFolder folder(tmp.path());
            const KozeniLedgerFile file(folder);
            file.read();
            w.write(file);  // its own write is no change
            file.read();
            EXPECT_TRUE(folder.changedBehind().empty());
            c.change(folder.resolve(files::kKozeni));
            const bool there = folder.exists(files::kKozeni);
            const std::string after = there ? tmp.read(files::kKozeni) : "";
            EXPECT_EQ(folder.changedBehind(), std::vector<std::string>{std::string(files::kKozeni)});
            EXPECT_EQ(test::refusalOf<OutsideChange>([&] { w.write(file); }).file(), files::kKozeni);
            EXPECT_EQ(folder.exists(files::kKozeni), there);
            if (there) {
                EXPECT_EQ(tmp.read(files::kKozeni), after);
            }
            file.readOrCreate();
            w.write(file);
            EXPECT_TRUE(folder.changedBehind().empty());
        }
    }
}

}  // namespace
}  // namespace zm
