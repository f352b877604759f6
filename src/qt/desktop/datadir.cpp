#include "qt/desktop/datadir.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "store/fileerror.h"

namespace zm {

namespace fs = std::filesystem;

DataDir DataDir::chosen(const std::optional<std::string>& option, const char* environment,
                        const fs::path& caller) {
    DataDir chosen;
    std::string folder;
    if (option) {
        folder = *option;
    } else if (environment) {
        folder = environment;
    }
    if (folder.empty()) return chosen;
    fs::path dir = fs::path(folder).is_relative() ? caller / folder : fs::path(folder);
    dir = dir.lexically_normal();
    // "book/" names the folder book, whose name the title shows.
    if (!dir.has_filename() && dir.has_relative_path()) dir = dir.parent_path();
    chosen.dir_ = dir;
    return chosen;
}

std::string DataDir::title() const {
    const std::string program = "ズメリ貯金Ｐｒｏ";
    if (!named()) return program;
    const fs::path name = dir_.has_filename() ? dir_.filename() : dir_;
    return program + " － " + name.string();
}

std::string DataDir::about(const std::string& text) const {
    if (!named()) return text;
    return text + "\nデータフォルダ：" + dir_.string();
}

std::optional<std::string> DataDir::enter(bool make) const {
    if (!named()) return std::nullopt;
    const std::string where = "データフォルダ「" + dir_.string() + "」";
    std::error_code ec;
    const fs::file_status status = fs::status(dir_, ec);
    if (!fs::exists(status)) {
        if (!make) return where + "がありません。";
        fs::create_directories(dir_, ec);
        if (ec) return where + "を作れません（" + systemReason(ec.value()) + "）。";
    } else if (!fs::is_directory(status)) {
        return where + "はフォルダではありません。";
    }
    if (::chdir(dir_.c_str()) != 0) {
        return where + "を開けません（" + systemReason(errno) + "）。";
    }
    return std::nullopt;
}

std::vector<std::string> DataDir::arguments() const {
    if (!named()) return {};
    return {"--data-dir=" + dir_.string()};
}

}  // namespace zm
