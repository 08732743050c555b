#pragma once

#include "common/Clock.h"
#include "orbit/Observer.h"
#include "orbit/Satellite.h"
#include "rigctl/TrackingSources.h"
#include "tracking/TrackingSource.h"

#include <QString>
#include <memory>

namespace vm::bench {

// One satellite computed with our SGP4 at the clock's UTC, as the built-in
// source does. `leadMs` (read at every read, so the replay may settle it
// while running) moves the moment the range rate is computed for ahead of
// the read: a source that knows when the dial it feeds will be in force can
// give the range rate for then.
class OrbitTrackingSource final : public TrackingSource {
public:
    OrbitTrackingSource(QString name, const orbit::Satellite &satellite, const orbit::Observer &station,
                        const Clock &clock, const qint64 &leadMs);

    bool open(QString *) override { return true; }
    ReadResult read(TrackingValues &values) override;
    void close() override {}

private:
    QString m_name;
    const orbit::Satellite &m_satellite;
    orbit::Observer m_station;
    const Clock &m_clock;
    const qint64 &m_leadMs;
};

// Hands the controller the orbit source whatever kind it asks for.
class OrbitTrackingSources final : public TrackingSources {
public:
    OrbitTrackingSources(QString name, const orbit::Satellite &satellite, const orbit::Observer &station,
                         const Clock &clock, const qint64 &leadMs);

    bool programRunning(const QString &) override { return false; }
    std::unique_ptr<TrackingSource> create(const QString &calcType, bool useDde) override;
    void selectSatellite(TrackingSource *, const QString &) override {}

private:
    OrbitTrackingSource m_prototype; // every source handed out is a copy
};

} // namespace vm::bench
