#include "store/recordline.h"

#include <charconv>

namespace zm {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<RawField> splitRecordLine(std::string_view line) {
    std::vector<RawField> fields;
    if (line.empty()) return fields;
    std::size_t pos = 0;
    for (;;) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        RawField field;
        std::size_t end;  // the comma that ends the field, or npos
        if (pos < line.size() && line[pos] == '"') {
            field.quoted = true;
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                // An unclosed quote runs to the end of the line.
                field.text = line.substr(pos + 1);
                end = std::string_view::npos;
            } else {
                field.text = line.substr(pos + 1, close - pos - 1);
                end = line.find(',', close + 1);
            }
        } else {
            end = line.find(',', pos);
            std::string_view text =
                line.substr(pos, end == std::string_view::npos ? end : end - pos);
            while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
            field.text = text;
        }
        fields.push_back(std::move(field));
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return fields;
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
