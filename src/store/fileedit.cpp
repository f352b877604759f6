#include "store/fileedit.h"

#include <algorithm>

namespace zm {

FileEdit wholeEdit(std::string name, std::string_view old, std::string_view now, bool existed) {
    const std::size_t shorter = std::min(old.size(), now.size());
    const std::size_t head = static_cast<std::size_t>(
        std::mismatch(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(shorter), now.begin())
            .first -
        old.begin());
    const auto rest = static_cast<std::ptrdiff_t>(shorter - head);
    const std::size_t tail = static_cast<std::size_t>(
        std::mismatch(old.rbegin(), old.rbegin() + rest, now.rbegin()).first - old.rbegin());
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
