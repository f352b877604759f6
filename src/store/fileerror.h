#pragma once

#include <stdexcept>
#include <string>

namespace zm {

// A data file could not be opened, read, parsed or written. The user sees
// what() in a message box; the program then ends.
class FileError : public std::runtime_error {
public:
    // line is 1-based; 0 when no line is concerned.
    FileError(std::string file, int line, std::string reason);

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& reason() const { return reason_; }

private:
    std::string file_;
    int line_;
    std::string reason_;
};

// Why a data file that is a pipe, a device or a folder is refused.
inline constexpr const char* kNotRegularFile = "通常のファイルではありません";

// Why a system call failed, in Japanese for the reasons a user meets
// (no permission, disk full, ...); the system's own text for the rest.
std::string systemReason(int err);

}  // namespace zm
