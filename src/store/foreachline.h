#pragma once

#include <string_view>

namespace zm {

// Calls f(lineNumber, line) for every line of file contents that is not
// blank (spaces and tabs alone), split at LF with the CR of CR LF dropped; a
// last line without a line end still counts. Lines are 1-based.
template <class F>
void forEachLine(std::string_view text, F&& f) {
    int lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        f(lineNo, line);
    }
}

}  // namespace zm
