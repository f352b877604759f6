// A rewrite is kept as the bytes that changed between an unchanged head and
// tail, which are found by blocks before bytes: the edges of the blocks must
// neither lose nor add a byte.

#include <gtest/gtest.h>

#include <string>

#include "store/fileedit.h"

namespace zm {
namespace {

TEST(FileEdit, ARewriteKeepsOnlyTheBytesThatChangedWhereverTheyLie) {
    const std::size_t sizes[] = {1, 255, 256, 257, 511, 512, 513, 1500};
    enum class Change { Replaced, Inserted, Removed };
    for (const std::size_t size : sizes) {
        std::string old(size, 'a');
        for (std::size_t i = 0; i < size; ++i) old[i] = static_cast<char>('a' + i % 23);
        const std::size_t edge = size > 256 ? 256 : 0;
        const std::size_t places[] = {0, 1, size / 2, edge, size - 1};
        for (const std::size_t at : places) {
            for (const Change change : {Change::Replaced, Change::Inserted, Change::Removed}) {
                std::string now = old;
                if (change == Change::Replaced) now[at] = '#';
                if (change == Change::Inserted) now.insert(at, 1, '#');
                if (change == Change::Removed) now.erase(at, 1);
                const FileEdit edit = wholeEdit("f", old, now, true);
                const std::string where = std::to_string(size) + " bytes, at " +
                                          std::to_string(at) + ", change " +
                                          std::to_string(static_cast<int>(change));
                EXPECT_EQ(edit.across(old, false), now) << where;
                EXPECT_EQ(edit.across(now, true), old) << where;
                EXPECT_LE(edit.before.size() + edit.after.size(), 2u) << where;
                EXPECT_EQ(edit.sizeBefore(), old.size()) << where;
            }
        }
    }
    // Nothing alike, and nothing at all.
    const FileEdit all = wholeEdit("f", std::string(300, 'x'), std::string(300, 'y'), true);
    EXPECT_EQ(all.head + all.tail, 0u);
    const FileEdit none = wholeEdit("f", "", "", false);
    EXPECT_TRUE(none.before.empty() && none.after.empty());
}

}  // namespace
}  // namespace zm
