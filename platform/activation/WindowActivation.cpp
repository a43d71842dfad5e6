#include "platform/activation/WindowActivation.h"

#include "platform/RuntimeDirectory.h"

#include <QGuiApplication>
#include <QWidget>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace ardenvo::WindowActivation {

namespace {

constexpr const char* kTokenVariable = "XDG_ACTIVATION_TOKEN";

std::string tokenFile(const std::string& name) {
    return name + ".token";
}

// The few calls of the Wayland client library that list the compositor's globals. Qt's Wayland
// plugin has the library loaded already; its headers are not needed for so little.
struct WaylandCalls {
    struct Display;
    struct Proxy;
    struct Interface;
    struct RegistryListener {
        void (*global)(void* data, Proxy* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
        void (*globalRemove)(void* data, Proxy* registry, std::uint32_t name);
    };
    Display* (*connect)(const char*) = nullptr;
    void (*disconnect)(Display*) = nullptr;
    int (*roundtrip)(Display*) = nullptr;
    Proxy* (*marshalConstructor)(Proxy*, std::uint32_t, const Interface*, ...) = nullptr;
    int (*addListener)(Proxy*, void (**)(void), void*) = nullptr;
    void (*destroy)(Proxy*) = nullptr;
    const Interface* registryInterface = nullptr;

    bool load() {
        void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        connect = reinterpret_cast<decltype(connect)>(dlsym(library, "wl_display_connect"));
        disconnect =
            reinterpret_cast<decltype(disconnect)>(dlsym(library, "wl_display_disconnect"));
        roundtrip = reinterpret_cast<decltype(roundtrip)>(dlsym(library, "wl_display_roundtrip"));
        marshalConstructor = reinterpret_cast<decltype(marshalConstructor)>(
            dlsym(library, "wl_proxy_marshal_constructor"));
        addListener =
            reinterpret_cast<decltype(addListener)>(dlsym(library, "wl_proxy_add_listener"));
        destroy = reinterpret_cast<decltype(destroy)>(dlsym(library, "wl_proxy_destroy"));
        registryInterface = static_cast<const Interface*>(dlsym(library, "wl_registry_interface"));
        return connect && disconnect && roundtrip && marshalConstructor && addListener && destroy &&
               registryInterface;
    }
};

// Asks the compositor, on a connection of our own, whether it offers xdg_activation_v1.
bool askCompositor() {
    WaylandCalls wl;
    if (!wl.load())
        return false;
    WaylandCalls::Display* display = wl.connect(nullptr);
    if (!display)
        return false;
    constexpr std::uint32_t kGetRegistry = 1;
    auto* registry = wl.marshalConstructor(reinterpret_cast<WaylandCalls::Proxy*>(display),
                                           kGetRegistry, wl.registryInterface, nullptr);
    bool offered = false;
    static const WaylandCalls::RegistryListener listener{
        [](void* data, WaylandCalls::Proxy*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "xdg_activation_v1") == 0)
                *static_cast<bool*>(data) = true;
        },
        [](void*, WaylandCalls::Proxy*, std::uint32_t) {
        }};
    if (registry) {
        using Handler = void (**)(void);
        wl.addListener(
            registry,
            reinterpret_cast<Handler>(const_cast<WaylandCalls::RegistryListener*>(&listener)),
            &offered);
        wl.roundtrip(display);
        wl.destroy(registry);
    }
    wl.disconnect(display);
    return offered;
}

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

std::string launchToken() {
    const char* value = std::getenv(kTokenVariable);
    return value ? std::string(value).substr(0, kMaxTokenBytes) : std::string();
}

bool handOver(const std::string& name, const std::string& token) {
    const auto path = RuntimeDirectory::filePath(tokenFile(name));
    if (!path)
        return false;
    if (token.empty())
        return ::unlink(path->c_str()) == 0 || errno == ENOENT;
    const int fd = RuntimeDirectory::openFile(tokenFile(name), O_WRONLY | O_CREAT | O_TRUNC);
    if (fd < 0)
        return false;
    const std::string kept = token.substr(0, kMaxTokenBytes);
    const bool written = ::write(fd, kept.data(), kept.size()) == static_cast<ssize_t>(kept.size());
    ::close(fd);
    return written;
}

std::string takeHandedOver(const std::string& name) {
    const int fd = RuntimeDirectory::openFile(tokenFile(name), O_RDONLY);
    if (fd < 0)
        return {};
    char buffer[kMaxTokenBytes];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (const auto path = RuntimeDirectory::filePath(tokenFile(name)))
        ::unlink(path->c_str());
    std::string token(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
    // A token is printable text; anything else was not left by a start of ours.
    for (const char c : token)
        if (c <= ' ' || c > '~')
            return {};
    return token;
}

bool compositorOffersActivation() {
    if (!onWayland())
        return false;
    static const bool offered = askCompositor();
    return offered;
}

void bringForward(QWidget& window, const std::string& token) {
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    if (!onWayland()) {
        window.activateWindow();
        return;
    }
    // Without the protocol, or without a token while another program has the focus, the
    // compositor could not grant the focus: asking would only make Qt complain.
    if (!compositorOffersActivation())
        return;
    if (!token.empty())
        qputenv(kTokenVariable, QByteArray::fromStdString(token));
    else if (!QGuiApplication::focusWindow())
        return;
    window.activateWindow();
}

} // namespace ardenvo::WindowActivation
