#pragma once

#include "orbit/Observer.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "tracking/TrackingSource.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace vm {

class Clock;
class SatelliteTable;
class Settings;

// Our own tracking: SGP4 from the TLE file of the data folder ([TRACK]
// TLEFile) and the station of the settings file ([QTH]), at the Clock's UTC.
//
// The satellite reported is the satellite table's own name, so the controller
// finds it in the table; the element set is matched to it by
// satelliteMatch::find. The current satellite is the one chosen with
// selectSatellite() (kept in [TRACK] Satellite), or, in automatic mode, the
// satellite highest above the horizon, else the next to rise. An automatic
// choice is kept while its satellite is above the horizon: switching
// satellites in the middle of a pass would retune the rigs under the
// operator's contact.
//
// A tick's read costs one propagation. The automatic choice is looked at
// again at most every ChoiceIntervalMs of clock time, or at once when the
// current satellite sets; the pass search behind "next to rise" is cached
// per satellite for a day. The TLE file is checked for changes at most every
// ReloadCheckMs; a changed file that cannot be used leaves the loaded
// element sets in service (lastError() says why).
class BuiltinSource final : public TrackingSource {
public:
    static constexpr qint64 ReloadCheckMs = 5000;
    static constexpr qint64 ChoiceIntervalMs = 5000;
    static constexpr int64_t PassSearchSpanMs = 24LL * 3600 * 1000;

    // A satellite the operator may choose: a table satellite with an element set.
    struct Candidate {
        QString name;                 // the table's name
        QString tleName;              // the name in the TLE file
        double elevationDeg = 0.0;    // now
        bool up = false;              // above the horizon now
        std::optional<int64_t> aosMs; // the pass in progress or the next one, within a day
        std::optional<int64_t> losMs;
        double maxElevationDeg = 0.0; // of that pass
    };

    // `tableNames`: the satellite names of the table (see tableNames()).
    // `dataDir`: where a relative TLE file name is looked up; empty means the
    // folder of the settings file.
    BuiltinSource(Settings &settings, QStringList tableNames, Clock &clock, QString dataDir = QString());

    // Reads the station and the TLE file. False, with a message for the
    // operator, when the station is not set, the file cannot be read or none
    // of its element sets belongs to a table satellite. A source whose open
    // failed on the TLE file keeps looking for the file at every read (at
    // most every ReloadCheckMs) and yields NothingRead until it is usable.
    bool open(QString *error) override;
    ReadResult read(TrackingValues &values) override;
    void close() override { m_open = false; }
    // True once the station is known: the TLE file may still turn up.
    bool keepsTryingAfterFailedOpen() const override { return m_open && m_stationOk; }

    // The table changed (satellite editor): matches the element sets again.
    void setTableNames(const QStringList &names);

    // Chooses the satellite ("RCMSAT"); an empty name means automatic. The
    // choice is written to [TRACK] Satellite. False, with the reason, when
    // the name is not a table satellite with an element set.
    bool selectSatellite(const QString &name, QString *error = nullptr);
    bool isAutomatic() const { return m_selected.isEmpty(); }
    // The satellite the next read reports (empty: none yet).
    QString currentSatellite() const;

    // The table satellites that have an element set, in table order.
    QList<Candidate> candidates();

    // Range rate (m/s) of the current satellite at a moment, e.g. when a new
    // dial setting takes effect; nullopt without a current satellite.
    std::optional<double> rangeRateAt(int64_t unixMs) const;

    // The control loop sets its dials from each read and keeps them until the
    // next one. With the lead on, read() gives the range rate for the middle
    // of the time those dials will be in force rather than for the moment of
    // the read: half the time since the previous read (the loop's period, at
    // most MaxLeadPeriodMs) plus `dialDelayMs`, the time from the read to the
    // new dial reaching the rig. Elevation and revolution stay those of now.
    static constexpr qint64 MaxLeadPeriodMs = 2000;
    static constexpr qint64 DefaultDialDelayMs = 40; // two polls and a band change at 19200 baud
    void setRangeRateLead(bool on, qint64 dialDelayMs = DefaultDialDelayMs);
    // The dial delay as the loop measured it (negative values count as 0).
    void setDialDelayMs(qint64 ms) { m_dialDelayMs = std::max<qint64>(0, ms); }
    bool rangeRateLeadOn() const { return m_leadOn; }
    // The lead the last read used, in milliseconds (0 with the lead off).
    qint64 lastLeadMs() const { return m_lastLeadMs; }

    QString tleFilePath() const;
    const orbit::Observer &station() const { return m_station; }
    QString lastError() const { return m_lastError; }
    // Element sets of the file that were skipped, as "line N: reason".
    QStringList tleWarnings() const { return m_tleWarnings; }

    // The station from [QTH]: Latitude and Longitude, else Locator; Height in metres.
    static std::optional<orbit::Observer> stationFromSettings(const Settings &settings, QString *error);
    // The distinct usable satellite names of a table, in table order.
    static QStringList tableNames(const SatelliteTable &table);

private:
    struct Tracked {
        QString name;
        QString tleName;
        orbit::Satellite satellite;
        std::vector<orbit::Pass> passes; // cached, from passesFromMs to passesUntilMs
        int64_t passesFromMs = 0;
        int64_t passesUntilMs = 0;
        bool searched = false;
    };

    bool loadTle(QString *error);
    std::vector<Tracked> matched(const std::vector<orbit::Tle> &sets) const;
    void afterMatch();
    void checkTleFile(qint64 now);
    Tracked *findTracked(const QString &name);
    const Tracked *findTracked(const QString &name) const;
    const orbit::Pass *currentOrNextPass(Tracked &t, int64_t utcMs);
    void chooseAutomatic(int64_t utcMs);

    Settings &m_settings;
    Clock &m_clock;
    QStringList m_tableNames;
    QString m_dataDir;
    bool m_open = false;
    bool m_stationOk = false;
    orbit::Observer m_station;

    std::vector<orbit::Tle> m_sets; // the element sets of the file in use
    QDateTime m_tleModified;
    qint64 m_tleSize = -1;
    std::optional<qint64> m_lastCheckMs;
    QStringList m_tleWarnings;

    std::vector<Tracked> m_tracked;
    QString m_selected; // empty: automatic
    QString m_current;
    std::optional<qint64> m_lastChoiceMs;
    bool m_currentUp = false;
    QString m_lastError;

    bool m_leadOn = false;
    qint64 m_dialDelayMs = DefaultDialDelayMs;
    std::optional<qint64> m_lastReadMs;
    qint64 m_lastLeadMs = 0;
};

} // namespace vm
