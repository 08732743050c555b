#include "rigctl/RigCombinationTable.h"

#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace vm {

QStringList RigCombinationTable::parseLine(const QString &line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        while (i < n && line.at(i) == QLatin1Char(' '))
            ++i;
        QString field;
        if (i < n && line.at(i) == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1);
            i = end + 1;
            while (i < n && line.at(i) != QLatin1Char(','))
                ++i;
        } else {
            qsizetype comma = line.indexOf(QLatin1Char(','), i);
            if (comma < 0)
                comma = n;
            field = line.mid(i, comma - i).trimmed();
            i = comma;
        }
        fields << field;
        ++i; // past the comma (or the end)
    }
    return fields;
}

QString RigCombinationTable::formatLine(const RigCombination &record)
{
    QStringList quoted;
    for (const QString &f : record.fields)
        quoted << QLatin1Char('"') + f + QLatin1Char('"');
    return quoted.join(QLatin1Char(','));
}

void RigCombinationTable::load(const QString &path)
{
    m_problems.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.size() == 0) {
        QFile::remove(path);
        m_records.clear();
        return;
    }
    QString error;
    const auto lines = TextFile::readLines(path, &error);
    if (!lines) {
        m_problems << error;
        return;
    }
    m_records.clear();
    int lineNo = 0;
    for (const QString &line : *lines) {
        ++lineNo;
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = parseLine(line);
        if (fields.size() != RigCombination::FieldCount)
            m_problems << QStringLiteral("%1: line %2 has %3 fields instead of %4")
                              .arg(QFileInfo(path).fileName())
                              .arg(lineNo)
                              .arg(fields.size())
                              .arg(int(RigCombination::FieldCount));
        RigCombination record;
        for (int f = 0; f < RigCombination::FieldCount && f < fields.size(); ++f)
            record.fields[static_cast<size_t>(f)] = fields.at(f);
        m_records << record;
    }
}

bool RigCombinationTable::save(const QString &path, const QList<RigCombination> &records, QString *error)
{
    QStringList lines;
    for (const RigCombination &r : records)
        lines << formatLine(r);
    return TextFile::writeLinesAtomic(path, lines, error);
}

const RigCombination *RigCombinationTable::find(const QString &satelliteLabel) const
{
    for (const RigCombination &r : m_records)
        if (r[RigCombination::SatelliteLabel] == satelliteLabel)
            return &r;
    return nullptr;
}

} // namespace vm
