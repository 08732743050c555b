#include "logbook/MasterFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace vm::master {

namespace {

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder sjis("Shift_JIS");
    return sjis.isValid() ? sjis(bytes) : QString::fromLatin1(bytes);
}

QString trimEnd(QString s)
{
    while (!s.isEmpty() && (s.back().isSpace() || s.back().isNull()))
        s.chop(1);
    return s;
}

} // namespace

QList<MasterRecord> parse(const QByteArray &bytes)
{
    QList<MasterRecord> records;
    for (qsizetype at = FirstRecordOffset; at + RecordSize <= bytes.size(); at += RecordSize) {
        const QByteArray r = bytes.mid(at, RecordSize);
        MasterRecord m;
        m.code = decode(r.left(6)).trimmed();
        m.name = trimEnd(decode(r.mid(6, 34)));
        m.satConfirmed = quint8(r[46]) & 0x80;
        m.satWorked = quint8(r[48]) & 0x80;
        records.append(m);
    }
    return records;
}

std::optional<QList<MasterRecord>> read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(f.readAll());
}

QString pathFor(const QString &dataFilePath)
{
    if (dataFilePath.size() < 4)
        return {};
    return dataFilePath.left(dataFilePath.size() - 4) + QStringLiteral(".mst");
}

QStringList lookup(const QList<MasterRecord> &records, const QString &typedIn)
{
    const QString typed = typedIn.trimmed();
    QStringList lines;
    if (typed.isEmpty())
        return lines;
    const bool byCode = typed.front().unicode() < 0x80;
    for (const MasterRecord &m : records) {
        if (m.name.contains(QLatin1Char('*')))
            continue;
        if (byCode ? !m.code.startsWith(typed) : !m.name.toUpper().contains(typed.toUpper()))
            continue;
        lines.append(m.code.leftJustified(6, QLatin1Char(' ')) + QStringLiteral("  ") + m.name);
        if (!byCode)
            continue;
        if (m.satConfirmed && !m.satWorked)
            lines.append(QStringLiteral("      SAT cfm"));
        else if (m.satWorked && !m.satConfirmed)
            lines.append(QStringLiteral("      SAT wkd"));
        else if (!m.satWorked && !m.satConfirmed)
            lines.append(QStringLiteral("      SAT ") + QCoreApplication::translate("Logbook", "未交信"));
    }
    return lines;
}

} // namespace vm::master
