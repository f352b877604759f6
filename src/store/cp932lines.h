#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/datetime.h"
#include "core/money.h"
#include "store/shorttexthash.h"

namespace zm {

// Whole lines of a data file made straight in the code page's bytes from the
// values: the bytes RecordLine's text would encode to, each line ended by
// CR LF, without the text in between. A string the code page cannot carry
// makes the whole result fail (ok() false).
class Cp932Lines {
public:
    void reserve(std::size_t bytes);
    Cp932Lines& str(std::string_view utf8);
    Cp932Lines& date(Date d);       // quoted, as str(dateText(d))
    Cp932Lines& time(TimeOfDay t);  // quoted, as str(timeText(t))
    Cp932Lines& money(Money m);
    void endLine();

    bool ok() const { return ok_; }
    std::string_view bytes() const { return {buffer_.data(), size_}; }

private:
    // Room for `bytes` more at the end, where the next field is written.
    char* room(std::size_t bytes) {
        if (buffer_.size() - size_ < bytes) [[unlikely]]
            grow(bytes);
        return buffer_.data() + size_;
    }
    void grow(std::size_t bytes);
    // Room for a field of fixed width, after the comma that comes before it.
    char* fieldStart();
    // The bytes made are the first size_ of buffer_; the rest is room, so
    // that a field is written in place without growing a string per byte.
    std::string buffer_;
    std::size_t size_ = 0;
    bool lineStarted_ = false;
    bool ok_ = true;
    // Where each string met so far stands encoded in the bytes: a ledger names
    // the same items again and again. Held to a few thousand names.
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>, ShortTextHash,
                       std::equal_to<>>
        encoded_;
};

}  // namespace zm
