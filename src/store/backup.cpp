#include "store/backup.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "store/datafolder.h"
#include "store/filecalls.h"
#include "store/fileerror.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

// Copies `from` to the new file `to` and flushes it; returns errno or 0.
int copyFlushed(const fs::path& from, const fs::path& to) {
    FileCalls& io = fileCalls();
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    const int out = io.open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
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
            const ssize_t w = io.write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                err = errno;
                break;
            }
            done += w;
        }
        if (err) break;
    }
    if (!err && io.fsync(out) != 0) err = errno;
    if (io.close(out) != 0 && !err) err = errno;
    ::close(in);
    return err;
}

void syncFolder(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fileCalls().fsync(fd);
    ::close(fd);
}

// A daily copy's folder name: exactly eight digits.
bool isDailyName(const std::string& name) {
    return name.size() == 8 &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string dailyName(Date d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02u%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
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

bool makeDailyCopy(const DataFolder& folder, Date today, int keep) {
    const fs::path root = folder.dir() / fs::path(std::string(kBackupFolder));
    const std::string todays = dailyName(today);
    std::error_code ec;
    bool made = false;
    if (!fs::exists(root / todays, ec)) {
        copyDataFiles(folder, todays, files::allData());
        made = true;
    }

    std::vector<std::string> daily;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().native();
        if (isDailyName(name) && it->symlink_status(typeError).type() == fs::file_type::directory)
            daily.push_back(name);
    }
    if (ec) {
        throw FileError(std::string(kBackupFolder), 0,
                        "古いコピーを確かめられません（" + ec.message() + "）");
    }
    std::sort(daily.begin(), daily.end(), std::greater<>());
    for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < daily.size(); ++i) {
        if (daily[i] == todays) continue;
        fs::remove_all(root / daily[i], ec);
        if (ec) {
            throw FileError(std::string(kBackupFolder) + "/" + daily[i], 0,
                            "古いコピーを削除できません（" + ec.message() + "）");
        }
    }
    return made;
}

}  // namespace zm
