#include "platform/ui/X11Windows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace vm {

struct X11Windows::Private {
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t clientList = XCB_ATOM_NONE;
    xcb_atom_t activeWindow = XCB_ATOM_NONE;
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t restackWindow = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;

    xcb_atom_t atom(const char *name)
    {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return a;
    }

    // The value of a window property, up to 64 KiB.
    std::vector<char> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        std::vector<char> out;
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, 0, window, name, type, 0, 16384);
        xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
        if (reply && reply->type != XCB_ATOM_NONE) {
            const char *value = static_cast<const char *>(xcb_get_property_value(reply));
            const int length = xcb_get_property_value_length(reply);
            out.assign(value, value + length);
        }
        free(reply);
        return out;
    }

    std::vector<xcb_window_t> windows(xcb_atom_t listAtom)
    {
        const std::vector<char> raw = property(root, listAtom, XCB_ATOM_WINDOW);
        std::vector<xcb_window_t> list(raw.size() / sizeof(xcb_window_t));
        if (!list.empty())
            memcpy(list.data(), raw.data(), list.size() * sizeof(xcb_window_t));
        return list;
    }

    std::vector<xcb_window_t> topLevel()
    {
        std::vector<xcb_window_t> list = windows(clientList);
        if (!list.empty())
            return list;
        // No window manager keeps a client list: the root's children are the top level.
        const xcb_query_tree_cookie_t cookie = xcb_query_tree(connection, root);
        xcb_query_tree_reply_t *reply = xcb_query_tree_reply(connection, cookie, nullptr);
        if (reply) {
            const xcb_window_t *children = xcb_query_tree_children(reply);
            list.assign(children, children + xcb_query_tree_children_length(reply));
        }
        free(reply);
        return list;
    }

    // The top-level window titled exactly `title`.
    std::optional<xcb_window_t> find(const QString &wanted)
    {
        for (const xcb_window_t w : topLevel()) {
            if (title(w) == wanted)
                return w;
        }
        return std::nullopt;
    }

    QString title(xcb_window_t window)
    {
        std::vector<char> name = property(window, netWmName, utf8String);
        if (!name.empty())
            return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        name = property(window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY);
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
};

X11Windows::X11Windows(const QString &display) : d(std::make_unique<Private>())
{
    const QByteArray name = display.toLocal8Bit();
    if (display.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    d->connection = xcb_connect(display.isEmpty() ? nullptr : name.constData(), nullptr);
    if (xcb_connection_has_error(d->connection)) {
        xcb_disconnect(d->connection);
        d->connection = nullptr;
        return;
    }
    const xcb_setup_t *setup = xcb_get_setup(d->connection);
    d->root = xcb_setup_roots_iterator(setup).data->root;
    d->clientList = d->atom("_NET_CLIENT_LIST");
    d->activeWindow = d->atom("_NET_ACTIVE_WINDOW");
    d->netWmName = d->atom("_NET_WM_NAME");
    d->netWmPid = d->atom("_NET_WM_PID");
    d->utf8String = d->atom("UTF8_STRING");
    d->restackWindow = d->atom("_NET_RESTACK_WINDOW");
    d->wmProtocols = d->atom("WM_PROTOCOLS");
    d->wmDeleteWindow = d->atom("WM_DELETE_WINDOW");
}

X11Windows::~X11Windows()
{
    if (d->connection)
        xcb_disconnect(d->connection);
}

bool X11Windows::available() const
{
    return d->connection != nullptr;
}

QStringList X11Windows::titles()
{
    QStringList out;
    if (!available())
        return out;
    for (const xcb_window_t w : d->topLevel())
        out << d->title(w);
    return out;
}

bool X11Windows::exists(const QString &title)
{
    return available() && d->find(title);
}

std::optional<qint64> X11Windows::processId(const QString &title)
{
    const std::optional<xcb_window_t> window = available() ? d->find(title) : std::nullopt;
    if (!window)
        return std::nullopt;
    const std::vector<char> raw = d->property(*window, d->netWmPid, XCB_ATOM_CARDINAL);
    uint32_t pid = 0;
    if (raw.size() < sizeof(pid))
        return std::nullopt;
    memcpy(&pid, raw.data(), sizeof(pid));
    return pid > 0 ? std::optional<qint64>(pid) : std::nullopt;
}

bool X11Windows::raise(const QString &title)
{
    const std::optional<xcb_window_t> window = available() ? d->find(title) : std::nullopt;
    if (!window)
        return false;
    // A window manager restacks on a pager's request (source 2, no sibling,
    // Above); without one the window is restacked directly.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = *window;
    message.type = d->restackWindow;
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_NONE;
    message.data.data32[2] = XCB_STACK_MODE_ABOVE;
    xcb_send_event(d->connection, 0, d->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(d->connection, *window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    // A round trip: the server has taken both requests when this returns.
    free(xcb_get_input_focus_reply(d->connection, xcb_get_input_focus(d->connection), nullptr));
    return true;
}

bool X11Windows::closeProcessWindows(qint64 processId)
{
    if (!available())
        return false;
    bool any = false;
    for (const xcb_window_t w : d->topLevel()) {
        const std::vector<char> raw = d->property(w, d->netWmPid, XCB_ATOM_CARDINAL);
        uint32_t pid = 0;
        if (raw.size() < sizeof(pid))
            continue;
        memcpy(&pid, raw.data(), sizeof(pid));
        if (pid != processId)
            continue;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = w;
        message.type = d->wmProtocols;
        message.data.data32[0] = d->wmDeleteWindow;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(d->connection, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
        any = true;
    }
    xcb_flush(d->connection);
    return any;
}

QString X11Windows::activeTitle()
{
    if (!available())
        return {};
    const std::vector<xcb_window_t> active = d->windows(d->activeWindow);
    return active.empty() || active.front() == 0 ? QString() : d->title(active.front());
}

} // namespace vm
