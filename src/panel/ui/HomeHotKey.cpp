#include "panel/ui/HomeHotKey.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace vm {

namespace {

constexpr std::uint32_t KeysymHome = 0xff50;

xcb_keycode_t keycodeOf(xcb_connection_t *c, std::uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, xcb_keycode_t(first), std::uint8_t(count)), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int per = reply->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int k = 0; k < count && !found; ++k) {
        for (int i = 0; i < per; ++i) {
            if (syms[k * per + i] == keysym) {
                found = xcb_keycode_t(first + k);
                break;
            }
        }
    }
    std::free(reply);
    return found;
}

} // namespace

HomeHotKey::HomeHotKey(QObject *parent) : QObject(parent)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    auto *c = x11->connection();
    m_connection = c;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    m_keycode = keycodeOf(c, KeysymHome);
    if (!m_keycode)
        return;
    // Caps Lock and Num Lock (usually the second modifier) must not hide the key.
    for (std::uint16_t mods :
         {std::uint16_t(0), std::uint16_t(XCB_MOD_MASK_LOCK), std::uint16_t(XCB_MOD_MASK_2),
          std::uint16_t(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)}) {
        xcb_generic_error_t *error = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, m_root, mods, m_keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error)
            std::free(error); // another program holds this combination
        else
            m_grabbed.append(mods);
    }
    if (!m_grabbed.isEmpty())
        qGuiApp->installNativeEventFilter(this);
}

HomeHotKey::~HomeHotKey()
{
    if (!m_connection || m_grabbed.isEmpty())
        return;
    auto *c = static_cast<xcb_connection_t *>(m_connection);
    for (std::uint16_t mods : std::as_const(m_grabbed))
        xcb_ungrab_key(c, m_keycode, m_root, mods);
    xcb_flush(c);
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool HomeHotKey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
    if (key->detail != m_keycode || key->event != m_root)
        return false;
    emit pressed();
    return true;
}

} // namespace vm
