#include "cli/data_text.h"

namespace shift {

// A CSV field: quoted, with quotes doubled, when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == text.npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string literal = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += c;
        } else if (byte < 0x20) {
            literal += "\\u00";
            literal += hex[byte >> 4];
            literal += hex[byte & 0xF];
        } else {
            literal += c;
        }
    }
    return literal + "\"";
}

} // namespace shift
