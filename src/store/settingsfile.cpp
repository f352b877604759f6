#include "store/settingsfile.h"

#include <cstdint>
#include <string>

#include "store/fieldlength.h"
#include "store/fieldreader.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm {

int SettingsFile::readHelpTour() const {
    return parseHelpTour(folder_.readText(files::kSettings));
}

int SettingsFile::parseHelpTour(std::string_view text) {
    const auto first =
        firstRecord(files::kSettings, text, 2, [](const FieldReader& f) { f.integer(1); });
    if (!first) throw FileError(std::string(files::kSettings), 0, "設定がありません");
    const std::int64_t value = first->integer(1);
    if (value != 0 && value != 1)
        first->fail("ヘルプツアーの設定は 1 か 0 です：" + excerpt(first->text(1)));
    return static_cast<int>(value);
}

void SettingsFile::writeHelpTour(int helpTour) const {
    folder_.rewrite(files::kSettings, {RecordLine().str("ヘルプツアー").integer(helpTour)});
}

}  // namespace zm
