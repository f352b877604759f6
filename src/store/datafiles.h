#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "store/datafolder.h"
#include "store/filenames.h"

namespace zm {

// The records of the data files. Dates and times are kept as values and read
// back to the same text: the files allow only one spelling of each.

// A deposit with its date and time: the 365-step ledger, its history of
// given-up runs, the small-change ledger.
struct TimedRecord {
    Date date{};
    TimeOfDay time{};
    Money amount;
    bool operator==(const TimedRecord&) const = default;
};

// A theme deposit: the date, the item it was saved against, the amount.
struct ThemeRecord {
    Date date{};
    std::string item;
    Money amount;
    bool operator==(const ThemeRecord&) const = default;
};

// An item of a theme's list with the amount it suggests.
struct ItemRecord {
    std::string item;
    Money amount;
    bool operator==(const ItemRecord&) const = default;
};

// A savings purpose with its target amount.
struct GoalRecord {
    std::string purpose;
    Money target;
    bool operator==(const GoalRecord&) const = default;
};

// A deposit's date and amount alone: what the history tables need of a ledger.
struct DatedAmount {
    Date date;
    Money amount;
};

// A file read whole: its records in file order and the sum of their amounts.
template <class Rec>
struct Loaded {
    std::vector<Rec> records;
    Money total;
};

// Positions and counts on the pages are 16-bit: no ledger holds more.
inline constexpr int kMaxRecords = 32766;

// A data file of records of one kind. read() checks every field and the sum
// of the amounts, naming the file and the line of any fault; a file with
// more records than its limit is refused whole.
template <class Rec>
class RecordFile {
public:
    RecordFile(const DataFolder& folder, std::string_view name, int maxRecords = kMaxRecords)
        : folder_(folder), name_(name), maxRecords_(maxRecords) {}

    std::string_view name() const { return name_; }
    int maxRecords() const { return maxRecords_; }

    // A missing file is a FileError.
    Loaded<Rec> read() const;
    // read(), or the last of these while the file keeps the stamp it had
    // then (see KeptReads): for pages that only look.
    std::shared_ptr<const Loaded<Rec>> readKept() const;
    // The dates and amounts of read(), kept as readKept() keeps its reads:
    // strings are checked as read() checks them, but not decoded. Empty for
    // records without a date.
    std::shared_ptr<const std::vector<DatedAmount>> readDatedKept() const;
    // What read() gives for the file's decoded text.
    Loaded<Rec> parse(std::string_view text) const;
    // What read() gives for the file's bytes.
    Loaded<Rec> parseBytes(std::string_view bytes) const;
    // What readDatedKept() gives for the file's bytes.
    std::vector<DatedAmount> parseDatedBytes(std::string_view bytes) const;
    // A missing file is first created empty. Takes the read begun by
    // readAhead() while the file has not changed since.
    Loaded<Rec> readOrCreate() const;
    // Begins read() on the folder's reading thread (see ReadsAhead), for the
    // first readOrCreate() to take; a missing file is left to it.
    void readAhead() const;
    // Appends one record in one write, creating the file.
    void append(const Rec& record) const;
    // Writes the file anew; a failure leaves the old file whole.
    void rewrite(const std::vector<Rec>& records) const;
    // The same from `count` records that `record(i)` gives in turn, i from 0;
    // each is used before the next is asked for.
    void rewrite(std::size_t count, const std::function<const Rec&(std::size_t)>& record) const;
    void empty() const { folder_.empty(name_); }

private:
    // parse() of decoded text, or of the file's bytes in the code page, where
    // strings may be left empty once checked.
    Loaded<Rec> parseAs(std::string_view text, bool codePage, bool decodeStrings = true) const;
    // parseAs() of the code page's bytes; a fault is named by reading the
    // decoded text instead.
    Loaded<Rec> parseCodePage(std::string_view bytes, bool decodeStrings) const;
    const DataFolder& folder_;
    std::string_view name_;
    int maxRecords_;
};

extern template class RecordFile<TimedRecord>;
extern template class RecordFile<ThemeRecord>;
extern template class RecordFile<ItemRecord>;
extern template class RecordFile<GoalRecord>;

// One type per kind of data file; `theme` is 0, 1 or 2.
struct EveryLedgerFile : RecordFile<TimedRecord> {
    explicit EveryLedgerFile(const DataFolder& f) : RecordFile(f, files::kEvery) {}
};
// The totals of given-up runs: one line per give-up, no limit of its own.
struct EveryHistoryFile : RecordFile<TimedRecord> {
    explicit EveryHistoryFile(const DataFolder& f) : RecordFile(f, files::kEveryHistory, 0) {}
};
struct KozeniLedgerFile : RecordFile<TimedRecord> {
    explicit KozeniLedgerFile(const DataFolder& f) : RecordFile(f, files::kKozeni) {}
};
struct ThemeLedgerFile : RecordFile<ThemeRecord> {
    ThemeLedgerFile(const DataFolder& f, int theme) : RecordFile(f, files::kTheme[theme]) {}
};
struct ItemListFile : RecordFile<ItemRecord> {
    ItemListFile(const DataFolder& f, int theme) : RecordFile(f, files::kItems[theme]) {}
};
struct GoalsFile : RecordFile<GoalRecord> {
    explicit GoalsFile(const DataFolder& f) : RecordFile(f, files::kGoals) {}
};

// "テーマ名N.txt": one string, the theme's name.
class ThemeNameFile {
public:
    ThemeNameFile(const DataFolder& f, int theme) : folder_(f), name_(files::kThemeName[theme]) {}
    std::string read() const;
    std::string parse(std::string_view text) const;
    void write(std::string_view themeName) const;

private:
    const DataFolder& folder_;
    std::string_view name_;
};

// "目標３６５歩のマーチ.txt": one number, the target days of the calculator.
class TargetDaysFile {
public:
    static constexpr int kLimit = 32767;  // a 16-bit day counter
    explicit TargetDaysFile(const DataFolder& f) : folder_(f) {}
    // Rounded to whole days; beyond ±kLimit is a FileError.
    int read() const;
    static int parse(std::string_view text);
    void write(double days) const;

private:
    const DataFolder& folder_;
};

// "設定.txt": the label "ヘルプツアー" and HelpTour, 1 or 0.
class SettingsFile {
public:
    explicit SettingsFile(const DataFolder& f) : folder_(f) {}
    int readHelpTour() const;
    static int parseHelpTour(std::string_view text);
    void writeHelpTour(int helpTour) const;

private:
    const DataFolder& folder_;
};

}  // namespace zm
