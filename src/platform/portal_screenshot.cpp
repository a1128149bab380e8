#include "platform/portal_screenshot.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace reef {
namespace {

constexpr char kPortalName[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";

// After the bound, a request being closed and calls being cancelled get this long to finish.
constexpr gint64 kSettleMicroseconds = 250'000;

// The session bus named by the environment, as GIO itself would find it, but never an address
// that would start a bus ("autolaunch:" runs dbus-launch).
std::string SessionBusAddress() {
    const char* named = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (named != nullptr && named[0] != '\0') {
        return std::strstr(named, "autolaunch:") != nullptr ? std::string() : std::string(named);
    }
    const char* runtime = g_getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] == '\0') {
        return std::string();
    }
    const std::string socket = std::string(runtime) + "/bus";
    struct stat info {};
    if (stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
        return std::string();
    }
    gchar* escaped = g_dbus_address_escape_value(socket.c_str());
    std::string address = std::string("unix:path=") + escaped;
    g_free(escaped);
    return address;
}

// One request and what has come back so far. Every asynchronous operation holds a count in
// `pending` until its callback has run; the state is freed only when none is left, so a callback
// never finds it gone.
struct Request {
    GMainContext* context = nullptr;
    GCancellable* cancellable = nullptr;
    GDBusConnection* connection = nullptr;
    int pending = 0;
    bool connected = false;
    bool called = false;
    bool responded = false;
    bool expired = false;
    bool closing = false;
    std::string handle;
    GError* error = nullptr;  // of the connection or of the call
    guint32 response = 2;
    std::string uri;
};

void OnConnected(GObject*, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<Request*>(data);
    --request->pending;
    request->connection = g_dbus_connection_new_for_address_finish(result, &request->error);
    request->connected = true;
}

void OnCalled(GObject* source, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<Request*>(data);
    --request->pending;
    GVariant* reply =
        g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &request->error);
    if (reply != nullptr) {
        const gchar* handle = nullptr;
        g_variant_get(reply, "(&o)", &handle);
        request->handle = handle;
        g_variant_unref(reply);
    }
    request->called = true;
}

void OnClosed(GObject* source, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<Request*>(data);
    --request->pending;
    request->closing = false;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (reply != nullptr) {
        g_variant_unref(reply);
    }
}

void OnResponse(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                GVariant* parameters, gpointer data) {
    auto* request = static_cast<Request*>(data);
    if (request->responded || !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ua{sv})"))) {
        return;
    }
    GVariant* results = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &request->response, &results);
    const gchar* uri = nullptr;
    if (g_variant_lookup(results, "uri", "&s", &uri)) {
        request->uri = uri;
    }
    g_variant_unref(results);
    request->responded = true;
}

gboolean OnBound(gpointer data) {
    static_cast<Request*>(data)->expired = true;
    return G_SOURCE_REMOVE;
}

// Runs the private loop until `done` holds or the bound has passed.
template <typename Done>
bool RunUntil(Request* request, Done done) {
    while (!done() && !request->expired) {
        g_main_context_iteration(request->context, TRUE);
    }
    return done();
}

// Runs the private loop until `done` holds or `microseconds` have passed.
template <typename Done>
void Settle(Request* request, gint64 microseconds, Done done) {
    const gint64 until = g_get_monotonic_time() + microseconds;
    while (!done() && g_get_monotonic_time() < until) {
        if (!g_main_context_iteration(request->context, FALSE)) {
            g_usleep(2000);
        }
    }
}

// The object path of the Request the portal makes for `token` on this connection, so its
// Response can be subscribed to before the call that makes it.
std::string RequestPath(GDBusConnection* connection, const std::string& token) {
    std::string sender = g_dbus_connection_get_unique_name(connection);
    if (!sender.empty() && sender[0] == ':') {
        sender.erase(0, 1);
    }
    for (char& c : sender) {
        if (c == '.') {
            c = '_';
        }
    }
    return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

PortalAnswer AnswerForError(const GError* error) {
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_TIMEOUT) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY)) {
        return PortalAnswer::kNoAnswer;
    }
    gchar* remote = g_dbus_error_get_remote_error(error);
    const std::string name = remote != nullptr ? remote : "";
    g_free(remote);
    if (name == "org.freedesktop.DBus.Error.ServiceUnknown" ||
        name == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
        name.rfind("org.freedesktop.DBus.Error.Spawn.", 0) == 0) {
        return PortalAnswer::kNoPortal;
    }
    if (name == "org.freedesktop.DBus.Error.UnknownMethod" ||
        name == "org.freedesktop.DBus.Error.UnknownInterface" ||
        name == "org.freedesktop.DBus.Error.UnknownObject") {
        return PortalAnswer::kNoInterface;
    }
    if (name == "org.freedesktop.DBus.Error.AccessDenied" ||
        name == "org.freedesktop.portal.Error.NotAllowed") {
        return PortalAnswer::kRefused;
    }
    return PortalAnswer::kFailed;
}

PortalScreenshot Ask(Request* request, const std::string& address, gint64 deadline) {
    ++request->pending;
    g_dbus_connection_new_for_address(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, request->cancellable, OnConnected, request);
    if (!RunUntil(request, [request] { return request->connected; })) {
        return {PortalAnswer::kNoAnswer, {}};
    }
    if (request->connection == nullptr) {
        return {PortalAnswer::kNoBus, {}};
    }
    GDBusConnection* connection = request->connection;
    g_dbus_connection_set_exit_on_close(connection, FALSE);

    // Subscribed before the call, so an answer that comes at once is not missed.
    const std::string token = "glassreef" + std::to_string(getpid()) + "_" +
                              std::to_string(g_random_int_range(0, G_MAXINT32));
    const std::string expected = RequestPath(connection, token);
    const guint subscription = g_dbus_connection_signal_subscribe(
        connection, kPortalName, kRequestInterface, "Response", expected.c_str(), nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, OnResponse, request, nullptr);

    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    g_variant_builder_add(&options, "{sv}", "interactive", g_variant_new_boolean(FALSE));
    const gint64 left = (deadline - g_get_monotonic_time()) / 1000;
    ++request->pending;
    g_dbus_connection_call(
        connection, kPortalName, kPortalPath, "org.freedesktop.portal.Screenshot", "Screenshot",
        g_variant_new("(sa{sv})", "", &options), G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE,
        static_cast<gint>(std::max<gint64>(1, left)), request->cancellable, OnCalled, request);
    PortalScreenshot shot{PortalAnswer::kNoAnswer, {}};
    if (RunUntil(request, [request] { return request->called; })) {
        if (request->error != nullptr) {
            shot.answer = AnswerForError(request->error);
        } else {
            guint other = 0;
            if (request->handle != expected) {
                // A portal older than handle_token picks its own path; an answer sent before
                // this subscription would be lost, and then the bound ends the wait.
                other = g_dbus_connection_signal_subscribe(
                    connection, kPortalName, kRequestInterface, "Response", request->handle.c_str(),
                    nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnResponse, request, nullptr);
            }
            if (RunUntil(request, [request] { return request->responded; })) {
                if (request->response == 0) {
                    gchar* path = g_str_has_prefix(request->uri.c_str(), "file://")
                                      ? g_filename_from_uri(request->uri.c_str(), nullptr, nullptr)
                                      : nullptr;
                    shot = path != nullptr ? PortalScreenshot{PortalAnswer::kPicture, path}
                                           : PortalScreenshot{PortalAnswer::kFailed, {}};
                    g_free(path);
                } else {
                    shot.answer =
                        request->response == 1 ? PortalAnswer::kCancelled : PortalAnswer::kRefused;
                }
            } else {
                // No answer in time: take the question off the screen.
                ++request->pending;
                request->closing = true;
                g_dbus_connection_call(connection, kPortalName, request->handle.c_str(),
                                       kRequestInterface, "Close", nullptr, nullptr,
                                       G_DBUS_CALL_FLAGS_NONE, kSettleMicroseconds / 1000, nullptr,
                                       OnClosed, request);
            }
            if (other != 0) {
                g_dbus_connection_signal_unsubscribe(connection, other);
            }
        }
    }
    g_dbus_connection_signal_unsubscribe(connection, subscription);
    return shot;
}

}  // namespace

PortalScreenshot RequestPortalScreenshot(std::chrono::milliseconds bound) {
    const std::string address = SessionBusAddress();
    if (address.empty()) {
        return {PortalAnswer::kNoBus, {}};
    }
    auto* request = new Request();
    request->context = g_main_context_new();
    request->cancellable = g_cancellable_new();
    g_main_context_push_thread_default(request->context);
    GSource* timer =
        g_timeout_source_new(static_cast<guint>(std::max<long long>(0, bound.count())));
    g_source_set_callback(timer, OnBound, request, nullptr);
    g_source_attach(timer, request->context);

    const gint64 deadline = g_get_monotonic_time() + bound.count() * 1000;
    PortalScreenshot shot = Ask(request, address, deadline);

    g_source_destroy(timer);
    g_source_unref(timer);
    // A close that is still on its way gets a moment to reach the portal; calls still waiting
    // are cancelled, and the loop runs until their callbacks have run.
    Settle(request, kSettleMicroseconds, [request] { return !request->closing; });
    g_cancellable_cancel(request->cancellable);
    Settle(request, kSettleMicroseconds, [request] { return request->pending == 0; });
    if (request->connection != nullptr) {
        g_dbus_connection_close(request->connection, nullptr, nullptr, nullptr);
        g_object_unref(request->connection);
    }
    g_main_context_pop_thread_default(request->context);
    if (request->pending == 0) {
        g_clear_error(&request->error);
        g_object_unref(request->cancellable);
        g_main_context_unref(request->context);
        delete request;
    }
    // Else a callback may still come on a context nobody runs: the few bytes stay, never freed
    // under it.
    return shot;
}

}  // namespace reef
