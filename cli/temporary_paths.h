#pragma once

#include <csignal>
#include <string>

// Files and folders that exist only while a command writes, removed again should the process
// be ended by SIGINT, SIGTERM, SIGHUP or SIGXFSZ (a file-size limit) before it renames them
// into place. The handler is async-signal-safe: it unlinks the registered paths (files first,
// then folders, newest first), puts the signal's default action back and raises the signal
// again, so the process ends with the status that signal usually gives.
//
// Example: TemporaryPath temp("/tmp/.shiftcal-ab12cd"); ... write, rename ...; temp.release();
// A Ctrl-C in between removes /tmp/.shiftcal-ab12cd and the shell sees status 130.
namespace shift {

class TemporaryPath {
public:
    // Registers `path` (a file, or a folder when `folder`) for removal on those signals and
    // installs the handler on first use. At most kCapacity paths are registered at once; more
    // are simply not cleaned up on a signal.
    explicit TemporaryPath(const std::string &path, bool folder = false);
    // Unregisters; removes nothing.
    ~TemporaryPath();
    TemporaryPath(const TemporaryPath &) = delete;
    TemporaryPath &operator=(const TemporaryPath &) = delete;

    static constexpr int kCapacity = 64;

private:
    int m_slot = -1;
};

// Holds those signals back while it lives, for a step that must not be cut in two (a file
// made but not yet registered, a set of paths that changes hands); one that arrives meanwhile
// is delivered when it goes.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;

private:
    sigset_t m_previous;
};

} // namespace shift
