#include "common/SatelliteTable.h"

#include "common/ProfileFile.h"
#include "common/ProtocolTexts.h"
#include "common/SettingKeys.h"
#include "common/TextFile.h"

#include <cmath>

#include <QCoreApplication>

namespace vm {

namespace {

constexpr int kItems = 10;

bool isNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v);
}

bool isBlankLine(const QString &line)
{
    return line.trimmed().isEmpty();
}

} // namespace

QString SatelliteTable::headerLine()
{
    return QString::fromUtf8(protocol::SatelliteTableHeader);
}

QStringList SatelliteTable::defaultLines()
{
    return {headerLine(), QStringLiteral("AO-07,432125,145925,50,145975,,,,,B-mode"),
            QStringLiteral("AO-07,145850,29400,100,29502,,,,Y,A-mode")};
}

bool SatelliteTable::writeDefault(const QString &path, QString *error)
{
    return TextFile::writeLinesAtomic(path, defaultLines(), error);
}

QStringList SatelliteTable::splitItems(const QString &line)
{
    QStringList items;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && (line.at(i) == u' ' || line.at(i) == u'\t'))
            ++i;
        QString value;
        if (i < n && line.at(i) == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0) {
                value = line.mid(i + 1);
                i = n;
            } else {
                value = line.mid(i + 1, close - i - 1);
                i = close + 1;
                // Anything between the closing quote and the comma is dropped.
                while (i < n && line.at(i) != u',')
                    ++i;
            }
        } else {
            qsizetype comma = line.indexOf(u',', i);
            if (comma < 0)
                comma = n;
            value = line.mid(i, comma - i).trimmed();
            i = comma;
        }
        items.append(value);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return items;
}

SatelliteTable::UpgradeResult SatelliteTable::upgrade(const QString &path, QString *error)
{
    const std::optional<QStringList> read = TextFile::readLines(path, error);
    if (!read)
        return UpgradeResult::Failed;
    QStringList lines;
    for (const QString &l : *read) {
        if (!isBlankLine(l))
            lines.append(l);
    }

    bool anyNine = false;
    bool hasAo07 = false;
    QList<int> counts;
    for (const QString &l : lines) {
        const QStringList items = splitItems(l);
        counts.append(int(items.size()));
        anyNine = anyNine || items.size() == kItems - 1;
        hasAo07 = hasAo07 || items.first() == u"AO-07";
    }
    if (!anyNine)
        return UpgradeResult::NotNeeded;

    QStringList out;
    out.append(counts.first() == kItems - 1 ? lines.first() + QStringLiteral(",MLTmode") : lines.first());
    if (!hasAo07)
        out.append(defaultLines().mid(1));
    for (qsizetype i = 1; i < lines.size(); ++i)
        out.append(counts[i] == kItems - 1 ? lines[i] + u',' : lines[i]);
    return TextFile::writeLinesAtomic(path, out, error) ? UpgradeResult::Upgraded : UpgradeResult::Failed;
}

int SatelliteTable::load(const QString &path)
{
    m_records.clear();
    m_multiMode.clear();
    m_problems.clear();

    QString error;
    const std::optional<QStringList> lines = TextFile::readLines(path, &error);
    if (!lines) {
        m_problems.append(
            {TableProblem::Unreadable, 0,
             QCoreApplication::translate("SatelliteTable", "SATdataが読めませんでした: ") + error});
        return 0;
    }

    int lineNumber = 0;
    for (const QString &line : *lines) {
        ++lineNumber;
        if (isBlankLine(line))
            continue;
        const QStringList items = splitItems(line);
        const bool header = m_records.isEmpty();
        SatelliteRecord r;
        r.LineNumber = lineNumber;
        auto at = [&items](int i) { return i < items.size() ? items.at(i) : QString(); };
        r.Name = at(0);
        r.UpLink = at(1);
        r.DownLink = at(2);
        r.Width = at(3);
        r.Beacon = at(4);
        r.Tone = at(5);
        r.TXTRV = at(6);
        r.RXTRV = at(7);
        r.NonRev = at(8);
        r.MLTmode = at(9);
        r.EmptyCount = int(r.Name.isEmpty()) + int(r.UpLink.isEmpty()) + int(r.DownLink.isEmpty());
        if (r.Name == u"IO-117")
            r.MLTmode = QStringLiteral("UU");

        if (!header && items.size() != kItems) {
            m_problems.append({TableProblem::ItemCount, lineNumber,
                               QCoreApplication::translate(
                                   "SatelliteTable", "SATdata.txt %1行目: 項目の数が%2個です(10個のはずです)")
                                   .arg(lineNumber)
                                   .arg(items.size())});
        }
        if (!header && r.EmptyCount == 0) {
            QStringList bad;
            if (!isNumber(r.UpLink))
                bad.append(QStringLiteral("UpLink \"%1\"").arg(r.UpLink));
            if (!isNumber(r.DownLink))
                bad.append(QStringLiteral("DownLink \"%1\"").arg(r.DownLink));
            if (!r.Width.isEmpty() && !isNumber(r.Width))
                bad.append(QStringLiteral("Width \"%1\"").arg(r.Width));
            if (!bad.isEmpty()) {
                r.NumbersOk = false;
                m_problems.append({TableProblem::NotANumber, lineNumber,
                                   QCoreApplication::translate(
                                       "SatelliteTable", "SATdata.txt %1行目: 周波数が数値ではありません: %2")
                                       .arg(lineNumber)
                                       .arg(bad.join(QStringLiteral(", ")))});
            }
        }
        m_records.append(r);
    }
    buildIndex();
    return count();
}

void SatelliteTable::buildIndex()
{
    m_multiMode.clear();
    for (int i = 1; i < m_records.size(); ++i) {
        const SatelliteRecord &r = m_records.at(i);
        if (!r.MLTmode.isEmpty() && r.isUsable())
            m_multiMode.append({r.Name, i + 1, r.MLTmode});
    }
}

bool SatelliteTable::derive(const ProfileFile *settings)
{
    if (m_records.size() < 2)
        return false;
    const QString section = QString::fromUtf8(keys::SatInfoSection);
    for (int i = 1; i < m_records.size(); ++i) {
        SatelliteRecord &r = m_records[i];
        if (!r.isUsable())
            continue;
        r.derive();
        std::optional<QString> rit;
        if (settings)
            rit = settings->value(section, keys::ritFreqKey(r.Name, r.MLTmode));
        r.RITfreq = rit && *rit != section ? *rit : QStringLiteral("0");
    }
    return true;
}

bool SatelliteTable::save(const QString &path, QString *error) const
{
    QStringList lines;
    lines.reserve(m_records.size());
    for (const SatelliteRecord &r : m_records)
        lines.append(r.toLine());
    return TextFile::writeLinesAtomic(path, lines, error);
}

int SatelliteTable::find(const QString &name, const std::optional<QString> &mode) const
{
    for (int i = 1; i < m_records.size(); ++i) {
        const SatelliteRecord &r = m_records.at(i);
        if (r.isUsable() && r.Name == name && (!mode || r.MLTmode == *mode))
            return i + 1;
    }
    return 0;
}

QList<MultiModeEntry> SatelliteTable::modesOf(const QString &name) const
{
    QList<MultiModeEntry> out;
    for (const MultiModeEntry &e : m_multiMode) {
        if (e.Name.compare(name, Qt::CaseInsensitive) == 0)
            out.append(e);
    }
    return out;
}

QStringList SatelliteTable::warnings() const
{
    QStringList out;
    for (const TableProblem &p : m_problems)
        out.append(p.message);
    return out;
}

} // namespace vm
