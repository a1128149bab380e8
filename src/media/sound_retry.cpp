#include "media/sound_retry.h"

#include <algorithm>
#include <iterator>

namespace reef {

int RetrySchedule::AfterLoss(int playedMs) {
    if (playedMs >= kSettledMs) {
        m_losses = 0;
    }
    const int last = static_cast<int>(std::size(kSteps)) - 1;
    const int delay = kSteps[std::min(m_losses, last)];
    m_losses = std::min(m_losses + 1, last);
    return delay;
}

void KeepPlaying(const std::function<StreamTry()>& playOnce,
                 const std::function<bool()>& outputSeen,
                 const std::function<bool(int delayMs)>& wait) {
    RetrySchedule schedule;
    StreamTry tried = playOnce();
    // An output that failed while it was in sight must first go out of sight before its coming
    // back cuts a wait short; until then the schedule alone decides. What the last look saw
    // carries over from one wait to the next, so a server that comes between two of them is not
    // missed.
    bool seen = true;
    while (tried.end == StreamEnd::OutputLost) {
        int left = schedule.AfterLoss(tried.playedMs);
        bool cameBack = false;
        while (left > 0 && !cameBack) {
            const int step = std::min(left, kLookIntervalMs);
            if (!wait(step)) {
                return;
            }
            left -= step;
            const bool seenNow = outputSeen();
            cameBack = seenNow && !seen;
            seen = seenNow;
        }
        tried = seen ? playOnce() : StreamTry{StreamEnd::OutputLost, 0};
    }
}

}  // namespace reef
