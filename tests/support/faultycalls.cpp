#include "support/faultycalls.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace zm::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &saved_) != 0) throw std::runtime_error("getrlimit failed");
    rlimit small = saved_;
    small.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &small) != 0) throw std::runtime_error("setrlimit failed");
    savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedSignal_);
}

FaultyCalls::FaultyCalls() : using_(*this) {}
FaultyCalls::~FaultyCalls() = default;

void FaultyCalls::failAt(std::size_t index, int err, bool partly) {
    failIndex_ = index;
    failErr_ = err;
    partly_ = partly;
}

int FaultyCalls::count(Kind kind) const {
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [kind](const Call& c) { return c.kind == kind; }));
}

const char* FaultyCalls::nameOf(Kind kind) {
    switch (kind) {
        case Kind::Open:
            return "open";
        case Kind::MakeTemp:
            return "makeTemp";
        case Kind::Write:
            return "write";
        case Kind::Fsync:
            return "fsync";
        case Kind::Ftruncate:
            return "ftruncate";
        case Kind::Close:
            return "close";
        case Kind::Rename:
            return "rename";
    }
    return "?";
}

bool FaultyCalls::fails(Kind kind, int fd) {
    struct stat st {};
    const bool folder = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    log.push_back({kind, fd, folder});
    if (log.size() - 1 != failIndex_) return false;
    errno = failErr_;
    return true;
}

int FaultyCalls::open(const char* path, int flags, mode_t mode) {
    if (fails(Kind::Open, -1)) return -1;
    return FileCalls::open(path, flags, mode);
}

int FaultyCalls::makeTemp(char* pathTemplate, int suffixLength) {
    if (fails(Kind::MakeTemp, -1)) return -1;
    return FileCalls::makeTemp(pathTemplate, suffixLength);
}

ssize_t FaultyCalls::write(int fd, const void* data, std::size_t size) {
    if (diskFull_) {
        log.push_back({Kind::Write, fd, false});
        errno = ENOSPC;
        return -1;
    }
    if (!fails(Kind::Write, fd)) return FileCalls::write(fd, data, size);
    if (!partly_ || size < 2) return -1;
    diskFull_ = true;
    return FileCalls::write(fd, data, size / 2);
}

int FaultyCalls::fsync(int fd) {
    if (fails(Kind::Fsync, fd)) return -1;
    return realFsync ? FileCalls::fsync(fd) : 0;
}

int FaultyCalls::ftruncate(int fd, off_t length) {
    if (fails(Kind::Ftruncate, fd)) return -1;
    return FileCalls::ftruncate(fd, length);
}

int FaultyCalls::close(int fd) {
    const bool fail = fails(Kind::Close, fd);
    const int err = errno;
    // The descriptor is gone even when close() reports an error.
    const int rc = FileCalls::close(fd);
    if (!fail) return rc;
    errno = err;
    return -1;
}

int FaultyCalls::rename(const char* from, const char* to) {
    if (fails(Kind::Rename, -1)) return -1;
    return FileCalls::rename(from, to);
}

}  // namespace zm::test
