// A second savings book: the folder named by --data-dir or ZUMERI_DATA_DIR,
// as the command line takes it and as the window's title names it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "qt/desktop/datadir.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

TEST(DataDir, NamesTheFolderInTheTitleOnlyWhenNamed) {
    const struct {
        std::optional<std::string> option;
        const char* environment;
        fs::path dir;
        std::string title;
    } cases[] = {
        {std::nullopt, nullptr, "", "ズメリ貯金Ｐｒｏ"},
        {std::nullopt, "", "", "ズメリ貯金Ｐｒｏ"},
        {std::nullopt, "/a/貯金", "/a/貯金", "ズメリ貯金Ｐｒｏ － 貯金"},
        {"book2/", "/a/貯金", "/c/d/book2", "ズメリ貯金Ｐｒｏ － book2"},
        {"../x/.", nullptr, "/c/x", "ズメリ貯金Ｐｒｏ － x"},
    };
    for (const auto& c : cases) {
        const DataDir dir = DataDir::chosen(c.option, c.environment, "/c/d");
        EXPECT_EQ(dir.dir(), c.dir) << c.title;
        EXPECT_EQ(dir.named(), !c.dir.empty()) << c.title;
        EXPECT_EQ(dir.title(), c.title);
        EXPECT_EQ(dir.about("本日の入金予定は 3円 です"),
                  c.dir.empty() ? "本日の入金予定は 3円 です"
                                : "本日の入金予定は 3円 です\nデータフォルダ：" + c.dir.string());
    }
}

std::string slurp(const fs::path& file) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

TEST(DataDir, CommandsTakeTheNamedFolderFromWhereTheyWereTyped) {
    const struct {
        const char* environment;  // ZUMERI_DATA_DIR, or none
        std::string args;
        int status;
        std::string said;  // on standard output, or on standard error when failing
        bool exported;
    } cases[] = {
        {nullptr, "--data-dir book --export-csv out", 0, "個のCSVファイルを書き出しました", true},
        {"book", "--export-csv out", 0, "個のCSVファイルを書き出しました", true},
        {"missing", "--data-dir=book --export-csv out", 0, "書き出しました", true},
        {nullptr, "--data-dir missing --export-csv out", 1, "/missing」がありません。", false},
        {"missing", "--export-csv out", 1, "/missing」がありません。", false},
        {nullptr, "--data-dir book.txt --remind", 1, "/book.txt」はフォルダではありません。",
         false},
        {nullptr, "--data-dir= --export-csv out", 2, "--data-dir にはフォルダを指定します。", false},
        {nullptr, "--help", 0, "--data-dir <FOLDER>", false},
    };
    for (const auto& c : cases) {
        TempDir typed;
        World book;
        book.putInstallation();
        fs::create_directory_symlink(book.dir.path(), typed.path() / "book");
        typed.write("book.txt", "");
        const auto q = [](const fs::path& p) { return "'" + p.string() + "' "; };
        std::string command = "cd " + q(typed.path()) + "&& env -u ZUMERI_CALLER_DIR ";
        command += c.environment ? "ZUMERI_DATA_DIR=" + std::string(c.environment) + " "
                                 : "-u ZUMERI_DATA_DIR ";
        command += q(ZUMERI_PROGRAM) + c.args + " >" + q(typed.path() / "said") + "2>&1";
        const int status = std::system(command.c_str());
        const std::string said = slurp(typed.path() / "said");

        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status) << c.args << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << c.args << said;
        // The output goes below where the command was typed, not into the data.
        EXPECT_EQ(fs::exists(typed.path() / "out" / "３６５歩のマーチ.csv"), c.exported) << c.args;
        EXPECT_FALSE(fs::exists(typed.path() / "book" / "out")) << c.args;
        EXPECT_FALSE(fs::exists(typed.path() / "missing")) << c.args;
    }
}

}  // namespace
}  // namespace zm::test
