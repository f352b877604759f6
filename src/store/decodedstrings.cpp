#include "store/decodedstrings.h"

#include <optional>

#include "store/datafolder.h"
#include "store/fieldlength.h"

namespace zm {

bool DecodedStrings::decode(std::string_view bytes, std::string& out) {
    if (const std::string* known = find(bytes)) {
        out = *known;
        return true;
    }
    std::optional<std::string> shown = DataFolder::shownText(bytes);
    if (!shown || !fitsFieldLength(*shown)) return false;
    out = *shown;
    remember(bytes, std::move(*shown));
    return true;
}

bool DecodedStrings::decode(std::string_view bytes) {
    std::string unused;  // new texts only: one copy per name, not per field
    return decode(bytes, unused);
}

}  // namespace zm
