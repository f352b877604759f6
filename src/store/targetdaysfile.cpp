#include "store/targetdaysfile.h"

#include <cstdint>
#include <string>

#include "store/fieldlength.h"
#include "store/fieldreader.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm {

int TargetDaysFile::read() const {
    return parse(folder_.readText(files::kEveryTarget));
}

int TargetDaysFile::parse(std::string_view text) {
    const auto first =
        firstRecord(files::kEveryTarget, text, 1, [](const FieldReader& f) { f.integer(0); });
    if (!first) throw FileError(std::string(files::kEveryTarget), 0, "目標日数がありません");
    const std::int64_t days = first->integer(0);
    if (days > kLimit || days < -kLimit)
        first->fail("目標日数が大きすぎます：" + excerpt(first->text(0)));
    return static_cast<int>(days);
}

void TargetDaysFile::write(double days) const {
    folder_.rewrite(files::kEveryTarget, {RecordLine().number(days)});
}

}  // namespace zm
