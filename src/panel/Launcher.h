#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// Starting other programs and opening documents, as the panel core sees it.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts a program without waiting for it; false when it could not start.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Opens a web page or a file with the desktop's handler.
    virtual bool openUrl(const QString &url) = 0;
    // Whether a program of this executable name ("wsjtx") runs.
    virtual bool isRunning(const QString &processName)
    {
        Q_UNUSED(processName)
        return false;
    }
    // Ends it as its window's close box would; false when none runs.
    virtual bool stopProgram(const QString &processName)
    {
        Q_UNUSED(processName)
        return false;
    }
    // Shows a desktop notification; false when there is no notification service.
    virtual bool notify(const QString &title, const QString &text)
    {
        Q_UNUSED(title)
        Q_UNUSED(text)
        return false;
    }
};

} // namespace vm
