#include "TestPaths.h"

#include <QDir>

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

} // namespace vm::test
