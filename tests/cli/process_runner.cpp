#include "process_runner.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

std::vector<std::string> environmentWith(const std::map<std::string, std::string> &changes)
{
    std::vector<std::string> result;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (changes.find(name) == changes.end())
            result.push_back(text);
    }
    for (const auto &[name, value] : changes) {
        if (!value.empty())
            result.push_back(name + "=" + value);
    }
    return result;
}

std::vector<char *> pointersTo(std::vector<std::string> &texts)
{
    std::vector<char *> pointers;
    for (std::string &text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Reads both pipes until both close, so that neither child stream can fill up and block.
void drain(int outFd, int errFd, std::string &out, std::string &err)
{
    pollfd fds[2] = { { outFd, POLLIN, 0 }, { errFd, POLLIN, 0 } };
    std::string *sinks[2] = { &out, &err };
    int open = (outFd >= 0 ? 1 : 0) + 1;
    if (outFd < 0)
        fds[0].fd = -1;
    char buffer[65536];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error("poll failed");
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

} // namespace

ProcessResult runProgram(
    const std::string &program, const std::vector<std::string> &args, const ProcessOptions &options)
{
    std::vector<std::string> argv { program };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = environmentWith(options.environment);
    std::vector<char *> argvPointers = pointersTo(argv);
    std::vector<char *> envPointers = pointersTo(env);

    int outPipe[2] = { -1, -1 };
    int errPipe[2];
    if (options.stdoutPath.empty() && ::pipe(outPipe) != 0)
        throw std::runtime_error("pipe failed");
    if (::pipe(errPipe) != 0)
        throw std::runtime_error("pipe failed");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.stdoutPath.empty()) {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, outPipe[0]);
        posix_spawn_file_actions_addclose(&actions, outPipe[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions,
            STDOUT_FILENO,
            options.stdoutPath.c_str(),
            O_WRONLY | O_CREAT | O_TRUNC,
            0644);
    }
    if (!options.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[1]);

    pid_t pid = 0;
    const int spawned = ::posix_spawn(
        &pid, program.c_str(), &actions, nullptr, argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (outPipe[1] >= 0)
        ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));

    ProcessResult result;
    drain(outPipe[0], errPipe[0], result.out, result.err);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern
        = (std::filesystem::temp_directory_path() / "shiftcal-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ProcessResult interruptProgram(const std::string &program,
    const std::vector<std::string> &args,
    const std::function<bool()> &begun,
    int signal)
{
    return interruptWatchedProgram(
        program, args, [&begun](int) { return begun(); }, signal);
}

ProcessResult interruptWatchedProgram(const std::string &program,
    const std::vector<std::string> &args,
    const std::function<bool(int pid)> &begun,
    int signal)
{
    std::vector<std::string> argv { program };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char *> pointers;
    for (std::string &a : argv)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, pointers.data(), environ) != 0)
        throw std::runtime_error("cannot start " + program);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!begun(pid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ::kill(pid, signal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProcessResult result;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> TemporaryFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
