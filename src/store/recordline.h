#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/money.h"

namespace zm {

// Builds one line of a data file: strings quoted, numbers plain, fields
// separated by single commas. text() has no line end; the writer adds CR LF.
class RecordLine {
public:
    RecordLine& str(std::string_view s);
    RecordLine& money(Money m);
    RecordLine& integer(std::int64_t n);
    RecordLine& number(double d);
    const std::string& text() const { return text_; }

private:
    void comma();
    std::string text_;
};

}  // namespace zm
