#pragma once

#include "cli/output_buffer.h"
#include "cli/temporary_paths.h"

#include <optional>
#include <string>
#include <sys/stat.h>

namespace shift {

// Where a command's output goes: every file shiftcal writes passes through here.
//
// "-" (and "", no -o at all) is standard output. Otherwise `path` decides by what it names now:
// - nothing, a regular file, or a symbolic link (to a file, a folder, or nothing): the output
//   is written under a short temporary name (".shiftcal-XXXXXX") in the same folder and
//   renamed over `path` by commit(), so the file appears whole or not at all; a link is
//   replaced itself, never followed. A replaced file keeps its permission bits, and its owner
//   and group where the process may set them; a new file gets 0666 less the umask, or
//   `newFileMode` whatever the umask when it is given (a file a web server must read).
// - a descriptor of this process (/dev/stdout, /dev/fd/N, /proc/self/fd/N, or a link to one):
//   written to that descriptor, as "-" is to standard output, at its own offset.
// - anything else that exists (a device, a FIFO, a socket, or a link to one): written in
//   place, never replaced. A link that another user made in a shared sticky folder (/tmp) is
//   not followed, as the kernel's protected_symlinks rule has it.
// - a folder, or a regular file the user may not write: refused.
// Refusals and failures throw WriteError "cannot write PATH: REASON" (the system's reason).
// Destroying an OutputFile that was not committed removes the temporary file, and so does
// SIGINT, SIGTERM, SIGHUP or SIGXFSZ while it exists (temporary_paths.h).
//
// Example: OutputFile out("days.csv"); out.buffer().append("..."); out.commit();
class OutputFile {
public:
    explicit OutputFile(const std::string &path, std::optional<mode_t> newFileMode = std::nullopt);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    OutputBuffer &buffer() { return *m_buffer; }

    // Flushes, closes and renames into place. Throws WriteError on any failure.
    void commit();

    bool isStandardOutput() const { return m_path.empty(); }

private:
    void openInPlace();
    void openDescriptor(int descriptor);
    void openTemporary(const struct stat *replaced);
    [[noreturn]] void fail(int error) const;

    std::string m_path; // empty for standard output
    std::string m_temporaryPath; // empty unless a temporary file exists
    std::optional<TemporaryPath> m_cleanup;
    int m_fd = -1;
    std::optional<mode_t> m_newFileMode;
    std::optional<OutputBuffer> m_buffer;
};

// "-" or "" mean standard output.
bool namesStandardOutput(const std::string &path);

// The descriptor of this process that `path` names, following links: /dev/fd/N,
// /proc/self/fd/N, /proc/thread-self/fd/N or /proc/PID/fd/N of this PID, or a link to one
// (/dev/stdout). Example: "/dev/stdout" -> 1; "/tmp/x" -> nullopt.
std::optional<int> descriptorNamedBy(const std::string &path);

} // namespace shift
