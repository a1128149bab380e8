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
    while (tried.end == StreamEnd::OutputLost && wait(schedule.AfterLoss(tried.playedMs))) {
        tried = outputSeen() ? playOnce() : StreamTry{StreamEnd::OutputLost, 0};
    }
}

}  // namespace reef
