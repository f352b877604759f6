#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

// A data file changed behind the program's back since it was last read or
// written (another program wrote it): nothing was written.
class OutsideChange : public FileError {
public:
    explicit OutsideChange(std::string file)
        : FileError(std::move(file), 0, "ほかのプログラムで変更されています") {}
};

// Why a data file that is a pipe, a device or a folder is refused.
inline constexpr const char* kNotRegularFile = "通常のファイルではありません";
// Why a file's bytes are refused as text.
inline constexpr const char* kNotCp932 = "文字コードが Shift-JIS ではありません";
// Why a text is not written: the code page has no bytes for one of its characters.
inline constexpr const char* kCannotEncode = "Shift-JIS で書けない文字があります";

// Why a system call failed, in Japanese for the reasons a user meets
// (no permission, disk full, ...); the system's own text for the rest.
std::string systemReason(int err);
// `what` with the system's reason after it in brackets.
std::string withSystemReason(std::string_view what, int err);

// The FileError of a failed read of the file `name` (one that is missing is
// named so), or of a failed write.
[[noreturn]] void throwReadError(std::string_view name, int err);
[[noreturn]] void throwWriteError(std::string_view name, int err);

}  // namespace zm
