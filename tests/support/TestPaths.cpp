#include "TestPaths.h"

#include <QDir>
#include <QFile>

namespace vm::test {

QString testDataDir()
{
    return QStringLiteral(VELOMIRA_TESTDATA_DIR);
}

QString binDir()
{
    const QByteArray env = qgetenv("VELOMIRA_BIN_DIR");
    return env.isEmpty() ? QStringLiteral(VELOMIRA_BIN_DIR) : QString::fromLocal8Bit(env);
}

QString program(const QString &name)
{
    return QDir(binDir()).filePath(name);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vm::test
