#include "media/gst_playbin.h"

#include <mutex>

#include "media/sound_output.h"

namespace reef::gst {

namespace {

// playbin's own flag bits (its GstPlayFlags enum is not in a public header): decode audio, and
// set the volume in a software element so that it works on every sink.
constexpr guint kPlayAudio = 1u << 1;
constexpr guint kPlaySoftVolume = 1u << 4;

// Makes every sink of `bin` follow the clock; a file or fake sink would otherwise take the whole
// stream as fast as it can.
void SyncSinks(GstElement* bin) {
    GstIterator* it = gst_bin_iterate_sinks(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        GObject* sink = G_OBJECT(g_value_get_object(&item));
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "sync")) {
            g_object_set(sink, "sync", TRUE, nullptr);
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
}

GstElement* MakeSink(const std::string& description) {
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(description.c_str(), TRUE, &error);
    if (error) {
        g_error_free(error);
        if (sink) {
            gst_object_unref(sink);
        }
        return nullptr;
    }
    SyncSinks(sink);
    return sink;
}

}  // namespace

bool Start() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] { started = gst_init_check(nullptr, nullptr, nullptr); });
    return started;
}

std::string FileUri(const std::string& path) {
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    if (!uri) {
        g_clear_error(&error);
        return {};
    }
    std::string result = uri;
    g_free(uri);
    return result;
}

GstElement* MakePlaybin(const std::string& uri, const std::string& audioSink, double volume) {
    if (uri.empty() || !Start()) {
        return nullptr;
    }
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) {
        return nullptr;
    }
    const std::string sinkDescription =
        audioSink.empty() && !LastSeenSoundOutput() ? std::string("fakesink") : audioSink;
    if (!sinkDescription.empty()) {
        GstElement* sink = MakeSink(sinkDescription);
        if (!sink) {
            gst_object_unref(playbin);
            return nullptr;
        }
        g_object_set(playbin, "audio-sink", sink, nullptr);
    }
    g_object_set(playbin, "uri", uri.c_str(), "flags", kPlayAudio | kPlaySoftVolume, "volume",
                 volume, nullptr);
    return playbin;
}

bool Preroll(GstElement* pipeline, int timeoutMs) {
    GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_FAILURE) {
        return false;
    }
    if (change == GST_STATE_CHANGE_ASYNC) {
        GstBus* bus = gst_element_get_bus(pipeline);
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, static_cast<GstClockTime>(timeoutMs) * GST_MSECOND,
            static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
        gst_object_unref(bus);
        bool done = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE;
        if (message) {
            gst_message_unref(message);
        }
        if (!done) {
            return false;
        }
    }
    gint audioStreams = 0;
    g_object_get(pipeline, "n-audio", &audioStreams, nullptr);
    return audioStreams > 0;
}

bool HoldsFakeSink(GstElement* bin) {
    GstIterator* it = gst_bin_iterate_recurse(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    bool found = false;
    while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        GstElementFactory* factory =
            gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
        found = factory && g_strcmp0(GST_OBJECT_NAME(factory), "fakesink") == 0;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return found;
}

void Release(GstElement*& pipeline) {
    if (!pipeline) {
        return;
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    pipeline = nullptr;
}

}  // namespace reef::gst
