#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zm::test {

// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Raw bytes in and out of a file in the folder; read() throws when the
    // file cannot be read.
    void write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

}  // namespace zm::test
