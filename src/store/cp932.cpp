#include "store/cp932.h"
#include "store/charactertable.h"

#include <iconv.h>

#include <cerrno>

namespace zm {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) continue;
        if (errno != E2BIG) {
            ok = false;  // EILSEQ: not convertible; EINVAL: cut off in the middle of a character
            break;
        }
        const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    thread_local CharacterTable table(
        [](std::string_view t) { return convert("CP932", "UTF-8", t); });
    return table.encode(utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932);
}

bool fitsStringField(std::string_view utf8) {
    return utf8.find_first_of("\"\r\n") == std::string_view::npos && utf8ToCp932(utf8).has_value();
}

}  // namespace zm
