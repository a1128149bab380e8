#include "platform/sound_server.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace reef {

namespace {

bool Accepts(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

}  // namespace

std::vector<std::string> SoundServerSockets(const std::function<const char*(const char*)>& getenv) {
    auto value = [&](const char* name) {
        const char* text = getenv(name);
        return std::string(text ? text : "");
    };
    std::vector<std::string> sockets;
    const std::string servers = value("PULSE_SERVER");
    if (!servers.empty()) {
        // A list of servers, each "unix:PATH", "PATH" or a network address, any of them after a
        // "{machine id}" that names the host it is meant for.
        std::istringstream list(servers);
        std::string server;
        while (list >> server) {
            if (server.front() == '{') {
                const std::size_t end = server.find('}');
                server = end == std::string::npos ? std::string() : server.substr(end + 1);
            }
            if (server.rfind("unix:", 0) == 0) {
                server.erase(0, 5);
            }
            if (server.empty() || server.front() != '/') {
                return {};
            }
            sockets.push_back(server);
        }
        return sockets;
    }
    const std::string runtime = value("XDG_RUNTIME_DIR");
    const std::string pulseRuntime = value("PULSE_RUNTIME_PATH");
    if (!pulseRuntime.empty()) {
        sockets.push_back(pulseRuntime + "/native");
    } else if (!runtime.empty()) {
        sockets.push_back(runtime + "/pulse/native");
    }
    if (!runtime.empty()) {
        sockets.push_back(runtime + "/pipewire-0");
    }
    return sockets;
}

bool SoundServerAnswers() {
    const std::vector<std::string> sockets = SoundServerSockets(&std::getenv);
    if (sockets.empty()) {
        return true;
    }
    for (const std::string& path : sockets) {
        if (Accepts(path)) {
            return true;
        }
    }
    return false;
}

}  // namespace reef
