#include "cli/temporary_paths.h"

#include <array>
#include <csignal>
#include <cstring>
#include <limits.h>
#include <unistd.h>

namespace shift {

namespace {

constexpr int kSignals[] = { SIGINT, SIGTERM, SIGHUP, SIGXFSZ };

// Fixed storage, so that the handler reads nothing that allocation could be changing.
struct Slot {
    volatile sig_atomic_t used = 0;
    volatile sig_atomic_t folder = 0;
    char path[PATH_MAX] = {};
};

std::array<Slot, TemporaryPath::kCapacity> g_slots;
bool g_handlerInstalled = false;

void removeAll(bool folders)
{
    for (int i = TemporaryPath::kCapacity - 1; i >= 0; --i) {
        Slot &slot = g_slots[static_cast<std::size_t>(i)];
        if (slot.used && (slot.folder != 0) == folders) {
            if (folders)
                ::rmdir(slot.path);
            else
                ::unlink(slot.path);
        }
    }
}

extern "C" void removeTemporaryPathsAndDie(int signal)
{
    removeAll(false);
    removeAll(true);
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

void installHandler()
{
    struct sigaction action { };
    action.sa_handler = removeTemporaryPathsAndDie;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals)
        sigaddset(&action.sa_mask, signal);
    for (const int signal : kSignals) {
        struct sigaction previous { };
        ::sigaction(signal, nullptr, &previous);
        // A signal the caller chose to ignore (nohup, a shell's background job) stays ignored.
        if (previous.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
    g_handlerInstalled = true;
}

} // namespace

SignalsHeld::SignalsHeld()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kSignals)
        sigaddset(&held, signal);
    ::sigprocmask(SIG_BLOCK, &held, &m_previous);
}

SignalsHeld::~SignalsHeld()
{
    ::sigprocmask(SIG_SETMASK, &m_previous, nullptr);
}

TemporaryPath::TemporaryPath(const std::string &path, bool folder)
{
    if (path.size() >= PATH_MAX)
        return;
    // Keeps the handler out while a slot is half filled.
    const SignalsHeld held;
    if (!g_handlerInstalled)
        installHandler();
    for (int i = 0; i < kCapacity; ++i) {
        Slot &slot = g_slots[static_cast<std::size_t>(i)];
        if (slot.used)
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.folder = folder ? 1 : 0;
        slot.used = 1;
        m_slot = i;
        return;
    }
}

TemporaryPath::~TemporaryPath()
{
    if (m_slot < 0)
        return;
    const SignalsHeld held;
    g_slots[static_cast<std::size_t>(m_slot)].used = 0;
}

} // namespace shift
