#include "store/recordline.h"

#include <charconv>

#include "core/utf8.h"

namespace zm {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Control characters have no place in a name or a date; tab counts as a blank.
bool hasControl(std::string_view text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F) return true;
    }
    return false;
}

}  // namespace

std::string excerpt(std::string_view text) {
    constexpr std::size_t kShown = 20;
    if (charCount(text) <= kShown) return std::string(text);
    return firstChars(text, kShown) + "…";
}

int splitFields(std::string_view line, FieldView* out, int cap, std::string& error) {
    if (line.empty()) return 0;
    int count = 0;
    std::size_t pos = 0;
    for (;;) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        FieldView field;
        std::size_t end;  // the comma that ends the field, or npos
        if (pos < line.size() && line[pos] == '"') {
            field.quoted = true;
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                error = "引用符（\"）が閉じていません";
                return -1;
            }
            field.text = line.substr(pos + 1, close - pos - 1);
            std::size_t after = close + 1;
            while (after < line.size() && isBlank(line[after])) ++after;
            if (after < line.size() && line[after] != ',') {
                error =
                    "引用符（\"）の後に余分な文字があります：" + excerpt(line.substr(close + 1));
                return -1;
            }
            end = after < line.size() ? after : std::string_view::npos;
        } else {
            end = line.find(',', pos);
            std::string_view text =
                line.substr(pos, end == std::string_view::npos ? end : end - pos);
            while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
            // No writer could put it back: a string with a quote cannot be quoted.
            if (text.find('"') != std::string_view::npos) {
                error = "引用符（\"）の位置が正しくありません：" + excerpt(text);
                return -1;
            }
            field.text = text;
        }
        if (field.text.size() > kMaxFieldBytes) {
            error = "項目が長すぎます：" + excerpt(field.text);
            return -1;
        }
        if (hasControl(field.text)) {
            error = "制御文字が含まれています";
            return -1;
        }
        if (count < cap) out[count] = field;
        ++count;
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return count;
}

void RecordLine::comma() {
    if (!text_.empty()) text_ += ',';
}

RecordLine& RecordLine::str(std::string_view s) {
    comma();
    text_ += '"';
    text_ += s;
    text_ += '"';
    return *this;
}

RecordLine& RecordLine::money(Money m) {
    comma();
    text_ += m.plainText();
    return *this;
}

RecordLine& RecordLine::integer(std::int64_t n) {
    comma();
    text_ += std::to_string(n);
    return *this;
}

RecordLine& RecordLine::number(double d) {
    comma();
    if (d == 0.0) d = 0.0;  // no "-0"
    // Shortest form that reads back as the same double, never with an exponent.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    text_.append(buf, res.ptr);
    return *this;
}

}  // namespace zm
