// Stand-ins for the desktop around the program in the end-to-end tests:
//
//   desktop_stand_in screensaver [active]
//                                  owns org.freedesktop.ScreenSaver on the session bus: GetActive
//                                  answers the state (at first inactive, or active), SetActive(b)
//                                  changes it and announces it with ActiveChanged, as a desktop's
//                                  screen saver does.
//   desktop_stand_in logind        owns org.freedesktop.login1 on the system bus
//                                  ($DBUS_SYSTEM_BUS_ADDRESS): one session, which every process
//                                  belongs to, whose LockedHint property SetLockedHint(b) changes
//                                  (announced with PropertiesChanged).
//   desktop_stand_in cover         maps an override-redirect window over the whole X screen, as a
//                                  screen locker does, and keeps it there until it is killed.
//
// Each prints "ready" once it serves, then runs until it is killed.
#include <X11/Xlib.h>
#include <gio/gio.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kSessionPath = "/org/freedesktop/login1/session/c1";

const char* const kScreenSaverXml =
    "<node><interface name='org.freedesktop.ScreenSaver'>"
    "<method name='GetActive'><arg type='b' direction='out'/></method>"
    "<method name='SetActive'><arg type='b' direction='in'/><arg type='b' "
    "direction='out'/></method>"
    "<signal name='ActiveChanged'><arg type='b'/></signal>"
    "</interface></node>";

const char* const kManagerXml =
    "<node><interface name='org.freedesktop.login1.Manager'>"
    "<method name='GetSession'><arg type='s' direction='in'/><arg type='o' direction='out'/>"
    "</method>"
    "<method name='GetSessionByPID'><arg type='u' direction='in'/><arg type='o' direction='out'/>"
    "</method>"
    "</interface></node>";

const char* const kSessionXml =
    "<node><interface name='org.freedesktop.login1.Session'>"
    "<method name='SetLockedHint'><arg type='b' direction='in'/></method>"
    "<property name='LockedHint' type='b' access='read'/>"
    "</interface></node>";

bool g_active = false;

void ScreenSaverCall(GDBusConnection* connection, const char*, const char* path,
                     const char* interface, const char* method, GVariant* parameters,
                     GDBusMethodInvocation* invocation, gpointer) {
    if (std::strcmp(method, "SetActive") == 0) {
        gboolean active = FALSE;
        g_variant_get(parameters, "(b)", &active);
        if (static_cast<bool>(active) != g_active) {
            g_active = active;
            g_dbus_connection_emit_signal(connection, nullptr, path, interface, "ActiveChanged",
                                          g_variant_new("(b)", active), nullptr);
        }
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", TRUE));
        return;
    }
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", g_active));
}

void ManagerCall(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant*,
                 GDBusMethodInvocation* invocation, gpointer) {
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", kSessionPath));
}

void SessionCall(GDBusConnection* connection, const char*, const char* path, const char* interface,
                 const char*, GVariant* parameters, GDBusMethodInvocation* invocation, gpointer) {
    gboolean locked = FALSE;
    g_variant_get(parameters, "(b)", &locked);
    if (static_cast<bool>(locked) != g_active) {
        g_active = locked;
        GVariantBuilder changed;
        g_variant_builder_init(&changed, G_VARIANT_TYPE("a{sv}"));
        g_variant_builder_add(&changed, "{sv}", "LockedHint", g_variant_new_boolean(locked));
        g_dbus_connection_emit_signal(
            connection, nullptr, path, "org.freedesktop.DBus.Properties", "PropertiesChanged",
            g_variant_new("(sa{sv}as)", interface, &changed, nullptr), nullptr);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

GVariant* SessionProperty(GDBusConnection*, const char*, const char*, const char*, const char*,
                          GError**, gpointer) {
    return g_variant_new_boolean(g_active);
}

void Register(GDBusConnection* connection, const char* xml, const char* path,
              const GDBusInterfaceVTable& vtable) {
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(xml, nullptr);
    g_dbus_connection_register_object(connection, path, node->interfaces[0], &vtable, nullptr,
                                      nullptr, nullptr);
    g_dbus_node_info_unref(node);
}

void Ready(GDBusConnection*, const char*, gpointer) {
    std::printf("ready\n");
    std::fflush(stdout);
}

void Lost(GDBusConnection*, const char* name, gpointer) {
    std::fprintf(stderr, "cannot own %s\n", name);
    std::_Exit(1);
}

int Serve(GBusType bus, const char* name) {
    GError* error = nullptr;
    GDBusConnection* connection = g_bus_get_sync(bus, nullptr, &error);
    if (connection == nullptr) {
        std::fprintf(stderr, "no bus: %s\n", error->message);
        return 1;
    }
    if (bus == G_BUS_TYPE_SESSION) {
        static const GDBusInterfaceVTable vtable = {ScreenSaverCall, nullptr, nullptr, {}};
        Register(connection, kScreenSaverXml, "/org/freedesktop/ScreenSaver", vtable);
        Register(connection, kScreenSaverXml, "/ScreenSaver", vtable);
    } else {
        static const GDBusInterfaceVTable manager = {ManagerCall, nullptr, nullptr, {}};
        static const GDBusInterfaceVTable session = {SessionCall, SessionProperty, nullptr, {}};
        Register(connection, kManagerXml, "/org/freedesktop/login1", manager);
        Register(connection, kSessionXml, kSessionPath, session);
    }
    g_bus_own_name_on_connection(connection, name, G_BUS_NAME_OWNER_FLAGS_NONE, Ready, Lost,
                                 nullptr, nullptr);
    g_main_loop_run(g_main_loop_new(nullptr, FALSE));
    return 0;
}

int Cover() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, screen);
    Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0,
                      static_cast<unsigned>(DisplayWidth(display, screen)),
                      static_cast<unsigned>(DisplayHeight(display, screen)), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "screensaver") == 0) {
        g_active = argc > 2 && std::strcmp(argv[2], "active") == 0;
        return Serve(G_BUS_TYPE_SESSION, "org.freedesktop.ScreenSaver");
    }
    if (std::strcmp(mode, "logind") == 0) {
        return Serve(G_BUS_TYPE_SYSTEM, "org.freedesktop.login1");
    }
    if (std::strcmp(mode, "cover") == 0) {
        return Cover();
    }
    std::fprintf(stderr, "usage: %s screensaver|logind|cover\n", argv[0]);
    return 2;
}
