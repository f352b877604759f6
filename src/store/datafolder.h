#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/cp932lines.h"
#include "store/filestamp.h"
#include "store/recordline.h"

namespace zm {

class EditLog;
struct FileEdit;
class KeptReads;
class ReadsAhead;

// The folder that holds every data file. File names are matched without regard
// to the letter case of their extension; a new file gets the name as given.
// Its files' records are read by the field reader (fieldreader.h).
class DataFolder {
public:
    explicit DataFolder(std::filesystem::path dir);

    const std::filesystem::path& dir() const { return dir_; }
    // The existing file that the name means, or dir/name when there is none.
    std::filesystem::path resolve(std::string_view name) const;
    bool exists(std::string_view name) const;
    // The stamp of the file the name means; nullopt when there is none.
    std::optional<FileStamp> stamp(std::string_view name) const;
    // True when `folder`, its links followed, is this folder or lies inside
    // it; also when that cannot be told. A file written outside the data
    // files (an export) must not land there.
    bool holds(const std::filesystem::path& folder) const;
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

    // The writers write as filewriting.h says: they refuse a file without
    // write permission rather than replace it, and write through a link.

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

    // What this copy of the folder last saw of each file: the stamp a read
    // found before it read, or a write left. A page keeps a copy of its own,
    // so that its writes are checked against what it shows. Before every
    // write (append, rewrite, empty) the file is compared with it: a file
    // that changed since is an OutsideChange, and nothing is written. A file
    // never read through this copy is written unchecked.
    void saw(std::string_view name, std::optional<FileStamp> stamp) const;
    // The files read or written through this copy that have changed since.
    std::vector<std::string> changedBehind() const;
    // The stamp this copy last saw of the file (nullopt: never seen, or seen
    // missing). While the file still has it, what was read or written
    // through this copy is what the file holds.
    std::optional<FileStamp> lastSeen(std::string_view name) const;
    // The check every write makes first, for an action that writes several
    // files to make for each of them before the first is written.
    void checkUnchanged(std::string_view name) const;

    // From now on every write through this copy also tells `log` what it
    // changed (the pages' folders share one log, for undo).
    void keepEdits(std::shared_ptr<EditLog> log) { log_ = std::move(log); }
    // Undo and redo of an edit the log was told of, written the way the edit
    // was: an append is cut back (cutBack()) and appended again, any other
    // edit is written whole. The file must still be what the program's last
    // write left, byte for byte where the edit lies: otherwise an
    // OutsideChange, and nothing is written. A failed write leaves the file
    // as it was, ready to be tried again.
    void takeBack(const FileEdit& edit) const;
    void makeAgain(const FileEdit& edit) const;
    // The OutsideChange of takeBack() or makeAgain() found before writing
    // anything, for a step that writes several files.
    void checkAsLeft(const FileEdit& edit) const;

    // Removes the temporary files a rewrite cut short by a crash left in the
    // folder; returns how many. Only while no other program uses the folder.
    int removeTemporaryFiles() const;

private:
    std::filesystem::path dir_;
    std::shared_ptr<KeptReads> kept_;
    std::shared_ptr<ReadsAhead> ahead_;
    mutable std::map<std::string, std::optional<FileStamp>, std::less<>> seen_;
    std::shared_ptr<EditLog> log_;

    void sawWritten(std::string_view name) const;
    void appendLogged(std::string_view name, std::string bytes) const;
    void rewriteLogged(std::string_view name, std::string_view bytes) const;
    // The file's bytes, or empty when there is none; `existed` says which.
    std::string bytesOrNone(std::string_view name, bool& existed) const;
    // Writes one side of an edit; `undone` for the side before it.
    void across(const FileEdit& edit, bool undone) const;
};

// The folder the program was started in, which holds its data; nullopt when
// it cannot be told (it was removed since), with why in Japanese in `why`.
std::optional<std::filesystem::path> workingFolder(std::string& why);

}  // namespace zm
