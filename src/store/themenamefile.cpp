#include "store/themenamefile.h"

#include <string>

#include "store/fieldreader.h"
#include "store/recordline.h"

namespace zm {

std::string ThemeNameFile::read() const {
    return parse(folder_.readText(name_));
}

std::string ThemeNameFile::parse(std::string_view text) const {
    return firstRecord(name_, text, 1, "テーマ名がありません", [](const FieldReader&) {}).str(0);
}

void ThemeNameFile::write(std::string_view themeName) const {
    folder_.rewrite(name_, {RecordLine().str(themeName)});
}

}  // namespace zm
