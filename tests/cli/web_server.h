#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

// A real HTTP server on 127.0.0.1 over one folder, for the tests of published folders: Debian's
// nginx in a private configuration of its own (prefix, pid, logs and temporary folders in a
// fresh folder, no root privileges: as root it runs as nobody), or Python's http.server where
// nginx cannot start. The folder's parent and the folder must be readable by that user.
//
// http://127.0.0.1:PORT/shifts/NAME serves FOLDER/NAME, .ics as text/calendar and .csv as
// text/csv in UTF-8 (index.html for /shifts/), and nginx's /listing/ lists the folder's files
// (its autoindex). Nothing is cached, so each request opens the path anew, as a web server
// serving a live folder does.
//
// Example: WebServer server("/tmp/x/site"); server.url("index.html") ==
//          "http://127.0.0.1:40123/shifts/index.html"; the destructor stops it.
class WebServer {
public:
    explicit WebServer(const std::string &folder);
    ~WebServer();
    WebServer(const WebServer &) = delete;
    WebServer &operator=(const WebServer &) = delete;

    std::string url(const std::string &name = "") const;
    // The address of the folder's listing; nullopt where the server cannot list a folder that
    // holds an index.html (http.server).
    std::optional<std::string> listingUrl() const;
    // "nginx" or "python3 http.server", for messages.
    const std::string &kind() const { return m_kind; }

private:
    bool startNginx(const std::string &folder);
    bool startPython(const std::string &folder);
    bool waitUntilServing();
    void stop();

    std::string m_prefix; // nginx's own folder
    std::string m_kind;
    pid_t m_pid = -1;
    int m_port = 0;
};
