#pragma once

#include <string_view>

#include "store/datafolder.h"

namespace zm {

// "目標３６５歩のマーチ.txt": one number, the target days of the calculator.
class TargetDaysFile {
public:
    static constexpr int kLimit = 32767;  // a 16-bit day counter
    explicit TargetDaysFile(const DataFolder& f) : folder_(f) {}
    // Rounded to whole days; beyond ±kLimit is a FileError.
    int read() const;
    static int parse(std::string_view text);
    void write(double days) const;

private:
    const DataFolder& folder_;
};

}  // namespace zm
