#include "replay/BuiltinTracking.h"

#include <QDir>

namespace vm::bench {

BuiltinTracking::BuiltinTracking(const QString &dataDir, QStringList tableNames, Clock &clock)
    : m_dataDir(dataDir), m_names(std::move(tableNames)), m_clock(clock),
      m_settings(QDir(dataDir).filePath(QStringLiteral("Velomira.ini")))
{
}

std::unique_ptr<TrackingSource> BuiltinTracking::create(const QString &, bool)
{
    auto source = std::make_unique<BuiltinSource>(m_settings, m_names, m_clock, m_dataDir);
    source->setRangeRateLead(true);
    m_last = source.get();
    return source;
}

void BuiltinTracking::selectSatellite(TrackingSource *source, const QString &name)
{
    if (auto *builtin = dynamic_cast<BuiltinSource *>(source))
        builtin->selectSatellite(name);
}

void BuiltinTracking::setDialDelay(TrackingSource *source, qint64 ms)
{
    if (auto *builtin = dynamic_cast<BuiltinSource *>(source))
        builtin->setDialDelayMs(ms);
}

} // namespace vm::bench
