#include "media/ambient_loop.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "media/gst_playbin.h"

namespace reef {

// One looping pipeline: the open file, the playbin reading it and the thread that answers its
// bus. Destroying it silences the sound and closes the file.
class AmbientLoop::Stream {
public:
    Stream(int fd, GstElement* pipeline) : m_fd(fd), m_pipeline(pipeline) {
        m_thread = std::thread([this] { AnswerBus(); });
        gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
    }
    ~Stream() {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_post(bus, gst_message_new_application(nullptr, gst_structure_new_empty("stop")));
        gst_object_unref(bus);
        m_thread.join();
        gst::Release(m_pipeline);
        close(m_fd);
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    void SetVolume(double volume) { g_object_set(m_pipeline, "volume", volume, nullptr); }

private:
    // Runs until the application message that the destructor posts. Once prerolled, the stream
    // plays one segment from the start to the end; each end of that segment (SEGMENT_DONE) is
    // answered with a seek back to the start that does not flush, so the samples already on
    // their way to the sink play out and the start follows them directly.
    void AnswerBus() {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        const auto wanted = static_cast<GstMessageType>(
            GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_SEGMENT_DONE | GST_MESSAGE_APPLICATION);
        bool started = false;
        for (;;) {
            GstMessage* message = gst_bus_timed_pop_filtered(bus, GST_CLOCK_TIME_NONE, wanted);
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            gst_message_unref(message);
            if (type == GST_MESSAGE_APPLICATION) {
                break;
            }
            if (type == GST_MESSAGE_ASYNC_DONE && !started) {
                started = true;
                SeekToStart(GST_SEEK_FLAG_FLUSH);
                gst_element_set_state(m_pipeline, GST_STATE_PLAYING);
            } else if (type == GST_MESSAGE_SEGMENT_DONE) {
                SeekToStart(GST_SEEK_FLAG_NONE);
            }
        }
        gst_object_unref(bus);
    }

    void SeekToStart(GstSeekFlags flags) {
        gst_element_seek(m_pipeline, 1.0, GST_FORMAT_TIME,
                         static_cast<GstSeekFlags>(flags | GST_SEEK_FLAG_SEGMENT),
                         GST_SEEK_TYPE_SET, 0, GST_SEEK_TYPE_NONE, 0);
    }

    int m_fd;
    GstElement* m_pipeline;
    std::thread m_thread;
};

AmbientLoop::AmbientLoop(std::string audioSink) : m_audioSink(std::move(audioSink)) {}

AmbientLoop::~AmbientLoop() = default;

void AmbientLoop::SetLevel(int level) {
    m_level = std::clamp(level, 0, 65535);
    if (m_stream) {
        m_stream->SetVolume(m_level / 65535.0);
    }
}

void AmbientLoop::PlayLooping(const std::string& wavePath) {
    Stop();
    if (!gst::Start()) {
        return;
    }
    const int fd = open(wavePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    GstElement* pipeline =
        gst::MakePlaybin("fd://" + std::to_string(fd), m_audioSink, m_level / 65535.0);
    if (!pipeline) {
        close(fd);
        return;
    }
    m_stream = std::make_unique<Stream>(fd, pipeline);
}

void AmbientLoop::Stop() {
    m_stream.reset();
}

}  // namespace reef
