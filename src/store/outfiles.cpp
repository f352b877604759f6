#include "store/outfiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filewriting.h"

namespace zm {

namespace fs = std::filesystem;

namespace {

std::string u8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

constexpr const char* kInsideData = "データフォルダの中には書き出せません。";

// True when a file is at `path`, in a folder outside the data folder, false
// when there is none; a file that may not be written is refused with the reason.
bool checkOut(const fs::path& path, const std::string& shown) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return false;
        throwWriteError(shown, errno);
    }
    if (S_ISLNK(st.st_mode))
        throw FileError(shown, 0, "シンボリックリンクには書き出せません（リンク先を守るため）。");
    if (!S_ISREG(st.st_mode)) throw FileError(shown, 0, kNotRegularFile);
    return true;
}

// What the file holds now, or nullopt when there is none.
std::optional<std::string> held(const fs::path& path, const std::string& shown) {
    if (!checkOut(path, shown)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) throwReadError(shown, errno ? errno : EIO);
    return bytes;
}

}  // namespace

void writeOutFile(const DataFolder& data, const fs::path& path, std::string_view bytes,
                  const std::string& shown) {
    if (data.holds(path.parent_path().empty() ? fs::path(".") : path.parent_path()))
        throw FileError(shown, 0, kInsideData);
    checkOut(path, shown);
    writeWhole(path, bytes, shown, AtLink::Replace);
}

void writeOutFiles(const DataFolder& data, const fs::path& dir,
                   const std::vector<std::pair<std::string, std::string>>& files) {
    if (data.holds(dir)) throw FileError(u8(dir), 0, kInsideData);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw FileError(u8(dir), 0, systemReason(ec.value()));
    std::vector<SetFile> set;
    for (const auto& [name, bytes] : files) {
        const fs::path path = dir / fs::path(std::u8string(name.begin(), name.end()));
        set.push_back({path, name, bytes, held(path, name)});
    }
    writeAllOrNone(set, AtLink::Replace);
}

}  // namespace zm
