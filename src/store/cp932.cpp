#include "store/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace zm {

namespace {

// One converter per direction, opened once: opening is far dearer than a
// short conversion, and a damaged file is decoded again line by line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Ready for new text: no shift state left from the last one.
    iconv_t fresh() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

std::optional<std::string> convert(Converter& converter, std::string_view in) {
    if (!converter.ok()) return std::nullopt;
    iconv_t cd = converter.fresh();

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
    if (!ok) return std::nullopt;
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    thread_local Converter toCp932("CP932", "UTF-8");
    return convert(toCp932, utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    thread_local Converter toUtf8("UTF-8", "CP932");
    return convert(toUtf8, cp932);
}

bool fitsStringField(std::string_view utf8) {
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || (u < 0x20 && c != '\t') || u == 0x7F) return false;
    }
    return utf8ToCp932(utf8).has_value();
}

}  // namespace zm
