#include "platform/ProgramFolder.h"

#include "common/DataDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vm {

namespace {

// The NUL-separated entries of a /proc file (cmdline, environ).
QList<QByteArray> procEntries(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> entries = file.readAll().split('\0');
    while (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    return entries;
}

QString environmentValue(const QList<QByteArray> &environment, const QByteArray &name)
{
    const QByteArray prefix = name + '=';
    for (const QByteArray &entry : environment) {
        if (entry.startsWith(prefix))
            return QString::fromLocal8Bit(entry.mid(prefix.size()));
    }
    return {};
}

const QRegularExpression &drivePath()
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z]):[\\\\/](.*)$"));
    return pattern;
}

bool isWindowsDrivePath(const QString &path)
{
    return drivePath().match(path).hasMatch();
}

} // namespace

std::optional<QString> wineUnixPath(const QString &windowsPath, const QString &winePrefix)
{
    const QRegularExpressionMatch m = drivePath().match(windowsPath);
    if (!m.hasMatch() || winePrefix.isEmpty())
        return std::nullopt;
    // The prefix links each drive letter, lower-case, to its folder.
    QString path = QDir(winePrefix).filePath(QStringLiteral("dosdevices/%1:").arg(m.captured(1).toLower()));
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QStringList names =
        m.captured(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        path = findEntryNoCase(path, name, false); // Wine ignores case too
        if (path.isEmpty())
            return std::nullopt;
    }
    return QFileInfo(path).canonicalFilePath();
}

namespace {

// The folder of a program under Wine, from its Windows path in that prefix.
std::optional<QString> wineFolderIn(const QString &windowsExePath, const QString &winePrefix)
{
    const std::optional<QString> unixPath = wineUnixPath(windowsExePath, winePrefix);
    return unixPath ? std::optional<QString>(QFileInfo(*unixPath).absolutePath()) : std::nullopt;
}

} // namespace

std::optional<QString> wineProgramFolder(const QString &windowsExePath)
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::home().filePath(QStringLiteral(".wine"));
    return wineFolderIn(windowsExePath, prefix);
}

std::optional<QString> programFolder(qint64 processId, const QString &procRoot)
{
    if (processId <= 0)
        return std::nullopt;
    const QString process = QDir(procRoot).filePath(QString::number(processId));
    const QList<QByteArray> arguments = procEntries(QDir(process).filePath(QStringLiteral("cmdline")));
    if (!arguments.isEmpty() && isWindowsDrivePath(QString::fromLocal8Bit(arguments.first()))) {
        // A program under Wine: the executable is Wine's own, not the program's.
        const QList<QByteArray> environment = procEntries(QDir(process).filePath(QStringLiteral("environ")));
        QString prefix = environmentValue(environment, "WINEPREFIX");
        if (prefix.isEmpty()) {
            const QString home = environmentValue(environment, "HOME");
            if (!home.isEmpty())
                prefix = QDir(home).filePath(QStringLiteral(".wine"));
        }
        return wineFolderIn(QString::fromLocal8Bit(arguments.first()), prefix);
    }
    const QFileInfo executable(QFileInfo(QDir(process).filePath(QStringLiteral("exe"))).symLinkTarget());
    if (executable.filePath().isEmpty() || !executable.dir().exists())
        return std::nullopt;
    return executable.absolutePath();
}

} // namespace vm
