// X11: the window manager's "above" state and its active-window request (EWMH), sent through
// xcb. Nothing is re-created or moved: a window that exists already is changed by a client
// message to the window manager; a window that does not exist yet simply starts in the band.
// Under another Qt platform (Wayland, offscreen) nothing happens.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstring>
#include <string>
#include <vector>

#include "platform.h"

namespace quillon::qt {
namespace {

class X11Platform : public Platform {
public:
    X11Platform() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 2, 0)
#if QT_CONFIG(xcb)
        // Share Qt's own connection, so our requests are ordered with Qt's.
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            conn_ = x11->connection();
#endif
#endif
        if (!conn_) {
            own_ = xcb_connect(nullptr, nullptr);
            if (xcb_connection_has_error(own_)) {
                xcb_disconnect(own_);
                own_ = nullptr;
                return;
            }
            conn_ = own_;
        }
        const xcb_setup_t* setup = xcb_get_setup(conn_);
        const xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
        if (it.rem == 0) {
            conn_ = nullptr;
            return;
        }
        root_ = it.data->root;
        state_ = Atom("_NET_WM_STATE");
        above_ = Atom("_NET_WM_STATE_ABOVE");
        active_ = Atom("_NET_ACTIVE_WINDOW");
        clientList_ = Atom("_NET_CLIENT_LIST");
        wmName_ = Atom("_NET_WM_NAME");
        utf8_ = Atom("UTF8_STRING");
    }

    ~X11Platform() override {
        if (own_) xcb_disconnect(own_);
    }

    void SetTopmost(QWidget& window, bool on) override {
        if (!conn_) return;
        if (!window.testAttribute(Qt::WA_WState_Created)) {
            // No native window yet: it will be mapped with the state (no re-creation).
            window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
            return;
        }
        // _NET_WM_STATE: action 1 add / 0 remove, the state, no second state, source 1.
        SendToRoot(static_cast<xcb_window_t>(window.winId()), state_,
                   {on ? 1u : 0u, above_, 0u, 1u, 0u});
    }

    void ActivateWindowByTitle(const QString& title) override {
        if (!conn_) return;
        for (const xcb_window_t w : Candidates()) {
            if (Title(w) != title) continue;
            // Source 2 (a pager-like request), no timestamp, no window of ours is active.
            SendToRoot(w, active_, {2u, XCB_CURRENT_TIME, 0u, 0u, 0u});
            const uint32_t above = XCB_STACK_MODE_ABOVE;
            xcb_configure_window(conn_, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
            xcb_flush(conn_);
            return;
        }
    }

private:
    xcb_atom_t Atom(const char* name) {
        auto cookie = xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(conn_, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        free(reply);
        return atom;
    }

    void SendToRoot(xcb_window_t window, xcb_atom_t type, std::initializer_list<uint32_t> data) {
        xcb_client_message_event_t ev;
        std::memset(&ev, 0, sizeof ev);
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = window;
        ev.type = type;
        size_t i = 0;
        for (uint32_t d : data) ev.data.data32[i++] = d;
        xcb_send_event(conn_, 0, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
        xcb_flush(conn_);
    }

    // The managed top-level windows, or the root's children where no window manager keeps a
    // client list.
    std::vector<xcb_window_t> Candidates() {
        std::vector<xcb_window_t> windows;
        auto cookie = xcb_get_property(conn_, 0, root_, clientList_, XCB_ATOM_WINDOW, 0, 4096);
        if (xcb_get_property_reply_t* reply = xcb_get_property_reply(conn_, cookie, nullptr)) {
            const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
            const int n = xcb_get_property_value_length(reply) / 4;
            windows.assign(ids, ids + n);
            free(reply);
        }
        if (!windows.empty()) return windows;
        auto tree = xcb_query_tree(conn_, root_);
        if (xcb_query_tree_reply_t* reply = xcb_query_tree_reply(conn_, tree, nullptr)) {
            const xcb_window_t* ids = xcb_query_tree_children(reply);
            windows.assign(ids, ids + xcb_query_tree_children_length(reply));
            free(reply);
        }
        return windows;
    }

    QString Property(xcb_window_t w, xcb_atom_t name, xcb_atom_t type, bool utf8) {
        auto cookie = xcb_get_property(conn_, 0, w, name, type, 0, 1024);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(conn_, cookie, nullptr);
        if (!reply) return {};
        const char* bytes = static_cast<const char*>(xcb_get_property_value(reply));
        const int len = xcb_get_property_value_length(reply);
        QString text = utf8 ? QString::fromUtf8(bytes, len) : QString::fromLatin1(bytes, len);
        free(reply);
        return text;
    }

    QString Title(xcb_window_t w) {
        QString title = Property(w, wmName_, utf8_, true);
        if (title.isEmpty()) title = Property(w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, false);
        return title;
    }

    xcb_connection_t* conn_ = nullptr;
    xcb_connection_t* own_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t state_ = 0, above_ = 0, active_ = 0, clientList_ = 0, wmName_ = 0, utf8_ = 0;
};

}  // namespace

std::unique_ptr<Platform> SystemPlatform() {
    return std::make_unique<X11Platform>();
}

}  // namespace quillon::qt
