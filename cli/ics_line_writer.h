#pragma once

#include "cli/output_buffer.h"

#include <string>
#include <string_view>

namespace shift {

// Content lines of an iCalendar stream: each line ends in CRLF and is folded into lines of at
// most 75 octets (a fold is CRLF and one blank), never inside a UTF-8 character.
class IcsLineWriter {
public:
    explicit IcsLineWriter(OutputBuffer &out)
        : m_out(out)
    {
    }

    // Writes "name:value" folded; value must already be escaped where it is TEXT.
    void line(std::string_view name, std::string_view value);

private:
    OutputBuffer &m_out;
};

// TEXT escaped for a property value: backslash, semicolon, comma and line breaks.
// Example: "F, morning" -> "F\, morning".
std::string escapeText(std::string_view text);

} // namespace shift
