#include "store/folderlock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/tempdir.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

TEST(FolderLock, OneProgramPerFolderUntilItEndsEvenByAKill) {
    test::TempDir tmp;
    tmp.write("小銭清算.txt", "");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        const FolderLock lock(tmp.path());
        const char held = lock.state() == FolderLock::State::Held ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1) ::_exit(2);
        ::pause();  // until killed
        ::_exit(0);
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(held, 'y');

    {
        const FolderLock second(tmp.path());
        EXPECT_TRUE(second.busy());
    }
    // Another folder is free, and the lock adds no file to the folder.
    test::TempDir other;
    EXPECT_EQ(FolderLock(other.path()).state(), FolderLock::State::Held);
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);

    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    const FolderLock after(tmp.path());
    EXPECT_EQ(after.state(), FolderLock::State::Held);
    // Within one program, the lock is held until its object goes.
    EXPECT_TRUE(FolderLock(tmp.path()).busy());

    EXPECT_EQ(FolderLock(tmp.path() / "missing").state(), FolderLock::State::Unavailable);
}

}  // namespace
}  // namespace zm
