#pragma once

#include "common/Clock.h"
#include "common/Settings.h"
#include "rigctl/TrackingSources.h"
#include "tracking/BuiltinSource.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace vm::bench {

// The program's own built-in source (TLE file and station from the data
// folder's settings), set up as the controller's tracking sources set it up:
// with the range-rate lead on.
class BuiltinTracking final : public TrackingSources {
public:
    BuiltinTracking(const QString &dataDir, QStringList tableNames, Clock &clock);

    bool programRunning(const QString &) override { return false; }
    std::unique_ptr<TrackingSource> create(const QString &calcType, bool useDde) override;
    void selectSatellite(TrackingSource *source, const QString &name) override;
    void setDialDelay(TrackingSource *source, qint64 ms) override;

    // The source handed out last (owned by the controller), or null.
    const BuiltinSource *source() const { return m_last; }

private:
    QString m_dataDir;
    QStringList m_names;
    Clock &m_clock;
    Settings m_settings;
    BuiltinSource *m_last = nullptr;
};

} // namespace vm::bench
