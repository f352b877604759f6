#pragma once

#include <string_view>

#include "store/datafolder.h"

namespace zm {

// "設定.txt": the label "ヘルプツアー" and HelpTour, 1 or 0.
class SettingsFile {
public:
    explicit SettingsFile(const DataFolder& f) : folder_(f) {}
    int readHelpTour() const;
    static int parseHelpTour(std::string_view text);
    void writeHelpTour(int helpTour) const;

private:
    const DataFolder& folder_;
};

}  // namespace zm
