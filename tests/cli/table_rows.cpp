#include "table_rows.h"

#include <charconv>
#include <stdexcept>

namespace {

constexpr std::string_view kHeader = "date,weekday,week,holiday,name,colour,A,B,C,D,E";
constexpr std::string_view kKeys[]
    = { "date", "weekday", "week", "holiday", "name", "colour", "A", "B", "C", "D", "E" };

int toInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("not a number: " + std::string(text));
    return value;
}

class JsonReader {
public:
    explicit JsonReader(std::string_view text)
        : m_text(text)
    {
    }

    std::vector<TableRow> readTable()
    {
        std::vector<TableRow> rows;
        expect('[');
        skipBlanks();
        if (peek() == ']') {
            ++m_pos;
        } else {
            for (;;) {
                rows.push_back(readRow());
                skipBlanks();
                if (peek() == ',') {
                    ++m_pos;
                    continue;
                }
                expect(']');
                break;
            }
        }
        skipBlanks();
        if (m_pos != m_text.size())
            fail("text after the array");
        return rows;
    }

private:
    TableRow readRow()
    {
        TableRow row;
        expect('{');
        for (std::size_t k = 0; k < std::size(kKeys); ++k) {
            if (k > 0)
                expect(',');
            if (readString() != kKeys[k])
                fail("unexpected key");
            expect(':');
            switch (k) {
            case 0:
                row.date = readString();
                break;
            case 1:
                row.weekday = readNumber();
                break;
            case 2:
                row.week = readNumber();
                break;
            case 3:
                row.holiday = readNumber();
                break;
            case 4:
                row.name = readString();
                break;
            case 5:
                row.colour = readString();
                break;
            default:
                row.letters[k - 6] = readString();
                break;
            }
        }
        expect('}');
        return row;
    }

    std::string readString()
    {
        expect('"');
        std::string value;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            if (m_text[m_pos] == '\\' || static_cast<unsigned char>(m_text[m_pos]) < 0x20)
                fail("escapes are not expected in these values");
            value += m_text[m_pos++];
        }
        ++m_pos;
        return value;
    }

    int readNumber()
    {
        skipBlanks();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
            ++m_pos;
        return toInt(m_text.substr(start, m_pos - start));
    }

    void skipBlanks()
    {
        while (m_pos < m_text.size()
            && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' || m_text[m_pos] == '\t'
                || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    void expect(char c)
    {
        skipBlanks();
        if (peek() != c)
            fail(std::string("expected ") + c);
        ++m_pos;
    }

    [[noreturn]] void fail(const std::string &what) const
    {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(m_pos));
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::vector<TableRow> parseCsvTable(std::string_view text)
{
    std::vector<TableRow> rows;
    std::size_t pos = 0;
    bool header = true;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        if (end == text.npos)
            throw std::runtime_error("CSV: last line without a line end");
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (header) {
            if (line != kHeader)
                throw std::runtime_error("CSV: wrong header " + std::string(line));
            header = false;
            continue;
        }
        std::vector<std::string_view> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = line.find(',', start);
            fields.push_back(line.substr(start, comma == line.npos ? line.npos : comma - start));
            if (comma == line.npos)
                break;
            start = comma + 1;
        }
        if (fields.size() != 11)
            throw std::runtime_error("CSV: wrong field count in " + std::string(line));
        TableRow row { std::string(fields[0]),
            toInt(fields[1]),
            toInt(fields[2]),
            toInt(fields[3]),
            std::string(fields[4]),
            std::string(fields[5]),
            {} };
        for (std::size_t t = 0; t < 5; ++t)
            row.letters[t] = std::string(fields[6 + t]);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TableRow> parseJsonTable(std::string_view text)
{
    return JsonReader(text).readTable();
}
