#pragma once

#include "common/Settings.h"
#include "rigctl/TrackingSources.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vm {

class Clock;
class LocalChannel;
class WineBridge;

// The tracking sources of the running program: outside tracking programs
// found by their window titles on the channel, their export endpoints or
// registry values, and the built-in orbit computation.
class StandardTrackingSources final : public TrackingSources {
public:
    // `settingsPath`: the data folder's Velomira.ini; `satelliteTable`: its SATdata.txt.
    // `windowExists` finds windows that are not channel endpoints (X11).
    StandardTrackingSources(LocalChannel &channel, Clock &clock, QString dataDir,
                            std::function<bool(const QString &title)> windowExists = {});

    // Tracking programs under Wine are read through this bridge; none: not at all.
    void setWineBridge(WineBridge *bridge) { m_bridge = bridge; }

    bool programRunning(const QString &title) override;
    std::unique_ptr<TrackingSource> create(const QString &calcType, bool useDde) override;
    bool builtinCanRun(QString *why) override;
    void selectSatellite(TrackingSource *source, const QString &name) override;
    void setDialDelay(TrackingSource *source, qint64 ms) override;

private:
    LocalChannel &m_channel;
    Clock &m_clock;
    QString m_dataDir;
    Settings m_settings;
    std::function<bool(const QString &)> m_windowExists;
    WineBridge *m_bridge = nullptr;
};

} // namespace vm
