#include "media/music_player.h"

#include <algorithm>
#include <utility>

#include "media/gst_playbin.h"
#include "platform/file_check.h"

namespace reef {

MusicPlayer::MusicPlayer(std::string audioSink) : m_audioSink(std::move(audioSink)) {}

MusicPlayer::~MusicPlayer() {
    gst::Release(m_pipeline);
}

void MusicPlayer::Open(const std::string& file) {
    Close();
    m_canPlay = false;
    // GStreamer opens a file on the caller's thread, in the first state change, before any time
    // bound applies: opening a FIFO for reading waits for a writer, for ever, and a device such
    // as /dev/zero never ends. So only a readable regular file (or a link to one) is handed over.
    if (file.empty() || !IsReadableRegularFile(file)) {
        return;
    }
    m_pipeline = gst::MakePlaybin(gst::FileUri(file), m_audioSink, m_volume / 1000.0);
    if (!m_pipeline) {
        return;
    }
    if (!gst::Preroll(m_pipeline, kOpenTimeoutMs)) {
        gst::Release(m_pipeline);
        return;
    }
    m_canPlay = true;
    m_length = QueryLength();
}

void MusicPlayer::Play() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline, GST_STATE_PLAYING);
    }
}

void MusicPlayer::Stop() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
    }
}

void MusicPlayer::Seek(int milliseconds) {
    if (!m_pipeline) {
        return;
    }
    // An end of stream still waiting on the bus belongs to the old position.
    ReadBus();
    m_atEnd = false;
    gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
    std::int64_t target = std::max(milliseconds, 0);
    gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME,
                            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                            target * GST_MSECOND);
    m_lastPosition = target;
}

void MusicPlayer::Close() {
    gst::Release(m_pipeline);
    m_atEnd = false;
    m_length = -1;
    m_lastPosition = 0;
}

int MusicPlayer::GetPosition() {
    ReadBus();
    if (!m_pipeline) {
        return 0;
    }
    if (!m_atEnd) {
        gint64 position = 0;
        if (gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &position) && position >= 0) {
            m_lastPosition = position / GST_MSECOND;
        }
        // Only the end of the stream makes the position equal to the length: a length that was
        // guessed short (a variable bit rate file without an index) must not end the song early.
        if (m_length > 0) {
            m_lastPosition = std::min(m_lastPosition, m_length - 1);
        }
    }
    return static_cast<int>(m_lastPosition);
}

int MusicPlayer::GetLength() {
    ReadBus();
    if (!m_pipeline) {
        return 0;
    }
    if (m_length < 0) {
        m_length = QueryLength();
    }
    // Some files tell their length only once they play (an mp3 of constant bit rate without a
    // header for it, whose parser estimates the length from the first frames). Until then the
    // length is just past the position, so that no one takes the stream for ended.
    if (m_length < 0) {
        return static_cast<int>(m_lastPosition + 1);
    }
    return static_cast<int>(m_length);
}

void MusicPlayer::SetVolume(int volume) {
    m_volume = std::clamp(volume, 0, 1000);
    if (m_pipeline) {
        g_object_set(m_pipeline, "volume", m_volume / 1000.0, nullptr);
    }
}

void MusicPlayer::ReadBus() {
    if (!m_pipeline) {
        return;
    }
    GstBus* bus = gst_element_get_bus(m_pipeline);
    // Other messages are dropped as they are read, so none piles up while a song plays.
    const auto wanted = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR |
                                                    GST_MESSAGE_DURATION_CHANGED);
    while (GstMessage* message = gst_bus_pop_filtered(bus, wanted)) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_DURATION_CHANGED) {
            if (!m_atEnd) {
                m_length = -1;
            }
        } else if (!m_atEnd) {
            m_atEnd = true;
            if (m_length < 0) {
                m_length = QueryLength();
            }
            // A stream that never told its length is as long as it played.
            if (m_length < 0) {
                m_length = m_lastPosition;
            }
            m_lastPosition = m_length;
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
}

std::int64_t MusicPlayer::QueryLength() {
    gint64 duration = -1;
    if (!gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) || duration < 0) {
        return -1;
    }
    return duration / GST_MSECOND;
}

}  // namespace reef
