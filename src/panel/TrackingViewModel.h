#pragma once

#include "orbit/LookAngles.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointF>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace vm {

class Clock;
class Settings;
struct SatelliteRecord;

// Where the chosen satellite is and what its pass does, computed by our own
// orbit code from the TLE file ([TRACK] TLEFile) and the station ([QTH]) the
// built-in tracking source uses, whatever source the controller runs. The
// tracking window and the Information frame show its snapshot; it holds no
// widgets, so everything it decides runs on a manual clock.
//
// update() costs two propagations (now and a few seconds ahead, for the
// direction of travel). The passes of the next day are searched when the
// satellite or its element set changes, when the pass on show ends and at
// least every PassRefreshMs; the pass's track is sampled once per pass. The
// TLE file is looked at for changes at most every ReloadCheckMs.
class TrackingViewModel {
    Q_DECLARE_TR_FUNCTIONS(TrackingViewModel)
public:
    static constexpr qint64 ReloadCheckMs = 5000;
    static constexpr qint64 PassRefreshMs = 3600LL * 1000;
    static constexpr qint64 PassSpanMs = 24LL * 3600 * 1000;
    // A pass already under way is found from this far back.
    static constexpr qint64 LookBackMs = 3LL * 3600 * 1000;
    // Elements older than this are shown as a warning.
    static constexpr qint64 StaleAfterMs = 14LL * 24 * 3600 * 1000;
    static constexpr int TrackPoints = 120;
    static constexpr qint64 AheadMs = 10000;

    enum class Status {
        Ok,
        NoSatellite,     // none chosen (or the undefined one)
        NoStation,       // [QTH] holds no position
        NoTleFile,       // the TLE file cannot be read
        NotInTleFile,    // the file holds no element set for the satellite
        CannotPropagate, // decayed or broken elements
    };

    struct TrackPoint {
        double azimuthDeg = 0;
        double elevationDeg = 0;
    };

    struct Snapshot {
        Status status = Status::NoSatellite;
        QString message; // for the operator when status is not Ok
        QString satellite;
        qint64 utcMs = 0;
        orbit::LookAngles look;  // now
        orbit::LookAngles ahead; // AheadMs later: the direction of travel
        double footprintKm = 0;  // radius of the footprint along the ground
        double downlinkHz = 0;   // centre frequencies from the satellite table (0: unknown)
        double uplinkHz = 0;
        double downlinkShiftHz = 0; // the Doppler shift at each of them
        double uplinkShiftHz = 0;
        std::optional<orbit::Pass> pass; // the pass under way, else the next one
        bool up = false;                 // `pass` is under way
        qint64 countdownMs = -1;         // to LOS when up, to AOS otherwise; -1: no pass
        std::vector<TrackPoint> track;   // `pass` from AOS to LOS
        std::vector<orbit::Pass> passes; // the pass under way and those starting within a day
        qint64 epochUtcMs = 0;
        bool staleElements = false; // epoch older than StaleAfterMs
    };

    TrackingViewModel(const Settings &settings, Clock &clock, QString dataDir);
    ~TrackingViewModel();

    // The table satellite to follow, with the table line its frequencies come
    // from (nullptr: none known). An empty name follows nothing.
    void setSatellite(const QString &name, const SatelliteRecord *record = nullptr);
    const QString &satellite() const { return m_name; }

    // Computes the snapshot for the clock's present moment.
    const Snapshot &update();
    const Snapshot &snapshot() const { return m_snap; }

    // One line for the Information frame: elevation and the countdown.
    QString infoText() const;
    // The warning for a snapshot's elements older than StaleAfterMs; empty otherwise.
    static QString staleText(const Snapshot &snapshot);

    // Where a direction lands on the polar plot: north up, east right, the
    // horizon on the circle of `radius` around `centre`, the zenith at the
    // centre (elevations below the horizon stay on the circle).
    static QPointF plotPoint(double azimuthDeg, double elevationDeg, const QPointF &centre, double radius);
    // Footprint radius along the ground (km) of a satellite at an altitude.
    static double footprintRadiusKm(double altitudeKm);
    // Doppler shift (Hz) of a frequency at a range rate (m/s, positive receding).
    static double dopplerShiftHz(double frequencyHz, double rangeRateMs);
    // Centre frequencies (Hz) of a table line: the passband's middle, an FM
    // satellite's channel. {downlink, uplink}.
    static std::pair<double, double> centreFrequencies(const SatelliteRecord &record);
    // "1:02:03", "2:03" (negative: "--:--").
    static QString durationText(qint64 ms);

private:
    void reloadIfChanged();
    bool loadElements();
    void searchPasses(qint64 now);
    void sampleTrack();
    Snapshot failed(Status status, const QString &message) const;

    const Settings &m_settings;
    Clock &m_clock;
    QString m_dataDir;
    QString m_name;
    double m_downHz = 0;
    double m_upHz = 0;

    std::unique_ptr<orbit::Satellite> m_sat;
    std::optional<orbit::Observer> m_station;
    Status m_loadStatus = Status::NoSatellite;
    QString m_loadMessage;
    QString m_tlePath;
    QDateTime m_tleModified;
    qint64 m_tleSize = -1;
    std::optional<qint64> m_lastCheckMs;

    std::vector<orbit::Pass> m_passes;
    std::optional<qint64> m_searchedAtMs;
    qint64 m_trackAosMs = -1;
    Snapshot m_snap;
};

} // namespace vm
