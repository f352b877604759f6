#pragma once

#include <functional>
#include <string>

namespace zm {

// Where a page tells of each change it has just written to its files, so
// that the change can be undone and redone as one step: what it was, in the
// page's words, and how the page shows its files after the step is undone
// (true) or redone (false). Without that, the page is read anew from them.
class Changes {
public:
    virtual ~Changes() = default;
    virtual void made(std::string what, std::function<void(bool undone)> show = {}) = 0;
};

}  // namespace zm
