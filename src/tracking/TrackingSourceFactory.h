#pragma once

#include "tracking/TrackingProgram.h"
#include "tracking/TrackingSource.h"

#include <QString>
#include <QStringList>
#include <functional>

#include <memory>

namespace vm {

class Clock;
class LocalChannel;
class Settings;
class WineBridge;

// What the sources are built from.
struct TrackingSourceContext {
    Settings &settings;     // [VLMRC] use_DDE and RegFile, [QTH], [TRACK]
    LocalChannel &channel;  // export endpoints and window titles
    Clock &clock;           // the built-in source's time
    QStringList tableNames; // the built-in source's satellites (BuiltinSource::tableNames)
    QString dataDir = {};   // where the built-in source looks up a relative TLE file name;
                            // empty: the settings file's folder
    // Windows that are not channel endpoints (a tracking program under Wine
    // on the X11 display); none when not given.
    std::function<bool(const QString &title)> windowExists = {};
    // vmbridge.exe, for a program that runs under Wine (its window is there
    // but not its export endpoint); none when not installed.
    WineBridge *bridge = nullptr;
};

// The source for a tracking kind (the Calc_Type): for an outside program its
// export endpoint (through the Wine bridge when the program runs under Wine),
// or with [VLMRC] use_DDE "0" its registry values in the Wine
// registry file ([VLMRC] RegFile); for Builtin our own computation. Ornik has
// only the export endpoint: when the settings ask for the registry method,
// use_DDE is set back to "1" in the settings file, as opening its link does.
std::unique_ptr<TrackingSource> makeTrackingSource(TrackingKind kind, const TrackingSourceContext &context);

// [VLMRC] RegFile with a leading "~" replaced by the home folder.
QString registryFilePath(const Settings &settings);

} // namespace vm
