// The fixtures every logic test builds on: one that cannot put its file in
// place must fail the test, not let it run on a folder without the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "store/filenames.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(Fixtures, AFileThatCannotBeWrittenStopsTheTest) {
    World w;
    EXPECT_THROW(w.dir.write("no-such-folder/x.txt", "x"), std::runtime_error);
    std::filesystem::create_directory(w.dir.path() / std::string(files::kKozeni));
    EXPECT_THROW(w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",1\n"), std::runtime_error);
    EXPECT_THROW(w.put(files::kEvery, "ケーキ🍰"), std::runtime_error);
    EXPECT_FALSE(w.folder.exists(files::kEvery));

    w.put(files::kEvery, "\"2026年03月01日\",\"09:00:00\",1\n");
    EXPECT_EQ(w.get(files::kEvery), "\"2026年03月01日\",\"09:00:00\",1\r\n");
}

}  // namespace
}  // namespace zm::test
