#include "panel/SchedulePasses.h"

#include "common/SatelliteTable.h"
#include "common/ScheduleFile.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"
#include "panel/SatelliteChooser.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace vm {

namespace {

QDateTime local(qint64 utcMs)
{
    return QDateTime::fromMSecsSinceEpoch(utcMs);
}

// Mean anomaly in the 0-255 scale trackers print.
int phaseAt(const orbit::Tle &tle, const orbit::Satellite &sat, qint64 utcMs)
{
    const double revs = tle.meanAnomalyDeg / 360.0 + tle.meanMotion * sat.minutesSinceEpoch(utcMs) / 1440.0;
    return int(std::floor((revs - std::floor(revs)) * 256.0)) % 256;
}

QString degrees(double d)
{
    return QString::number(qRound(d));
}

} // namespace

std::vector<SchedulePasses::Row> SchedulePasses::forDay(const SatelliteTable &table, const QString &tleText,
                                                        const orbit::Observer &station, const QDate &day)
{
    const qint64 from = QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch();
    const qint64 to = QDateTime(day.addDays(1), QTime(0, 0)).toMSecsSinceEpoch() - 1000;
    std::vector<Row> rows;
    for (const SatelliteChooser::Tracked &t : SatelliteChooser::tracked(table, tleText)) {
        const orbit::Satellite sat(t.tle);
        for (const orbit::Pass &p : orbit::findPasses(sat, station, from, to).passes) {
            if (p.aosAtSpanStart || p.aosMs < from || p.aosMs > to)
                continue; // began the day before
            rows.push_back({t.name, p, sat.revolutionAt(p.aosMs), phaseAt(t.tle, sat, p.aosMs),
                            phaseAt(t.tle, sat, p.losMs)});
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return a.pass.aosMs < b.pass.aosMs; });
    return rows;
}

namespace {

QDate trackerDate(const QString &text, const QDate &today)
{
    const QString d = QString(text).replace(u'-', u'/');
    for (const char *format : {"yyyy/M/d", "yy/M/d"}) {
        QDate date = QDate::fromString(d, QString::fromLatin1(format));
        if (date.isValid())
            return date.year() < 1950 ? date.addYears(100) : date;
    }
    const QDate noYear = QDate::fromString(QString::number(today.year()) + u'/' + d, QStringLiteral("yyyy/M/d"));
    return noYear;
}

QTime trackerTime(const QString &text)
{
    const QTime seconds = QTime::fromString(text, QStringLiteral("h:mm:ss"));
    return seconds.isValid() ? seconds : QTime::fromString(text, QStringLiteral("h:mm"));
}

} // namespace

std::vector<SchedulePasses::Row> SchedulePasses::fromTrackerText(const QString &text, const QString &satellite,
                                                                 const QDate &today)
{
    std::vector<Row> rows;
    for (const QString &line : text.split(u'\n')) {
        const QStringList f = line.simplified().split(u' ', Qt::SkipEmptyParts);
        if (f.size() < 11)
            continue;
        const QDate date = trackerDate(f[0], today);
        const QTime aos = trackerTime(f[1]), max = trackerTime(f[4]), los = trackerTime(f[7]);
        bool ok = date.isValid() && aos.isValid() && max.isValid() && los.isValid();
        double numbers[6];
        const int columns[6] = {2, 3, 5, 6, 8, 9};
        for (int i = 0; i < 6 && ok; ++i)
            numbers[i] = f[columns[i]].toDouble(&ok);
        if (!ok)
            continue;
        // Times after AOS that read earlier are past midnight.
        const QDateTime aosAt(date, aos);
        const auto after = [&](const QTime &t, qint64 fromMs) {
            QDateTime at(date, t);
            while (at.toMSecsSinceEpoch() < fromMs)
                at = at.addDays(1);
            return at.toMSecsSinceEpoch();
        };
        Row row;
        row.satellite = satellite;
        row.pass.aosMs = aosAt.toMSecsSinceEpoch();
        row.pass.maxMs = after(max, row.pass.aosMs);
        row.pass.losMs = after(los, row.pass.maxMs);
        row.pass.aosAzimuthDeg = numbers[0];
        row.aosPhase = int(numbers[1]);
        row.pass.maxElevationDeg = numbers[2];
        row.pass.maxAzimuthDeg = numbers[3];
        row.pass.losAzimuthDeg = numbers[4];
        row.losPhase = int(numbers[5]);
        rows.push_back(row);
    }
    return rows;
}

bool SchedulePasses::chosen(const Row &row, const Choice &choice, qint64 nowUtcMs)
{
    if (choice.byThreshold && row.pass.maxElevationDeg <= choice.thresholdDeg)
        return false;
    // Compared in whole minutes, as the schedule lines are.
    return !choice.afterNow || row.pass.aosMs / 60000 > nowUtcMs / 60000;
}

QStringList SchedulePasses::fields(const Row &row)
{
    const orbit::Pass &p = row.pass;
    const QString hm = QStringLiteral("hh:mm");
    const qint64 minutes = (p.losMs - p.aosMs + 30000) / 60000;
    return {local(p.aosMs).toString(QStringLiteral("yyyy/MM/dd")),
            local(p.aosMs).toString(hm),
            degrees(p.aosAzimuthDeg),
            QString::number(row.aosPhase),
            local(p.maxMs).toString(hm),
            degrees(p.maxElevationDeg),
            degrees(p.maxAzimuthDeg),
            local(p.losMs).toString(hm),
            degrees(p.losAzimuthDeg),
            QString::number(row.losPhase),
            QString::number(minutes)};
}

QString SchedulePasses::scheduleLine(const Row &row)
{
    return local(row.pass.aosMs).toString(QStringLiteral("hh:mm")) + u'/' + row.satellite;
}

QStringList SchedulePasses::transfer(const QStringList &lines, const std::vector<Row> &rows)
{
    QStringList out = lines;
    QStringList satellites;
    for (const Row &r : rows) {
        if (!satellites.contains(r.satellite))
            satellites << r.satellite;
    }
    for (const QString &sat : satellites) {
        QStringList times;
        for (const Row &r : rows) {
            if (r.satellite == sat)
                times << ScheduleFile::timeOf(scheduleLine(r));
        }
        out = ScheduleFile::transfer(out, sat, times);
    }
    return out;
}

QStringList SchedulePasses::captions()
{
    return {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Az     MA  Time"),
            QStringLiteral("EL"), QStringLiteral("Az    Time    Az     MA  min")};
}

QString SchedulePasses::header()
{
    return QStringLiteral("          ------- AOS -----  ------- MEL -----   ------- LOS -----");
}

} // namespace vm
