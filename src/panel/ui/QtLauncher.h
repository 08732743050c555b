#pragma once

#include "panel/Launcher.h"

#include <functional>

namespace vm {

// Starts programs detached and opens pages with the desktop's handler.
class QtLauncher final : public Launcher {
public:
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QString &url) override;
    // Through org.freedesktop.Notifications on the session bus.
    bool notify(const QString &title, const QString &text) override;
    // Found by the process's name; ended by closing its windows (the closer
    // set here), else by SIGTERM.
    bool isRunning(const QString &processName) override;
    bool stopProgram(const QString &processName) override;
    void setWindowCloser(std::function<bool(qint64 processId)> closer) { m_closeWindows = std::move(closer); }

private:
    std::function<bool(qint64 processId)> m_closeWindows;
};

} // namespace vm
