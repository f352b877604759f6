#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/money.h"

namespace zm {

// A file of records read whole: its records in file order and the sum of
// their amounts. Read with its strings numbered (RecordFile::readNumbered),
// a record's string field is left empty: record i's is names[nameOf[i]].
template <class Rec>
struct Loaded {
    std::vector<Rec> records;
    Money total;
    std::vector<std::string> names;
    std::vector<std::uint32_t> nameOf;
};

}  // namespace zm
