#include "platform/RuntimeDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString RuntimeDir::defaultPath()
{
    const QString own = qEnvironmentVariable("VELOMIRA_RUNTIME_DIR");
    if (!own.isEmpty())
        return own;
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty())
        return QDir(xdg).filePath(QStringLiteral("velomira"));
    return QStringLiteral("/tmp/velomira-%1").arg(::geteuid());
}

bool RuntimeDir::prepare(const QString &path, QString *error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("runtime folder: empty path"));
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT) {
            setError(error, QStringLiteral("runtime folder %1: %2").arg(path, errnoText()));
            return false;
        }
        const QString parent = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(parent)) {
            setError(error, QStringLiteral("runtime folder %1: cannot create %2").arg(path, parent));
            return false;
        }
        // Another program may create it at the same moment; the checks below
        // judge whatever is there then.
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
            setError(error, QStringLiteral("runtime folder %1: %2").arg(path, errnoText()));
            return false;
        }
        if (::lstat(native.constData(), &st) != 0) {
            setError(error, QStringLiteral("runtime folder %1: %2").arg(path, errnoText()));
            return false;
        }
    }
    if (S_ISLNK(st.st_mode)) {
        setError(error, QStringLiteral("runtime folder %1 is a symbolic link; refused").arg(path));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        setError(error, QStringLiteral("runtime folder %1 is not a folder").arg(path));
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        setError(error, QStringLiteral("runtime folder %1 belongs to another user (uid %2, we are uid %3); "
                                       "refused")
                            .arg(path)
                            .arg(st.st_uid)
                            .arg(::geteuid()));
        return false;
    }
    if ((st.st_mode & 0777) != 0700 && ::chmod(native.constData(), 0700) != 0) {
        setError(error, QStringLiteral("runtime folder %1: cannot set mode 0700: %2").arg(path, errnoText()));
        return false;
    }
    return true;
}

} // namespace vm
