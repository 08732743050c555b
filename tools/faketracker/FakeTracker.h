#pragma once

#include "TrackerScript.h"
#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "platform/LocalChannel.h"
#include "tracking/TrackingProgram.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace vm::faketracker {

// The values the stand-in serves, as texts.
struct Values {
    QString satellite;
    QString elevation;
    QString rangeRate;
    QString revolution;
};

// A stand-in tracking program: owns the program's window title and its
// export endpoint, answers item requests with values that are fixed, scripted
// over time or computed from an element set, and can write them to a Wine
// registry file every second. Its clock runs from a start time at a chosen
// speed and can be moved with "at TIME" on standard input.
class FakeTracker : public QObject {
    Q_OBJECT
public:
    struct Orbit {
        QString name; // the satellite name served
        orbit::Satellite satellite;
        orbit::Observer station;
    };

    FakeTracker(TrackingKind kind, int64_t startUtcMs, double speed, QObject *parent = nullptr);
    ~FakeTracker() override;

    void setFixed(const Values &values) { m_fixed = values; }
    void setScript(const TrackerScript &script) { m_script = script; }
    void setOrbit(std::unique_ptr<Orbit> orbit);
    void setRegistryFile(const QString &path) { m_registryFile = path; }

    // Takes the titles and starts serving. False, with the reason.
    bool start(QString *error);

    int64_t simulatedUtcMs() const;
    void setSimulatedUtcMs(int64_t utcMs);
    Values valuesNow() const;

signals:
    void finished();

private:
    std::optional<QString> item(const QString &name) const;
    void writeRegistry();
    void readConsole();
    void handleCommand(const QString &line);

    const TrackingProgram &m_program;
    int64_t m_startUtcMs;
    int64_t m_baseUtcMs;
    double m_speed;
    QElapsedTimer m_sinceBase;
    std::optional<Values> m_fixed;
    std::optional<TrackerScript> m_script;
    std::unique_ptr<Orbit> m_orbit;
    QString m_registryFile;
    LocalChannel m_channel;
    QTimer m_registryTimer;
    QSocketNotifier *m_console = nullptr;
    QByteArray m_consoleBuffer;
};

// Unix milliseconds from "YYYY-MM-DD HH:MM:SS", "YYYY-MM-DDTHH:MM:SS[.zzz]"
// (UTC) or a plain number of milliseconds.
std::optional<int64_t> parseUtc(const QString &text);

} // namespace vm::faketracker
