#include "store/datafiles.h"

#include <unordered_map>

#include "store/cp932.h"
#include "store/fileerror.h"

namespace zm {

namespace {

// How each record is read from its fields and written back.
template <class Rec>
struct Format;

// Reads the fields of one line, checking each as it goes: of decoded text,
// or of the file's own bytes, where only strings need decoding (dates, times
// and amounts are ASCII and the marks of a date). Read from the bytes, a
// fault is only a sign to read the decoded text instead, which names it.
class FieldReader {
public:
    // `codePage`: the marks of a date in the code page, for fields of bytes;
    // nullptr for fields of decoded text.
    // The strings decoded so far, by their bytes in the file.
    using Decoded = std::unordered_map<std::string_view, std::string>;

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
        // A ledger names the same items again and again.
        constexpr std::size_t kRemembered = 4096;
        if (const auto known = decoded_.find(text(i)); known != decoded_.end())
            return known->second;
        auto shown = DataFolder::shownText(text(i));
        if (!shown || !fitsFieldLength(*shown)) fail("");
        if (decoded_.size() < kRemembered) decoded_.emplace(text(i), *shown);
        return std::move(*shown);
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
    static Money amount(const TimedRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const TimedRecord& r) {
        out.date(r.date).time(r.time).money(r.amount);
    }
};

template <>
struct Format<ThemeRecord> {
    static constexpr int kFields = 3;
    static ThemeRecord read(const FieldReader& f) { return {f.date(0), f.str(1), f.money(2)}; }
    static Money amount(const ThemeRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const ThemeRecord& r) {
        out.date(r.date).str(r.item).money(r.amount);
    }
};

template <>
struct Format<ItemRecord> {
    static constexpr int kFields = 2;
    static ItemRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static Money amount(const ItemRecord& r) { return r.amount; }
    static void put(Cp932Lines& out, const ItemRecord& r) { out.str(r.item).money(r.amount); }
};

template <>
struct Format<GoalRecord> {
    static constexpr int kFields = 2;
    static GoalRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static Money amount(const GoalRecord& r) { return r.target; }
    static void put(Cp932Lines& out, const GoalRecord& r) { out.str(r.purpose).money(r.target); }
};

}  // namespace

template <class Rec>
Loaded<Rec> RecordFile<Rec>::read() const {
    const std::string bytes = folder_.readBytes(name_);
    try {
        return parseAs(bytes, true);
    } catch (const FileError&) {
        return parse(DataFolder::decode(name_, bytes));
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
Loaded<Rec> RecordFile<Rec>::parse(std::string_view text) const {
    return parseAs(text, false);
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseAs(std::string_view text, bool codePage) const {
    using F = Format<Rec>;
    const DateMarks* marks = codePage ? &cp932DateMarks() : nullptr;
    typename FieldReader::Decoded decoded;
    Loaded<Rec> out;
    // A line is rarely shorter than 24 bytes: reserve once instead of growing.
    out.records.reserve(text.size() / 24 + 1);
    forEachLine(text, [&](int lineNo, std::string_view line) {
        FieldView fields[F::kFields];
        std::string error;
        const int n = splitFields(line, fields, F::kFields, error);
        const FieldReader reader(name_, lineNo, fields, marks, decoded);
        if (n < 0) reader.fail(error);
        if (n != F::kFields) {
            reader.fail("項目の数が違います（" + std::to_string(F::kFields) + " 個のはずが " +
                        std::to_string(n) + " 個）");
        }
        if (maxRecords_ > 0 && static_cast<int>(out.records.size()) >= maxRecords_) {
            reader.fail("記録が多すぎます（" + std::to_string(maxRecords_) + " 件まで）");
        }
        Rec rec = F::read(reader);
        const auto total = Money::checkedAdd(out.total, F::amount(rec));
        if (!total) reader.fail("合計金額が大きすぎます");
        out.total = *total;
        out.records.push_back(std::move(rec));
    });
    return out;
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::readOrCreate() const {
    folder_.createIfMissing(name_);
    return read();
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
