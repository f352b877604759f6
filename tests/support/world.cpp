#include "support/world.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "store/cp932.h"
#include "store/filenames.h"

namespace zm::test {

std::map<std::string, std::string> dataFiles(const std::filesystem::path& dir) {
    std::map<std::string, std::string> out;
    for (std::string_view name : files::allData()) {
        std::ifstream in(dir / std::string(name), std::ios::binary);
        out[std::string(name)] = in ? std::string(std::istreambuf_iterator<char>(in), {}) : "-";
    }
    return out;
}

Fingerprints fingerprints(World& w) {
    Fingerprints out;
    for (std::string_view name : files::allData()) {
        if (!w.folder.exists(name)) continue;
        const std::string bytes = w.dir.read(name);
        out[std::string(name)] = {bytes.size(), std::hash<std::string>{}(bytes)};
    }
    return out;
}

void World::put(std::string_view name, std::string_view text) {
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const auto bytes = utf8ToCp932(crlf);
    // Thrown, not asserted: an assertion would only leave this function and
    // the test would go on without the file.
    if (!bytes) throw std::runtime_error("fixture text is not CP932: " + std::string(text));
    dir.write(std::string(name), *bytes);
}

std::string World::get(std::string_view name) {
    const auto text = cp932ToUtf8(dir.read(std::string(name)));
    EXPECT_TRUE(text.has_value());
    return text.value_or("");
}

void World::putInstallation(int helpTour, int targetDays) {
    put(files::kSettings, "\"ヘルプツアー\"," + std::to_string(helpTour) + "\n");
    put(files::kEveryTarget, std::to_string(targetDays) + "\n");
    put(files::kEveryHistory, "");
    const char* themeNames[3] = {"～つもり貯金", "家庭賃金制", "罰金徴収制"};
    for (int t = 0; t < 3; ++t) {
        put(files::kThemeName[t], std::string("\"") + themeNames[t] + "\"\n");
        put(files::kItems[t], "");
    }
}

}  // namespace zm::test
