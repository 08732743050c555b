#include "panel/SatelliteChooser.h"

#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "orbit/LookAngles.h"
#include "orbit/Maidenhead.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vm {

namespace {

QString squeeze(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        if (c != u' ' && c != u'-' && c != u'_')
            out.append(c.toUpper());
    }
    return out;
}

} // namespace

std::optional<orbit::Observer> SatelliteChooser::station(const Settings &settings)
{
    orbit::Observer o;
    bool okHeight = false;
    o.heightM = settings.value(keys::Height).toDouble(&okHeight);
    if (!okHeight)
        o.heightM = 0;
    const auto lat = settings.stored(keys::Latitude);
    const auto lon = settings.stored(keys::Longitude);
    bool okLat = false;
    bool okLon = false;
    if (lat && lon) {
        o.latitudeDeg = lat->trimmed().toDouble(&okLat);
        o.longitudeDeg = lon->trimmed().toDouble(&okLon);
        if (okLat && okLon && qAbs(o.latitudeDeg) <= 90 && qAbs(o.longitudeDeg) <= 180)
            return o;
    }
    const auto locator = settings.stored(keys::Locator);
    if (!locator)
        return std::nullopt;
    const auto centre = orbit::locatorToLatLon(locator->trimmed().toStdString());
    if (!centre)
        return std::nullopt;
    o.latitudeDeg = centre->latitudeDeg;
    o.longitudeDeg = centre->longitudeDeg;
    return o;
}

QString SatelliteChooser::tleFile(const Settings &settings, const QString &dataDir)
{
    const QString name = settings.value(keys::TleFile);
    return QFileInfo(name).isAbsolute() ? name : QDir(dataDir).filePath(name);
}

bool SatelliteChooser::sameSatellite(const QString &tableName, const QString &tleName)
{
    const QString want = squeeze(tableName);
    if (want.isEmpty())
        return false;
    if (squeeze(tleName) == want)
        return true;
    const qsizetype open = tleName.indexOf(u'(');
    if (open < 0)
        return false;
    if (squeeze(tleName.left(open)) == want)
        return true;
    const qsizetype close = tleName.indexOf(u')', open);
    return squeeze(tleName.mid(open + 1, close < 0 ? -1 : close - open - 1)) == want;
}

QList<SatelliteChooser::Tracked> SatelliteChooser::tracked(const SatelliteTable &table, const QString &tleText)
{
    const orbit::TleParseResult parsed = orbit::parseTleText(tleText.toStdString());
    QList<Tracked> out;
    QSet<QString> seen;
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        if (!r.isUsable() || seen.contains(r.Name.toUpper()))
            continue;
        for (const orbit::Tle &tle : parsed.sets) {
            if (sameSatellite(r.Name, QString::fromStdString(tle.displayName()))) {
                seen.insert(r.Name.toUpper());
                out.append({r.Name, tle});
                break;
            }
        }
    }
    return out;
}

QList<SatelliteChooser::Entry> SatelliteChooser::entries(const SatelliteTable &table, const QString &tleText,
                                                         const orbit::Observer &station, qint64 nowUtcMs)
{
    QList<Entry> out;
    for (const Tracked &t : tracked(table, tleText)) {
        const orbit::Satellite sat(t.tle);
        Entry e;
        e.name = t.name;
        if (orbit::epochIsStale(sat, nowUtcMs)) {
            e.staleEpoch = true;
            out.append(e);
            continue;
        }
        const orbit::LookAngles now = orbit::lookAngles(sat, station, nowUtcMs);
        if (!now.ok())
            continue; // decayed or broken elements: not offered
        e.elevationDeg = now.elevationDeg;
        e.up = now.elevationDeg >= 0;
        const orbit::PassSearchResult passes =
            orbit::findPasses(sat, station, nowUtcMs, nowUtcMs + 24LL * 3600 * 1000);
        for (const orbit::Pass &p : passes.passes) {
            if (p.aosMs > nowUtcMs && !p.aosAtSpanStart) {
                e.nextAosMs = p.aosMs;
                break;
            }
        }
        out.append(e);
    }
    return out;
}

QString SatelliteChooser::staleMessage(const QList<Entry> &entries)
{
    QStringList names;
    for (const Entry &e : entries) {
        if (e.staleEpoch)
            names << e.name;
    }
    if (names.isEmpty())
        return QString();
    return QCoreApplication::translate(
               "Panel", "軌道要素の元期が1年以上離れているため予測しません (TLEを更新して下さい): ") +
           names.join(QStringLiteral(", "));
}

} // namespace vm
