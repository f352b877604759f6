#include "store/restore.h"

#include <algorithm>
#include <system_error>
#include <tuple>
#include <utility>

#include "store/backup.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/filenames.h"
#include "store/filewriting.h"
#include "store/goalsfile.h"
#include "store/itemlistfile.h"
#include "store/kozeniledgerfile.h"
#include "store/settingsfile.h"
#include "store/targetdaysfile.h"
#include "store/themeledgerfile.h"
#include "store/themenamefile.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

fs::path copiesDir(const DataFolder& folder) {
    return folder.dir() / fs::path(std::string(kBackupFolder));
}

// The number of `count` digits at `at`, or -1.
int digitsAt(std::string_view s, std::size_t at, std::size_t count) {
    if (at + count > s.size()) return -1;
    int n = 0;
    for (char c : s.substr(at, count)) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "YYYYMMDD", "YYYYMMDD-HHMMSS" or "YYYYMMDD-HHMMSS-N".
std::optional<CopyFolder> parseCopyName(const std::string& name) {
    const int y = digitsAt(name, 0, 4), m = digitsAt(name, 4, 2), d = digitsAt(name, 6, 2);
    if (y < 0 || m < 0 || d < 0) return std::nullopt;
    const Date date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                    std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    if (name.size() == 8) return CopyFolder{name, CopyKind::Daily, date, std::nullopt};
    const int hh = digitsAt(name, 9, 2), mm = digitsAt(name, 11, 2), ss = digitsAt(name, 13, 2);
    if (name[8] != '-' || hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59)
        return std::nullopt;
    if (name.size() > 15 &&
        (name[15] != '-' || digitsAt(name, 16, name.size() - 16) < 0 || name.size() > 20))
        return std::nullopt;
    return CopyFolder{name, CopyKind::BeforeNewStart, date, TimeOfDay{hh * 3600 + mm * 60 + ss}};
}

bool hasNote(const fs::path& dir, std::string_view note) {
    std::error_code ec;
    return fs::is_regular_file(dir / fs::path(std::string(note)), ec);
}

// `wanted`, or wanted-2, wanted-3, ... when a copy of that second exists.
std::string freeName(const DataFolder& folder, std::string_view wanted) {
    std::string name(wanted);
    std::error_code ec;
    for (int n = 2; n < 100 && fs::exists(copiesDir(folder) / name, ec); ++n)
        name = std::string(wanted) + "-" + std::to_string(n);
    return name;
}

}  // namespace

std::vector<CopyFolder> listCopies(const DataFolder& folder) {
    std::vector<CopyFolder> copies;
    std::error_code ec;
    for (fs::directory_iterator it(copiesDir(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (it->symlink_status(typeError).type() != fs::file_type::directory) continue;
        auto copy = parseCopyName(it->path().filename().native());
        if (!copy) continue;
        if (copy->time && hasNote(it->path(), kBeforeRestoreNote))
            copy->kind = CopyKind::BeforeRestore;
        copies.push_back(std::move(*copy));
    }
    // A daily copy is made at the day's first start: before the others of its day.
    const auto key = [](const CopyFolder& c) {
        return std::make_tuple(static_cast<int>(c.date.year()),
                               static_cast<unsigned>(c.date.month()),
                               static_cast<unsigned>(c.date.day()), c.time ? c.time->count() : -1,
                               c.name.size(), c.name);
    };
    std::sort(copies.begin(), copies.end(),
              [&](const CopyFolder& a, const CopyFolder& b) { return key(a) > key(b); });
    return copies;
}

CopyContents readCopy(const DataFolder& folder, std::string_view copyName) {
    const DataFolder copy(copiesDir(folder) / fs::path(std::string(copyName)));
    CopyContents contents;
    // The ledgers the program makes empty when they are missing.
    const auto ledger = [&](const auto& file) {
        if (!copy.exists(file.name())) return;
        const auto loaded = file.read();
        contents.total += loaded.total;
        contents.records += static_cast<long>(loaded.records.size());
    };
    ledger(EveryLedgerFile(copy));
    ledger(KozeniLedgerFile(copy));
    for (int t = 0; t < 3; ++t) ledger(ThemeLedgerFile(copy, t));
    if (copy.exists(files::kGoals)) GoalsFile(copy).read();
    // The files a start-up cannot do without.
    EveryHistoryFile(copy).read();
    TargetDaysFile(copy).read();
    SettingsFile(copy).readHelpTour();
    for (int t = 0; t < 3; ++t) {
        ItemListFile(copy, t).read();
        ThemeNameFile(copy, t).read();
    }
    return contents;
}

RestoreError::RestoreError(Stage stage, const FileError& cause, fs::path before)
    : FileError(cause.file(), cause.line(), cause.reason()),
      stage_(stage),
      before_(std::move(before)) {}

namespace {

// Every data file to be replaced whole by `wanted` (in the order of the
// names), with what it holds now, so that a failure can give it back.
std::vector<SetFile> replacements(const DataFolder& folder, std::vector<std::string> wanted) {
    const std::vector<std::string_view> names = files::allData();
    std::vector<SetFile> set;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        set.push_back({folder.resolve(name), std::string(name), std::move(wanted[i]),
                       folder.exists(name) ? std::optional(folder.readBytes(name)) : std::nullopt});
    }
    return set;
}

// The bytes of every data file in the copy; a ledger the copy lacks is an
// empty one. With `check`, the copy is first read as a start-up would.
std::vector<std::string> filesOf(const DataFolder& folder, std::string_view copyName, bool check) {
    if (check) readCopy(folder, copyName);
    const DataFolder copy(copiesDir(folder) / fs::path(std::string(copyName)));
    std::vector<std::string> bytes;
    for (std::string_view name : files::allData())
        bytes.push_back(copy.exists(name) ? copy.readBytes(name) : std::string());
    return bytes;
}

}  // namespace

fs::path restoreCopy(const DataFolder& folder, std::string_view copyName,
                     std::string_view beforeName) {
    using Stage = RestoreError::Stage;
    std::vector<std::string> wanted;
    try {
        wanted = filesOf(folder, copyName, true);
    } catch (const FileError& e) {
        throw RestoreError(Stage::Unreadable, e);
    }

    fs::path before;
    std::vector<SetFile> set;
    try {
        set = replacements(folder, std::move(wanted));
        const std::string named = std::string(copyName) + "\r\n";
        before = copyDataFiles(folder, freeName(folder, beforeName), files::allData(),
                               {{kBeforeRestoreNote, named}, {kRestoringNote, named}});
    } catch (const FileError& e) {
        throw RestoreError(Stage::NoCopyOfBefore, e);
    }

    const std::string beforeCopy = before.filename().native();
    try {
        writeAllOrNone(set);
    } catch (const SetWriteError& e) {
        if (!e.notBack().empty()) {
            // A mix of two copies: the mark stays, and the next start finishes it.
            std::string notBack;
            for (const std::string& name : e.notBack())
                notBack += (notBack.empty() ? "" : "、") + name;
            throw RestoreError(Stage::Mixed,
                               FileError(e.file(), e.line(),
                                         e.reason() + "\r\n元に戻せなかったファイル：" + notBack),
                               before);
        }
        clearCopyNote(folder, beforeCopy, kRestoringNote);
        throw RestoreError(Stage::PutBack, e, before);
    }
    clearCopyNote(folder, beforeCopy, kRestoringNote);
    return before;
}

std::optional<FinishedRestore> finishRestore(const DataFolder& folder) {
    const auto before = newestCopyWithNote(folder, kRestoringNote);
    if (!before) return std::nullopt;
    FinishedRestore done{{}, *before, {}};
    const std::string note = readCopyNote(folder, *before, kRestoringNote);
    done.copyName = note.substr(0, note.find_first_of("\r\n"));
    std::vector<std::string> wanted;
    try {
        // A name that is no copy's could point anywhere.
        if (!parseCopyName(done.copyName))
            throw FileError(std::string(kRestoringNote), 0, "コピーの名前が正しくありません");
        wanted = filesOf(folder, done.copyName, true);
    } catch (const FileError& e) {
        done.copyProblem = e.what();
        wanted = filesOf(folder, *before, false);
    }
    writeAllOrNone(replacements(folder, std::move(wanted)));
    clearCopyNote(folder, *before, kRestoringNote);
    return done;
}

}  // namespace zm
