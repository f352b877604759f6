#include "store/datafiles.h"

#include <cstring>
#include <unordered_map>

#include "store/cp932.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/foreachline.h"
#include "store/keptreads.h"
#include "store/readsahead.h"

namespace zm {

namespace {

// How each record is read from its fields and written back.
template <class Rec>
struct Format;

// The strings decoded so far, by their bytes in the file: a ledger names the
// same items again and again.
class Decoded {
public:
    // The text of bytes met before; nullptr for new ones.
    const std::string* find(std::string_view bytes) const {
        const auto it = names_.find(bytes);
        return it == names_.end() ? nullptr : &it->second;
    }
    void remember(std::string_view bytes, std::string text) {
        constexpr std::size_t kRemembered = 4096;
        if (names_.size() < kRemembered) names_.emplace(bytes, std::move(text));
    }

private:
    std::unordered_map<std::string_view, std::string, ShortTextHash> names_;
};

// A string field's bytes decoded into `out`; false when they are not the
// code page's or the text is too long.
bool decodeField(std::string_view bytes, Decoded& decoded, std::string& out) {
    if (const std::string* known = decoded.find(bytes)) {
        out = *known;
        return true;
    }
    auto shown = DataFolder::shownText(bytes);
    if (!shown || !fitsFieldLength(*shown)) return false;
    out = *shown;
    decoded.remember(bytes, std::move(*shown));
    return true;
}

// A line laid out exactly as the program writes it: strings in double
// quotes, the amount plain and last, single commas, no blanks. Such a line
// is read straight from its bytes without being split first; each read
// moves past its field and the comma after it, and answers false on
// anything else, leaving the line to the full reading, which also names
// the fault. What it accepts, the full reading reads the same.
class ExactLine {
public:
    // The marks of a date, two bytes each in the code page, as words.
    struct Marks {
        std::uint16_t year = 0, month = 0, day = 0;
        bool ok = false;
    };
    static const Marks& marks() {
        static const Marks words = [] {
            const DateMarks& m = cp932DateMarks();
            Marks w;
            w.ok = m.year.size() == 2 && m.month.size() == 2 && m.day.size() == 2;
            if (w.ok) {
                std::memcpy(&w.year, m.year.data(), 2);
                std::memcpy(&w.month, m.month.data(), 2);
                std::memcpy(&w.day, m.day.data(), 2);
            }
            return w;
        }();
        return words;
    }

    // `decodeStrings` false: strings are checked but left empty, and
    // `decoded` only remembers which were good.
    ExactLine(std::string_view line, Decoded& decoded, bool decodeStrings)
        : p_(line.data()),
          end_(line.data() + line.size()),
          decoded_(decoded),
          decodeStrings_(decodeStrings) {}

    // "YYYY年MM月DD日",
    bool date(Date& out) {
        constexpr std::ptrdiff_t kLength = 17;
        const Marks& w = marks();
        int y = 0, m = 0, d = 0;
        if (end_ - p_ < kLength || !w.ok || p_[0] != '"' || !digits<4>(p_ + 1, y) ||
            !word(p_ + 5, w.year) || !digits<2>(p_ + 7, m) || !word(p_ + 9, w.month) ||
            !digits<2>(p_ + 11, d) || !word(p_ + 13, w.day) || p_[15] != '"' || p_[16] != ',') {
            return false;
        }
        p_ += kLength;
        out = Date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                   std::chrono::day{static_cast<unsigned>(d)}};
        // Every month has 28 days: only the days after need the calendar.
        return m >= 1 && m <= 12 && d >= 1 && (d <= 28 || out.ok());
    }
    // "HH:MM:SS",
    bool time(TimeOfDay& out) {
        constexpr std::ptrdiff_t kLength = 11;
        int h = 0, m = 0, s = 0;
        if (end_ - p_ < kLength || p_[0] != '"' || !digits<2>(p_ + 1, h) || p_[3] != ':' ||
            !digits<2>(p_ + 4, m) || p_[6] != ':' || !digits<2>(p_ + 7, s) || p_[9] != '"' ||
            p_[10] != ',' || h >= 24 || m >= 60 || s >= 60) {
            return false;
        }
        p_ += kLength;
        out = TimeOfDay{h * 3600 + m * 60 + s};
        return true;
    }
    bool str(std::string& out) {
        if (!open()) return false;
        const auto* quote =
            static_cast<const char*>(std::memchr(p_, '"', static_cast<std::size_t>(end_ - p_)));
        if (!quote) return false;
        const std::string_view bytes(p_, static_cast<std::size_t>(quote - p_));
        p_ = quote;
        if (!close()) return false;
        // A name met before was checked then.
        if (const std::string* known = decoded_.find(bytes)) {
            if (decodeStrings_) out = *known;
            return true;
        }
        if (findMarkOrControl(bytes, '"') != bytes.size()) return false;
        if (decodeStrings_) return decodeField(bytes, decoded_, out);
        // No character is shorter than a byte.
        const auto chars =
            bytes.size() <= kMaxFieldChars
                ? isCp932(bytes)
                : cp932CharCount(bytes).value_or(kMaxFieldChars + 1) <= kMaxFieldChars;
        if (chars) decoded_.remember(bytes, std::string());
        return chars;
    }
    // The rest of the line.
    bool money(Money& out) {
        const std::string_view rest(p_, static_cast<std::size_t>(end_ - p_));
        if (rest.size() > kMaxFieldChars) return false;
        const auto m = parsePlainMoney(rest);
        if (!m) return false;
        out = *m;
        return true;
    }

private:
    bool open() { return p_ < end_ && *p_++ == '"'; }
    // The closing quote and the comma after it.
    bool close() {
        if (end_ - p_ < 2 || p_[0] != '"' || p_[1] != ',') return false;
        p_ += 2;
        return true;
    }
    template <int N>
    static bool digits(const char* at, int& out) {
        for (int i = 0; i < N; ++i) {
            const auto digit = static_cast<unsigned>(at[i] - '0');
            if (digit > 9) return false;
            out = out * 10 + static_cast<int>(digit);
        }
        return true;
    }
    static bool word(const char* at, std::uint16_t w) {
        std::uint16_t v = 0;
        std::memcpy(&v, at, 2);
        return v == w;
    }

    const char* p_;
    const char* end_;
    Decoded& decoded_;
    bool decodeStrings_;
};

// Reads the fields of one line, checking each as it goes: of decoded text,
// or of the file's own bytes, where only strings need decoding (dates, times
// and amounts are ASCII and the marks of a date). Read from the bytes, a
// fault is only a sign to read the decoded text instead, which names it.
class FieldReader {
public:
    // `codePage`: the marks of a date in the code page, for fields of bytes;
    // nullptr for fields of decoded text.
    FieldReader(std::string_view file, int line, const FieldView* fields, const DateMarks* codePage,
                Decoded& decoded)
        : file_(file), line_(line), fields_(fields), codePage_(codePage), decoded_(decoded) {}

    Date date(int i) const {
        const auto d =
            codePage_ ? parseDateText(text(i), codePage_->year, codePage_->month, codePage_->day)
                      : parseDateText(text(i));
        if (!d) fail("日付が正しくありません：" + excerpt(text(i)));
        return *d;
    }
    TimeOfDay time(int i) const {
        const auto t = parseTimeText(text(i));
        if (!t) fail("時刻が正しくありません：" + excerpt(text(i)));
        return *t;
    }
    Money money(int i) const {
        const auto m = fields_[i].quoted ? std::nullopt : parsePlainMoney(text(i));
        if (!m) fail("金額が数値ではありません：" + excerpt(text(i)));
        return *m;
    }
    std::string str(int i) const {
        if (!codePage_) return std::string(text(i));
        std::string out;
        if (!decodeField(text(i), decoded_, out)) fail("");
        return out;
    }

    [[noreturn]] void fail(std::string reason) const {
        throw FileError(std::string(file_), line_, std::move(reason));
    }

private:
    std::string_view text(int i) const { return fields_[i].text; }
    std::string_view file_;
    int line_;
    const FieldView* fields_;
    const DateMarks* codePage_;
    Decoded& decoded_;
};

template <>
struct Format<TimedRecord> {
    static constexpr int kFields = 3;
    static TimedRecord read(const FieldReader& f) { return {f.date(0), f.time(1), f.money(2)}; }
    static bool read(ExactLine& l, TimedRecord& r) {
        return l.date(r.date) && l.time(r.time) && l.money(r.amount);
    }
    static Money amount(const TimedRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const TimedRecord& r) {
        out.date(r.date).time(r.time).money(r.amount);
    }
};

template <>
struct Format<ThemeRecord> {
    static constexpr int kFields = 3;
    static ThemeRecord read(const FieldReader& f) { return {f.date(0), f.str(1), f.money(2)}; }
    static bool read(ExactLine& l, ThemeRecord& r) {
        return l.date(r.date) && l.str(r.item) && l.money(r.amount);
    }
    static Money amount(const ThemeRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const ThemeRecord& r) {
        out.date(r.date).str(r.item).money(r.amount);
    }
};

template <>
struct Format<ItemRecord> {
    static constexpr int kFields = 2;
    static ItemRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static bool read(ExactLine& l, ItemRecord& r) { return l.str(r.item) && l.money(r.amount); }
    static Money amount(const ItemRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const ItemRecord& r) { out.str(r.item).money(r.amount); }
};

template <>
struct Format<GoalRecord> {
    static constexpr int kFields = 2;
    static GoalRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static bool read(ExactLine& l, GoalRecord& r) { return l.str(r.purpose) && l.money(r.target); }
    static Money amount(const GoalRecord& r) { return r.target; }
    static void put(Cp932Lines& out, const GoalRecord& r) { out.str(r.purpose).money(r.target); }
};

}  // namespace

template <class Rec>
Loaded<Rec> RecordFile<Rec>::read() const {
    return parseBytes(folder_.readBytes(name_));
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseBytes(std::string_view bytes) const {
    return parseCodePage(bytes, true);
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseCodePage(std::string_view bytes, bool decodeStrings) const {
    try {
        return parseAs(bytes, true, decodeStrings);
    } catch (const FileError&) {
        return parse(DataFolder::decode(name_, bytes));  // names the fault
    }
}

template <class Rec>
std::shared_ptr<const Loaded<Rec>> RecordFile<Rec>::readKept() const {
    // The stamp is taken first: a change during the read makes it old.
    const auto stamp = folder_.stamp(name_);
    if (stamp) {
        if (auto kept = folder_.kept().find<Loaded<Rec>>(name_, *stamp)) return kept;
    }
    auto loaded = std::make_shared<const Loaded<Rec>>(read());
    if (stamp) folder_.kept().keep(name_, *stamp, loaded);
    return loaded;
}

template <class Rec>
std::shared_ptr<const std::vector<DatedAmount>> RecordFile<Rec>::readDatedKept() const {
    using Dated = std::vector<DatedAmount>;
    const auto stamp = folder_.stamp(name_);
    if (stamp) {
        if (auto kept = folder_.kept().find<Dated>(name_, *stamp)) return kept;
    }
    auto shared = std::make_shared<const Dated>(parseDatedBytes(folder_.readBytes(name_)));
    if (stamp) folder_.kept().keep(name_, *stamp, shared);
    return shared;
}

template <class Rec>
std::vector<DatedAmount> RecordFile<Rec>::parseDatedBytes(std::string_view bytes) const {
    std::vector<DatedAmount> dated;
    if constexpr (requires(const Rec& r) { r.date; }) {
        const Loaded<Rec> loaded = parseCodePage(bytes, false);
        dated.reserve(loaded.records.size());
        for (const Rec& r : loaded.records) dated.push_back({r.date, Format<Rec>::amount(r)});
    }
    return dated;
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parse(std::string_view text) const {
    return parseAs(text, false);
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseAs(std::string_view text, bool codePage,
                                     bool decodeStrings) const {
    using F = Format<Rec>;
    const DateMarks* marks = codePage ? &cp932DateMarks() : nullptr;
    Decoded decoded;
    Loaded<Rec> out;
    // A line is rarely shorter than 24 bytes: reserve once instead of growing.
    out.records.reserve(text.size() / 24 + 1);
    forEachLine(text, [&](int lineNo, std::string_view line) {
        const auto fail = [&](std::string reason) {
            throw FileError(std::string(name_), lineNo, std::move(reason));
        };
        const bool full = maxRecords_ > 0 && static_cast<int>(out.records.size()) >= maxRecords_;
        // Every field checked, the fault named.
        const auto readFields = [&] {
            FieldView fields[F::kFields];
            std::string error;
            const int n = splitFields(line, fields, F::kFields, error);
            if (n < 0) fail(error);
            if (n != F::kFields) {
                fail("項目の数が違います（" + std::to_string(F::kFields) + " 個のはずが " +
                     std::to_string(n) + " 個）");
            }
            if (full) fail("記録が多すぎます（" + std::to_string(maxRecords_) + " 件まで）");
            return F::read(FieldReader(name_, lineNo, fields, marks, decoded));
        };
        Rec rec;
        bool exactRead = false;
        if (marks && !full) {
            ExactLine exact(line, decoded, decodeStrings);
            exactRead = F::read(exact, rec);
        }
        if (!exactRead) rec = readFields();
        const auto total = Money::checkedAdd(out.total, F::amount(rec));
        if (!total) fail("合計金額が大きすぎます");
        out.total = *total;
        out.records.push_back(std::move(rec));
    });
    return out;
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::readOrCreate() const {
    if (auto ahead =
            folder_.ahead().take<Loaded<Rec>>(name_, [this] { return folder_.stamp(name_); }))
        return std::move(*ahead);
    folder_.createIfMissing(name_);
    return read();
}

template <class Rec>
void RecordFile<Rec>::readAhead() const {
    const auto stamp = folder_.stamp(name_);
    if (!stamp) return;
    // Through a folder of its own: this one belongs to the thread that asks.
    folder_.ahead().begin<Loaded<Rec>>(name_, *stamp,
                                       [dir = folder_.dir(), name = name_, max = maxRecords_] {
                                           const DataFolder there(dir);
                                           return RecordFile(there, name, max).read();
                                       });
}

template <class Rec>
void RecordFile<Rec>::append(const Rec& record) const {
    Cp932Lines line;
    Format<Rec>::put(line, record);
    line.endLine();
    folder_.append(name_, line);
}

template <class Rec>
void RecordFile<Rec>::rewrite(const std::vector<Rec>& records) const {
    rewrite(records.size(), [&records](std::size_t i) -> const Rec& { return records[i]; });
}

template <class Rec>
void RecordFile<Rec>::rewrite(std::size_t count,
                              const std::function<const Rec&(std::size_t)>& record) const {
    // Straight into one buffer of the code page's bytes, written in one go.
    Cp932Lines lines;
    lines.reserve(count * 40);
    for (std::size_t i = 0; i < count; ++i) {
        Format<Rec>::put(lines, record(i));
        lines.endLine();
    }
    folder_.rewrite(name_, lines);
}

template class RecordFile<TimedRecord>;
template class RecordFile<ThemeRecord>;
template class RecordFile<ItemRecord>;
template class RecordFile<GoalRecord>;

std::string ThemeNameFile::read() const {
    return parse(folder_.readText(name_));
}

std::string ThemeNameFile::parse(std::string_view text) const {
    const auto records = DataFolder::parse(name_, text, "s");
    if (records.empty()) throw FileError(std::string(name_), 0, "テーマ名がありません");
    return records.front().str(0);
}

void ThemeNameFile::write(std::string_view themeName) const {
    folder_.rewrite(name_, {RecordLine().str(themeName)});
}

int TargetDaysFile::read() const {
    return parse(folder_.readText(files::kEveryTarget));
}

int TargetDaysFile::parse(std::string_view text) {
    const auto records = DataFolder::parse(files::kEveryTarget, text, "i");
    if (records.empty())
        throw FileError(std::string(files::kEveryTarget), 0, "目標日数がありません");
    const std::int64_t days = records.front().integer(0);
    if (days > kLimit || days < -kLimit) {
        throw FileError(std::string(files::kEveryTarget), records.front().line,
                        "目標日数が大きすぎます：" + excerpt(records.front().str(0)));
    }
    return static_cast<int>(days);
}

void TargetDaysFile::write(double days) const {
    folder_.rewrite(files::kEveryTarget, {RecordLine().number(days)});
}

int SettingsFile::readHelpTour() const {
    return parseHelpTour(folder_.readText(files::kSettings));
}

int SettingsFile::parseHelpTour(std::string_view text) {
    const auto records = DataFolder::parse(files::kSettings, text, "si");
    if (records.empty()) throw FileError(std::string(files::kSettings), 0, "設定がありません");
    const std::int64_t value = records.front().integer(1);
    if (value != 0 && value != 1) {
        throw FileError(std::string(files::kSettings), records.front().line,
                        "ヘルプツアーの設定は 1 か 0 です：" + excerpt(records.front().str(1)));
    }
    return static_cast<int>(value);
}

void SettingsFile::writeHelpTour(int helpTour) const {
    folder_.rewrite(files::kSettings, {RecordLine().str("ヘルプツアー").integer(helpTour)});
}

}  // namespace zm
