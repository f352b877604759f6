#pragma once

#include <sys/types.h>

#include <cstddef>

namespace zm {

// The system calls through which the store reads and writes its files. The real calls
// are the default; a test puts calls of its own in place to fail one step of
// a write, or to count the flushes. Each returns what the system call returns
// and sets errno as it would.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    // mkostemps(): a new file from a template whose last `suffixLength`
    // characters follow the XXXXXX.
    virtual int makeTemp(char* pathTemplate, int suffixLength);
    virtual ssize_t read(int fd, void* data, std::size_t size);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
};

// The calls in use.
FileCalls& fileCalls();

// Puts `calls` in place for as long as it lives.
class UsingFileCalls {
public:
    explicit UsingFileCalls(FileCalls& calls);
    ~UsingFileCalls();
    UsingFileCalls(const UsingFileCalls&) = delete;
    UsingFileCalls& operator=(const UsingFileCalls&) = delete;

private:
    FileCalls* previous_;
};

}  // namespace zm
