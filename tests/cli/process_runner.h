#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// Runs a real program as a user would, and collects what it printed and its exit status.
struct ProcessResult {
    int status = -1; // the exit status; -1 when it did not exit normally
    int signal = 0; // the signal that ended it, if one did
    std::string out;
    std::string err;
};

struct ProcessOptions {
    // Variables set (or, with an empty value, removed) on top of this process's environment.
    std::map<std::string, std::string> environment;
    // When not empty, standard output goes to this file instead of being collected.
    std::string stdoutPath;
    // When not empty, the program starts in this folder.
    std::string workingDirectory;
};

ProcessResult runProgram(const std::string &program,
    const std::vector<std::string> &args,
    const ProcessOptions &options = {});

// Starts `program` with `args` (no output collected), waits until `begun` says so (checked
// every few milliseconds, for a minute at most), then sends `signal` and says how it ended.
// Example: end a long write with SIGTERM once its temporary file has appeared.
ProcessResult interruptProgram(const std::string &program,
    const std::vector<std::string> &args,
    const std::function<bool()> &begun,
    int signal);

// The same, with `begun` given the program's process id, to look at /proc/PID (its open files).
ProcessResult interruptWatchedProgram(const std::string &program,
    const std::vector<std::string> &args,
    const std::function<bool(int pid)> &begun,
    int signal);

// A fresh empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + "/" + name; }
    // The names in the folder, sorted; hidden names included.
    std::vector<std::string> entries() const;

private:
    std::string m_path;
};

std::string readFile(const std::string &path);
