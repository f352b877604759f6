#include "store/settingsfile.h"

#include <string>

#include "store/fieldreader.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm {

int SettingsFile::readHelpTour() const {
    return parseHelpTour(folder_.readText(files::kSettings));
}

int SettingsFile::parseHelpTour(std::string_view text) {
    const auto check = [](const FieldReader& f) { f.integer(1); };
    return firstRecord(files::kSettings, text, 2, "設定がありません", check)
        .integerWithin(1, 0, 1, "ヘルプツアーの設定は 1 か 0 です：");
}

void SettingsFile::writeHelpTour(int helpTour) const {
    folder_.rewrite(files::kSettings, {RecordLine().str("ヘルプツアー").integer(helpTour)});
}

}  // namespace zm
