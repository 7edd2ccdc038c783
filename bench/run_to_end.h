#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

// Runs a program to its end from a benchmark, without a shell: standard output on /dev/null (and
// standard error too with `quietErrors`), in this process's environment with `setting`
// ("NAME=value"), when given, in place of that variable's own. True when it exited with 0.
//
// Example:
//   runToEnd({ SHIFTCAL_BINARY, "next", "--team", "C" }, { .setting = "SHIFTCAL_NOW=2016-10-15
//   12:00" });
struct RunOptions {
    bool quietErrors = false;
    std::string setting;
};

inline bool runToEnd(const std::vector<std::string> &args, const RunOptions &options = {})
{
    std::vector<std::string> variables;
    if (!options.setting.empty())
        variables.push_back(options.setting);
    const std::string_view name
        = std::string_view(options.setting).substr(0, options.setting.find('=') + 1);
    for (char **entry = environ; *entry != nullptr; ++entry) {
        if (name.empty() || !std::string_view(*entry).starts_with(name))
            variables.emplace_back(*entry);
    }
    std::vector<char *> envp;
    for (std::string &variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (options.quietErrors)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
