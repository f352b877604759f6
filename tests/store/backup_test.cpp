#include "store/backup.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "store/datafolder.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/refusal.h"
#include "support/tempdir.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::refusalOf;

TEST(Backup, CopiesWhatExistsByteForByteAndIsEitherWholeOrAbsent) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    tmp.write("３６５歩のマーチ.txt", "\"2005年01月01日\",\"09:26:01\",1\r\n");  // other case
    tmp.write("設定.txt", std::string("\x83\x5C", 2));
    const fs::path copy = copyDataFiles(folder, "20261208-101112", files::allData());
    EXPECT_EQ(copy, tmp.path() / "バックアップ" / "20261208-101112");
    EXPECT_EQ(tmp.read("バックアップ/20261208-101112/３６５歩のマーチ.txt"),
              "\"2005年01月01日\",\"09:26:01\",1\r\n");
    EXPECT_EQ(tmp.read("バックアップ/20261208-101112/設定.txt"), "\x83\x5C");
    EXPECT_EQ(std::distance(fs::directory_iterator(copy), fs::directory_iterator()), 2);

    // Never over an existing copy.
    EXPECT_THROW(copyDataFiles(folder, "20261208-101112", files::allData()), FileError);
    EXPECT_EQ(tmp.read("バックアップ/20261208-101112/設定.txt"), "\x83\x5C");

    // A file that cannot be read: no half copy is left behind.
    fs::create_directory(tmp.path() / "小銭清算.txt");
    const FileError e = refusalOf([&] { copyDataFiles(folder, "second", files::allData()); });
    EXPECT_EQ(e.file(), "バックアップ/second");
    EXPECT_NE(e.reason().find("小銭清算.txt"), std::string::npos) << e.reason();
    EXPECT_FALSE(fs::exists(tmp.path() / "バックアップ" / "second"));
}

std::vector<std::string> copies(const fs::path& root) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(root)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

Date day(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

TEST(Backup, TheDaysFirstStartCopiesAndTheFourteenNewestDailyCopiesStay) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    tmp.write("小銭清算.txt", "\"2026年03月04日\",\"09:00:00\",5\r\n");
    fs::create_directories(tmp.path() / "バックアップ");
    const fs::path root = tmp.path() / "バックアップ";
    for (int d = 1; d <= 16; ++d)
        fs::create_directory(root /
                             ("202602" + std::string(d < 10 ? "0" : "") + std::to_string(d)));
    for (const char* other : {"20260201-101112", "2026020", "notes"})
        fs::create_directory(root / other);
    tmp.write("バックアップ/20260101", "a file, not a copy");

    EXPECT_TRUE(makeDailyCopy(folder, day(2026, 3, 5)));
    EXPECT_EQ(tmp.read("バックアップ/20260305/小銭清算.txt"),
              "\"2026年03月04日\",\"09:00:00\",5\r\n");
    std::vector<std::string> expected = {"20260101", "20260201-101112", "2026020"};
    for (int d = 4; d <= 16; ++d)
        expected.push_back("202602" + std::string(d < 10 ? "0" : "") + std::to_string(d));
    expected.push_back("20260305");
    expected.push_back("notes");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(copies(root), expected);

    // Later starts the same day leave the copy as the day began.
    tmp.write("小銭清算.txt", "");
    EXPECT_FALSE(makeDailyCopy(folder, day(2026, 3, 5)));
    EXPECT_EQ(tmp.read("バックアップ/20260305/小銭清算.txt"),
              "\"2026年03月04日\",\"09:00:00\",5\r\n");
    EXPECT_EQ(copies(root), expected);

    // A clock set back: today's copy stays even when fourteen are newer.
    EXPECT_TRUE(makeDailyCopy(folder, day(2025, 12, 31)));
    EXPECT_TRUE(fs::is_directory(root / "20251231"));
    EXPECT_EQ(copies(root).size(), expected.size() + 1);
}

TEST(Backup, ADailyCopyThatCannotBeMadeIsAFileError) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    tmp.write("設定.txt", "\"ヘルプツアー\",1\r\n");
    tmp.write("バックアップ", "a file where the folder of copies belongs");
    EXPECT_EQ(refusalOf([&] { makeDailyCopy(folder, day(2026, 3, 5)); }).file(), "バックアップ");
    EXPECT_EQ(tmp.read("バックアップ"), "a file where the folder of copies belongs");
}

// Notes whether the copy's own name is in place while its files are written.
struct WatchingCalls final : FileCalls {
    fs::path copy;
    int writes = 0;
    int seenEarly = 0;
    ssize_t write(int fd, const void* data, std::size_t size) override {
        ++writes;
        if (fs::exists(copy)) ++seenEarly;
        return FileCalls::write(fd, data, size);
    }
};

TEST(Backup, ACopyIsBuiltAsideAndWhatAKillLeftIsRemovedAndMadeAgain) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    for (std::string_view name : files::allData()) tmp.write(name, std::string(name) + "\r\n");
    const fs::path root = tmp.path() / "バックアップ";
    {
        WatchingCalls calls;
        calls.copy = root / "20260304";
        const UsingFileCalls using_(calls);
        EXPECT_TRUE(makeDailyCopy(folder, day(2026, 3, 4)));
        EXPECT_EQ(calls.writes, 15);
        EXPECT_EQ(calls.seenEarly, 0) << "a kill here would leave a partial copy in place";
    }
    EXPECT_EQ(copies(root), std::vector<std::string>{"20260304"});

    // What a kill leaves: the day's folder half built. The next start
    // removes it and makes the day's copy whole.
    fs::create_directory(root / ".20260305.tmp");
    tmp.write("バックアップ/.20260305.tmp/設定.txt", "half");
    EXPECT_EQ(removeUnfinishedCopies(folder), 1);
    EXPECT_TRUE(makeDailyCopy(folder, day(2026, 3, 5)));
    EXPECT_EQ(copies(root), (std::vector<std::string>{"20260304", "20260305"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "20260305"), fs::directory_iterator()),
              15);
}

TEST(Backup, OnlyRegularFilesAreCopied) {
    const struct {
        const char* what;
        void (*make)(const fs::path&);
    } cases[] = {
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"a link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    };
    for (const auto& c : cases) {
        test::TempDir tmp;
        const DataFolder folder(tmp.path());
        tmp.write("設定.txt", "\"ヘルプツアー\",1\r\n");
        c.make(tmp.path() / "テーマ１.txt");
        const FileError e = refusalOf([&] { copyDataFiles(folder, "20260305", files::allData()); });
        EXPECT_NE(e.reason().find("テーマ１.txt：通常のファイルではありません"), std::string::npos)
            << c.what << ": " << e.reason();
        EXPECT_TRUE(copies(tmp.path() / "バックアップ").empty()) << c.what;
    }
}

}  // namespace
}  // namespace zm
