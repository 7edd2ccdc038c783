#pragma once

#include "cli/output_buffer.h"
#include "cli/temporary_paths.h"

#include <optional>
#include <string>
#include <sys/stat.h>

namespace shift {

// How OutputFile makes a file that did not exist, and what commit() may leave as it was.
struct OutputFileOptions {
    // The permission bits of a new file whatever the umask (a file a web server must read);
    // unset, 0666 less the umask.
    std::optional<mode_t> newFileMode;
    // The group of a new file, where the process may give it (its own group, or any as root).
    std::optional<gid_t> newFileGroup;
    // A regular file that, when its bytes equal the output's, is put in place instead of the
    // output: `path` becomes a hard link to it (or stays as it is when it is that file), so its
    // times stay and a web cache sees no change. Empty: the output is always put in place.
    std::string keepIfSame;
    // Whether commit() syncs the folder after the rename; false for a caller that syncs the
    // folder once after several files.
    bool syncFolder = true;
};

// Where a command's output goes: every file shiftcal writes passes through here.
//
// "-" (and "", no -o at all) is standard output. Otherwise `path` decides by what it names now:
// - nothing, a regular file, or a symbolic link (to a file, a folder, or nothing): the output
//   is written to a temporary file in the same folder and renamed over `path` by commit(), so
//   the file appears whole or not at all, also after a power loss: the data is synced before
//   the rename and the folder after it. Where the file system allows (O_TMPFILE), the
//   temporary file has no name until commit() links it in (".shiftcal-XXXXXX" for the instant
//   before the rename), so even SIGKILL leaves nothing behind; elsewhere it is
//   ".shiftcal-XXXXXX" from the start. A link is replaced itself, never followed. A replaced
//   file keeps its permission bits, and its owner and group where the process may set them;
//   a new file gets what `options` say.
// - a descriptor of this process (/dev/stdout, /dev/fd/N, /proc/self/fd/N, or a link to one):
//   written to that descriptor, as "-" is to standard output, at its own offset.
// - anything else that exists (a device, a FIFO, a socket, or a link to one): written in
//   place, never replaced. A link that another user made in a shared sticky folder (/tmp) is
//   not followed, as the kernel's protected_symlinks rule has it.
// - a folder, or a regular file the user may not write: refused.
// Refusals and failures throw WriteError "cannot write PATH: REASON" (the system's reason).
// Destroying an OutputFile that was not committed removes the temporary file, and so does
// SIGINT, SIGTERM, SIGHUP or SIGXFSZ while it has a name (temporary_paths.h).
//
// Example: OutputFile out("days.csv"); out.buffer().append("..."); out.commit();
class OutputFile {
public:
    explicit OutputFile(const std::string &path, OutputFileOptions options = {});
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    OutputBuffer &buffer() { return *m_buffer; }

    // Flushes, syncs, closes and puts the file in place. Throws WriteError on any failure.
    void commit();

    bool isStandardOutput() const { return m_path.empty(); }
    // After commit(): whether options.keepIfSame was put in place rather than the output.
    bool keptExisting() const { return m_keptExisting; }

private:
    void openInPlace();
    void openDescriptor(int descriptor);
    void openTemporary(const struct stat *replaced);
    bool keepSameFile();
    int linkIntoPlace(const std::string &source, int flags);
    [[noreturn]] void fail(int error) const;

    std::string m_path; // empty for standard output
    std::string m_temporaryPath; // empty unless a named temporary file exists
    std::optional<TemporaryPath> m_cleanup;
    int m_fd = -1;
    bool m_unnamed = false; // m_fd is an O_TMPFILE file that commit() links in
    bool m_keptExisting = false;
    OutputFileOptions m_options;
    std::optional<OutputBuffer> m_buffer;
};

// "-" or "" mean standard output.
bool namesStandardOutput(const std::string &path);

// The descriptor of this process that `path` names, following links: /dev/fd/N,
// /proc/self/fd/N, /proc/thread-self/fd/N or /proc/PID/fd/N of this PID, or a link to one
// (/dev/stdout). Example: "/dev/stdout" -> 1; "/tmp/x" -> nullopt.
std::optional<int> descriptorNamedBy(const std::string &path);

// Whether OutputFile writes `path` where it is instead of replacing it: a descriptor of this
// process, or an existing device, FIFO or socket, or a link to one. Such an output has no file
// ending to choose a format by. Example: "/dev/null" -> true; "/tmp/a.csv" -> false.
bool writesInPlace(const std::string &path);

// The kernel's protected_symlinks rule, applied whatever the kernel's setting: in a sticky
// folder that everybody may write, the link at `path` (lstat() gave `link`) may be followed
// only by its owner or when it belongs to the folder's owner.
bool mayFollowLink(const std::string &path, const struct stat &link);

// Syncs the folder `folder` to disk, so that names renamed into it outlast a power loss.
// Returns 0, or the errno of the failure; a file system that cannot sync folders is no failure.
int syncFolder(const std::string &folder);

} // namespace shift
