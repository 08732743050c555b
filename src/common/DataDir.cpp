#include "common/DataDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vm {

namespace {

QString executableDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return QFileInfo(self.symLinkTarget()).absolutePath();
}

bool isWritableDir(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

} // namespace

QString resolveDataDir(const DataDirInputs &inputs)
{
    QString dir;
    if (!inputs.velomiraHome.isEmpty()) {
        dir = QDir(inputs.velomiraHome).absolutePath();
    } else if (!inputs.installed && !inputs.executableDir.isEmpty() && isWritableDir(inputs.executableDir)) {
        dir = QDir(inputs.executableDir).absolutePath();
    } else {
        // A relative $XDG_DATA_HOME is invalid and ignored.
        QString base = inputs.xdgDataHome;
        if (base.isEmpty() || QDir::isRelativePath(base))
            base = QDir(inputs.homeDir.isEmpty() ? QDir::homePath() : inputs.homeDir)
                       .filePath(QStringLiteral(".local/share"));
        dir = QDir(base).filePath(QStringLiteral("velomira"));
    }
    dir = QDir::cleanPath(dir);
    QDir().mkpath(dir);
    return dir;
}

QString installedShareDir(const QString &executableDir)
{
    const QDir bin(executableDir);
    const QString share = QDir::cleanPath(bin.filePath(QStringLiteral("../share/velomira")));
    return bin.dirName() == u"bin" && QFileInfo(share).isDir() ? share : QString();
}

QString dataDir()
{
    DataDirInputs in;
    in.velomiraHome = qEnvironmentVariable("VELOMIRA_HOME");
    in.executableDir = executableDir();
    in.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    in.homeDir = qEnvironmentVariable("HOME");
    in.installed = !installedShareDir(in.executableDir).isEmpty();
    return resolveDataDir(in);
}

QString findEntryNoCase(const QString &dir, const QString &name, bool filesOnly)
{
    const QDir d(dir);
    if (QFileInfo::exists(d.filePath(name)))
        return d.filePath(name);
    const QDir::Filters kinds = (filesOnly ? QDir::Files : QDir::AllEntries | QDir::NoDotAndDotDot);
    const QStringList entries = d.entryList(kinds | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return d.filePath(entry);
    }
    return {};
}

QString findFileNoCase(const QString &dir, const QString &name)
{
    const QString found = findEntryNoCase(dir, name, true);
    return found.isEmpty() ? QDir(dir).filePath(name) : found;
}

QString dataFile(const QString &name)
{
    return findFileNoCase(dataDir(), name);
}

} // namespace vm
