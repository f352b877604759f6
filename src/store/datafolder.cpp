#include "store/datafolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "store/cp932.h"
#include "store/cp932lines.h"
#include "store/editlog.h"
#include "store/fd.h"
#include "store/fieldlength.h"
#include "store/fileedit.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/filestamp.h"
#include "store/filewriting.h"
#include "store/foreachline.h"
#include "store/keptreads.h"
#include "store/leftovers.h"
#include "store/readsahead.h"
#include "store/recordline.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

// The most bytes any data file may hold: a ledger at its limit of 32,766
// records, each with a string field of the longest length in double-byte
// characters beside its date and amount. A larger file is damaged.
constexpr std::size_t kMaxLineBytes = 2 * kMaxFieldChars + 64;
constexpr off_t kMaxFileBytes = static_cast<off_t>(kMaxLineBytes) * 32766;

[[noreturn]] void throwTooBig(std::string_view name) {
    throw FileError(
        std::string(name), 0,
        "ファイルが大きすぎます（" + std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB まで）");
}

std::string readAll(std::string_view name, const fs::path& path, FileStamp& stamp) {
    // O_NONBLOCK: a pipe in the file's place must not hold the program up;
    // it is refused below like any other file that is not a regular one.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.ok()) throwReadError(name, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throwReadError(name, errno);
    if (!S_ISREG(st.st_mode)) throw FileError(std::string(name), 0, kNotRegularFile);
    if (st.st_size > kMaxFileBytes) throwTooBig(name);
    stamp = FileStamp::of(st);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = fileCalls().read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwReadError(name, errno);
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxFileBytes))
            throwTooBig(name);
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

}  // namespace

DataFolder::DataFolder(fs::path dir)
    : dir_(std::move(dir)),
      kept_(std::make_shared<KeptReads>()),
      ahead_(std::make_shared<ReadsAhead>()) {}

fs::path DataFolder::resolve(std::string_view name) const {
    fs::path exact = dir_ / fs::path(std::string(name));
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;

    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return exact;
    const std::string_view stem = name.substr(0, dot + 1);
    const std::string_view ext = name.substr(dot + 1);
    // Directory order is arbitrary: take the smallest match so the choice is stable.
    std::optional<fs::path> best;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().native();
        if (entry.size() != name.size() || entry.compare(0, stem.size(), stem) != 0) continue;
        if (!sameIgnoringAsciiCase(std::string_view(entry).substr(stem.size()), ext)) continue;
        if (!best || it->path() < *best) best = it->path();
    }
    return best ? *best : exact;
}

std::optional<FileStamp> DataFolder::stamp(std::string_view name) const {
    return FileStamp::of(resolve(name));
}

namespace {

// The path with every link in it followed, as far as the folders exist; a
// name the system refuses (too long) is taken as it is written. Empty when
// nothing of it can be told.
std::filesystem::path followed(const std::filesystem::path& path) {
    std::filesystem::path head = path, tail;
    for (;;) {
        std::error_code ec;
        const auto known = std::filesystem::weakly_canonical(head, ec);
        if (!ec) return tail.empty() ? known : (known / tail).lexically_normal();
        if (head == head.parent_path()) return {};
        tail = tail.empty() ? head.filename() : head.filename() / tail;
        head = head.parent_path();
    }
}

}  // namespace

bool DataFolder::holds(const std::filesystem::path& folder) const {
    const auto home = followed(dir_), there = followed(folder);
    if (home.empty() || there.empty()) return true;
    return std::mismatch(home.begin(), home.end(), there.begin(), there.end()).first == home.end();
}

bool DataFolder::exists(std::string_view name) const {
    std::error_code ec;
    return fs::exists(resolve(name), ec);
}

std::string DataFolder::readBytes(std::string_view name) const {
    FileStamp stamp;
    std::string bytes = readAll(name, resolve(name), stamp);
    saw(name, stamp);
    return bytes;
}

void DataFolder::saw(std::string_view name, std::optional<FileStamp> stamp) const {
    const auto it = seen_.find(name);
    if (it != seen_.end()) {
        it->second = stamp;
    } else {
        seen_.emplace(std::string(name), stamp);
    }
}

std::vector<std::string> DataFolder::changedBehind() const {
    std::vector<std::string> changed;
    for (const auto& [name, stamp] : seen_)
        if (this->stamp(name) != stamp) changed.push_back(name);
    return changed;
}

std::optional<FileStamp> DataFolder::lastSeen(std::string_view name) const {
    const auto it = seen_.find(name);
    return it == seen_.end() ? std::nullopt : it->second;
}

void DataFolder::checkUnchanged(std::string_view name) const {
    const auto it = seen_.find(name);
    if (it != seen_.end() && stamp(name) != it->second) throw OutsideChange(std::string(name));
}

std::string DataFolder::readText(std::string_view name) const {
    return decode(name, readBytes(name));
}

std::string DataFolder::decode(std::string_view name, std::string_view bytes) {
    auto text = shownText(bytes);
    if (text) return std::move(*text);
    // Name the first line that does not decode: a blank one always does.
    forEachLine(bytes, [&](int lineNo, std::string_view line) {
        if (!isCp932(line)) throw FileError(std::string(name), lineNo, kNotCp932);
    });
    throw FileError(std::string(name), 0, kNotCp932);
}

std::optional<std::string> DataFolder::shownText(std::string_view bytes) {
    auto text = cp932ToUtf8(bytes);
    // In the Japanese code page 0x5C is the yen sign: the files' own writers
    // showed it as "¥", and writing "¥" gives the same byte again.
    if (!text || text->find('\\') == std::string::npos) return text;
    std::string shown;
    shown.reserve(text->size() + 16);
    for (char c : *text) {
        if (c == '\\') {
            shown += "¥";
        } else {
            shown += c;
        }
    }
    return shown;
}

void DataFolder::createIfMissing(std::string_view name) const {
    if (exists(name)) return;
    const fs::path path = dir_ / fs::path(std::string(name));
    Fd fd(fileCalls().open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    // A link that loops is there but cannot be read: no failure to write.
    if (!fd.ok() && errno == ELOOP) throwReadError(name, ELOOP);
    if (!fd.ok()) throwWriteError(name, errno);
    if (const int err = fd.close()) throwWriteError(name, err);
}

void DataFolder::sawWritten(std::string_view name) const {
    saw(name, stamp(name));
    if (log_) log_->left(name, seen_.find(name)->second);
}

void DataFolder::append(std::string_view name, const RecordLine& line) const {
    auto bytes = utf8ToCp932(line.text() + "\r\n");
    if (!bytes) throw FileError(std::string(name), 0, kCannotEncode);
    appendLogged(name, std::move(*bytes));
}

void DataFolder::append(std::string_view name, const Cp932Lines& lines) const {
    if (!lines.ok()) throw FileError(std::string(name), 0, kCannotEncode);
    appendLogged(name, std::string(lines.bytes()));
}

void DataFolder::appendLogged(std::string_view name, std::string bytes) const {
    checkUnchanged(name);
    if (log_) log_->aboutToWrite(name, stamp(name));
    if (!log_) {
        appendCuttingBack(resolve(name), std::move(bytes), name);
        sawWritten(name);
        return;
    }
    FileEdit edit;
    edit.name = std::string(name);
    edit.appended = true;
    edit.after = bytes;
    const Appended done = appendCuttingBack(resolve(name), std::move(bytes), name);
    edit.head = done.oldSize;
    edit.existed = done.existed;
    edit.lineEndAdded = done.lineEndAdded;
    if (done.lineEndAdded) edit.after.insert(0, "\r\n");
    sawWritten(name);
    log_->wrote(std::move(edit), seen_.find(name)->second);
}

void DataFolder::rewrite(std::string_view name, const std::vector<RecordLine>& lines) const {
    std::size_t size = 0;
    for (const RecordLine& line : lines) size += line.text().size() + 2;
    std::string text;
    text.reserve(size);
    for (const RecordLine& line : lines) text.append(line.text()).append("\r\n");
    const auto bytes = utf8ToCp932(text);
    if (!bytes) throw FileError(std::string(name), 0, kCannotEncode);
    rewriteLogged(name, *bytes);
}

void DataFolder::rewrite(std::string_view name, const Cp932Lines& lines) const {
    if (!lines.ok()) throw FileError(std::string(name), 0, kCannotEncode);
    rewriteLogged(name, lines.bytes());
}

std::string DataFolder::bytesOrNone(std::string_view name, bool& existed) const {
    const fs::path path = resolve(name);
    std::error_code ec;
    existed = fs::exists(path, ec) || fs::is_symlink(path, ec);
    FileStamp ignored;
    return existed ? readAll(name, path, ignored) : std::string();
}

void DataFolder::rewriteLogged(std::string_view name, std::string_view bytes) const {
    checkUnchanged(name);
    if (log_) log_->aboutToWrite(name, stamp(name));
    bool existed = true;
    // What the file held, for the log; read only when it is kept.
    const std::string old = log_ ? bytesOrNone(name, existed) : std::string();
    writeWhole(resolve(name), bytes, name);
    sawWritten(name);
    if (log_) log_->wrote(wholeEdit(std::string(name), old, bytes, existed), seen_.find(name)->second);
}

void DataFolder::checkAsLeft(const FileEdit& edit) const {
    if (!log_ || !log_->asLeft(edit, stamp(edit.name))) throw OutsideChange(edit.name);
}

void DataFolder::takeBack(const FileEdit& edit) const {
    across(edit, true);
}

void DataFolder::makeAgain(const FileEdit& edit) const {
    across(edit, false);
}

void DataFolder::across(const FileEdit& edit, bool undone) const {
    const std::string& name = edit.name;
    checkAsLeft(edit);
    const std::size_t sizeThere = undone ? edit.sizeAfter() : edit.sizeBefore();
    try {
        if (edit.appended && undone) {
            cutBack(resolve(name), edit.head, edit.after, name, !edit.existed);
        } else if (edit.appended) {
            if (stamp(name).value_or(FileStamp{}).size != static_cast<std::int64_t>(edit.head))
                throw OutsideChange(name);
            appendCuttingBack(resolve(name), edit.after.substr(edit.lineEndAdded ? 2 : 0), name);
        } else {
            bool existed = true;
            const auto whole = edit.across(bytesOrNone(name, existed), undone);
            if (!whole) throw OutsideChange(name);
            writeWhole(resolve(name), *whole, name);
        }
    } catch (const OutsideChange&) {
        throw;
    } catch (const FileError&) {
        // Cut back or never written: the file holds what it held, under a new
        // stamp when a failed append was cut back. It can be tried again.
        const auto now = stamp(name);
        if (now && now->size == static_cast<std::int64_t>(sizeThere)) sawWritten(name);
        throw;
    }
    sawWritten(name);
}

int DataFolder::removeTemporaryFiles() const {
    return removeLeftovers(dir_, isTemporaryFileName, fs::file_type::regular);
}

std::optional<std::filesystem::path> workingFolder(std::string& why) {
    std::error_code ec;
    auto dir = std::filesystem::current_path(ec);
    if (!ec) return dir;
    why = "データフォルダを開けません（" + systemReason(ec.value()) +
          "）。\n起動したフォルダが削除されていないか確かめてください。";
    return std::nullopt;
}

}  // namespace zm
