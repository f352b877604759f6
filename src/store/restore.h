#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "store/fileerror.h"

namespace zm {

class DataFolder;

// The copies under バックアップ, and putting one back in place of the data
// files. The copies themselves are made by store/backup.h.

enum class CopyKind { Daily, BeforeNewStart, BeforeRestore };

// The note that marks a copy made before a copy was put back.
inline constexpr std::string_view kBeforeRestoreNote = "データを戻す前.txt";
// The note a copy of before carries while the files are being replaced; both
// notes name the copy put back.
inline constexpr std::string_view kRestoringNote = "データを戻す途中.txt";

struct CopyFolder {
    std::string name;  // the folder's name under バックアップ
    CopyKind kind;
    Date date;
    std::optional<TimeOfDay> time;  // the daily copies have none
};

// Every copy folder, newest first: YYYYMMDD (daily) and YYYYMMDD-HHMMSS,
// which may carry "-N" when two copies fall in one second. Anything else
// there, and the temporary folders of copies being made, is passed over.
std::vector<CopyFolder> listCopies(const DataFolder& folder);

struct CopyContents {
    Money total;       // what the five savings ledgers hold together
    long records = 0;  // their records
};

// Reads every data file of the copy through the typed readers, as a start-up
// and the goals page would. A ledger the copy lacks counts as empty, as the
// program makes it; any other file missing or damaged is a FileError naming
// it. Nothing is written into the copy.
CopyContents readCopy(const DataFolder& folder, std::string_view copyName);

// Why a copy was not put back, and how far it got.
class RestoreError : public FileError {
public:
    enum class Stage {
        Unreadable,      // the copy cannot be read: nothing changed
        NoCopyOfBefore,  // the data files could not be copied: nothing changed
        PutBack,         // a replacement failed; the replaced files were put back
        Mixed,           // ... and putting them back failed too
    };
    RestoreError(Stage stage, const FileError& cause, std::filesystem::path before = {});
    Stage stage() const { return stage_; }
    // The copy of the data files as they were before; empty before it exists.
    const std::filesystem::path& before() const { return before_; }

private:
    Stage stage_;
    std::filesystem::path before_;
};

// Puts the copy `copyName` in place of the data files: the copy is read whole
// first; then the data files are copied into バックアップ/<beforeName>/, marked
// as made before a copy was put back and as under way; then each data file is
// replaced whole by the copy's (a ledger the copy lacks by an empty one), and
// the mark of under way goes. A replacement that fails puts the files already
// replaced back, so the data files are never a mix of two copies; should that
// fail too, or the program be killed midway, the mark stays for
// finishRestore(). Returns the copy of before.
std::filesystem::path restoreCopy(const DataFolder& folder, std::string_view copyName,
                                  std::string_view beforeName);

struct FinishedRestore {
    std::string copyName;    // the copy that was being put back
    std::string beforeName;  // the copy of the data files before it
    // Empty when the copy was put back; otherwise why it could not be read,
    // and the files of before were put back instead.
    std::string copyProblem;
};
// At start-up, before anything is read: a restore cut short (its mark still in
// a copy of before) is finished from its copy, or, when that cannot be read
// any more, undone from the copy of before. Then the mark goes. A file that
// cannot be written, or a mark that cannot be read, is a FileError, and the
// mark stays for the next start.
std::optional<FinishedRestore> finishRestore(const DataFolder& folder);

}  // namespace zm
