#include "cli/days_csv.h"

#include "cli/cli_error.h"

namespace shift {

std::vector<CsvRecord> readCsvRecords(std::string_view text, const std::string &name)
{
    std::vector<CsvRecord> records;
    CsvRecord record { 1, {} };
    std::string field;
    int line = 1;
    std::size_t i = 0;
    auto fail = [&](const std::string &what) {
        throw UsageError(name + ":" + std::to_string(line) + ": " + what);
    };
    auto endRecord = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record = { line + 1, {} };
    };
    while (i < text.size()) {
        if (text[i] == '"' && field.empty()) {
            // A quoted field runs to the quote that is not doubled.
            ++i;
            for (;; ++i) {
                if (i >= text.size())
                    fail("a quoted field is never closed");
                if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (text[i] == '"') {
                    ++i;
                    break;
                } else {
                    line += text[i] == '\n' ? 1 : 0;
                    field += text[i];
                }
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                fail("text after a closing quote");
            continue;
        }
        const char c = text[i++];
        if (c == ',') {
            record.fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || (c == '\r' && i < text.size() && text[i] == '\n')) {
            i += c == '\r' ? 1 : 0;
            endRecord();
            ++line;
        } else {
            field += c;
        }
    }
    if (!field.empty() || !record.fields.empty())
        endRecord();
    return records;
}

} // namespace shift
