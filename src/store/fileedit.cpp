#include "store/fileedit.h"

#include <algorithm>
#include <cstring>

namespace zm {

namespace {

// How many bytes a and b (of equal size) have alike from their start, or from
// their end: a ledger rewritten for one deleted record is alike for almost
// all of its megabyte, so blocks are compared with memcmp before bytes.
constexpr std::size_t kBlock = 256;

std::size_t alikeFromStart(const char* a, const char* b, std::size_t n) {
    std::size_t i = 0;
    while (n - i >= kBlock && std::memcmp(a + i, b + i, kBlock) == 0) i += kBlock;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

std::size_t alikeFromEnd(const char* aEnd, const char* bEnd, std::size_t n) {
    std::size_t i = 0;
    while (n - i >= kBlock && std::memcmp(aEnd - i - kBlock, bEnd - i - kBlock, kBlock) == 0) {
        i += kBlock;
    }
    while (i < n && aEnd[-1 - static_cast<std::ptrdiff_t>(i)] ==
                        bEnd[-1 - static_cast<std::ptrdiff_t>(i)]) {
        ++i;
    }
    return i;
}

}  // namespace

FileEdit wholeEdit(std::string name, std::string_view old, std::string_view now, bool existed) {
    const std::size_t shorter = std::min(old.size(), now.size());
    const std::size_t head = alikeFromStart(old.data(), now.data(), shorter);
    const std::size_t tail =
        alikeFromEnd(old.data() + old.size(), now.data() + now.size(), shorter - head);
    FileEdit edit;
    edit.name = std::move(name);
    edit.existed = existed;
    edit.head = head;
    edit.tail = tail;
    edit.before = old.substr(head, old.size() - head - tail);
    edit.after = now.substr(head, now.size() - head - tail);
    return edit;
}

std::optional<std::string> FileEdit::across(std::string_view bytes, bool undone) const {
    const std::string& there = undone ? after : before;
    const std::string& wanted = undone ? before : after;
    if (bytes.size() != head + there.size() + tail || bytes.substr(head, there.size()) != there)
        return std::nullopt;
    std::string whole;
    whole.reserve(head + wanted.size() + tail);
    whole.append(bytes.substr(0, head)).append(wanted).append(bytes.substr(bytes.size() - tail));
    return whole;
}

}  // namespace zm
