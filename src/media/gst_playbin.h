#pragma once

// What the two players share on GStreamer: starting the library once, making an audio-only
// playbin, turning paths into URIs and waiting for a stream to preroll. Included by the players'
// source files only; the players' headers carry no GStreamer type.

#include <gst/gst.h>

#include <string>

namespace reef::gst {

// Starts GStreamer the first time it is called. False, then and on every later call, when it
// cannot start; the players stay silent then.
bool Start();

// The file URI of a UTF-8 path, made absolute against the current directory; empty when the path
// cannot be made into one. Spaces, '#', '%' and letters outside ASCII are escaped.
std::string FileUri(const std::string& path);

// A playbin for `uri` that decodes audio only (video and subtitles of a file are ignored, so a
// film plays its sound without a window or a video decoder) and applies `volume` (linear, 0..1)
// in software. `audioSink` is a sink in launch syntax, such as "fakesink" or
// "audioconvert ! filesink location=out.raw"; its sinks are made to run against the clock, so
// time passes as with a sound card. Empty picks the desktop's sound output, or a fake sink
// while the last look found none (LastSeenSoundOutput). Null when the pipeline cannot be made.
GstElement* MakePlaybin(const std::string& uri, const std::string& audioSink, double volume);

// Asks `pipeline` to go to PAUSED and waits, at most `timeoutMs`, for it to get there. False on an
// error, on a stream without sound, or when the time ran out. The messages read while waiting are
// dropped.
bool Preroll(GstElement* pipeline, int timeoutMs);

// Whether a fake sink is anywhere inside `bin`. GStreamer's automatic sink ends up with one when
// no sound output opens; it then plays on in silence without reporting anything.
bool HoldsFakeSink(GstElement* bin);

// Stops `pipeline`, frees it and sets it to null; nothing when it is null already.
void Release(GstElement*& pipeline);

}  // namespace reef::gst
