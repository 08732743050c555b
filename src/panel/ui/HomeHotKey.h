#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

#include <cstdint>

namespace vm {

// The system-wide Home hot key on an X11 display: a passive grab of the Home
// key on the root window (with and without Caps Lock and Num Lock), so that
// the panel can be raised while another program has the focus. Elsewhere, or
// when another program holds the key, there is no hot key and the panel runs
// without it.
class HomeHotKey final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit HomeHotKey(QObject *parent = nullptr);
    ~HomeHotKey() override;

    // True while the key is grabbed.
    bool registered() const { return !m_grabbed.isEmpty(); }
    // The key code of Home on this display (0 without X11).
    std::uint8_t keycode() const { return m_keycode; }
    std::uint32_t rootWindow() const { return m_root; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void pressed();

private:
    void *m_connection = nullptr; // xcb_connection_t of the application
    std::uint32_t m_root = 0;
    std::uint8_t m_keycode = 0;
    QList<std::uint16_t> m_grabbed; // modifier sets grabbed
};

} // namespace vm
