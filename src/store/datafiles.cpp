#include "store/datafiles.h"

#include "store/fileerror.h"

namespace zm {

namespace {

// How each record is read from its fields and written back.
template <class Rec>
struct Format;

// Reads the fields of one line, checking each as it goes.
class FieldReader {
public:
    FieldReader(std::string_view file, int line, const FieldView* fields)
        : file_(file), line_(line), fields_(fields) {}

    Date date(int i) const {
        const auto d = parseDateText(text(i));
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
    std::string str(int i) const { return std::string(text(i)); }

    [[noreturn]] void fail(std::string reason) const {
        throw FileError(std::string(file_), line_, std::move(reason));
    }

private:
    std::string_view text(int i) const { return fields_[i].text; }
    std::string_view file_;
    int line_;
    const FieldView* fields_;
};

template <>
struct Format<TimedRecord> {
    static constexpr int kFields = 3;
    static TimedRecord read(const FieldReader& f) { return {f.date(0), f.time(1), f.money(2)}; }
    static Money amount(const TimedRecord& r) { return r.amount; }
    static RecordLine line(const TimedRecord& r) {
        return RecordLine().str(dateText(r.date)).str(timeText(r.time)).money(r.amount);
    }
};

template <>
struct Format<ThemeRecord> {
    static constexpr int kFields = 3;
    static ThemeRecord read(const FieldReader& f) { return {f.date(0), f.str(1), f.money(2)}; }
    static Money amount(const ThemeRecord& r) { return r.amount; }
    static RecordLine line(const ThemeRecord& r) {
        return RecordLine().str(dateText(r.date)).str(r.item).money(r.amount);
    }
};

template <>
struct Format<ItemRecord> {
    static constexpr int kFields = 2;
    static ItemRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static Money amount(const ItemRecord& r) { return r.amount; }
    static RecordLine line(const ItemRecord& r) { return RecordLine().str(r.item).money(r.amount); }
};

template <>
struct Format<GoalRecord> {
    static constexpr int kFields = 2;
    static GoalRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static Money amount(const GoalRecord& r) { return r.target; }
    static RecordLine line(const GoalRecord& r) {
        return RecordLine().str(r.purpose).money(r.target);
    }
};

}  // namespace

template <class Rec>
Loaded<Rec> RecordFile<Rec>::read() const {
    return parse(folder_.readText(name_));
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parse(std::string_view text) const {
    using F = Format<Rec>;
    Loaded<Rec> out;
    // A line is rarely shorter than 24 bytes: reserve once instead of growing.
    out.records.reserve(text.size() / 24 + 1);
    forEachLine(text, [&](int lineNo, std::string_view line) {
        FieldView fields[F::kFields];
        std::string error;
        const int n = splitFields(line, fields, F::kFields, error);
        const FieldReader reader(name_, lineNo, fields);
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
    folder_.append(name_, Format<Rec>::line(record));
}

template <class Rec>
void RecordFile<Rec>::rewrite(const std::vector<Rec>& records) const {
    std::vector<RecordLine> lines;
    lines.reserve(records.size());
    for (const Rec& r : records) lines.push_back(Format<Rec>::line(r));
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
