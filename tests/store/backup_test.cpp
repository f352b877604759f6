#include "store/backup.h"

#include <gtest/gtest.h>

#include "store/datafolder.h"
#include "store/fileerror.h"
#include "support/tempdir.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

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
    try {
        copyDataFiles(folder, "second", files::allData());
        ADD_FAILURE() << "a folder in place of a file was copied";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "バックアップ/second");
        EXPECT_NE(e.reason().find("小銭清算.txt"), std::string::npos) << e.reason();
    }
    EXPECT_FALSE(fs::exists(tmp.path() / "バックアップ" / "second"));
}

}  // namespace
}  // namespace zm
