#include "replay/OrbitTracking.h"

#include "orbit/LookAngles.h"

namespace vm::bench {

OrbitTrackingSource::OrbitTrackingSource(QString name, const orbit::Satellite &satellite,
                                         const orbit::Observer &station, const Clock &clock,
                                         const qint64 &leadMs)
    : m_name(std::move(name)), m_satellite(satellite), m_station(station), m_clock(clock), m_leadMs(leadMs)
{
}

TrackingSource::ReadResult OrbitTrackingSource::read(TrackingValues &values)
{
    const qint64 now = m_clock.utcMs();
    const orbit::LookAngles here = orbit::lookAngles(m_satellite, m_station, now);
    if (!here.ok())
        return ReadResult::Failed;
    double rangeRate = here.rangeRateMs;
    if (m_leadMs != 0) {
        const orbit::LookAngles ahead = orbit::lookAngles(m_satellite, m_station, now + m_leadMs);
        if (!ahead.ok())
            return ReadResult::Failed;
        rangeRate = ahead.rangeRateMs;
    }
    values.rangeRate = float(rangeRate);
    values.satellite = m_name;
    values.elevation = QString::number(here.elevationDeg, 'f', 1);
    values.revolution = QString::number(here.revolution);
    return ReadResult::Ok;
}

OrbitTrackingSources::OrbitTrackingSources(QString name, const orbit::Satellite &satellite,
                                           const orbit::Observer &station, const Clock &clock,
                                           const qint64 &leadMs)
    : m_prototype(std::move(name), satellite, station, clock, leadMs)
{
}

std::unique_ptr<TrackingSource> OrbitTrackingSources::create(const QString &, bool)
{
    return std::make_unique<OrbitTrackingSource>(m_prototype);
}

} // namespace vm::bench
