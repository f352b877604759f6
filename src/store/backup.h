#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"

namespace zm {

class DataFolder;

// The folder inside the data folder that holds the copies of the data files.
inline constexpr std::string_view kBackupFolder = "バックアップ";

// A small file written into a copy beside the data files, before the copy is
// put in place: it is there exactly when the copy is.
struct CopyNote {
    std::string_view fileName;
    std::string bytes;
};

// Copies the named data files that exist into a new folder
// バックアップ/<copyName>/ inside the data folder. The copy is built in a
// temporary folder beside the others, every file flushed, and renamed into
// place, so a copy folder is whole or absent even when the program is killed
// midway. Only regular files are copied. Returns the new folder. A copy that
// cannot be made whole is a FileError naming the copy folder and the reason;
// an existing folder of that name is never overwritten.
std::filesystem::path copyDataFiles(const DataFolder& folder, std::string_view copyName,
                                    const std::vector<std::string_view>& names,
                                    const std::vector<CopyNote>& notes = {});

// "20260305-101112": the name of a copy made at that moment, so that the
// copies sort by the moment they were made.
std::string copyNameAt(const Moment& moment);

// Removes the temporary folders of copies that were cut short; returns how
// many. Only while no other program uses the folder.
int removeUnfinishedCopies(const DataFolder& folder);

// True for the name of a copy's temporary folder.
bool isUnfinishedCopyName(std::string_view name);

// How many daily copies are kept.
inline constexpr int kDailyCopies = 14;

// The day's copy: the first start of a day copies every data file into
// バックアップ/YYYYMMDD/; of the folders named so (exactly eight digits) the
// `keep` newest stay, today's always. The new start's copies
// (YYYYMMDD-HHMMSS) and anything else there are never removed. Returns true
// when today's copy was made by this call. A copy or a removal that fails,
// or something other than a folder where today's copy belongs, is a
// FileError naming it. `checkFirst` runs only when today's copy is still to
// be made, before it is; a FileError from it means no copy.
bool makeDailyCopy(const DataFolder& folder, Date today, int keep = kDailyCopies,
                   const std::function<void()>& checkFirst = {});

// A new start under way leaves this note in its copy: the three theme names
// it writes. The note goes once the last file is written.
inline constexpr std::string_view kNewStartNote = "新規スタート中.txt";
using ThemeNames3 = std::array<std::string, 3>;
CopyNote newStartNote(const ThemeNames3& names);

struct UnfinishedNewStart {
    std::string copyName;
    ThemeNames3 themeNames;
};
// The new start that was cut short, if a copy still carries its note. A note
// that cannot be read is a FileError naming it.
std::optional<UnfinishedNewStart> findUnfinishedNewStart(const DataFolder& folder);

// The newest whole copy that carries the note, if any: only one work that
// leaves a note runs at a time, so the newest is the one cut short last.
std::optional<std::string> newestCopyWithNote(const DataFolder& folder, std::string_view note);
// The note's text, decoded; a FileError names it when it cannot be read.
std::string readCopyNote(const DataFolder& folder, std::string_view copyName,
                         std::string_view note);
// Removes the note from the copy `copyName`, durably; a FileError names it
// when it cannot.
void clearCopyNote(const DataFolder& folder, std::string_view copyName, std::string_view note);

}  // namespace zm
