#include "tracking/BuiltinSource.h"

#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/LookAngles.h"
#include "orbit/Maidenhead.h"
#include "orbit/Tle.h"
#include "tracking/OrbitValues.h"
#include "tracking/SatelliteMatch.h"
#include "common/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace vm {

namespace {

// A pass search is repeated when less than this much searched future is left.
constexpr int64_t PassRefreshMarginMs = 12LL * 3600 * 1000;

} // namespace

BuiltinSource::BuiltinSource(Settings &settings, QStringList tableNames, Clock &clock, QString dataDir)
    : m_settings(settings), m_clock(clock), m_tableNames(std::move(tableNames)), m_dataDir(std::move(dataDir))
{
    if (m_dataDir.isEmpty())
        m_dataDir = QFileInfo(m_settings.path()).absolutePath();
}

std::optional<orbit::Observer> BuiltinSource::stationFromSettings(const Settings &settings, QString *error)
{
    auto fail = [&](const QString &why) -> std::optional<orbit::Observer> {
        if (error)
            *error = why;
        return std::nullopt;
    };

    orbit::Observer station;
    station.heightM = finiteNumber(settings.value(keys::Height)).value_or(0.0);

    const std::optional<double> lat = finiteNumber(settings.value(keys::Latitude));
    const std::optional<double> lon = finiteNumber(settings.value(keys::Longitude));
    if (lat && lon) {
        if (std::abs(*lat) > 90.0 || *lon < -180.0 || *lon > 360.0)
            return fail(
                QCoreApplication::translate(
                    "Tracking", "局の位置が正しくありません: 緯度 %1 / 経度 %2 ([QTH] Latitude / Longitude)")
                    .arg(*lat)
                    .arg(*lon));
        station.latitudeDeg = *lat;
        station.longitudeDeg = *lon > 180.0 ? *lon - 360.0 : *lon;
        return station;
    }

    const QString locator = settings.value(keys::Locator).trimmed();
    if (!locator.isEmpty()) {
        const std::optional<orbit::LatLon> p = orbit::locatorToLatLon(locator.toStdString());
        if (!p)
            return fail(QCoreApplication::translate(
                            "Tracking", "グリッドロケーター \"%1\" が正しくありません ([QTH] Locator)")
                            .arg(locator));
        station.latitudeDeg = p->latitudeDeg;
        station.longitudeDeg = p->longitudeDeg;
        return station;
    }
    return fail(QCoreApplication::translate(
        "Tracking", "局の位置が設定されていません: Velomira.ini の [QTH] に Latitude と "
                    "Longitude (度)、または Locator を設定して下さい"));
}

QStringList BuiltinSource::tableNames(const SatelliteTable &table)
{
    QStringList names;
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        const QString name = r.Name.trimmed();
        if (!r.isUsable() || name.isEmpty() || names.contains(name, Qt::CaseInsensitive))
            continue;
        names << name;
    }
    return names;
}

QString BuiltinSource::tleFilePath() const
{
    const QString configured = m_settings.value(keys::TleFile).trimmed();
    if (QFileInfo(configured).isAbsolute())
        return configured;
    return findFileNoCase(m_dataDir, configured);
}

bool BuiltinSource::open(QString *error)
{
    m_open = true;
    m_lastError.clear();
    m_current.clear();
    m_lastChoiceMs.reset();
    m_currentUp = false;

    QString why;
    const std::optional<orbit::Observer> station = stationFromSettings(m_settings, &why);
    m_stationOk = station.has_value();
    if (!m_stationOk) {
        m_lastError = why;
        if (error)
            *error = why;
        return false;
    }
    m_station = *station;

    m_lastCheckMs = m_clock.nowMs();
    if (!loadTle(&why)) {
        m_lastError = why;
        if (error)
            *error = why;
        return false;
    }

    // The satellite chosen last time, when it is still there; else automatic.
    m_selected = m_settings.value(keys::TrackSatellite).trimmed();
    if (!m_selected.isEmpty()) {
        if (const Tracked *t = findTracked(m_selected)) {
            m_selected = t->name;
        } else {
            m_lastError = QCoreApplication::translate(
                              "Tracking", "選択されていた衛星 %1 の軌道要素がないので自動選択にします")
                              .arg(m_selected);
            m_selected.clear();
        }
    }
    return true;
}

bool BuiltinSource::loadTle(QString *error)
{
    const QString path = tleFilePath();
    const QFileInfo info(path);
    QString why;
    const std::optional<QString> text = TextFile::read(path, &why);
    if (!text) {
        if (error)
            *error = QCoreApplication::translate("Tracking", "TLEファイルが読めません: %1").arg(why);
        return false;
    }
    orbit::TleParseResult parsed = orbit::parseTleText(text->toStdString());
    QStringList warnings;
    for (const orbit::TleProblem &p : parsed.problems)
        warnings << QStringLiteral("line %1: %2").arg(p.line).arg(QString::fromStdString(p.message));

    // A file whose sets match no table satellite is of no use: keep what we had.
    std::vector<Tracked> tracked = matched(parsed.sets);
    if (tracked.empty()) {
        const bool noSets = parsed.sets.empty();
        if (error) {
            *error = noSets ? QCoreApplication::translate("Tracking", "TLEファイル %1 に軌道要素がありません")
                                  .arg(QDir::toNativeSeparators(path))
                            : QCoreApplication::translate(
                                  "Tracking", "TLEファイル %1 に衛星テーブルの衛星の軌道要素がありません")
                                  .arg(QDir::toNativeSeparators(path));
        }
        // Nothing in service yet: keep the sets for a table that may still gain
        // one of them (setTableNames).
        if (m_tracked.empty())
            m_sets = std::move(parsed.sets);
        // Remember the file as seen so that it is not read again until it changes.
        m_tleModified = info.lastModified();
        m_tleSize = info.size();
        return false;
    }
    m_sets = std::move(parsed.sets);
    m_tracked = std::move(tracked);
    for (const Tracked &t : m_tracked) {
        if (orbit::epochIsStale(t.satellite, m_clock.utcMs()))
            warnings << QStringLiteral("%1: the element set's epoch is over a year from now; no passes are "
                                       "predicted for it until the TLE file is updated")
                            .arg(t.name);
    }
    m_tleWarnings = warnings;
    m_tleModified = info.lastModified();
    m_tleSize = info.size();
    afterMatch();
    return true;
}

std::vector<BuiltinSource::Tracked> BuiltinSource::matched(const std::vector<orbit::Tle> &sets) const
{
    std::vector<Tracked> tracked;
    for (const QString &name : m_tableNames) {
        const std::optional<std::size_t> i = satelliteMatch::find(name, sets);
        if (!i)
            continue;
        const orbit::Tle &tle = sets[*i];
        tracked.push_back(
            Tracked{name, QString::fromStdString(tle.displayName()), orbit::Satellite(tle), {}, 0, 0, false});
    }
    return tracked;
}

void BuiltinSource::afterMatch()
{
    // A choice stands only while its satellite is still there; the operator's
    // choice then gives way to the automatic one (the setting is kept).
    if (!m_selected.isEmpty() && !findTracked(m_selected))
        m_selected.clear();
    if (!m_current.isEmpty() && !findTracked(m_current)) {
        m_current.clear();
        m_currentUp = false;
    }
    m_lastChoiceMs.reset();
}

void BuiltinSource::setTableNames(const QStringList &names)
{
    m_tableNames = names;
    m_tracked = matched(m_sets);
    afterMatch();
}

void BuiltinSource::checkTleFile(qint64 now)
{
    if (m_lastCheckMs && now - *m_lastCheckMs < ReloadCheckMs)
        return;
    m_lastCheckMs = now;
    const QFileInfo info(tleFilePath());
    if (!info.exists()) {
        if (m_tracked.empty())
            m_lastError = QCoreApplication::translate("Tracking", "TLEファイル %1 がありません")
                              .arg(QDir::toNativeSeparators(info.filePath()));
        return;
    }
    if (!m_tracked.empty() && info.lastModified() == m_tleModified && info.size() == m_tleSize)
        return;
    if (m_tracked.empty() && info.lastModified() == m_tleModified && info.size() == m_tleSize)
        return; // the same unusable file as last time
    QString why;
    if (loadTle(&why)) {
        m_lastError.clear();
    } else {
        m_lastError = why;
    }
}

BuiltinSource::Tracked *BuiltinSource::findTracked(const QString &name)
{
    for (Tracked &t : m_tracked) {
        if (t.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

const BuiltinSource::Tracked *BuiltinSource::findTracked(const QString &name) const
{
    return const_cast<BuiltinSource *>(this)->findTracked(name);
}

const orbit::Pass *BuiltinSource::currentOrNextPass(Tracked &t, int64_t utcMs)
{
    auto ended = [utcMs](const orbit::Pass &p) { return p.losMs < utcMs; };
    t.passes.erase(std::remove_if(t.passes.begin(), t.passes.end(), ended), t.passes.end());
    const bool stale = !t.searched || utcMs < t.passesFromMs ||
                       (t.passes.empty() && t.passesUntilMs - utcMs < PassRefreshMarginMs);
    if (stale) {
        const orbit::PassSearchResult found =
            orbit::findPasses(t.satellite, m_station, utcMs, utcMs + PassSearchSpanMs);
        t.passes = found.passes;
        t.passes.erase(std::remove_if(t.passes.begin(), t.passes.end(), ended), t.passes.end());
        t.passesFromMs = utcMs;
        t.passesUntilMs = utcMs + PassSearchSpanMs;
        t.searched = true;
    }
    return t.passes.empty() ? nullptr : &t.passes.front();
}

void BuiltinSource::chooseAutomatic(int64_t utcMs)
{
    // Highest above the horizon.
    const Tracked *best = nullptr;
    double bestElevation = 0.0;
    const Tracked *highest = nullptr; // highest of all, for when nothing rises within a day
    double highestElevation = 0.0;
    for (const Tracked &t : m_tracked) {
        if (orbit::epochIsStale(t.satellite, utcMs))
            continue; // stale elements: neither up nor rising as far as we can tell
        const double el = orbit::elevationDeg(t.satellite, m_station, utcMs);
        if (std::isnan(el))
            continue;
        if (!highest || el > highestElevation) {
            highest = &t;
            highestElevation = el;
        }
        if (el >= 0.0 && (!best || el > bestElevation)) {
            best = &t;
            bestElevation = el;
        }
    }
    if (!best) {
        // Else the next to rise.
        int64_t earliest = 0;
        for (Tracked &t : m_tracked) {
            const orbit::Pass *p = currentOrNextPass(t, utcMs);
            if (p && (!best || p->aosMs < earliest)) {
                best = &t;
                earliest = p->aosMs;
            }
        }
    }
    if (!best)
        best = highest;
    m_current = best ? best->name : QString();
}

QString BuiltinSource::currentSatellite() const
{
    return m_selected.isEmpty() ? m_current : m_selected;
}

TrackingSource::ReadResult BuiltinSource::read(TrackingValues &values)
{
    if (!m_open || !m_stationOk)
        return ReadResult::NothingRead;
    const qint64 now = m_clock.nowMs();
    const int64_t utc = m_clock.utcMs();
    checkTleFile(now);
    if (m_tracked.empty())
        return ReadResult::NothingRead;

    if (m_selected.isEmpty()) {
        const bool due = m_current.isEmpty() || !m_lastChoiceMs || now - *m_lastChoiceMs >= ChoiceIntervalMs;
        // A satellite above the horizon keeps its place until it sets.
        if (m_current.isEmpty() || (due && !m_currentUp)) {
            chooseAutomatic(utc);
            m_lastChoiceMs = now;
        }
    }

    const QString name = currentSatellite();
    const Tracked *t = findTracked(name);
    if (!t)
        return ReadResult::NothingRead;
    std::optional<TrackingValues> v = orbitValues::compute(t->name, t->satellite, m_station, utc);
    if (v && m_selected.isEmpty()) {
        const bool up = v->elevation.toDouble() >= 0.0;
        if (m_currentUp && !up) {
            // The automatic satellite has just set: look for the next one now.
            chooseAutomatic(utc);
            m_lastChoiceMs = now;
            if (const Tracked *next = findTracked(m_current); next && next != t) {
                t = next;
                v = orbitValues::compute(t->name, t->satellite, m_station, utc);
            }
        }
        m_currentUp = v && v->elevation.toDouble() >= 0.0;
    }
    if (!v) {
        m_lastError = QCoreApplication::translate(
                          "Tracking", "%1 の軌道を計算できません (軌道要素が古いか正しくありません)")
                          .arg(t->name);
        return ReadResult::Failed;
    }
    m_lastLeadMs = 0;
    if (m_leadOn) {
        const qint64 period = m_lastReadMs ? std::clamp<qint64>(now - *m_lastReadMs, 0, MaxLeadPeriodMs) : 0;
        m_lastLeadMs = period / 2 + m_dialDelayMs;
        const orbit::LookAngles ahead = orbit::lookAngles(t->satellite, m_station, utc + m_lastLeadMs);
        if (ahead.ok())
            v->rangeRate = float(ahead.rangeRateMs);
        else
            m_lastLeadMs = 0;
    }
    m_lastReadMs = now;
    values = *v;
    return ReadResult::Ok;
}

void BuiltinSource::setRangeRateLead(bool on, qint64 dialDelayMs)
{
    m_leadOn = on;
    m_dialDelayMs = std::max<qint64>(0, dialDelayMs);
    m_lastReadMs.reset();
}

bool BuiltinSource::selectSatellite(const QString &name, QString *error)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) {
        m_selected.clear();
        m_current.clear();
        m_currentUp = false;
        m_lastChoiceMs.reset();
        m_settings.setValue(keys::TrackSatellite, QString());
        return true;
    }
    const Tracked *t = findTracked(wanted);
    if (!t) {
        if (error)
            *error = QCoreApplication::translate("Tracking", "衛星 %1 の軌道要素がありません").arg(wanted);
        return false;
    }
    m_selected = t->name;
    m_settings.setValue(keys::TrackSatellite, t->name);
    return true;
}

QList<BuiltinSource::Candidate> BuiltinSource::candidates()
{
    QList<Candidate> list;
    if (!m_stationOk)
        return list;
    const int64_t utc = m_clock.utcMs();
    for (Tracked &t : m_tracked) {
        Candidate c;
        c.name = t.name;
        c.tleName = t.tleName;
        c.elevationDeg = orbit::elevationDeg(t.satellite, m_station, utc);
        c.up = c.elevationDeg >= 0.0;
        if (const orbit::Pass *p = currentOrNextPass(t, utc)) {
            c.aosMs = p->aosMs;
            c.losMs = p->losMs;
            c.maxElevationDeg = p->maxElevationDeg;
        }
        list << c;
    }
    return list;
}

std::optional<double> BuiltinSource::rangeRateAt(int64_t unixMs) const
{
    const Tracked *t = findTracked(currentSatellite());
    if (!t || !m_stationOk)
        return std::nullopt;
    const orbit::LookAngles look = orbit::lookAngles(t->satellite, m_station, unixMs);
    if (!look.ok())
        return std::nullopt;
    return look.rangeRateMs;
}

} // namespace vm
