#include "panel/TrackingViewModel.h"

#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SatelliteRecord.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/Tle.h"
#include "panel/SatelliteChooser.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace vm {

namespace {

constexpr double EarthRadiusKm = 6371.0;
constexpr double SpeedOfLightMs = 299792458.0;
constexpr double Pi = 3.14159265358979323846;

bool sameStation(const std::optional<orbit::Observer> &a, const std::optional<orbit::Observer> &b)
{
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->latitudeDeg == b->latitudeDeg && a->longitudeDeg == b->longitudeDeg && a->heightM == b->heightM;
}

} // namespace

TrackingViewModel::TrackingViewModel(const Settings &settings, Clock &clock, QString dataDir)
    : m_settings(settings), m_clock(clock), m_dataDir(std::move(dataDir))
{
}

TrackingViewModel::~TrackingViewModel() = default;

void TrackingViewModel::setSatellite(const QString &name, const SatelliteRecord *record)
{
    const auto [down, up] = record ? centreFrequencies(*record) : std::pair<double, double>{0, 0};
    m_downHz = down;
    m_upHz = up;
    if (name == m_name)
        return;
    m_name = name;
    m_sat.reset();
    m_lastCheckMs.reset(); // look the satellite up at the next update
    m_tleSize = -1;
}

QPointF TrackingViewModel::plotPoint(double azimuthDeg, double elevationDeg, const QPointF &centre,
                                     double radius)
{
    const double r = radius * (90.0 - std::clamp(elevationDeg, 0.0, 90.0)) / 90.0;
    const double a = azimuthDeg * Pi / 180.0;
    return {centre.x() + r * std::sin(a), centre.y() - r * std::cos(a)};
}

double TrackingViewModel::footprintRadiusKm(double altitudeKm)
{
    return altitudeKm <= 0 ? 0.0 : EarthRadiusKm * std::acos(EarthRadiusKm / (EarthRadiusKm + altitudeKm));
}

double TrackingViewModel::dopplerShiftHz(double frequencyHz, double rangeRateMs)
{
    return -frequencyHz * rangeRateMs / SpeedOfLightMs;
}

std::pair<double, double> TrackingViewModel::centreFrequencies(const SatelliteRecord &record)
{
    if (!record.isUsable())
        return {0, 0};
    const double widthKhz = record.Width.trimmed().isEmpty() ? 100.0 : record.Width.toDouble();
    const double half = record.Tone.trimmed().isEmpty() ? widthKhz / 2 : 0.0;
    return {(record.DownLink.toDouble() + half) * 1000.0, (record.UpLink.toDouble() + half) * 1000.0};
}

QString TrackingViewModel::durationText(qint64 ms)
{
    if (ms < 0)
        return QStringLiteral("--:--");
    const qint64 s = ms / 1000;
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QChar(u'0'))
            .arg(s % 60, 2, 10, QChar(u'0'));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar(u'0'));
}

QString TrackingViewModel::infoText() const
{
    const Snapshot &s = m_snap;
    if (s.status != Status::Ok)
        return QString();
    const QString el = tr("仰角 %1°").arg(s.look.elevationDeg, 0, 'f', 0);
    if (s.countdownMs < 0)
        return el;
    return el + QStringLiteral("  ") + (s.up ? tr("LOS %1") : tr("AOS %1")).arg(durationText(s.countdownMs));
}

QString TrackingViewModel::staleText(const Snapshot &s)
{
    if (s.status != Status::Ok || !s.staleElements)
        return QString();
    return tr("軌道要素が古くなっています (元期 %1、%2 日前): TLEファイルを更新して下さい")
        .arg(QDateTime::fromMSecsSinceEpoch(s.epochUtcMs, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd")))
        .arg((s.utcMs - s.epochUtcMs) / 86400000);
}

TrackingViewModel::Snapshot TrackingViewModel::failed(Status status, const QString &message) const
{
    Snapshot s;
    s.status = status;
    s.message = message;
    s.satellite = m_name;
    s.utcMs = m_clock.utcMs();
    return s;
}

void TrackingViewModel::reloadIfChanged()
{
    const qint64 now = m_clock.nowMs();
    if (m_lastCheckMs && now - *m_lastCheckMs < ReloadCheckMs)
        return;
    m_lastCheckMs = now;

    const std::optional<orbit::Observer> station = SatelliteChooser::station(m_settings);
    const QString configured = m_settings.value(keys::TleFile).trimmed();
    const QString path =
        QFileInfo(configured).isAbsolute() ? configured : findFileNoCase(m_dataDir, configured);
    const QFileInfo info(path);
    const bool same = sameStation(station, m_station) && path == m_tlePath && info.exists() &&
                      info.lastModified() == m_tleModified && info.size() == m_tleSize;
    if (same && m_loadStatus != Status::NoSatellite)
        return;
    m_station = station;
    m_tlePath = path;
    m_tleModified = info.lastModified();
    m_tleSize = info.exists() ? info.size() : -1;
    m_passes.clear();
    m_searchedAtMs.reset();
    m_trackAosMs = -1;
    loadElements();
}

bool TrackingViewModel::loadElements()
{
    m_sat.reset();
    auto fail = [this](Status status, const QString &message) {
        m_loadStatus = status;
        m_loadMessage = message;
        return false;
    };
    if (m_name.isEmpty())
        return fail(Status::NoSatellite, tr("衛星が選ばれていません"));
    if (!m_station)
        return fail(Status::NoStation,
                    tr("局の位置が設定されていません: Velomira.ini の [QTH] に Latitude と "
                       "Longitude (度)、または Locator を設定して下さい"));
    QString why;
    const std::optional<QString> text = TextFile::read(m_tlePath, &why);
    if (!text)
        return fail(Status::NoTleFile, tr("TLEファイルが読めません: %1").arg(why));
    const orbit::TleParseResult parsed = orbit::parseTleText(text->toStdString());
    for (const orbit::Tle &tle : parsed.sets) {
        if (SatelliteChooser::sameSatellite(m_name, QString::fromStdString(tle.displayName()))) {
            m_sat = std::make_unique<orbit::Satellite>(tle);
            m_loadStatus = Status::Ok;
            m_loadMessage.clear();
            return true;
        }
    }
    return fail(
        Status::NotInTleFile,
        tr("TLEファイル %1 に %2 の軌道要素がありません").arg(QDir::toNativeSeparators(m_tlePath), m_name));
}

void TrackingViewModel::searchPasses(qint64 now)
{
    const orbit::PassSearchResult found =
        orbit::findPasses(*m_sat, *m_station, now - LookBackMs, now + PassSpanMs);
    m_passes.clear();
    for (const orbit::Pass &p : found.passes) {
        if (p.losMs >= now)
            m_passes.push_back(p);
    }
    m_searchedAtMs = now;
}

void TrackingViewModel::sampleTrack()
{
    const orbit::Pass &p = *m_snap.pass;
    m_snap.track.clear();
    const qint64 span = p.losMs - p.aosMs;
    for (int i = 0; i <= TrackPoints; ++i) {
        const qint64 t = p.aosMs + span * i / TrackPoints;
        const orbit::LookAngles a = orbit::lookAngles(*m_sat, *m_station, t);
        if (a.ok())
            m_snap.track.push_back({a.azimuthDeg, a.elevationDeg});
    }
    m_trackAosMs = p.aosMs;
}

const TrackingViewModel::Snapshot &TrackingViewModel::update()
{
    reloadIfChanged();
    if (!m_sat) {
        m_snap = failed(m_loadStatus, m_loadMessage);
        return m_snap;
    }
    const qint64 now = m_clock.utcMs();
    const orbit::LookAngles look = orbit::lookAngles(*m_sat, *m_station, now);
    if (!look.ok()) {
        m_snap = failed(Status::CannotPropagate,
                        tr("%1 の軌道を計算できません (減衰したか軌道要素が正しくありません)").arg(m_name));
        return m_snap;
    }

    // The passes are searched again when the first one has ended or the search has aged.
    if (!m_searchedAtMs || now < *m_searchedAtMs || now - *m_searchedAtMs >= PassRefreshMs ||
        (!m_passes.empty() && m_passes.front().losMs < now))
        searchPasses(now);
    while (!m_passes.empty() && m_passes.front().losMs < now)
        m_passes.erase(m_passes.begin());

    std::vector<TrackPoint> track = std::move(m_snap.track);
    m_snap = Snapshot();
    m_snap.track = std::move(track);
    m_snap.status = Status::Ok;
    m_snap.satellite = m_name;
    m_snap.utcMs = now;
    m_snap.look = look;
    m_snap.ahead = orbit::lookAngles(*m_sat, *m_station, now + AheadMs);
    m_snap.footprintKm = footprintRadiusKm(look.subSatellite.heightKm);
    m_snap.downlinkHz = m_downHz;
    m_snap.uplinkHz = m_upHz;
    m_snap.downlinkShiftHz = dopplerShiftHz(m_downHz, look.rangeRateMs);
    m_snap.uplinkShiftHz = dopplerShiftHz(m_upHz, look.rangeRateMs);
    m_snap.epochUtcMs = m_sat->epochUnixMs();
    m_snap.staleElements = now - m_sat->epochUnixMs() > StaleAfterMs;
    m_snap.passes = m_passes;
    if (!m_passes.empty()) {
        const orbit::Pass &p = m_passes.front();
        m_snap.pass = p;
        m_snap.up = p.aosMs <= now;
        m_snap.countdownMs = m_snap.up ? p.losMs - now : p.aosMs - now;
        if (p.aosMs != m_trackAosMs || m_snap.track.empty())
            sampleTrack();
    } else {
        m_snap.track.clear();
        m_trackAosMs = -1;
    }
    return m_snap;
}

} // namespace vm
