#pragma once

#include <functional>
#include <string>
#include <vector>

namespace reef {

// The sound server's comings and goings, seen from its sockets: a PulseAudio server, or PipeWire
// serving the same protocol, listens on a socket in the session's runtime folder, and PipeWire on
// one of its own beside it.

// Where a sound server of this session listens, with `getenv` answering for the environment: the
// unix paths in PULSE_SERVER when it is set, else "native" in PULSE_RUNTIME_PATH or in "pulse"
// of XDG_RUNTIME_DIR, and "pipewire-0" of XDG_RUNTIME_DIR. Empty when a server cannot be seen
// this way: PULSE_SERVER names one on the network, or no runtime folder is known.
std::vector<std::string> SoundServerSockets(const std::function<const char*(const char*)>& getenv);

// Whether a sound server answers: one of those sockets takes a connection, which is closed again
// at once. A local socket answers or refuses at once, so this never waits, and it prints nothing.
// True as well when no socket can be named, since the server cannot be seen from here.
bool SoundServerAnswers();

}  // namespace reef
