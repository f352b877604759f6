#include "store/leftovers.h"

#include <system_error>

namespace zm {

namespace fs = std::filesystem;

int removeLeftovers(const fs::path& dir, bool (*isLeftover)(std::string_view name),
                    fs::file_type type) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!isLeftover(it->path().filename().native()) ||
            it->symlink_status(typeError).type() != type)
            continue;
        std::error_code removeError;
        if (fs::remove_all(it->path(), removeError) > 0 && !removeError) ++removed;
    }
    return removed;
}

}  // namespace zm
