#include "store/targetdaysfile.h"

#include <cstdint>
#include <string>

#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm {

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

}  // namespace zm
