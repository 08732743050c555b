#include "panel/DigitalProgram.h"

#include <QDir>
#include <QFileInfo>

namespace vm {

std::optional<DigitalProgram> DigitalProgram::fromOption(const QString &option)
{
    const qsizetype slash = option.lastIndexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    DigitalProgram p;
    p.program = option.left(slash).trimmed();
    p.rigName = option.mid(slash + 1).trimmed();
    // The file name alone, whether written with "/" or "\" (a Windows path).
    QString file = p.program.mid(qMax(p.program.lastIndexOf(u'/'), p.program.lastIndexOf(u'\\')) + 1).toLower();
    if (file.endsWith(QLatin1String(".exe")))
        file.chop(4);
    if (file == u"wsjtx")
        p.appName = QStringLiteral("WSJT-X");
    else if (file == u"jtdx")
        p.appName = QStringLiteral("JTDX");
    else
        return std::nullopt;
    p.processName = file;
    return p;
}

QStringList DigitalProgram::arguments() const
{
    if (rigName.isEmpty())
        return {};
    return {QStringLiteral("--rig-name=") + rigName};
}

QString DigitalProgram::logFolder(const QString &dataHome) const
{
    return QDir(dataHome).filePath(rigName.isEmpty() ? appName : appName + QStringLiteral(" - ") + rigName);
}

QString DigitalProgram::logPath(const QString &dataHome) const
{
    return QDir(logFolder(dataHome)).filePath(QStringLiteral("wsjtx_log.adi"));
}

QString DigitalProgram::executable() const
{
    const QFileInfo file(program);
    return program.contains(u'/') && file.isFile() && file.isExecutable() ? file.absoluteFilePath() : processName;
}

} // namespace vm
