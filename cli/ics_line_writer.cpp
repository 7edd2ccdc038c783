#include "cli/ics_line_writer.h"

namespace shift {

namespace {

constexpr std::size_t kMaxLineOctets = 75;

} // namespace

void IcsLineWriter::line(std::string_view name, std::string_view value)
{
    std::size_t octets = 0; // of the current physical line
    auto emit = [&](std::string_view piece) {
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const auto byte = static_cast<unsigned char>(piece[i]);
            const bool startsCharacter = (byte & 0xC0) != 0x80;
            if (startsCharacter) {
                // The whole UTF-8 character must fit on this physical line.
                std::size_t length = 1;
                while (i + length < piece.size()
                    && (static_cast<unsigned char>(piece[i + length]) & 0xC0) == 0x80)
                    ++length;
                if (octets + length > kMaxLineOctets) {
                    m_out.append("\r\n ");
                    octets = 1;
                }
            }
            m_out.append(piece[i]);
            ++octets;
        }
    };
    emit(name);
    emit(":");
    emit(value);
    m_out.append("\r\n");
}

std::string escapeText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c != '\r') {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace shift
