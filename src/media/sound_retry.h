#pragma once

#include <functional>

namespace reef {

// How one try at playing a stream ended.
enum class StreamEnd {
    Stopped,     // its owner stopped it: nothing more to do
    OutputLost,  // no sound output took it, or the output went away while it played
    CannotPlay,  // the file itself does not play: trying again would not help
};

struct StreamTry {
    StreamEnd end = StreamEnd::Stopped;
    // How long the stream played before it ended, in ms; 0 when it never started.
    int playedMs = 0;
};

// When to try again a stream whose sound output went away: 1 s after the first loss, then 2 s,
// 4 s, and every 10 s from then on. An output that comes back (a sound server restarted, or one
// that starts after the program) is found within seconds, while one that stays away costs one
// look every 10 s.
class RetrySchedule {
public:
    static constexpr int kSteps[] = {1000, 2000, 4000, 10000};
    // A stream that played at least this long before it was lost starts the schedule afresh.
    // One that an output takes and drops again at once keeps climbing it instead, so no output
    // is ever tried more often than every 10 s for long.
    static constexpr int kSettledMs = 10000;

    // The wait in ms before the next try, after a try that lost its output having played
    // `playedMs` ms.
    int AfterLoss(int playedMs);

private:
    int m_losses = 0;
};

// Keeps a stream going through an output that may come and go, one try at a time: calls
// `playOnce`, which plays until the stream ends and says how; after a lost output, `wait`s for
// the schedule's delay in ms (false when the stream was stopped meanwhile), then asks
// `outputSeen` whether the output may be back before it tries again. An output that is not seen
// counts as lost again without a try, so a try (which may cost the output's complaints on the
// terminal) is only made when there is something to find. Returns once a try was stopped, the
// file cannot play, or a wait was cut short.
void KeepPlaying(const std::function<StreamTry()>& playOnce,
                 const std::function<bool()>& outputSeen,
                 const std::function<bool(int delayMs)>& wait);

}  // namespace reef
