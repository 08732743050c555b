#pragma once

#include "tracking/TrackingSource.h"

#include <QString>
#include <QtGlobal>
#include <memory>

namespace vm {

// Where the controller finds its tracking data: which outside tracking
// programs run, and the source for a tracking kind (Calc_Type).
class TrackingSources {
public:
    virtual ~TrackingSources() = default;

    // Whether an outside tracking program with this window title runs
    // ("Kepral32", "ornik", "Kepral99").
    virtual bool programRunning(const QString &title) = 0;

    // The source for a kind: "1" Kepral32, "2" Ornik, "3" Kepral99 (by the
    // export endpoint, or the registry when useDde is false), "4" built-in.
    // nullptr when the kind cannot be served here.
    virtual std::unique_ptr<TrackingSource> create(const QString &calcType, bool useDde) = 0;

    // Whether the built-in orbit computation can serve here (orbit data and a
    // station); `why` says what it lacks when it cannot.
    virtual bool builtinCanRun(QString *why)
    {
        Q_UNUSED(why)
        return false;
    }

    // The built-in source follows the panel's choice of satellite (empty:
    // automatic). Other sources ignore it.
    virtual void selectSatellite(TrackingSource *source, const QString &name) = 0;

    // How long after its tracking read a tick's new dial reached the rig, in
    // milliseconds: a source that gives the range rate for the time the dial
    // is in force (the built-in one) looks that much further ahead. Other
    // sources ignore it.
    virtual void setDialDelay(TrackingSource *source, qint64 ms)
    {
        Q_UNUSED(source)
        Q_UNUSED(ms)
    }
};

} // namespace vm
