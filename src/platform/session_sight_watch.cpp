#include "platform/session_sight_watch.h"

#include <gio/gio.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace reef {

namespace {

// Long enough for a busy desktop; every call is asynchronous, so nothing waits for it.
constexpr int kCallTimeoutMilliseconds = 10000;

constexpr const char* kScreenSaverName = "org.freedesktop.ScreenSaver";
constexpr const char* kScreenSaverPath = "/org/freedesktop/ScreenSaver";
constexpr const char* kLoginName = "org.freedesktop.login1";
constexpr const char* kLoginManagerPath = "/org/freedesktop/login1";
constexpr const char* kLoginManager = "org.freedesktop.login1.Manager";
constexpr const char* kLoginSession = "org.freedesktop.login1.Session";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

bool IsCancelled(const GError* error) {
    return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
}

// Whether the session bus can be found without starting one: GIO would otherwise launch a
// private bus daemon for the X display, and a bus that nobody else uses has no screen saver on it.
bool SessionBusExists() {
    if (g_getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) {
        return true;
    }
    const char* runtime = g_getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr) {
        return false;
    }
    gchar* socket = g_build_filename(runtime, "bus", nullptr);
    const bool exists = g_file_test(socket, G_FILE_TEST_EXISTS);
    g_free(socket);
    return exists;
}

}  // namespace

// One service on one bus, followed while its name has an owner: OnAppeared() asks for its state
// when it comes, and its reason is withdrawn when it goes (a bus that closes counts as that).
// Destroying the service cancels what is in flight; the answers that come afterwards touch
// nothing of it.
class SessionSightWatch::Service {
public:
    Service(GBusType bus, const char* name, UnseenReason reason, Report report)
        : m_name(name), m_reason(reason), m_report(std::move(report)) {
        g_bus_get(bus, m_cancellable, &Service::OnBus, this);
    }

    virtual ~Service() {
        g_cancellable_cancel(m_cancellable);
        g_object_unref(m_cancellable);
        if (m_connection != nullptr) {
            if (m_nameWatch != 0) {
                g_bus_unwatch_name(m_nameWatch);
            }
            Unsubscribe();
            g_object_unref(m_connection);
        }
    }

    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

protected:
    virtual void OnConnected() {}
    virtual void OnAppeared() = 0;
    virtual void OnVanished() {}

    void Report(bool holds) { m_report(m_reason, holds); }

    // Subscribes `handler` to a signal of the service, in place of the signal subscribed before.
    // Handlers are plain callables rather than pointers to members of the derived classes: the
    // sanitizer of the compiler we build with takes a call through such a pointer, made on the
    // base class, for an access through a null pointer.
    using SignalHandler = std::function<void(GVariant* parameters)>;
    void Subscribe(const char* path, const char* interface, const char* member, const char* arg0,
                   SignalHandler handler) {
        Unsubscribe();
        m_signalHandler = std::move(handler);
        m_subscription = g_dbus_connection_signal_subscribe(m_connection, m_name, interface, member,
                                                            path, arg0, G_DBUS_SIGNAL_FLAGS_NONE,
                                                            &Service::OnSignal, this, nullptr);
    }

    void Unsubscribe() {
        if (m_subscription != 0) {
            g_dbus_connection_signal_unsubscribe(m_connection, m_subscription);
            m_subscription = 0;
        }
    }

    // Calls a method of the service; `handler` gets the reply, of type `replyType`. Errors
    // (no such method, no such object, a time-out) leave things as they are.
    using ReplyHandler = std::function<void(GVariant* reply)>;
    void Call(const char* path, const char* interface, const char* method, GVariant* parameters,
              const char* replyType, ReplyHandler handler) {
        auto* pending = new PendingCall{this, std::move(handler)};
        g_dbus_connection_call(m_connection, m_name, path, interface, method, parameters,
                               G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NO_AUTO_START,
                               kCallTimeoutMilliseconds, m_cancellable, &Service::OnReply, pending);
    }

private:
    struct PendingCall {
        Service* self;
        ReplyHandler handler;
    };

    static void OnBus(GObject*, GAsyncResult* result, gpointer data) {
        GError* error = nullptr;
        GDBusConnection* connection = g_bus_get_finish(result, &error);
        if (connection == nullptr) {
            // No bus (or the watch is gone): nothing will ever be reported.
            g_error_free(error);
            return;
        }
        auto* self = static_cast<Service*>(data);
        // The connection is shared with the rest of the process; a bus that goes away must not
        // end the program, which is GIO's default for the session bus.
        g_dbus_connection_set_exit_on_close(connection, FALSE);
        self->m_connection = connection;
        self->OnConnected();
        self->m_nameWatch = g_bus_watch_name_on_connection(
            connection, self->m_name, G_BUS_NAME_WATCHER_FLAGS_NONE, &Service::OnNameAppeared,
            &Service::OnNameVanished, self, nullptr);
    }

    static void OnNameAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer data) {
        static_cast<Service*>(data)->OnAppeared();
    }

    static void OnNameVanished(GDBusConnection*, const gchar*, gpointer data) {
        auto* self = static_cast<Service*>(data);
        self->OnVanished();
        self->Report(false);
    }

    static void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                         GVariant* parameters, gpointer data) {
        static_cast<Service*>(data)->m_signalHandler(parameters);
    }

    static void OnReply(GObject* source, GAsyncResult* result, gpointer data) {
        auto* pending = static_cast<PendingCall*>(data);
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            // A cancelled call belongs to a service that is gone: nothing of it may be touched.
            if (!IsCancelled(error)) {
                g_debug("%s: %s", pending->self->m_name, error->message);
            }
            g_error_free(error);
        } else {
            pending->handler(reply);
            g_variant_unref(reply);
        }
        delete pending;
    }

    const char* m_name;
    UnseenReason m_reason;
    SessionSightWatch::Report m_report;
    GCancellable* m_cancellable = g_cancellable_new();

protected:
    GDBusConnection* m_connection = nullptr;

private:
    guint m_nameWatch = 0;
    guint m_subscription = 0;
    SignalHandler m_signalHandler;
};

namespace {

// The desktop's screen saver: GetActive once it is there, then ActiveChanged. Some desktops
// announce the change on more than one object path; every announcement says the same.
class ScreenSaverService : public SessionSightWatch::Service {
public:
    explicit ScreenSaverService(SessionSightWatch::Report report)
        : Service(G_BUS_TYPE_SESSION, kScreenSaverName, UnseenReason::kScreenSaverActive,
                  std::move(report)) {}

private:
    void OnConnected() override {
        Subscribe(nullptr, kScreenSaverName, "ActiveChanged", nullptr,
                  [this](GVariant* parameters) { OnActive(parameters); });
    }

    void OnAppeared() override {
        Call(kScreenSaverPath, kScreenSaverName, "GetActive", nullptr, "(b)",
             [this](GVariant* reply) { OnActive(reply); });
    }

    void OnActive(GVariant* parameters) {
        if (g_variant_is_of_type(parameters, G_VARIANT_TYPE("(b)"))) {
            gboolean active = FALSE;
            g_variant_get(parameters, "(b)", &active);
            Report(active != FALSE);
        }
    }
};

// The login manager's session of this process: found by the process id (else by the session id
// the login put in the environment), then its LockedHint, asked once and followed through
// PropertiesChanged.
class SessionLockService : public SessionSightWatch::Service {
public:
    explicit SessionLockService(SessionSightWatch::Report report)
        : Service(G_BUS_TYPE_SYSTEM, kLoginName, UnseenReason::kSessionLocked, std::move(report)) {}

private:
    void OnAppeared() override {
        Call(kLoginManagerPath, kLoginManager, "GetSessionByPID",
             g_variant_new("(u)", static_cast<guint32>(getpid())), "(o)",
             [this](GVariant* reply) { OnSession(reply); });
        // When the process belongs to no session (started by a service manager), the session
        // named in the environment is asked for as well; whichever answers is followed.
        if (const char* id = g_getenv("XDG_SESSION_ID"); id != nullptr && *id != '\0') {
            Call(kLoginManagerPath, kLoginManager, "GetSession", g_variant_new("(s)", id), "(o)",
                 [this](GVariant* reply) { OnSession(reply); });
        }
    }

    void OnVanished() override {
        Unsubscribe();
        m_session.clear();
    }

    void OnSession(GVariant* reply) {
        const gchar* path = nullptr;
        g_variant_get(reply, "(&o)", &path);
        if (m_session == path) {
            return;
        }
        m_session = path;
        Subscribe(m_session.c_str(), kProperties, "PropertiesChanged", kLoginSession,
                  [this](GVariant* parameters) { OnPropertiesChanged(parameters); });
        AskLocked();
    }

    void AskLocked() {
        Call(m_session.c_str(), kProperties, "Get",
             g_variant_new("(ss)", kLoginSession, "LockedHint"), "(v)",
             [this](GVariant* reply) { OnLocked(reply); });
    }

    void OnLocked(GVariant* reply) {
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) {
            Report(g_variant_get_boolean(value) != FALSE);
        }
        g_variant_unref(value);
    }

    void OnPropertiesChanged(GVariant* parameters) {
        if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(sa{sv}as)"))) {
            return;
        }
        GVariant* changed = g_variant_get_child_value(parameters, 1);
        gboolean locked = FALSE;
        if (g_variant_lookup(changed, "LockedHint", "b", &locked)) {
            Report(locked != FALSE);
        } else {
            // Announced without its value: ask for it.
            GVariant* invalidated = g_variant_get_child_value(parameters, 2);
            const gchar** names = g_variant_get_strv(invalidated, nullptr);
            for (const gchar** name = names; *name != nullptr; ++name) {
                if (g_strcmp0(*name, "LockedHint") == 0) {
                    AskLocked();
                    break;
                }
            }
            g_free(names);
            g_variant_unref(invalidated);
        }
        g_variant_unref(changed);
    }

    std::string m_session;  // object path of the session followed; empty before it is known
};

}  // namespace

SessionSightWatch::SessionSightWatch(Report report) {
    if (SessionBusExists()) {
        m_screenSaver = std::make_unique<ScreenSaverService>(report);
    }
    m_sessionLock = std::make_unique<SessionLockService>(std::move(report));
}

SessionSightWatch::~SessionSightWatch() = default;

}  // namespace reef
