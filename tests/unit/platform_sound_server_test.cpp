#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/sound_server.h"
#include "test_env.h"

namespace reef {
namespace {

using Sockets = std::vector<std::string>;

TEST(SoundServer, SocketsFollowTheEnvironment) {
    struct {
        std::map<std::string, std::string> env;
        Sockets sockets;
    } const cases[] = {
        // the usual session: PulseAudio (or PipeWire's stand-in for it) and PipeWire itself
        {{{"XDG_RUNTIME_DIR", "/run/user/7"}},
         {"/run/user/7/pulse/native", "/run/user/7/pipewire-0"}},
        // PulseAudio's own runtime folder wins over the session's
        {{{"XDG_RUNTIME_DIR", "/r"}, {"PULSE_RUNTIME_PATH", "/p"}}, {"/p/native", "/r/pipewire-0"}},
        {{{"PULSE_RUNTIME_PATH", "/p"}}, {"/p/native"}},
        // a named server replaces the folders; a machine id before it is dropped
        {{{"XDG_RUNTIME_DIR", "/r"}, {"PULSE_SERVER", "unix:/s/native"}}, {"/s/native"}},
        {{{"PULSE_SERVER", "{abc}unix:/s/a /s/b"}}, {"/s/a", "/s/b"}},
        // nothing to look at: a server on the network, or no folder at all
        {{{"XDG_RUNTIME_DIR", "/r"}, {"PULSE_SERVER", "/s/a tcp:host:4713"}}, {}},
        {{{"PULSE_SERVER", "{abc"}}, {}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        const Sockets sockets = SoundServerSockets([&](const char* name) -> const char* {
            const auto found = c.env.find(name);
            return found == c.env.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(sockets, c.sockets) << (c.env.empty() ? "" : c.env.begin()->second);
    }
}

// A socket that listens at `path` until the object goes.
class Listener {
public:
    explicit Listener(const std::string& path) : m_fd(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
        EXPECT_EQ(bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        EXPECT_EQ(listen(m_fd, 4), 0);
    }
    ~Listener() { close(m_fd); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

private:
    int m_fd;
};

TEST(SoundServer, AnswersWhileItsSocketListens) {
    test::ScratchDir runtime;
    std::filesystem::create_directory(runtime / "pulse");
    test::ScopedEnv noServer("PULSE_SERVER", std::nullopt);
    test::ScopedEnv noPulseRuntime("PULSE_RUNTIME_PATH", std::nullopt);
    test::ScopedEnv session("XDG_RUNTIME_DIR", runtime.path());
    EXPECT_FALSE(SoundServerAnswers()) << "no socket";
    {
        Listener server(runtime / "pulse/native");
        EXPECT_TRUE(SoundServerAnswers());
    }
    // A server that was killed leaves its socket behind, and nobody listens on it.
    EXPECT_TRUE(std::filesystem::exists(runtime / "pulse/native"));
    EXPECT_FALSE(SoundServerAnswers()) << "a stale socket";
    {
        Listener pipewire(runtime / "pipewire-0");
        EXPECT_TRUE(SoundServerAnswers());
    }
    test::ScopedEnv remote("PULSE_SERVER", std::string("tcp:localhost"));
    EXPECT_TRUE(SoundServerAnswers()) << "a server that cannot be seen from here";
}

}  // namespace
}  // namespace reef
