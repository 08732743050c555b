#pragma once

#include "cat/RigPort.h"

#include <QString>
#include <QtGlobal>

namespace vm::bench {

// One run of the controller core through an overhead pass against the
// in-process IC-9700, in Doppler state 0 (transmit follows receive).
struct ReplayConfig {
    int pollMs = 1000;
    int baud = 19200;
    RigPort::WaitMode waitMode = RigPort::WaitMode::UntilReply;
    // How far ahead of the read the tracking source computes the range rate;
    // negative: half the poll time plus the measured delay from the read to
    // the transmit dial taking effect (what a source aware of the loop gives).
    qint64 leadMs = 0;
    // Track with the program's built-in source (lead on, leadMs unused)
    // instead of the replay's own orbit source.
    bool builtinSource = false;
    int rigProcessingMs = 3;
    double altitudeKm = 500.0;
};

struct ReplayResult {
    // Where our own signal lands on the downlink against where the receive
    // dial listens, over the pass (elevation above 0°), sampled every 10 ms.
    double maxErrorHz = 0;
    double rmsErrorHz = 0;
    // Control ticks during the pass.
    int ticks = 0;
    double bytesPerTick = 0;  // both directions on the wire, echo included
    double msPerTick = 0;     // clock time a tick takes
    double wireMsPerTick = 0; // pure wire time of those bytes
    double tickOverWire = 0;  // msPerTick / wireMsPerTick
    double ticksOverrun = 0;  // share of ticks longer than the poll time
    // "RCMOFF" handled -> new transmit dial in force on the rig.
    double latencyMeanMs = 0;
    double latencyMaxMs = 0;
    int latencyProbes = 0;
    double roundTripMs = 0; // one frequency-set frame: out, echo, acknowledgement
    double leadUsedMs = 0;
    double peakDopplerRateHzPerS = 0; // of the error term, at closest approach
    QString failure;                  // empty when the run worked
};

ReplayResult runPassReplay(const ReplayConfig &config);

} // namespace vm::bench
