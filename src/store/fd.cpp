#include "store/fd.h"

#include <cerrno>
#include <cstddef>
#include <utility>

#include "store/filecalls.h"

namespace zm {

Fd::~Fd() {
    if (fd_ >= 0) fileCalls().close(fd_);
}

int Fd::close() {
    const int rc = fileCalls().close(std::exchange(fd_, -1));
    return rc == 0 ? 0 : errno;
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto n = fileCalls().write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace zm
