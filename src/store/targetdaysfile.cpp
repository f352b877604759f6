#include "store/targetdaysfile.h"

#include <string>

#include "store/fieldreader.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm {

int TargetDaysFile::read() const {
    return parse(folder_.readText(files::kEveryTarget));
}

int TargetDaysFile::parse(std::string_view text) {
    const auto check = [](const FieldReader& f) { f.integer(0); };
    return firstRecord(files::kEveryTarget, text, 1, "目標日数がありません", check)
        .integerWithin(0, -kLimit, kLimit, "目標日数が大きすぎます：");
}

void TargetDaysFile::write(double days) const {
    folder_.rewrite(files::kEveryTarget, {RecordLine().number(days)});
}

}  // namespace zm
