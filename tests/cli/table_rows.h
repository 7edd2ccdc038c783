#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// One record of `shiftcal table`, as read back from its CSV or JSON output.
struct TableRow {
    std::string date;
    int weekday = 0;
    int week = 0;
    int holiday = 0;
    std::string name;
    std::string colour;
    std::array<std::string, 5> letters;

    friend bool operator==(const TableRow &, const TableRow &) = default;
};

// Parses CSV output; throws std::runtime_error on a header or field count that is wrong.
std::vector<TableRow> parseCsvTable(std::string_view text);

// Parses JSON output with a small strict reader (an array of flat objects of strings and
// integers); throws std::runtime_error on anything else, keys out of order included.
std::vector<TableRow> parseJsonTable(std::string_view text);
