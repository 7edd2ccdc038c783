#include "web_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr const char *kNginx = "/usr/sbin/nginx";
constexpr const char *kPython = "/usr/bin/python3";
constexpr const char *kSetpriv = "/usr/bin/setpriv";
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// A port that was free a moment ago: the kernel's choice for a socket bound to port 0.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(s);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(s);
    return ntohs(address.sin_port);
}

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool connected
        = ::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(s);
    return connected;
}

pid_t spawn(std::vector<std::string> args, const std::string &log)
{
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

} // namespace

WebServer::WebServer(const std::string &folder)
{
    std::string pattern
        = (std::filesystem::temp_directory_path() / "shiftcal-nginx-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_prefix = pattern;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (startNginx(folder))
            return;
    }
    if (startPython(folder))
        return;
    std::ifstream log(m_prefix + "/server.log");
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(m_prefix);
    throw std::runtime_error("no web server would start on 127.0.0.1: " + text);
}

WebServer::~WebServer()
{
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(m_prefix, ignored);
}

std::string WebServer::url(const std::string &name) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/shifts/" + name;
}

std::optional<std::string> WebServer::listingUrl() const
{
    if (m_kind != "nginx")
        return std::nullopt;
    return "http://127.0.0.1:" + std::to_string(m_port) + "/listing/";
}

bool WebServer::startNginx(const std::string &folder)
{
    if (::access(kNginx, X_OK) != 0)
        return false;
    m_port = freePort();
    const std::string &p = m_prefix;
    {
        std::ofstream conf(p + "/nginx.conf");
        conf << "daemon off;\n"
                "worker_processes 1;\n"
                "pid "
             << p << "/nginx.pid;\n"
             << "error_log " << p << "/server.log warn;\n"
             << "events { worker_connections 64; }\n"
                "http {\n"
                "    access_log off;\n"
                "    open_file_cache off;\n"
                "    client_body_temp_path "
             << p << "/client_body;\n"
             << "    proxy_temp_path " << p << "/proxy;\n"
             << "    fastcgi_temp_path " << p << "/fastcgi;\n"
             << "    uwsgi_temp_path " << p << "/uwsgi;\n"
             << "    scgi_temp_path " << p << "/scgi;\n"
             << "    types { text/html html; text/calendar ics; text/csv csv; }\n"
                "    charset utf-8;\n"
                "    charset_types text/html text/calendar text/csv;\n"
                "    server {\n"
                "        listen 127.0.0.1:"
             << m_port << ";\n"
             << "        location /shifts/ {\n"
                "            alias "
             << folder << "/;\n"
             << "        }\n"
                "        location /listing/ {\n"
                "            alias "
             << folder << "/;\n"
             << "            index .no-index-page;\n"
                "            autoindex on;\n"
                "        }\n"
                "    }\n"
                "}\n";
    }
    std::vector<std::string> args {
        kNginx, "-p", p, "-c", p + "/nginx.conf", "-e", p + "/server.log"
    };
    if (::geteuid() == 0) {
        // nginx started by root would keep a root master; the whole server runs as nobody.
        std::filesystem::permissions(p, std::filesystem::perms(0755));
        if (::chown(p.c_str(), kNobody, kNogroup) != 0
            || ::chown((p + "/nginx.conf").c_str(), kNobody, kNogroup) != 0)
            return false;
        args.insert(
            args.begin(), { kSetpriv, "--reuid=65534", "--regid=65534", "--clear-groups", "--" });
    }
    m_pid = spawn(args, p + "/server.log");
    m_kind = "nginx";
    return waitUntilServing();
}

bool WebServer::startPython(const std::string &folder)
{
    // http.server serves a folder at its root; a link named "shifts" gives it the same paths.
    const std::string root = m_prefix + "/root";
    std::filesystem::create_directories(root);
    std::filesystem::create_symlink(folder, root + "/shifts");
    m_port = freePort();
    m_pid = spawn({ kPython,
                      "-m",
                      "http.server",
                      std::to_string(m_port),
                      "--bind",
                      "127.0.0.1",
                      "--directory",
                      root },
        m_prefix + "/server.log");
    m_kind = "python3 http.server";
    return waitUntilServing();
}

bool WebServer::waitUntilServing()
{
    if (m_pid < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return false;
        }
        if (accepts(m_port))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stop();
    return false;
}

void WebServer::stop()
{
    if (m_pid < 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_pid = -1;
}
