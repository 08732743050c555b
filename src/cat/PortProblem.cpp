#include "cat/PortProblem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

// The name a lock file carries for a path: the part after "/dev/" with "/"
// written as "_" (as QSerialPort names its locks), or the device's own name
// (as the older UUCP convention does).
QStringList lockNames(const QString &path)
{
    QStringList names;
    const auto add = [&names](const QString &name) {
        if (!name.isEmpty() && !names.contains(name))
            names << QStringLiteral("LCK..") + name;
    };
    for (const QString &p : {path, QFileInfo(path).canonicalFilePath()}) {
        if (p.isEmpty())
            continue;
        QString rest = p.startsWith(QLatin1String("/dev/")) ? p.mid(5) : p;
        add(rest.replace(u'/', u'_'));
        add(QFileInfo(p).fileName());
    }
    return names;
}

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QString describeProcess(qint64 pid, const QString &fallbackName)
{
    QString name = processName(pid);
    if (name.isEmpty())
        name = fallbackName;
    return name.isEmpty() ? QStringLiteral("PID %1").arg(pid)
                          : QStringLiteral("%1, PID %2").arg(name).arg(pid);
}

// A process of this user with the device open.
QString holderByDescriptor(const QString &device)
{
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == device)
                return describeProcess(pid, QString());
        }
    }
    return {};
}

} // namespace

QStringList PortProblem::defaultLockDirs()
{
    QStringList dirs{QStringLiteral("/var/lock"), QStringLiteral("/run/lock"),
                     QStringLiteral("/var/spool/locks"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp")};
    if (!dirs.contains(QDir::tempPath()))
        dirs << QDir::tempPath();
    return dirs;
}

QString PortProblem::holderOf(const QString &port, const QStringList &lockDirs)
{
    for (const QString &dir : lockDirs) {
        for (const QString &name : lockNames(port)) {
            QFile lock(QDir(dir).filePath(name));
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            // First line: the PID (plain or space-padded); QLockFile adds the
            // program's name on the second.
            const QStringList lines = QString::fromLocal8Bit(lock.read(4096)).split(u'\n');
            bool ok = false;
            const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
            if (!ok || pid <= 0 || !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
                continue; // unreadable or stale
            return describeProcess(pid, lines.value(1).trimmed());
        }
    }
    const QString device = QFileInfo(port).canonicalFilePath();
    return device.isEmpty() ? QString() : holderByDescriptor(device);
}

PortProblem PortProblem::diagnose(const QString &port)
{
    PortProblem problem;
    problem.port = port;
    const QString device = QFileInfo(port).canonicalFilePath();
    if (device.isEmpty()) {
        problem.kind = Kind::Missing;
        return problem;
    }
    const QByteArray native = QFile::encodeName(device);
    if (::access(native.constData(), R_OK | W_OK) != 0) {
        problem.kind = Kind::Permission;
        struct stat st {};
        if (::stat(native.constData(), &st) == 0) {
            if (const struct group *g = ::getgrgid(st.st_gid))
                problem.group = QString::fromLocal8Bit(g->gr_name);
        }
        return problem;
    }
    // The device is there and ours to open: someone else has it.
    problem.kind = Kind::Busy;
    problem.holder = holderOf(port);
    return problem;
}

QString PortProblem::message() const
{
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Missing:
        return QCoreApplication::translate(
                   "PortProblem",
                   "%1 が見つかりません。ケーブルはつながっていますか？無線機の電源は入っていますか？")
            .arg(port);
    case Kind::Permission:
        if (group.isEmpty() || group == QLatin1String("root"))
            return QCoreApplication::translate("PortProblem", "%1 を開く権限がありません。").arg(port);
        return QCoreApplication::translate("PortProblem",
                                           "%1 を開く権限がありません。グループ %2 に入ってください:\n"
                                           "sudo usermod -aG %2 $USER\n(そのあとログインし直してください)")
            .arg(port, group);
    case Kind::Busy:
        if (holder.isEmpty())
            return QCoreApplication::translate("PortProblem",
                                               "%1 は他で使用中です。そのプログラムを終了してください。")
                .arg(port);
        return QCoreApplication::translate("PortProblem",
                                           "%1 は他で使用中です (%2)。そのプログラムを終了してください。")
            .arg(port, holder);
    }
    return {};
}

} // namespace vm
