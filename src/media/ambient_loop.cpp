#include "media/ambient_loop.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "media/gst_playbin.h"
#include "media/sound_output.h"
#include "media/sound_retry.h"
#include "platform/sound_server.h"

namespace reef {

namespace {

using Clock = std::chrono::steady_clock;

int MsSince(Clock::time_point then) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count());
}

// A stream that has not prerolled by then is taken for lost: an output that accepts a stream
// and then never plays it must not keep the loop from trying again.
constexpr int kPrerollTimeoutMs = 10000;

// Whether an error on `pipeline`'s bus comes from its output (the sound server went away, the
// device was unplugged or is busy) rather than from the file: the audio sink, or an element
// inside it, posted it.
bool IsOutputError(GstMessage* message, GstElement* pipeline) {
    GstElement* sink = nullptr;
    g_object_get(pipeline, "audio-sink", &sink, nullptr);
    bool inside = false;
    for (GstObject* from = GST_MESSAGE_SRC(message); sink && from && !inside;
         from = GST_OBJECT_PARENT(from)) {
        inside = from == GST_OBJECT(sink);
    }
    if (sink) {
        gst_object_unref(sink);
    }
    return inside;
}

}  // namespace

// The looping sound: the open file and the thread that plays it. The thread makes one pipeline
// at a time; when the output is missing or goes away it tears that pipeline down and tries again
// after the retry schedule's wait, from the start of the file. Destroying the stream silences
// the sound and closes the file.
class AmbientLoop::Stream {
public:
    Stream(int fd, std::string audioSink, double volume)
        : m_fd(fd), m_audioSink(std::move(audioSink)), m_volume(volume) {
        m_thread = std::thread([this] { Run(); });
    }
    ~Stream() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
            if (m_pipeline) {
                PostStop(m_pipeline);
            }
        }
        m_woken.notify_all();
        m_thread.join();
        close(m_fd);
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    void SetVolume(double volume) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_volume = volume;
        if (m_pipeline) {
            g_object_set(m_pipeline, "volume", volume, nullptr);
        }
    }

private:
    static void PostStop(GstElement* pipeline) {
        GstBus* bus = gst_element_get_bus(pipeline);
        gst_bus_post(bus, gst_message_new_application(nullptr, gst_structure_new_empty("stop")));
        gst_object_unref(bus);
    }

    void Run() {
        pthread_setname_np(pthread_self(), "ambience");
        // A try at the desktop's output waits for a sound server to be seen: GStreamer's look
        // for an output prints the complaints of every output it tries on the terminal.
        KeepPlaying([this] { return PlayOnce(); },
                    [this] { return !m_audioSink.empty() || SoundServerAnswers(); },
                    [this](int delayMs) {
                        std::unique_lock<std::mutex> lock(m_mutex);
                        return !m_woken.wait_for(lock, std::chrono::milliseconds(delayMs),
                                                 [this] { return m_stopping; });
                    });
    }

    // One pipeline from the start of the file, played until it is stopped or fails.
    StreamTry PlayOnce() {
        // The desktop's output is looked for first: GStreamer would otherwise settle for a silent
        // fake sink, in which the loop would play on as if heard, never trying again.
        const bool desktop = m_audioSink.empty();
        if (desktop && !LookForSoundOutput()) {
            return {StreamEnd::OutputLost, 0};
        }
        lseek(m_fd, 0, SEEK_SET);
        GstElement* pipeline = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stopping) {
                return {StreamEnd::Stopped, 0};
            }
            pipeline =
                gst::MakePlaybin("fd://" + std::to_string(m_fd),
                                 desktop ? std::string("autoaudiosink") : m_audioSink, m_volume);
            if (!pipeline) {
                return {StreamEnd::CannotPlay, 0};
            }
            m_pipeline = pipeline;
        }
        gst_element_set_state(pipeline, GST_STATE_PAUSED);
        const StreamTry tried = AnswerBus(pipeline, desktop);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pipeline = nullptr;
        }
        gst::Release(pipeline);
        return tried;
    }

    // Answers the pipeline's bus until the application message that the destructor posts, or an
    // error. Once prerolled, the stream plays one segment from the start to the end; each end of
    // that segment (SEGMENT_DONE) is answered with a seek back to the start that does not flush,
    // so the samples already on their way to the sink play out and the start follows them
    // directly: no sample is dropped or repeated where the file joins its start.
    StreamTry AnswerBus(GstElement* pipeline, bool desktop) {
        GstBus* bus = gst_element_get_bus(pipeline);
        const auto wanted =
            static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_SEGMENT_DONE |
                                        GST_MESSAGE_APPLICATION | GST_MESSAGE_ERROR);
        const Clock::time_point made = Clock::now();
        Clock::time_point started;
        bool playing = false;
        StreamTry tried{StreamEnd::OutputLost, 0};
        for (;;) {
            const GstClockTime timeout =
                playing
                    ? GST_CLOCK_TIME_NONE
                    : static_cast<GstClockTime>(std::max(kPrerollTimeoutMs - MsSince(made), 0)) *
                          GST_MSECOND;
            GstMessage* message = gst_bus_timed_pop_filtered(bus, timeout, wanted);
            if (!message) {
                break;  // never prerolled: try again later
            }
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            if (type == GST_MESSAGE_APPLICATION) {
                tried = {StreamEnd::Stopped, playing ? MsSince(started) : 0};
            } else if (type == GST_MESSAGE_ERROR) {
                tried = {IsOutputError(message, pipeline) ? StreamEnd::OutputLost
                                                          : StreamEnd::CannotPlay,
                         playing ? MsSince(started) : 0};
            }
            gst_message_unref(message);
            if (type == GST_MESSAGE_APPLICATION || type == GST_MESSAGE_ERROR) {
                break;
            }
            if (type == GST_MESSAGE_ASYNC_DONE && !playing) {
                // The output vanished between the look and this pipeline's start.
                if (desktop && gst::HoldsFakeSink(pipeline)) {
                    break;
                }
                playing = true;
                started = Clock::now();
                SeekToStart(pipeline, GST_SEEK_FLAG_FLUSH);
                gst_element_set_state(pipeline, GST_STATE_PLAYING);
            } else if (type == GST_MESSAGE_SEGMENT_DONE) {
                SeekToStart(pipeline, GST_SEEK_FLAG_NONE);
            }
        }
        gst_object_unref(bus);
        return tried;
    }

    static void SeekToStart(GstElement* pipeline, GstSeekFlags flags) {
        gst_element_seek(pipeline, 1.0, GST_FORMAT_TIME,
                         static_cast<GstSeekFlags>(flags | GST_SEEK_FLAG_SEGMENT),
                         GST_SEEK_TYPE_SET, 0, GST_SEEK_TYPE_NONE, 0);
    }

    const int m_fd;
    const std::string m_audioSink;
    std::mutex m_mutex;
    std::condition_variable m_woken;
    // Guarded by m_mutex.
    double m_volume;
    bool m_stopping = false;
    GstElement* m_pipeline = nullptr;
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
    m_stream = std::make_unique<Stream>(fd, m_audioSink, m_level / 65535.0);
}

void AmbientLoop::Stop() {
    m_stream.reset();
}

}  // namespace reef
