#pragma once

namespace reef {

// Whether the desktop has a sound output that takes a stream right now: a sound server, or a
// sound card GStreamer can open. Each call looks afresh: it opens the output and closes it again,
// which takes a few milliseconds (more on a loaded machine), so it belongs on a thread of its own
// rather than in a frame. Players made after a look follow its answer (see LastSeenSoundOutput).
bool LookForSoundOutput();

// The answer of the last look, looking once when there was none yet. The players use it to go
// straight to a silent sink while there is no output, rather than have GStreamer try every
// output (each printing its complaint on the terminal) for every file.
bool LastSeenSoundOutput();

}  // namespace reef
