#include "panel/ui/QtLauncher.h"

#include "platform/ProcessList.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QVariantMap>

#include <csignal>

namespace vm {

bool QtLauncher::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}

bool QtLauncher::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

bool QtLauncher::isRunning(const QString &processName)
{
    return !processesNamed(processName).isEmpty();
}

bool QtLauncher::stopProgram(const QString &processName)
{
    const QList<qint64> processes = processesNamed(processName);
    for (const qint64 pid : processes) {
        if (!m_closeWindows || !m_closeWindows(pid))
            ::kill(pid_t(pid), SIGTERM);
    }
    return !processes.isEmpty();
}

bool QtLauncher::notify(const QString &title, const QString &text)
{
    QDBusInterface service(QStringLiteral("org.freedesktop.Notifications"),
                           QStringLiteral("/org/freedesktop/Notifications"),
                           QStringLiteral("org.freedesktop.Notifications"), QDBusConnection::sessionBus());
    if (!service.isValid())
        return false;
    // Notify(app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout)
    const QDBusReply<uint> reply =
        service.call(QStringLiteral("Notify"), QStringLiteral("Velomira"), uint(0), QString(), title, text,
                     QStringList(), QVariantMap(), int(-1));
    return reply.isValid();
}

} // namespace vm
