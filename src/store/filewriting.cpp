#include "store/filewriting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "store/fd.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

// A file the user made read-only stays as it is. Write bits count even for
// a user whom the system would let write anyway.
void refuseReadOnly(std::string_view name, const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
        throw FileError(std::string(name), 0,
                        "読み取り専用のファイルなので書き込めません。\r\n"
                        "書き込みを許可してから、もう一度お試しください。");
    }
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link), so that a rewrite replaces the target and the link stays a link.
fs::path followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(path, ec)) break;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) break;
        path = (to.is_absolute() ? to : path.parent_path() / to).lexically_normal();
    }
    return path;
}

}  // namespace

namespace {

// The file cut back to `size` and flushed; false when either failed.
bool cutTo(FileCalls& io, int fd, off_t size) {
    return io.ftruncate(fd, size) == 0 && io.fsync(fd) == 0;
}

}  // namespace

Appended appendCuttingBack(const fs::path& path, std::string bytes, std::string_view name) {
    refuseReadOnly(name, path);
    struct stat st {};
    const bool existed = ::lstat(path.c_str(), &st) == 0;

    FileCalls& io = fileCalls();
    Fd fd(io.open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (!fd.ok()) throwWriteError(name, errno);
    if (::fstat(fd.get(), &st) != 0) throwWriteError(name, errno);
    const off_t oldSize = S_ISREG(st.st_mode) ? st.st_size : 0;

    // A last line without its line end (written by another editor) must not
    // swallow the new record.
    char last = '\n';
    const bool endLine =
        oldSize > 0 && ::pread(fd.get(), &last, 1, oldSize - 1) == 1 && last != '\n';
    if (endLine) bytes.insert(0, "\r\n");

    const auto undo = [&](int err) {
        const bool cut = fd.ok() ? cutTo(io, fd.get(), oldSize) : ::truncate(path.c_str(), oldSize) == 0;
        if (cut && !existed) ::unlink(path.c_str());
        if (cut) throwWriteError(name, err);
        throw FileError(
            std::string(name), 0,
            withSystemReason("書き込めません", err) +
                "\r\n書きかけの記録を取り消せませんでした。最後の行を確かめてください。");
    };
    if (const int err = writeAll(fd.get(), bytes)) undo(err);
    if (io.fsync(fd.get()) != 0) undo(errno);
    if (const int err = fd.close()) undo(err);
    return {static_cast<std::size_t>(oldSize), existed, endLine};
}

void cutBack(const fs::path& path, std::size_t oldSize, std::string_view added,
             std::string_view name, bool remove) {
    refuseReadOnly(name, path);
    FileCalls& io = fileCalls();
    Fd fd(io.open(path.c_str(), O_RDWR | O_CLOEXEC, 0644));
    if (!fd.ok()) throwWriteError(name, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throwWriteError(name, errno);
    std::string end(added.size(), '\0');
    const auto at = static_cast<off_t>(oldSize);
    if (!S_ISREG(st.st_mode) || st.st_size != at + static_cast<off_t>(added.size()) ||
        ::pread(fd.get(), end.data(), end.size(), at) != static_cast<ssize_t>(end.size()) ||
        end != added)
        throw OutsideChange(std::string(name));
    if (!cutTo(io, fd.get(), at)) throwWriteError(name, errno);
    if (const int err = fd.close()) throwWriteError(name, err);
    if (remove && ::unlink(path.c_str()) != 0) throwWriteError(name, errno);
}

void writeWhole(const fs::path& path, std::string_view bytes, std::string_view name,
                AtLink link) {
    const fs::path target = link == AtLink::WriteThrough ? followLinks(path) : path;
    mode_t mode = 0644;
    struct stat st {};
    // A link that is replaced says nothing of the new file: its target's
    // permissions are not the new file's.
    if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        refuseReadOnly(name, target);
        mode = st.st_mode & 07777;
    }

    const fs::path dir = target.parent_path();
    FileCalls& io = fileCalls();
    std::string tmpl = (dir / ("." + target.filename().native() + ".XXXXXX.tmp")).native();
    Fd fd(io.makeTemp(tmpl.data(), 4));
    if (!fd.ok()) throwWriteError(name, errno);
    const auto fail = [&](int err) {
        ::unlink(tmpl.c_str());
        throwWriteError(name, err);
    };
    if (const int err = writeAll(fd.get(), bytes)) fail(err);
    if (::fchmod(fd.get(), mode) != 0) fail(errno);
    if (io.fsync(fd.get()) != 0) fail(errno);
    if (const int err = fd.close()) fail(err);
    if (io.rename(tmpl.c_str(), target.c_str()) != 0) fail(errno);

    // Make the rename itself durable. The new file is in place already, so a
    // folder that cannot be synced (some file systems refuse) is no failure.
    Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.ok()) io.fsync(folder.get());
}

void writeAllOrNone(const std::vector<SetFile>& set, AtLink link) {
    for (std::size_t i = 0; i < set.size(); ++i) {
        try {
            writeWhole(set[i].path, set[i].bytes, set[i].name, link);
        } catch (const FileError& e) {
            std::vector<std::string> notBack;
            for (std::size_t j = i; j-- > 0;) {
                const SetFile& f = set[j];
                try {
                    if (f.before) {
                        writeWhole(f.path, *f.before, f.name, link);
                    } else if (::unlink(f.path.c_str()) != 0 && errno != ENOENT) {
                        throwWriteError(f.name, errno);
                    }
                } catch (const FileError&) {
                    notBack.push_back(f.name);
                }
            }
            throw SetWriteError(e, std::move(notBack));
        }
    }
}

bool isTemporaryFileName(std::string_view name) {
    // "." + a data file's name + "." + six letters or digits + ".tmp"
    constexpr std::string_view kTail = ".tmp";
    constexpr std::size_t kRandom = 6;
    if (name.size() < 1 + 1 + kRandom + kTail.size() || name.front() != '.' ||
        !name.ends_with(kTail))
        return false;
    const std::size_t randomAt = name.size() - kTail.size() - kRandom;
    for (char c : name.substr(randomAt, kRandom)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum) return false;
    }
    if (name[randomAt - 1] != '.') return false;
    const std::string_view file = name.substr(1, randomAt - 2);
    for (std::string_view data : files::allData()) {
        if (sameIgnoringAsciiCase(file, data)) return true;
    }
    return false;
}

}  // namespace zm
