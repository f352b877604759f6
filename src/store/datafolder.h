#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "store/recordline.h"

namespace zm {

// A parsed record, its fields checked against a shape (see DataFolder::read).
struct Record {
    int line = 0;                      // 1-based line in the file
    std::vector<std::string> strings;  // the text of every field
    std::vector<Money> moneys;         // per field: the amount ('m'), else 0
    std::vector<double> numbers;       // per field: the number ('i', 'n'), else 0

    const std::string& str(std::size_t i) const { return strings[i]; }
    Money money(std::size_t i) const { return moneys[i]; }
    std::int64_t integer(std::size_t i) const { return static_cast<std::int64_t>(numbers[i]); }
    double number(std::size_t i) const { return numbers[i]; }
};

// What a file is on disk: its device, inode, size, and the times of its last
// change of contents and of any change (which no one can set back). The
// program is the only writer of its folder, and each of its writes changes
// the size (an append) or the inode (a rewrite), so that a read stays good
// while the stamp stays the same.
struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t modified[2] = {}, changed[2] = {};  // seconds, nanoseconds
    bool operator==(const FileStamp&) const = default;
};

// The last kept read of each file, with the stamp the file had before it was
// read: a page may take it again while the file keeps that stamp. Safe to
// use from several threads.
class KeptReads {
public:
    template <class T>
    std::shared_ptr<const T> find(std::string_view name, const FileStamp& stamp) const {
        return std::static_pointer_cast<const T>(findAny(name, stamp, typeid(T)));
    }
    template <class T>
    void keep(std::string_view name, const FileStamp& stamp, std::shared_ptr<const T> read) {
        keepAny(name, stamp, typeid(T), std::move(read));
    }

private:
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const void> read;
    };
    std::shared_ptr<const void> findAny(std::string_view name, const FileStamp& stamp,
                                        std::type_index type) const;
    void keepAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                 std::shared_ptr<const void> read);
    mutable std::mutex mutex_;
    // One of each kind per file: a page may keep another view of the file.
    std::map<std::pair<std::string, std::type_index>, Entry> entries_;
};

// Reads begun on another thread before they are asked for (see
// RecordFile::readAhead), so that files are read on the second core while
// the first one builds the window. The first reader of the file takes the
// result, waiting for it if need be, while the file keeps the stamp it had
// when the read began; otherwise it reads the file itself. Begun and taken
// from one thread.
class ReadsAhead {
public:
    ReadsAhead() = default;
    ReadsAhead(const ReadsAhead&) = delete;
    ReadsAhead& operator=(const ReadsAhead&) = delete;
    ~ReadsAhead() { dropAll(); }

    // `read` runs at once on the reading thread, after the reads begun before it.
    template <class T>
    void begin(std::string_view name, const FileStamp& stamp, std::function<T()> read) {
        auto task = std::make_shared<std::packaged_task<T()>>(std::move(read));
        auto future = std::make_shared<std::future<T>>(task->get_future());
        beginAny(
            name, stamp, typeid(T), [task] { (*task)(); }, std::move(future));
    }
    // The result begun for the file, its failure thrown here; nullopt when
    // none was begun or `stampNow` tells that the file has changed since.
    template <class T>
    std::optional<T> take(std::string_view name,
                          const std::function<std::optional<FileStamp>()>& stampNow) {
        const std::shared_ptr<void> future = takeAny(name, typeid(T), stampNow);
        if (!future) return std::nullopt;
        return static_cast<std::future<T>*>(future.get())->get();
    }
    // Waits for the reads under way and drops every result not taken.
    void dropAll();

private:
    struct Pending {
        FileStamp stamp;
        std::type_index type = typeid(void);
        std::shared_ptr<void> future;
    };
    void beginAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                  std::function<void()> run, std::shared_ptr<void> future);
    std::shared_ptr<void> takeAny(std::string_view name, std::type_index type,
                                  const std::function<std::optional<FileStamp>()>& stampNow);
    void work();
    std::map<std::string, Pending, std::less<>> pending_;
    std::mutex mutex_;  // guards the queue and `working_`
    std::vector<std::function<void()>> queue_;
    bool working_ = false;
    std::thread thread_;
};

// The folder that holds every data file. File names are matched without regard
// to the letter case of their extension; a new file gets the name as given.
//
// Shapes for read(): one character per field,
//   's' string, 'D' date string "YYYY年MM月DD日", 'T' time string "HH:MM:SS",
//   'm' Money, 'i' integer (rounded), 'n' number (double).
// A line with another number of fields, or a field that does not fit its
// type, is a FileError naming the file and the line. Blank lines are passed over.
class DataFolder {
public:
    explicit DataFolder(std::filesystem::path dir);

    const std::filesystem::path& dir() const { return dir_; }
    // The existing file that the name means, or dir/name when there is none.
    std::filesystem::path resolve(std::string_view name) const;
    bool exists(std::string_view name) const;
    // The stamp of the file the name means; nullopt when there is none.
    std::optional<FileStamp> stamp(std::string_view name) const;
    // Reads kept for reuse, shared by every copy of this folder.
    KeptReads& kept() const { return *kept_; }
    // Reads begun ahead, shared by every copy of this folder.
    ReadsAhead& ahead() const { return *ahead_; }

    // The whole file's bytes as they are. A missing file is a FileError.
    std::string readBytes(std::string_view name) const;
    // The whole file decoded to UTF-8, the code page's 0x5C shown as "¥".
    // A missing file is a FileError.
    std::string readText(std::string_view name) const;
    // The decoding of readText() on bytes already read; a FileError names
    // `name` and the first line that is not CP932.
    static std::string decode(std::string_view name, std::string_view bytes);
    // The decoding of decode() for a piece of a file; nullopt where it fails.
    static std::optional<std::string> shownText(std::string_view bytes);
    // Creates the file empty when the name means none.
    void createIfMissing(std::string_view name) const;

    // Opens for reading; a missing file is a FileError.
    std::vector<Record> read(std::string_view name, std::string_view shape) const;
    // As read(), but a missing file is first created empty.
    std::vector<Record> readOrCreate(std::string_view name, std::string_view shape) const;
    // The records of decoded text, as read() gives them.
    static std::vector<Record> parse(std::string_view name, std::string_view text,
                                     std::string_view shape);

    // The writers refuse a file without write permission (FileError) rather
    // than replace it, and write through a symbolic link to its target.

    // Appends one whole line (CR LF added) in one write, creating the file. A
    // failed append cuts the file back to its old length before it reports.
    void append(std::string_view name, const RecordLine& line) const;
    // As append(), for lines made in the code page; a failed encoding is a
    // FileError and nothing is written.
    void append(std::string_view name, const Cp932Lines& lines) const;
    // Writes the whole file anew through a temporary file ".<name>.XXXXXX.tmp"
    // that is flushed and renamed over the old one, keeping its permissions;
    // then the folder is flushed. A failure leaves the old file whole.
    void rewrite(std::string_view name, const std::vector<RecordLine>& lines) const;
    void rewrite(std::string_view name, const Cp932Lines& lines) const;
    void empty(std::string_view name) const { rewrite(name, std::vector<RecordLine>{}); }

    // Removes the temporary files a rewrite cut short by a crash left in the
    // folder; returns how many. Only while no other program uses the folder.
    int removeTemporaryFiles() const;

private:
    // Appends bytes in the code page, CR LF ended, as append() describes.
    void appendBytes(std::string_view name, std::string bytes) const;
    std::filesystem::path dir_;
    std::shared_ptr<KeptReads> kept_ = std::make_shared<KeptReads>();
    std::shared_ptr<ReadsAhead> ahead_ = std::make_shared<ReadsAhead>();
};

// Writes `bytes` as the whole new contents of the file at `path`, the way
// DataFolder::rewrite() does: a temporary file beside it, flushed, renamed over
// the old one with its permissions, then the folder flushed; a link is written
// through to its target. A failure is a FileError naming `name` and leaves the
// old file whole.
void writeWhole(const std::filesystem::path& path, std::string_view bytes, std::string_view name);

// True for the names of the temporary files rewrite() makes of data files.
bool isTemporaryFileName(std::string_view fileName);

// Calls f(lineNumber, line) for every line of decoded file text that is not
// blank; the line has no line end. Lines are 1-based.
template <class F>
void forEachLine(std::string_view text, F&& f) {
    int lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        f(lineNo, line);
    }
}

// The file names as the program writes them.
namespace files {
inline constexpr std::string_view kEvery = "３６５歩のマーチ.TXT";
inline constexpr std::string_view kEveryTarget = "目標３６５歩のマーチ.txt";
inline constexpr std::string_view kEveryHistory = "３６５歩履歴.txt";
inline constexpr std::string_view kSettings = "設定.txt";
inline constexpr std::string_view kKozeni = "小銭清算.txt";
inline constexpr std::string_view kTheme[3] = {"テーマ１.txt", "テーマ２.txt", "テーマ３.txt"};
inline constexpr std::string_view kItems[3] = {"項目１.txt", "項目２.txt", "項目３.txt"};
inline constexpr std::string_view kThemeName[3] = {"テーマ名１.txt", "テーマ名２.txt",
                                                   "テーマ名３.txt"};
inline constexpr std::string_view kGoals = "貯金目標.txt";
inline constexpr std::string_view kHelp = "ZumexHelp.chm";
// Every data file of the program, the settings included.
inline std::vector<std::string_view> allData() {
    return {kEvery,    kEveryTarget,  kEveryHistory, kSettings,     kKozeni,
            kTheme[0], kTheme[1],     kTheme[2],     kItems[0],     kItems[1],
            kItems[2], kThemeName[0], kThemeName[1], kThemeName[2], kGoals};
}
}  // namespace files

}  // namespace zm
