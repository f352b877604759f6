#include "store/datafolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "core/datetime.h"
#include "store/cp932.h"
#include "store/filecalls.h"
#include "store/fileerror.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNotCp932 = "文字コードが Shift-JIS ではありません";
constexpr std::string_view kCannotEncode = "Shift-JIS で書けない文字があります";

std::string withErrno(std::string_view what, int err) {
    return std::string(what) + "（" + systemReason(err) + "）";
}

[[noreturn]] void throwRead(std::string_view name, int err) {
    if (err == ENOENT) throw FileError(std::string(name), 0, "ファイルがありません");
    throw FileError(std::string(name), 0, withErrno("読み込めません", err));
}

[[noreturn]] void throwWrite(std::string_view name, int err) {
    throw FileError(std::string(name), 0, withErrno("書き込めません", err));
}

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

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Closes a descriptor on every way out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) fileCalls().close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Closes now and reports the error of close(), which can be the first
    // sign of a failed write.
    int close() {
        const int rc = fileCalls().close(std::exchange(fd_, -1));
        return rc == 0 ? 0 : errno;
    }

private:
    int fd_;
};

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = fileCalls().write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

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

std::string readAll(std::string_view name, const fs::path& path) {
    // O_NONBLOCK: a pipe in the file's place must not hold the program up;
    // it is refused below like any other file that is not a regular one.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.ok()) throwRead(name, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throwRead(name, errno);
    if (!S_ISREG(st.st_mode)) throw FileError(std::string(name), 0, kNotRegularFile);
    if (st.st_size > kMaxFileBytes) throwTooBig(name);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = fileCalls().read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwRead(name, errno);
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxFileBytes))
            throwTooBig(name);
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

// Splits file contents at LF, dropping the CR of CR LF; a final line
// without a line end still counts.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

// A plain decimal number, optionally with a sign and an exponent; no "inf", "nan" or blanks.
std::optional<double> parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("-0123456789.eE+") != std::string_view::npos)
        return std::nullopt;
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

Record parseRecord(std::string_view name, int lineNo, std::string_view line,
                   std::string_view shape) {
    const auto fail = [&](std::string reason) {
        return FileError(std::string(name), lineNo, std::move(reason));
    };
    constexpr int kCap = 8;
    FieldView fields[kCap];
    std::string error;
    const int n = splitFields(line, fields, kCap, error);
    if (n < 0) throw fail(error);
    if (static_cast<std::size_t>(n) != shape.size()) {
        throw fail("項目の数が違います（" + std::to_string(shape.size()) + " 個のはずが " +
                   std::to_string(n) + " 個）");
    }
    Record rec;
    rec.line = lineNo;
    rec.moneys.resize(shape.size());
    rec.numbers.resize(shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const FieldView& f = fields[i];
        const std::string shown = excerpt(f.text);
        switch (shape[i]) {
            case 's':
                break;
            case 'D':
                if (!parseDateText(f.text)) throw fail("日付が正しくありません：" + shown);
                break;
            case 'T':
                if (!isTimeText(f.text)) throw fail("時刻が正しくありません：" + shown);
                break;
            case 'm': {
                const auto m = f.quoted ? std::nullopt : parsePlainMoney(f.text);
                if (!m) throw fail("金額が数値ではありません：" + shown);
                rec.moneys[i] = *m;
                break;
            }
            case 'i':
            case 'n': {
                const auto v = f.quoted ? std::nullopt : parseNumber(f.text);
                if (!v || !std::isfinite(*v)) throw fail("数値ではありません：" + shown);
                if (shape[i] == 'n') {
                    rec.numbers[i] = *v;
                    break;
                }
                // Halves go to the even neighbour, as the old program's integer conversion did.
                const double whole = std::nearbyint(*v);
                if (!(std::fabs(whole) < 9223372036854775808.0))
                    throw fail("数値が大きすぎます：" + shown);
                rec.numbers[i] = whole;
                break;
            }
            default:
                throw std::invalid_argument("unknown field shape");
        }
    }
    rec.strings.reserve(shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) rec.strings.emplace_back(fields[i].text);
    return rec;
}

}  // namespace

DataFolder::DataFolder(fs::path dir) : dir_(std::move(dir)) {}

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
    struct stat st {};
    if (::stat(resolve(name).c_str(), &st) != 0) return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(st.st_dev),
                     static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::int64_t>(st.st_size),
                     {st.st_mtim.tv_sec, st.st_mtim.tv_nsec},
                     {st.st_ctim.tv_sec, st.st_ctim.tv_nsec}};
}

std::shared_ptr<const void> KeptReads::findAny(std::string_view name, const FileStamp& stamp,
                                               std::type_index type) const {
    const std::lock_guard lock(mutex_);
    const auto it = entries_.find(std::pair(std::string(name), type));
    if (it == entries_.end() || it->second.stamp != stamp) return {};
    return it->second.read;
}

void KeptReads::keepAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                        std::shared_ptr<const void> read) {
    const std::lock_guard lock(mutex_);
    entries_.insert_or_assign(std::pair(std::string(name), type), Entry{stamp, std::move(read)});
}

void ReadsAhead::beginAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                          std::function<void()> run, std::shared_ptr<void> future) {
    pending_.insert_or_assign(std::string(name), Pending{stamp, type, std::move(future)});
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(run));
    if (working_) return;
    // The thread that ran the last queue has left it, or is about to.
    if (thread_.joinable()) thread_.join();
    working_ = true;
    thread_ = std::thread([this] { work(); });
}

void ReadsAhead::work() {
    for (std::size_t next = 0;; ++next) {
        std::function<void()> run;
        {
            const std::lock_guard lock(mutex_);
            if (next == queue_.size()) {
                queue_.clear();
                working_ = false;
                return;
            }
            run = std::move(queue_[next]);
        }
        run();  // a failure is kept in the result
    }
}

std::shared_ptr<void> ReadsAhead::takeAny(
    std::string_view name, std::type_index type,
    const std::function<std::optional<FileStamp>()>& stampNow) {
    const auto it = pending_.find(name);
    if (it == pending_.end()) return {};
    Pending pending = std::move(it->second);
    pending_.erase(it);
    if (pending.type != type || stampNow() != pending.stamp) return {};
    return std::move(pending.future);
}

void ReadsAhead::dropAll() {
    if (thread_.joinable()) thread_.join();
    pending_.clear();
}

bool DataFolder::exists(std::string_view name) const {
    std::error_code ec;
    return fs::exists(resolve(name), ec);
}

std::string DataFolder::readBytes(std::string_view name) const {
    return readAll(name, resolve(name));
}

std::string DataFolder::readText(std::string_view name) const {
    return decode(name, readBytes(name));
}

std::string DataFolder::decode(std::string_view name, std::string_view bytes) {
    auto text = shownText(bytes);
    if (!text) {
        // Name the first line that does not decode.
        const std::vector<std::string_view> raw = splitLines(bytes);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (!cp932ToUtf8(raw[i]))
                throw FileError(std::string(name), static_cast<int>(i + 1), std::string(kNotCp932));
        }
        throw FileError(std::string(name), 0, std::string(kNotCp932));
    }
    return std::move(*text);
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

std::vector<Record> DataFolder::read(std::string_view name, std::string_view shape) const {
    return parse(name, readText(name), shape);
}

std::vector<Record> DataFolder::parse(std::string_view name, std::string_view text,
                                      std::string_view shape) {
    std::vector<Record> records;
    forEachLine(text, [&](int lineNo, std::string_view line) {
        records.push_back(parseRecord(name, lineNo, line, shape));
    });
    return records;
}

void DataFolder::createIfMissing(std::string_view name) const {
    if (exists(name)) return;
    const fs::path path = dir_ / fs::path(std::string(name));
    Fd fd(fileCalls().open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    // A link that loops is there but cannot be read: no failure to write.
    if (!fd.ok() && errno == ELOOP) throwRead(name, ELOOP);
    if (!fd.ok()) throwWrite(name, errno);
    if (const int err = fd.close()) throwWrite(name, err);
}

std::vector<Record> DataFolder::readOrCreate(std::string_view name, std::string_view shape) const {
    createIfMissing(name);
    return read(name, shape);
}

void DataFolder::append(std::string_view name, const RecordLine& line) const {
    auto bytes = utf8ToCp932(line.text() + "\r\n");
    if (!bytes) throw FileError(std::string(name), 0, std::string(kCannotEncode));
    appendBytes(name, std::move(*bytes));
}

void DataFolder::append(std::string_view name, const Cp932Lines& lines) const {
    if (!lines.ok()) throw FileError(std::string(name), 0, std::string(kCannotEncode));
    appendBytes(name, lines.bytes());
}

void DataFolder::appendBytes(std::string_view name, std::string bytes) const {
    const fs::path path = resolve(name);
    refuseReadOnly(name, path);
    struct stat st {};
    const bool existed = ::lstat(path.c_str(), &st) == 0;

    FileCalls& io = fileCalls();
    Fd fd(io.open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (!fd.ok()) throwWrite(name, errno);
    if (::fstat(fd.get(), &st) != 0) throwWrite(name, errno);
    const off_t oldSize = S_ISREG(st.st_mode) ? st.st_size : 0;

    // A last line without its line end (written by another editor) must not
    // swallow the new record.
    char last = '\n';
    if (oldSize > 0 && ::pread(fd.get(), &last, 1, oldSize - 1) == 1 && last != '\n')
        bytes.insert(0, "\r\n");

    // A write that fails cuts the file back to its old length before it
    // reports: half a record would make the whole ledger unreadable.
    const auto undo = [&](int err) {
        const bool cut = fd.ok() ? io.ftruncate(fd.get(), oldSize) == 0 && io.fsync(fd.get()) == 0
                                 : ::truncate(path.c_str(), oldSize) == 0;
        if (cut && !existed) ::unlink(path.c_str());
        if (cut) throwWrite(name, err);
        throw FileError(
            std::string(name), 0,
            withErrno("書き込めません", err) +
                "\r\n書きかけの記録を取り消せませんでした。最後の行を確かめてください。");
    };
    if (const int err = writeAll(fd.get(), bytes)) undo(err);
    if (io.fsync(fd.get()) != 0) undo(errno);
    if (const int err = fd.close()) undo(err);
}

void DataFolder::rewrite(std::string_view name, const std::vector<RecordLine>& lines) const {
    std::size_t size = 0;
    for (const RecordLine& line : lines) size += line.text().size() + 2;
    std::string text;
    text.reserve(size);
    for (const RecordLine& line : lines) text.append(line.text()).append("\r\n");
    const auto bytes = utf8ToCp932(text);
    if (!bytes) throw FileError(std::string(name), 0, std::string(kCannotEncode));
    writeWhole(resolve(name), *bytes, name);
}

void DataFolder::rewrite(std::string_view name, const Cp932Lines& lines) const {
    if (!lines.ok()) throw FileError(std::string(name), 0, std::string(kCannotEncode));
    writeWhole(resolve(name), lines.bytes(), name);
}

void writeWhole(const fs::path& path, std::string_view bytes, std::string_view name) {
    // A link is written through: its target gets the new contents.
    const fs::path target = followLinks(path);
    refuseReadOnly(name, target);
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;

    const fs::path dir = target.parent_path();
    FileCalls& io = fileCalls();
    std::string tmpl = (dir / ("." + target.filename().native() + ".XXXXXX.tmp")).native();
    Fd fd(io.makeTemp(tmpl.data(), 4));
    if (!fd.ok()) throwWrite(name, errno);
    const auto fail = [&](int err) {
        ::unlink(tmpl.c_str());
        throwWrite(name, err);
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

int DataFolder::removeTemporaryFiles() const {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!isTemporaryFileName(it->path().filename().native()) ||
            it->symlink_status(typeError).type() != fs::file_type::regular)
            continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace zm
