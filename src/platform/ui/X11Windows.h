#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace vm {

// Top-level windows of the X11 display, found by their titles: how the
// programs see an outside program (a tracking program under Wine, say) that
// has no channel endpoint. Without an X11 display every lookup is false.
class X11Windows {
public:
    // Connects to $DISPLAY (or `display` when given).
    explicit X11Windows(const QString &display = QString());
    ~X11Windows();
    X11Windows(const X11Windows &) = delete;
    X11Windows &operator=(const X11Windows &) = delete;

    bool available() const;

    // True when a top-level window titled exactly `title` exists.
    bool exists(const QString &title);
    // Titles of the top-level windows (the window manager's client list, else
    // the root window's children).
    QStringList titles();
    // The process of the top-level window titled exactly `title`, as the
    // window says (_NET_WM_PID); nullopt when there is no such window or it
    // does not say.
    std::optional<qint64> processId(const QString &title);
    // Brings the top-level window titled exactly `title` to the top of the
    // stack without giving it the focus; false when there is no such window.
    bool raise(const QString &title);
    // Asks every top-level window of the process to close, as its close box
    // does (WM_DELETE_WINDOW); false when the process shows none.
    bool closeProcessWindows(qint64 processId);
    // Title of the active window (empty when unknown).
    QString activeTitle();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vm
