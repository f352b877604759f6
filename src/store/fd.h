#pragma once

#include <string_view>

namespace zm {

// A file descriptor, closed through the store's file calls on every way out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Closes now and reports the error of close(), which can be the first
    // sign of a failed write; 0 when it went well.
    int close();

private:
    int fd_;
};

// Writes every byte of `bytes` to `fd` through the store's file calls, again
// after an interruption; returns errno of the failed write, or 0.
int writeAll(int fd, std::string_view bytes);

}  // namespace zm
