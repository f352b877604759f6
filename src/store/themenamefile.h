#pragma once

#include <string>
#include <string_view>

#include "store/datafolder.h"
#include "store/filenames.h"

namespace zm {

// "テーマ名N.txt": one string, the theme's name.
class ThemeNameFile {
public:
    ThemeNameFile(const DataFolder& f, int theme) : folder_(f), name_(files::kThemeName[theme]) {}
    std::string read() const;
    std::string parse(std::string_view text) const;
    void write(std::string_view themeName) const;

private:
    const DataFolder& folder_;
    std::string_view name_;
};

}  // namespace zm
