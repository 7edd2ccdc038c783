#pragma once

#include "cli/output_buffer.h"

#include <optional>
#include <string>

namespace shift {

// Where a command's output goes: standard output for "" or "-", otherwise a file that appears
// whole or not at all. The file is written under a temporary name in the same folder and
// renamed over `path` by commit(); destroying an OutputFile that was not committed removes the
// temporary file, so a failed or interrupted command leaves nothing behind. A `path` that names
// an existing device or pipe (/dev/null, a FIFO) is written in place.
class OutputFile {
public:
    // Throws WriteError when the temporary file cannot be created.
    explicit OutputFile(const std::string &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    OutputBuffer &buffer() { return *m_buffer; }

    // Flushes, closes and renames into place. Throws WriteError on any failure.
    void commit();

    bool isStandardOutput() const { return m_path.empty(); }

private:
    void openDirectly();

    std::string m_path; // empty for standard output
    std::string m_temporaryPath; // empty once committed or for standard output
    int m_fd = -1;
    std::optional<OutputBuffer> m_buffer;
};

// "-" or "" mean standard output.
bool namesStandardOutput(const std::string &path);

} // namespace shift
