// The baseline of the table benchmark: a bare buffered writer that writes the bytes of a
// finished table, line by line, through the same writer and the same whole-or-nothing file as
// shiftcal, with nothing to compute. Usage: cli_bare_writer INPUT OUTPUT. The input is read in
// 64 KiB chunks; from the page cache that costs little next to the writing.
#include "cli/cli_error.h"
#include "cli/output_file.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: cli_bare_writer INPUT OUTPUT\n", stderr);
        return 2;
    }
    const int in = ::open(argv[1], O_RDONLY);
    if (in < 0)
        return 1;
    try {
        shift::OutputFile output(argv[2]);
        // Small chunks keep the input in cache-sized pieces, as a generator's rows would be.
        static char chunk[64 * 1024];
        std::string carry;
        for (;;) {
            const ssize_t n = ::read(in, chunk, sizeof chunk);
            if (n < 0)
                return 1;
            if (n == 0)
                break;
            const char *line = chunk;
            const char *end = chunk + n;
            while (line < end) {
                const char *next = static_cast<const char *>(
                    std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
                next = next == nullptr ? end : next + 1;
                output.buffer().append(
                    std::string_view(line, static_cast<std::size_t>(next - line)));
                line = next;
            }
        }
        output.commit();
    } catch (const shift::WriteError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    ::close(in);
    return 0;
}
