#include "store/filecalls.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

namespace zm {

namespace {

FileCalls realCalls;
FileCalls* current = &realCalls;

}  // namespace

int FileCalls::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
int FileCalls::makeTemp(char* pathTemplate, int suffixLength) {
    return ::mkostemps(pathTemplate, suffixLength, O_CLOEXEC);
}
ssize_t FileCalls::read(int fd, void* data, std::size_t size) {
    return ::read(fd, data, size);
}
ssize_t FileCalls::write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}
int FileCalls::fsync(int fd) {
    return ::fsync(fd);
}
int FileCalls::ftruncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}
int FileCalls::close(int fd) {
    return ::close(fd);
}
int FileCalls::rename(const char* from, const char* to) {
    return std::rename(from, to);
}

FileCalls& fileCalls() {
    return *current;
}

UsingFileCalls::UsingFileCalls(FileCalls& calls) : previous_(current) {
    current = &calls;
}

UsingFileCalls::~UsingFileCalls() {
    current = previous_;
}

}  // namespace zm
