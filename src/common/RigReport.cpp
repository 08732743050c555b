#include "common/RigReport.h"

namespace vm::rigReport {

QString encodePort(const QString &port)
{
    QString out;
    out.reserve(port.size());
    for (const QChar c : port) {
        if (c == u'%')
            out += QLatin1String("%25");
        else if (c == u':')
            out += QLatin1String("%3A");
        else
            out += c;
    }
    return out;
}

QString decodePort(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QStringView code = QStringView(field).mid(i + 1, 2);
        if (field.at(i) == u'%' && code.compare(QLatin1String("3A"), Qt::CaseInsensitive) == 0) {
            out += u':';
            i += 2;
        } else if (field.at(i) == u'%' && code == QLatin1String("25")) {
            out += u'%';
            i += 2;
        } else {
            out += field.at(i);
        }
    }
    return out;
}

} // namespace vm::rigReport
