#include "media/sound_output.h"

#include <atomic>

#include "media/gst_playbin.h"

namespace reef {

namespace {

// -1 before the first look, then 0 or 1.
std::atomic<int> g_lastSeen{-1};

}  // namespace

bool LookForSoundOutput() {
    // GStreamer's automatic sink tries each output in turn when it gets ready and, when none
    // opens, settles for a fake sink: what it picked is the answer.
    bool found = false;
    GstElement* sink = gst::Start() ? gst_element_factory_make("autoaudiosink", nullptr) : nullptr;
    if (sink) {
        if (gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS) {
            found = !gst::HoldsFakeSink(sink);
        }
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    }
    g_lastSeen = found ? 1 : 0;
    return found;
}

bool LastSeenSoundOutput() {
    const int seen = g_lastSeen;
    return seen < 0 ? LookForSoundOutput() : seen == 1;
}

}  // namespace reef
