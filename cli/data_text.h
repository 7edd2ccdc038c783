#pragma once

#include <string>
#include <string_view>

// Text as the data formats shiftcal writes need it.
namespace shift {

// A CSV field: quoted, with quotes doubled, when it holds a comma, a quote or a line break.
// Example: csvField("a,b") == "\"a,b\""; csvField("Julafton") == "Julafton".
std::string csvField(std::string_view text);

// A JSON string literal of UTF-8 text. Example: jsonString("a\"b") == "\"a\\\"b\"".
std::string jsonString(std::string_view text);

} // namespace shift
