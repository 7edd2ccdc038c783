// Unit tests of shiftcal's parts: option parsing, iCalendar lines and whole-or-nothing files.
#include "cli/cli_error.h"
#include "cli/command_options.h"
#include "cli/ics_line_writer.h"
#include "cli/output_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace shift;

TEST(CommandOptions, AcceptsTheSpellingsUsersType)
{
    const LocalDateTime now { 2016, 10, 1, 20, 0, 0, 0 };
    const std::string_view monthArgs[]
        = { "--team=b", "--scheme", "Norda", "--months=3", "2017-02" };
    const MonthOptions month = parseMonthOptions(monthArgs, now);
    EXPECT_EQ(month.team, 1);
    EXPECT_EQ(month.scheme, 1);
    EXPECT_EQ(month.months, 3);
    EXPECT_EQ(month.year, 2017);
    EXPECT_EQ(month.month, 2);

    const MonthOptions defaults = parseMonthOptions({}, now);
    EXPECT_EQ(defaults.year, 2016);
    EXPECT_EQ(defaults.month, 10);
    EXPECT_EQ(defaults.team, kAllTeams);
    EXPECT_EQ(defaults.scheme, 0);

    const std::string_view tableArgs[]
        = { "--from", "2016-01-01", "--to=2016-01-02", "--output=days.JSON" };
    const TableOptions table = parseTableOptions(tableArgs);
    EXPECT_EQ(table.format, TableFormat::Json);
    EXPECT_EQ(table.output, "days.JSON");

    const std::string_view renderArgs[]
        = { "--clock", "2016-10-03T03:00", "-o", "a.pdf", "--team", "all" };
    const RenderOptions render = parseRenderOptions(renderArgs, now);
    EXPECT_EQ(render.format, ImageFormat::Pdf);
    EXPECT_EQ(render.clock.hour, 3);
    EXPECT_EQ(render.startMonth, 10);
}

TEST(CommandOptions, LeapDaysAndMonthEndsAreChecked)
{
    EXPECT_EQ(parseDate("--from", "2016-02-29"), civilDate(2016, 2, 29));
    EXPECT_THROW(parseDate("--from", "2015-02-29"), UsageError);
    EXPECT_THROW(parseDate("--from", "1900-02-29"), UsageError);
    EXPECT_EQ(parseDate("--from", "2000-02-29"), civilDate(2000, 2, 29));
    EXPECT_THROW(parseDate("--from", "2016-04-31"), UsageError);
    EXPECT_THROW(parseDate("--from", "2016-04-1"), UsageError);
    EXPECT_THROW(parseDate("--from", "-2016-04-01"), UsageError);
    EXPECT_EQ(parseDate("--from", "0001-01-01"), civilDate(1, 1, 1));
}

TEST(IcsText, EscapesTheCharactersTextMayNotHoldBare)
{
    EXPECT_EQ(escapeText("F, morning; a\\b\nc"), "F\\, morning\\; a\\\\b\\nc");
}

// 12 octets of name and colon, then 62 of ASCII: the next two-octet character would end on
// octet 76, so the fold must come before it.
const std::string kFoldedValue
    = std::string(62, 'x') + "åäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäö";

TEST(IcsText, FoldsAt75OctetsWithoutSplittingACharacter)
{
    char path[] = "/tmp/shiftcal-fold-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    {
        OutputBuffer out(fd, path);
        IcsLineWriter ics(out);
        ics.line("DESCRIPTION", kFoldedValue);
        out.flush();
    }
    ::close(fd);
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ::unlink(path);

    std::string unfolded;
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        std::string line = text.substr(pos, end - pos);
        EXPECT_LE(line.size(), 75u);
        if (!first) {
            ASSERT_EQ(line[0], ' ');
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80);
            line.erase(0, 1);
        }
        unfolded += line;
        first = false;
        pos = end + 2;
    }
    EXPECT_EQ(text.find("\r\n"), 74u) << "the first line stops before the split character";
    EXPECT_EQ(unfolded, "DESCRIPTION:" + kFoldedValue);
}

TEST(OutputFile, LeavesNothingBehindUnlessCommitted)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("shiftcal-unit-" + std::to_string(::getpid()));
    std::filesystem::create_directory(folder);
    const std::string target = (folder / "out.csv").string();
    {
        OutputFile file(target);
        file.buffer().append("half a table");
        file.buffer().flush();
        // Nothing, where the file being written has no name yet (O_TMPFILE); else only the
        // hidden temporary file.
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            EXPECT_TRUE(entry.path().filename().string().starts_with(".shiftcal-")) << entry.path();
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    {
        OutputFile file(target);
        file.buffer().append("whole");
        file.commit();
    }
    std::ifstream in(target);
    std::string contents;
    std::getline(in, contents);
    EXPECT_EQ(contents, "whole");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

} // namespace
