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
// that starts after the program) is found within seconds, while one that stays away, or that
// is there but fails, costs one try every 10 s.
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

// How often, in ms, KeepPlaying looks whether a missing output has come into sight while it
// waits for the next try. A look is cheap (see SoundServerAnswers), unlike a try.
inline constexpr int kLookIntervalMs = 1000;

// Keeps a stream going through an output that may come and go, one try at a time: calls
// `playOnce`, which plays until the stream ends and says how. After a lost output it waits for
// the schedule's delay, in calls of `wait` of at most kLookIntervalMs each (false when the
// stream was stopped meanwhile), asking `outputSeen` after each whether the output is there:
// an output that comes into sight (unseen at one look, seen at the next) is tried at once, one
// that is not seen when the delay is over counts as lost again without a try. So a try, which
// may cost the complaints of every output on the terminal, is only made when there is something
// to find, and the ambience is back about a second after its server. Returns once a try was
// stopped, the file cannot play, or a wait was cut short.
void KeepPlaying(const std::function<StreamTry()>& playOnce,
                 const std::function<bool()>& outputSeen,
                 const std::function<bool(int delayMs)>& wait);

}  // namespace reef
