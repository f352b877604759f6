#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "store/datafolder.h"
#include "store/datedamount.h"
#include "store/decodedstrings.h"
#include "store/loaded.h"

namespace zm {

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
    // read() with the string field of each record numbered instead of copied
    // (see Loaded): a ledger that names few items many times is read without
    // a copy of a name per record. For records of one string field.
    Loaded<Rec> readNumbered() const;
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
    // readAhead() while the file has not changed since. `numbered`: as
    // readNumbered(), unless a read begun otherwise is taken.
    Loaded<Rec> readOrCreate(bool numbered = false) const;
    // Begins read() (readNumbered()) on the folder's reading thread (see
    // ReadsAhead), for the first readOrCreate() to take; a missing file is
    // left to it.
    void readAhead(bool numbered = false) const;
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
    using Strings = StringFields;
    Loaded<Rec> parseAs(std::string_view text, bool codePage,
                        Strings strings = Strings::Copied) const;
    // parseAs() of the code page's bytes; a fault is named by reading the
    // decoded text instead.
    Loaded<Rec> parseCodePage(std::string_view bytes, Strings strings) const;
    const DataFolder& folder_;
    std::string_view name_;
    int maxRecords_;
};

struct TimedRecord;
struct ThemeRecord;
struct ItemRecord;
struct GoalRecord;
extern template class RecordFile<TimedRecord>;
extern template class RecordFile<ThemeRecord>;
extern template class RecordFile<ItemRecord>;
extern template class RecordFile<GoalRecord>;

}  // namespace zm
