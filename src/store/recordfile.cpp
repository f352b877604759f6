#include "store/recordfile.h"

#include <algorithm>
#include <string>
#include <utility>

#include "store/cp932.h"
#include "store/cp932lines.h"
#include "store/decodedstrings.h"
#include "store/exactline.h"
#include "store/fieldreader.h"
#include "store/fileerror.h"
#include "store/foreachline.h"
#include "store/keptreads.h"
#include "store/readsahead.h"
#include "store/recordformat.h"

namespace zm {

template <class Rec>
Loaded<Rec> RecordFile<Rec>::read() const {
    return parseBytes(folder_.readBytes(name_));
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::readNumbered() const {
    return parseCodePage(folder_.readBytes(name_), Strings::Numbered);
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseBytes(std::string_view bytes) const {
    return parseCodePage(bytes, Strings::Copied);
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::parseCodePage(std::string_view bytes, Strings strings) const {
    try {
        return parseAs(bytes, true, strings);
    } catch (const FileError&) {
        return parse(DataFolder::decode(name_, bytes));  // names the fault
    }
}

template <class Rec>
std::shared_ptr<const Loaded<Rec>> RecordFile<Rec>::readKept() const {
    // The stamp is taken first: a change during the read makes it old.
    const auto stamp = folder_.stamp(name_);
    if (stamp) {
        if (auto kept = folder_.kept().find<Loaded<Rec>>(name_, *stamp)) {
            folder_.saw(name_, stamp);
            return kept;
        }
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
        const Loaded<Rec> loaded = parseCodePage(bytes, Strings::Checked);
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
Loaded<Rec> RecordFile<Rec>::parseAs(std::string_view text, bool codePage, Strings strings) const {
    using F = Format<Rec>;
    const bool numbered = strings == Strings::Numbered;
    DecodedStrings decoded(numbered);
    Loaded<Rec> out;
    // A line is rarely shorter than 24 bytes: reserve once instead of growing.
    out.records.reserve(text.size() / 24 + 1);
    forEachLine(text, [&](int lineNo, std::string_view line) {
        const bool full = maxRecords_ > 0 && static_cast<int>(out.records.size()) >= maxRecords_;
        // Every field checked, the fault named.
        const auto readFields = [&] {
            const FieldReader fields(name_, lineNo, line, F::kFields,
                                     codePage ? &decoded : nullptr);
            if (full) fields.fail("記録が多すぎます（" + std::to_string(maxRecords_) + " 件まで）");
            return F::read(fields);
        };
        Rec rec;
        bool exactRead = false;
        if (codePage && !full) {
            ExactLine exact(line, decoded, strings);
            exactRead = F::read(exact, rec);
        }
        if (!exactRead) rec = readFields();
        if (numbered) {
            out.nameOf.push_back(decoded.last());
            Format<Rec>::clearString(rec);
        }
        const auto total = Money::checkedAdd(out.total, F::amount(rec));
        if (!total) throw FileError(std::string(name_), lineNo, "合計金額が大きすぎます");
        out.total = *total;
        out.records.push_back(std::move(rec));
    });
    if (numbered) out.names = decoded.texts();
    return out;
}

template <class Rec>
Loaded<Rec> RecordFile<Rec>::readOrCreate(bool numbered) const {
    std::optional<FileStamp> stamp;
    if (auto ahead = folder_.ahead().take<Loaded<Rec>>(
            name_, [&] { return stamp = folder_.stamp(name_); })) {
        folder_.saw(name_, stamp);
        return std::move(*ahead);
    }
    folder_.createIfMissing(name_);
    return numbered ? readNumbered() : read();
}

template <class Rec>
void RecordFile<Rec>::readAhead(bool numbered) const {
    const auto stamp = folder_.stamp(name_);
    if (!stamp) return;
    // Through a folder of its own: this one belongs to the thread that asks.
    folder_.ahead().begin<Loaded<Rec>>(name_, *stamp,
                                       [dir = folder_.dir(), name = name_, max = maxRecords_,
                                        numbered] {
                                           const DataFolder there(dir);
                                           const RecordFile file(there, name, max);
                                           return numbered ? file.readNumbered() : file.read();
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
    for (std::size_t i = 0; i < count; ++i) {
        Format<Rec>::put(lines, record(i));
        lines.endLine();
        // Room for all, as long as the first line (a long one counted as a
        // common one) and some more each, made once: growing a megabyte
        // twice costs more than writing it.
        if (i == 0) lines.reserve((std::min<std::size_t>(lines.bytes().size(), 96) + 8) * count);
    }
    folder_.rewrite(name_, lines);
}

template class RecordFile<TimedRecord>;
template class RecordFile<ThemeRecord>;
template class RecordFile<ItemRecord>;
template class RecordFile<GoalRecord>;

}  // namespace zm
