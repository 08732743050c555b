#include "rigctl/WsjtStart.h"

#include <QStringList>

namespace vm::wsjtStart {

namespace {

const QString DefaultRigName = QStringLiteral("SAT");

} // namespace

std::optional<Value> split(const QString &stored)
{
    const qsizetype slash = stored.lastIndexOf(u'/');
    if (stored.isEmpty() || slash < 0)
        return std::nullopt;
    return Value{stored.left(slash), stored.mid(slash + 1)};
}

QString cleanRigName(const QString &typed)
{
    return QString(typed).remove(u'/').trimmed();
}

QString compose(const QString &path, const QString &rigName)
{
    if (path.trimmed().isEmpty())
        return QString();
    const QString name = cleanRigName(rigName);
    return path.trimmed() + u'/' + (name.isEmpty() ? DefaultRigName : name);
}

Program programOf(const QString &path)
{
    QString file = path.trimmed().section(u'/', -1).section(u'\\', -1).toUpper();
    if (file.endsWith(QStringLiteral(".EXE")))
        file.chop(4);
    if (file == u"WSJTX")
        return Program::WsjtX;
    if (file == u"JTDX")
        return Program::Jtdx;
    return Program::Unknown;
}

QString programName(Program program)
{
    switch (program) {
    case Program::WsjtX:
        return QStringLiteral("WSJT-X");
    case Program::Jtdx:
        return QStringLiteral("JTDX");
    case Program::Unknown:
        break;
    }
    return QString();
}

QString logFolder(Program program, const QString &rigName, const QString &dataHome)
{
    if (program == Program::Unknown)
        return QString();
    const QString name = cleanRigName(rigName);
    return QStringLiteral("%1/%2 - %3/")
        .arg(dataHome, programName(program), name.isEmpty() ? DefaultRigName : name);
}

QString defaultProgram(const std::function<QString(const QString &name)> &find)
{
    for (const QString &name : {QStringLiteral("wsjtx"), QStringLiteral("jtdx")}) {
        const QString found = find(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace vm::wsjtStart
