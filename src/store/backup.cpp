#include "store/backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "store/cp932.h"
#include "store/datafolder.h"
#include "store/fd.h"
#include "store/fieldreader.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/leftovers.h"
#include "store/recordline.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUnfinishedTail = ".tmp";

// Flushes and closes a file written whole; returns errno or 0.
int finish(int out, int err) {
    FileCalls& io = fileCalls();
    if (!err && io.fsync(out) != 0) err = errno;
    if (io.close(out) != 0 && !err) err = errno;
    return err;
}

// Copies the regular file `from` to the new file `to` and flushes it; returns
// why it could not, or nothing. Opened without blocking and looked at before
// a byte is read: a FIFO or a device (a link to /dev/zero) is refused instead
// of hanging the copy or filling the disk.
std::string copyFlushed(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(in, &st) != 0) {
        const int err = errno;
        ::close(in);
        return systemReason(err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(in);
        return kNotRegularFile;
    }
    const int out = fileCalls().open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return systemReason(err);
    }
    int err = 0;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        if (n <= 0) break;
        if ((err = writeAll(out, std::string_view(buf, static_cast<std::size_t>(n)))) != 0) break;
    }
    err = finish(out, err);
    ::close(in);
    return err ? systemReason(err) : std::string();
}

int writeNewFile(const fs::path& path, std::string_view bytes) {
    const int out = fileCalls().open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) return errno;
    return finish(out, writeAll(out, bytes));
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

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool standsThere(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

// The folder of copies; a file standing in its place is a FileError naming it.
fs::path copiesRoot(const DataFolder& folder) {
    const fs::path root = folder.dir() / fs::path(std::string(kBackupFolder));
    if (standsThere(root) && !isFolder(root)) {
        throw FileError(std::string(kBackupFolder), 0,
                        "フォルダではありません（同じ名前のファイルがあります）");
    }
    return root;
}

}  // namespace

std::string copyNameAt(const Moment& m) {
    const auto s = static_cast<long long>(m.time.count());
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d%02u%02u-%02lld%02lld%02lld",
                  static_cast<int>(m.date.year()), static_cast<unsigned>(m.date.month()),
                  static_cast<unsigned>(m.date.day()), s / 3600, s / 60 % 60, s % 60);
    return buf;
}

bool isUnfinishedCopyName(std::string_view name) {
    return name.size() > 1 + kUnfinishedTail.size() && name.front() == '.' &&
           name.ends_with(kUnfinishedTail);
}

fs::path copyDataFiles(const DataFolder& folder, std::string_view copyName,
                       const std::vector<std::string_view>& names,
                       const std::vector<CopyNote>& notes) {
    const fs::path root = copiesRoot(folder);
    const fs::path target = root / fs::path(std::string(copyName));
    const fs::path building = root / ("." + std::string(copyName) + std::string(kUnfinishedTail));
    const std::string shown = std::string(kBackupFolder) + "/" + std::string(copyName);
    const auto fail = [&](const std::string& reason) {
        std::error_code ignored;
        fs::remove_all(building, ignored);
        throw FileError(shown, 0, "コピーを作れません（" + reason + "）");
    };

    std::error_code ec;
    fs::create_directory(root, ec);
    if (ec) fail(systemReason(ec.value()));
    if (standsThere(target)) fail("同じ名前のフォルダがあります");
    fs::remove_all(building, ec);  // ours by its name: left by a copy cut short
    if (!fs::create_directory(building, ec)) fail(systemReason(ec ? ec.value() : EEXIST));
    for (std::string_view name : names) {
        if (!folder.exists(name)) continue;
        const fs::path from = folder.resolve(name);
        const std::string why = copyFlushed(from, building / from.filename());
        if (!why.empty()) fail(std::string(name) + "：" + why);
    }
    for (const CopyNote& note : notes) {
        if (const int err =
                writeNewFile(building / fs::path(std::string(note.fileName)), note.bytes))
            fail(std::string(note.fileName) + "：" + systemReason(err));
    }
    syncFolder(building);
    if (fileCalls().rename(building.c_str(), target.c_str()) != 0) fail(systemReason(errno));
    syncFolder(root);
    return target;
}

int removeUnfinishedCopies(const DataFolder& folder) {
    return removeLeftovers(folder.dir() / fs::path(std::string(kBackupFolder)),
                           isUnfinishedCopyName, fs::file_type::directory);
}

bool makeDailyCopy(const DataFolder& folder, Date today, int keep,
                   const std::function<void()>& checkFirst) {
    const fs::path root = copiesRoot(folder);
    const std::string todays = dailyName(today);
    bool made = false;
    if (!standsThere(root / todays)) {
        if (checkFirst) checkFirst();
        copyDataFiles(folder, todays, files::allData());
        made = true;
    } else if (!isFolder(root / todays)) {
        throw FileError(std::string(kBackupFolder) + "/" + todays, 0,
                        "フォルダではないものがあるため、コピーを置けません");
    }

    std::error_code ec;
    std::vector<std::string> daily;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().native();
        if (isDailyName(name) && it->symlink_status(typeError).type() == fs::file_type::directory)
            daily.push_back(name);
    }
    if (ec) {
        throw FileError(std::string(kBackupFolder), 0,
                        "古いコピーを確かめられません（" + systemReason(ec.value()) + "）");
    }
    std::sort(daily.begin(), daily.end(), std::greater<>());
    for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < daily.size(); ++i) {
        if (daily[i] == todays) continue;
        fs::remove_all(root / daily[i], ec);
        if (ec) {
            throw FileError(std::string(kBackupFolder) + "/" + daily[i], 0,
                            "古いコピーを削除できません（" + systemReason(ec.value()) + "）");
        }
    }
    return made;
}

CopyNote newStartNote(const ThemeNames3& names) {
    const auto bytes =
        utf8ToCp932(RecordLine().str(names[0]).str(names[1]).str(names[2]).text() + "\r\n");
    if (!bytes) throw FileError(std::string(kNewStartNote), 0, kCannotEncode);
    return {kNewStartNote, *bytes};
}

std::optional<std::string> newestCopyWithNote(const DataFolder& folder, std::string_view note) {
    const fs::path root = folder.dir() / fs::path(std::string(kBackupFolder));
    std::optional<std::string> newest;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().native();
        std::error_code noteError;
        if (!isUnfinishedCopyName(name) &&
            fs::symlink_status(it->path() / fs::path(std::string(note)), noteError).type() ==
                fs::file_type::regular &&
            (!newest || name > *newest))
            newest = name;
    }
    return newest;
}

std::string readCopyNote(const DataFolder& folder, std::string_view copyName,
                         std::string_view note) {
    const fs::path root = folder.dir() / fs::path(std::string(kBackupFolder));
    return DataFolder(root / fs::path(std::string(copyName))).readText(note);
}

std::optional<UnfinishedNewStart> findUnfinishedNewStart(const DataFolder& folder) {
    const auto newest = newestCopyWithNote(folder, kNewStartNote);
    if (!newest) return std::nullopt;
    const std::string shown =
        std::string(kBackupFolder) + "/" + *newest + "/" + std::string(kNewStartNote);
    int records = 0;
    ThemeNames3 names;
    forEachRecord(shown, readCopyNote(folder, *newest, kNewStartNote), 3,
                  [&](const FieldReader& f) {
                      if (records++ == 0) names = {f.str(0), f.str(1), f.str(2)};
                  });
    if (records != 1) throw FileError(shown, 0, "テーマ名がありません");
    return UnfinishedNewStart{*newest, std::move(names)};
}

void clearCopyNote(const DataFolder& folder, std::string_view copyName, std::string_view note) {
    const fs::path copy =
        folder.dir() / fs::path(std::string(kBackupFolder)) / fs::path(std::string(copyName));
    if (::unlink((copy / fs::path(std::string(note))).c_str()) != 0 && errno != ENOENT) {
        throw FileError(std::string(kBackupFolder) + "/" + std::string(copyName) + "/" +
                            std::string(note),
                        0, "削除できません（" + systemReason(errno) + "）");
    }
    syncFolder(copy);
}

}  // namespace zm
