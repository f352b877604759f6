#include "store/backup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "store/datafolder.h"
#include "store/fileerror.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

// Copies `from` to the new file `to` and flushes it; returns errno or 0.
int copyFlushed(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    int err = 0;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                err = errno;
                break;
            }
            done += w;
        }
        if (err) break;
    }
    if (!err && ::fsync(out) != 0) err = errno;
    if (::close(out) != 0 && !err) err = errno;
    ::close(in);
    return err;
}

void syncFolder(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

fs::path copyDataFiles(const DataFolder& folder, std::string_view copyName,
                       const std::vector<std::string_view>& names) {
    const fs::path root = folder.dir() / fs::path(std::string(kBackupFolder));
    const fs::path target = root / fs::path(std::string(copyName));
    const std::string shown = std::string(kBackupFolder) + "/" + std::string(copyName);
    const auto fail = [&](const std::string& reason, bool made) {
        if (made) {
            std::error_code ignored;
            fs::remove_all(target, ignored);
        }
        throw FileError(shown, 0, "コピーを作れません（" + reason + "）");
    };

    std::error_code ec;
    fs::create_directory(root, ec);
    if (ec) fail(ec.message(), false);
    if (!fs::create_directory(target, ec))
        fail(ec ? ec.message() : "同じ名前のフォルダがあります", false);
    for (std::string_view name : names) {
        if (!folder.exists(name)) continue;
        const fs::path from = folder.resolve(name);
        if (const int err = copyFlushed(from, target / from.filename())) {
            fail(std::string(name) + "：" + std::strerror(err), true);
        }
    }
    syncFolder(target);
    syncFolder(root);
    return target;
}

}  // namespace zm
