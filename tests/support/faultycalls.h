#pragma once

#include <sys/resource.h>

#include <cerrno>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/filecalls.h"

namespace zm::test {

// File calls that log every call the store makes and make the chosen one
// fail, as a full disk or a failing device would. Put in place while alive.
class FaultyCalls final : public FileCalls {
public:
    enum class Kind { Open, MakeTemp, Write, Fsync, Ftruncate, Close, Rename };
    struct Call {
        Kind kind;
        int fd;         // -1 where no descriptor is concerned
        bool onFolder;  // the descriptor is a folder's
    };

    FaultyCalls();
    ~FaultyCalls() override;

    // The call with this index in the log fails with `err`. A write chosen so
    // with `partly` first writes half its bytes, and every later write fails:
    // the disk is full.
    void failAt(std::size_t index, int err = EIO, bool partly = false);
    // fsync() does nothing but count: for tests about crashes of the
    // process, which the page cache survives.
    bool realFsync = true;

    std::vector<Call> log;
    int count(Kind kind) const;
    static const char* nameOf(Kind kind);

    int open(const char* path, int flags, mode_t mode) override;
    int makeTemp(char* pathTemplate, int suffixLength) override;
    ssize_t write(int fd, const void* data, std::size_t size) override;
    int fsync(int fd) override;
    int ftruncate(int fd, off_t length) override;
    int close(int fd) override;
    int rename(const char* from, const char* to) override;

private:
    // Logs the call; true when it is the one to fail (errno is then set).
    bool fails(Kind kind, int fd);

    std::size_t failIndex_ = static_cast<std::size_t>(-1);
    int failErr_ = 0;
    bool partly_ = false;
    bool diskFull_ = false;
    UsingFileCalls using_;
};

// While alive, a file may grow to `bytes` only: a write beyond fails (with
// EFBIG, the signal ignored), as on a disk that fills up half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedSignal_)(int);
};

// Fails the renames onto a path that ends with one of the names, with a full
// disk, once as many as given for that name have gone through. fsync() only
// counts: these tests are about failures, not crashes.
struct FailingRenames final : FileCalls {
    std::map<std::string, int> names;
    int fsync(int) override { return 0; }
    int rename(const char* from, const char* to) override {
        for (auto& [name, letThrough] : names) {
            if (std::string_view(to).ends_with(name) && letThrough-- <= 0) {
                errno = ENOSPC;
                return -1;
            }
        }
        return FileCalls::rename(from, to);
    }
};

// Refuses to open for writing the files whose path ends with `name`, as a
// device that fails them would, leaving every stamp as it is.
struct FailingOpens final : FileCalls {
    std::string name;
    explicit FailingOpens(std::string_view n) : name(n) {}
    int open(const char* path, int flags, mode_t mode) override {
        if (!std::string_view(path).ends_with(name)) return FileCalls::open(path, flags, mode);
        errno = EACCES;
        return -1;
    }
};

}  // namespace zm::test
