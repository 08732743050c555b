#include "platform/ProcessList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vm {

QList<qint64> processesNamed(const QString &name, const QString &procRoot)
{
    QList<qint64> found;
    const QDir proc(procRoot);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || QFileInfo(proc.filePath(entry)).ownerId() != ::getuid())
            continue;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && QString::fromUtf8(comm.readAll()).trimmed() == name)
            found.append(pid);
    }
    return found;
}

} // namespace vm
