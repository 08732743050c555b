#pragma once

#include "panel/Launcher.h"

namespace vm {

// Starts programs detached and opens pages with the desktop's handler.
class QtLauncher final : public Launcher {
public:
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openUrl(const QString &url) override;
    // Through org.freedesktop.Notifications on the session bus.
    bool notify(const QString &title, const QString &text) override;
};

} // namespace vm
