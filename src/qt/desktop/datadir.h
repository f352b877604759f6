#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zm {

// The data folder the user named for this run, with --data-dir or
// ZUMERI_DATA_DIR, to keep a second savings book. Unnamed, the program works
// in the folder it was started in, as the menu entry starts it.
class DataDir {
public:
    DataDir() = default;
    // `option` is --data-dir's value when given, which wins over the
    // variable's `environment`; an empty variable names nothing. A relative
    // folder is one below `caller`, where it was typed.
    static DataDir chosen(const std::optional<std::string>& option, const char* environment,
                          const std::filesystem::path& caller);

    bool named() const { return !dir_.empty(); }
    // Absolute and without a trailing separator; empty when unnamed.
    const std::filesystem::path& dir() const { return dir_; }
    // The window's title: the program's name, and the folder's when named.
    std::string title() const;
    // A reminder's text, with the folder it is about when named.
    std::string about(const std::string& text) const;
    // Changes into the named folder, making it first when `make` and it is
    // missing; the reason in Japanese when it cannot. Unnamed, does nothing.
    std::optional<std::string> enter(bool make) const;
    // What names the folder again to a program started from this one.
    std::vector<std::string> arguments() const;

private:
    std::filesystem::path dir_;
};

}  // namespace zm
