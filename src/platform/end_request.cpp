#include "platform/end_request.h"

#include <glib-unix.h>
#include <signal.h>

#include <utility>
#include <vector>

namespace reef {
namespace {

struct EndRequest {
    std::function<void()> onEnd;
    std::vector<guint> sources;
};

gboolean OnSignal(gpointer data) {
    auto* request = static_cast<EndRequest*>(data);
    // Removing every watch gives each signal its default action back.
    for (guint source : request->sources) {
        g_source_remove(source);
    }
    std::function<void()> onEnd = std::move(request->onEnd);
    delete request;
    onEnd();
    // Its watch was removed above.
    return G_SOURCE_CONTINUE;
}

}  // namespace

void WhenAskedToEnd(std::function<void()> onEnd) {
    auto* request = new EndRequest{std::move(onEnd), {}};
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        request->sources.push_back(g_unix_signal_add(signal, OnSignal, request));
    }
}

}  // namespace reef
