#pragma once

#include <functional>

namespace reef {

// Calls `onEnd` from the main loop, once, when the process is asked to end from outside: SIGTERM
// (the session ending, `kill`), SIGINT (Ctrl+C in a terminal) or SIGHUP (its terminal closed).
// After that first request the signals have their default effect again, so a second one ends a
// program that no longer answers. Call it once, after the main loop's context exists.
void WhenAskedToEnd(std::function<void()> onEnd);

}  // namespace reef
