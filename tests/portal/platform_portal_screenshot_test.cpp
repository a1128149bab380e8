// The portal client against a fake desktop portal on a private session bus: a dbus-daemon of its
// own (GTestDBus), with the fake serving the bus from a thread of its own, as a portal process
// would.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "platform/portal_screenshot.h"

namespace reef {
namespace {

using std::chrono::milliseconds;

constexpr char kScreenshotXml[] =
    "<node><interface name='org.freedesktop.portal.Screenshot'>"
    "<method name='Screenshot'><arg type='s' direction='in'/><arg type='a{sv}' direction='in'/>"
    "<arg type='o' direction='out'/></method></interface></node>";
constexpr char kOtherXml[] =
    "<node><interface name='org.freedesktop.portal.Settings'>"
    "<method name='ReadAll'><arg type='as' direction='in'/></method></interface></node>";
constexpr char kRequestXml[] =
    "<node><interface name='org.freedesktop.portal.Request'><method name='Close'/>"
    "<signal name='Response'><arg type='u'/><arg type='a{sv}'/></signal></interface></node>";

// What the fake does when asked for a screenshot.
enum class Behaviour {
    kNoService,    // never takes the portal's name
    kNoInterface,  // takes the name, serves another portal interface
    kAnswer,       // makes the Request, then answers `response` with `uri`
    kSilent,       // makes the Request and never answers (a question nobody answers)
    kHung,         // never replies to the call at all
};

class FakePortal {
public:
    FakePortal(Behaviour behaviour, guint32 response, std::string uri)
        : m_behaviour(behaviour), m_response(response), m_uri(std::move(uri)) {
        m_thread = std::thread([this] { Run(); });
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait(lock, [this] { return m_started; });
    }
    ~FakePortal() {
        g_main_context_invoke(m_context, Quit, this);
        m_thread.join();
    }

    bool Serving() const { return m_serving; }
    bool Closed() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_closed;
    }
    std::string Token() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_token;
    }
    int Interactive() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_interactive;
    }

private:
    static gboolean Quit(gpointer data) {
        g_main_loop_quit(static_cast<FakePortal*>(data)->m_loop);
        return G_SOURCE_REMOVE;
    }

    void Run() {
        m_context = g_main_context_new();
        g_main_context_push_thread_default(m_context);
        m_loop = g_main_loop_new(m_context, FALSE);
        m_connection = g_dbus_connection_new_for_address_sync(
            g_getenv("DBUS_SESSION_BUS_ADDRESS"),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        if (m_connection != nullptr && m_behaviour != Behaviour::kNoService) {
            Register(m_behaviour == Behaviour::kNoInterface ? kOtherXml : kScreenshotXml,
                     "/org/freedesktop/portal/desktop");
            GVariant* owned = g_dbus_connection_call_sync(
                m_connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.freedesktop.portal.Desktop", 4u), nullptr,
                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
            m_serving = owned != nullptr;
            if (owned != nullptr) {
                g_variant_unref(owned);
            }
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_started = true;
        }
        m_ready.notify_all();
        g_main_loop_run(m_loop);
        if (m_hung != nullptr) {
            g_dbus_method_invocation_return_dbus_error(m_hung, "org.freedesktop.DBus.Error.Failed",
                                                       "gone");
        }
        if (m_connection != nullptr) {
            g_dbus_connection_flush_sync(m_connection, nullptr, nullptr);
            g_object_unref(m_connection);
        }
        g_main_loop_unref(m_loop);
        g_main_context_pop_thread_default(m_context);
        g_main_context_unref(m_context);
    }

    void Register(const char* xml, const std::string& path) {
        static const GDBusInterfaceVTable vtable = {OnMethod, nullptr, nullptr, {}};
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(xml, nullptr);
        g_dbus_connection_register_object(m_connection, path.c_str(), node->interfaces[0], &vtable,
                                          this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }

    static void OnMethod(GDBusConnection*, const gchar* sender, const gchar* path, const gchar*,
                         const gchar* method, GVariant* parameters,
                         GDBusMethodInvocation* invocation, gpointer data) {
        auto* self = static_cast<FakePortal*>(data);
        if (g_strcmp0(method, "Close") == 0) {
            {
                std::lock_guard<std::mutex> lock(self->m_mutex);
                self->m_closed = true;
            }
            g_dbus_method_invocation_return_value(invocation, nullptr);
            return;
        }
        (void)path;
        self->OnScreenshot(sender, parameters, invocation);
    }

    void OnScreenshot(const gchar* sender, GVariant* parameters,
                      GDBusMethodInvocation* invocation) {
        GVariant* options = g_variant_get_child_value(parameters, 1);
        const gchar* token = "";
        gboolean interactive = TRUE;
        const bool hasToken = g_variant_lookup(options, "handle_token", "&s", &token);
        const bool hasInteractive = g_variant_lookup(options, "interactive", "b", &interactive);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_token = hasToken ? token : "";
            m_interactive = hasInteractive ? (interactive ? 1 : 0) : -1;
        }
        // The path the portal makes from the caller's unique name and its token.
        std::string name = sender + 1;
        for (char& c : name) {
            c = c == '.' ? '_' : c;
        }
        const std::string request =
            "/org/freedesktop/portal/desktop/request/" + name + "/" + (hasToken ? token : "t");
        g_variant_unref(options);
        if (m_behaviour == Behaviour::kHung) {
            m_hung = invocation;
            return;
        }
        Register(kRequestXml, request);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", request.c_str()));
        if (m_behaviour == Behaviour::kAnswer) {
            GVariantBuilder results;
            g_variant_builder_init(&results, G_VARIANT_TYPE_VARDICT);
            if (!m_uri.empty()) {
                g_variant_builder_add(&results, "{sv}", "uri", g_variant_new_string(m_uri.c_str()));
            }
            g_dbus_connection_emit_signal(m_connection, sender, request.c_str(),
                                          "org.freedesktop.portal.Request", "Response",
                                          g_variant_new("(ua{sv})", m_response, &results), nullptr);
        }
    }

    const Behaviour m_behaviour;
    const guint32 m_response;
    const std::string m_uri;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    bool m_started = false;
    bool m_serving = false;
    bool m_closed = false;
    std::string m_token;
    int m_interactive = -1;
    GMainContext* m_context = nullptr;
    GMainLoop* m_loop = nullptr;
    GDBusConnection* m_connection = nullptr;
    GDBusMethodInvocation* m_hung = nullptr;
};

class PortalScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_bus = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(m_bus);
        ASSERT_NE(g_getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
    }
    void TearDown() override {
        g_test_dbus_down(m_bus);
        g_object_unref(m_bus);
    }

    GTestDBus* m_bus = nullptr;
};

TEST_F(PortalScreenshotTest, EachAnswerEndsInItsResultWithinTheBound) {
    const struct {
        const char* what;
        Behaviour behaviour;
        guint32 response;
        const char* uri;
        milliseconds bound;
        PortalAnswer answer;
        const char* path;
    } cases[] = {
        {"picture", Behaviour::kAnswer, 0, "file:///tmp/Screen%20shot.png", milliseconds(3000),
         PortalAnswer::kPicture, "/tmp/Screen shot.png"},
        {"cancelled", Behaviour::kAnswer, 1, "", milliseconds(3000), PortalAnswer::kCancelled, ""},
        {"refused", Behaviour::kAnswer, 2, "", milliseconds(3000), PortalAnswer::kRefused, ""},
        {"a picture that is not a local file", Behaviour::kAnswer, 0,
         "https://example.org/shot.png", milliseconds(3000), PortalAnswer::kFailed, ""},
        {"a picture without its uri", Behaviour::kAnswer, 0, "", milliseconds(3000),
         PortalAnswer::kFailed, ""},
        {"no portal", Behaviour::kNoService, 0, "", milliseconds(3000), PortalAnswer::kNoPortal,
         ""},
        {"no Screenshot interface", Behaviour::kNoInterface, 0, "", milliseconds(3000),
         PortalAnswer::kNoInterface, ""},
        {"a question nobody answers", Behaviour::kSilent, 0, "", milliseconds(700),
         PortalAnswer::kNoAnswer, ""},
        {"a portal that never replies", Behaviour::kHung, 0, "", milliseconds(700),
         PortalAnswer::kNoAnswer, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePortal portal(c.behaviour, c.response, c.uri);
        ASSERT_EQ(portal.Serving(), c.behaviour != Behaviour::kNoService);
        const auto start = std::chrono::steady_clock::now();
        const PortalScreenshot shot = RequestPortalScreenshot(c.bound);
        const auto took =
            std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(shot.answer, c.answer);
        EXPECT_EQ(shot.path, c.path);
        // The bound, plus the short grace in which a request is closed and calls cancelled.
        EXPECT_LT(took, c.bound + milliseconds(600));
        if (c.answer == PortalAnswer::kNoAnswer) {
            EXPECT_GE(took, c.bound - milliseconds(50));
        }
        if (c.behaviour == Behaviour::kAnswer || c.behaviour == Behaviour::kSilent) {
            // Asked for the whole desktop without a dialog, with a token of its own.
            EXPECT_EQ(portal.Interactive(), 0);
            EXPECT_FALSE(portal.Token().empty());
        }
        // Only a request left unanswered is closed, so its question leaves the screen.
        EXPECT_EQ(portal.Closed(), c.behaviour == Behaviour::kSilent);
    }
}

TEST(PortalScreenshotBus, NoSessionBusIsAnAnswerAtOnceAndNoneIsStarted) {
    char dir[] = "/tmp/reef-portal-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const struct {
        const char* what;
        const char* address;  // nullptr: unset
    } cases[] = {
        {"nothing named, no bus in the runtime folder", nullptr},
        {"an address that would start a bus", "autolaunch:"},
        {"a bus that is not there", "unix:path=/nonexistent/reef-bus"},
    };
    setenv("XDG_RUNTIME_DIR", dir, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.address != nullptr) {
            setenv("DBUS_SESSION_BUS_ADDRESS", c.address, 1);
        } else {
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
        }
        const auto start = std::chrono::steady_clock::now();
        const PortalScreenshot shot = RequestPortalScreenshot(milliseconds(3000));
        EXPECT_EQ(shot.answer, PortalAnswer::kNoBus);
        EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
    }
    rmdir(dir);
}

}  // namespace
}  // namespace reef
