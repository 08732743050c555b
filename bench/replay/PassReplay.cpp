#include "replay/PassReplay.h"

#include "common/TextFile.h"
#include "orbit/LookAngles.h"
#include "orbit/OverheadOrbit.h"
#include "orbit/Satellite.h"
#include "orbit/TleFormat.h"
#include "replay/BuiltinTracking.h"
#include "replay/DialRecorder.h"
#include "replay/OrbitTracking.h"
#include "replay/ReplayChannel.h"
#include "replay/ReplayClock.h"
#include "rigsim/ForwardingTransport.h"
#include "rigctl/Controller.h"
#include "rigctl/Doppler.h"
#include "sound/SoundPlayer.h"
#include "rigsim/IcomModel.h"
#include "rigsim/IcomRig.h"
#include "rigsim/SimulatedTransport.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace vm::bench {

namespace {

const QString SatelliteName = QStringLiteral("BENCHSAT");
const QString RigPath = QStringLiteral("/dev/sim1");
constexpr qint64 StartUtcMs = 1'800'000'000'000; // 2027-01-15 08:00 UTC
constexpr qint64 CulminationAfterMs = 7 * 60 * 1000;
constexpr qint64 SampleStepMs = 10;
constexpr int ProbeCount = 10;
constexpr qint64 ProbeSpacingMs = 4000;
constexpr qint32 ProbeOffsetHz = 1000;

// Tokyo.
orbit::Observer station()
{
    orbit::Observer o;
    o.latitudeDeg = 35.68;
    o.longitudeDeg = 139.77;
    o.heightM = 40;
    return o;
}

// Where our signal lands on the downlink minus where the receive dial
// listens, at the satellite, from the true range rate (first order, unrounded).
double errorAt(const Transponder &tp, double rr, double receiveDial, double transmitDial, double offset)
{
    const double uplinkAtSatellite = transmitDial * (1.0 - rr / kSpeedOfLight);
    const double ownDownlink = tp.downlinkFor(uplinkAtSatellite);
    const double heard = receiveDial * (1.0 + rr / kSpeedOfLight);
    return ownDownlink - heard - offset;
}

struct Tick {
    qint64 startMs;
    qint64 endMs;
    qint64 wireUs;
};

} // namespace

ReplayResult runPassReplay(const ReplayConfig &config)
{
    ReplayResult result;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        result.failure = QStringLiteral("no temporary folder");
        return result;
    }
    const QString data = dir.path();

    // The satellite: inverting 145/435 MHz transponder, passing overhead.
    orbit::OverheadOrbitRequest request;
    request.name = SatelliteName.toStdString();
    request.station = station();
    request.epochUnixMs = StartUtcMs;
    request.culminationUnixMs = StartUtcMs + CulminationAfterMs;
    request.altitudeKm = config.altitudeKm;
    const orbit::Tle tle = orbit::designOverheadOrbit(request);
    const orbit::Satellite satellite(tle);

    // Horizon to horizon around the culmination.
    const qint64 culm = StartUtcMs + CulminationAfterMs;
    qint64 aosUtc = culm;
    while (orbit::elevationDeg(satellite, station(), aosUtc - 1000) > 0 && aosUtc > StartUtcMs)
        aosUtc -= 1000;
    qint64 losUtc = culm;
    while (orbit::elevationDeg(satellite, station(), losUtc + 1000) > 0)
        losUtc += 1000;
    const qint64 aos = aosUtc - StartUtcMs;
    const qint64 los = losUtc - StartUtcMs;
    const qint64 probesFrom = aos - (ProbeCount + 2) * ProbeSpacingMs;
    if (probesFrom < 10'000) {
        result.failure = QStringLiteral("pass starts too early for the tuning probes");
        return result;
    }

    const QStringList table{
        QStringLiteral("衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),TX TRV(KHz),RX "
                       "TRV(KHz),NonRev,MLTmode"),
        SatelliteName + QStringLiteral(",145935,435610,60,435605,,,,,"),
    };
    QString ini = QStringLiteral("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=%1\nBAUD_RATE=%2\n"
                                 "ICOM_RIGadrs=A2\nRigContType=0\nPoll_Time=%3\n")
                      .arg(RigPath)
                      .arg(config.baud)
                      .arg(config.pollMs);
    if (config.builtinSource) {
        // The built-in source's station, element set and satellite.
        const orbit::Observer s = station();
        ini += QStringLiteral(
                   "[QTH]\nLatitude=%1\nLongitude=%2\nHeight=%3\n[TRACK]\nTLEFile=bench.txt\nSatellite=%4\n")
                   .arg(s.latitudeDeg, 0, 'f', 4)
                   .arg(s.longitudeDeg, 0, 'f', 4)
                   .arg(s.heightM, 0, 'f', 0)
                   .arg(SatelliteName);
        const orbit::Tle lines = orbit::formatTle(tle);
        const QStringList tleText{SatelliteName, QString::fromStdString(lines.line1),
                                  QString::fromStdString(lines.line2)};
        if (!TextFile::writeLinesAtomic(QDir(data).filePath(QStringLiteral("bench.txt")), tleText)) {
            result.failure = QStringLiteral("cannot write the element set");
            return result;
        }
    }
    if (!TextFile::writeLinesAtomic(QDir(data).filePath(QStringLiteral("SATdata.txt")), table) ||
        !TextFile::writeAtomic(QDir(data).filePath(QStringLiteral("Velomira.ini")), ini)) {
        result.failure = QStringLiteral("cannot write the data folder");
        return result;
    }

    ReplayClock clock(StartUtcMs);
    ReplayChannel channel;
    UnavailableSound sound;
    sim::IcomRig rig(*sim::IcomModel::find(QStringLiteral("IC9700")));
    DialRecorder recorder(rig, clock);
    sim::SimulatedTransport line(recorder, clock);
    line.setProcessingMs(config.rigProcessingMs);

    // The lead the source uses; "auto" is settled before the pass begins.
    qint64 lead = std::max<qint64>(config.leadMs, 0);
    OrbitTrackingSources orbitSources(SatelliteName, satellite, station(), clock, lead);
    BuiltinTracking builtinSources(data, {SatelliteName}, clock);
    TrackingSources &sources = config.builtinSource ? static_cast<TrackingSources &>(builtinSources)
                                                    : static_cast<TrackingSources &>(orbitSources);

    ControllerEnvironment env;
    env.channel = &channel;
    env.clock = &clock;
    env.tracking = &sources;
    env.sound = &sound;
    env.dataDir = data;
    env.transportFactory = [&line](int, const QString &port) -> std::unique_ptr<SerialTransport> {
        if (port != RigPath)
            return nullptr;
        return std::make_unique<sim::ForwardingTransport>(line);
    };
    env.showMessage = [](const QString &, const QString &) {};
    env.askOkCancel = [](const QString &, const QString &) { return true; };

    Controller controller(env);
    if (controller.start({QStringLiteral("-R")}) != Controller::StartResult::Running) {
        result.failure = QStringLiteral("the controller did not start");
        return result;
    }
    if (!controller.timer1().running) {
        result.failure = QStringLiteral("the control timer does not run");
        return result;
    }
    // The first tick finds the satellite and sets the rig up; then the panel
    // answers "OPPKAN" with its state button.
    controller.tick1();
    if (controller.selectedSatellite() != SatelliteName || !controller.rig(1)) {
        result.failure = QStringLiteral("the satellite was not taken up");
        return result;
    }
    controller.handle(QStringLiteral("RCMDOP0"));
    controller.rig(1)->port().setWaitMode(config.waitMode);

    const int interval = std::max(50, controller.timer1().intervalMs);
    std::vector<Tick> ticks;
    struct Probe {
        qint64 atMs;
        qint64 baseTransmitHz;
    };
    std::vector<Probe> probes;
    std::vector<double> latencies;
    int nextProbe = 0;
    bool leadSettled = config.leadMs >= 0 || config.builtinSource;

    // Timer1 as Qt runs a repeating timer: when it fires, its next timeout is
    // one interval after the due time, or one interval after now when it fired
    // later than that; a timeout that passed while a tick ran fires at once.
    qint64 due = clock.nowMs() + interval;
    while (clock.nowMs() < los) {
        // Tuning probes arrive between ticks, at varying phases of the interval.
        if (nextProbe < ProbeCount && clock.nowMs() >= probesFrom + nextProbe * ProbeSpacingMs) {
            // A record that came while a tick ran is handled as soon as it ends.
            const qint64 phase = (interval * (2 * nextProbe + 1)) / (2 * ProbeCount);
            qint64 at = std::max(clock.nowMs(), due - interval + phase);
            if (at > due)
                at = clock.nowMs(); // the loop is behind: the record waits for no idle moment
            clock.advanceTo(at);
            probes.push_back({clock.nowMs(), rig.dial(sim::IcomRig::Side::Sub).hz});
            controller.handle(QStringLiteral("RCMOFF%1").arg(nextProbe % 2 == 0 ? ProbeOffsetHz : 0));
            ++nextProbe;
        }
        clock.advanceTo(due);
        const qint64 start = clock.nowMs();
        qint64 nextDue = due + interval;
        if (nextDue < start)
            nextDue = start + interval;
        const qint64 wireBefore = line.wireTimeUs();
        controller.tick1();
        ticks.push_back({start, clock.nowMs(), line.wireTimeUs() - wireBefore});
        due = nextDue;

        // Before the pass: the delay from a tick's start to the transmit dial in force.
        if (!leadSettled && ticks.size() >= 40 && nextProbe >= ProbeCount &&
            clock.nowMs() > probesFrom + ProbeCount * ProbeSpacingMs + 3000) {
            // From the tick's read to its frequency set reaching the rig.
            double delay = 0;
            int n = 0;
            const auto &sets = recorder.frequencySets();
            for (size_t i = ticks.size() - 40; i < ticks.size(); ++i) {
                auto it = std::lower_bound(sets.begin(), sets.end(), ticks[i].startMs);
                if (it != sets.end() && *it <= ticks[i].endMs) {
                    delay += double(*it - ticks[i].startMs);
                    ++n;
                }
            }
            const double span = double(ticks.back().startMs - ticks[ticks.size() - 40].startMs) / 39.0;
            lead = qint64(std::llround(span / 2.0 + (n > 0 ? delay / n : 0.0)));
            leadSettled = true;
        }
        if (!controller.timer1().running || controller.closing()) {
            result.failure = QStringLiteral("the control loop stopped");
            return result;
        }
    }
    result.leadUsedMs = double(lead);
    if (config.builtinSource)
        result.leadUsedMs = builtinSources.source() ? double(builtinSources.source()->lastLeadMs()) : 0.0;

    // Tuning latency: the first transmit-dial step of the probe's size after it.
    const auto &changes = recorder.changes();
    for (const Probe &p : probes) {
        qint64 previous = p.baseTransmitHz;
        for (const auto &c : changes) {
            if (c.atMs < p.atMs)
                continue;
            if (std::llabs(c.transmitHz - previous) > ProbeOffsetHz / 2) {
                latencies.push_back(double(c.atMs - p.atMs));
                break;
            }
            previous = c.transmitHz;
        }
    }
    result.latencyProbes = int(latencies.size());
    if (!latencies.empty()) {
        double sum = 0;
        for (double l : latencies)
            sum += l;
        result.latencyMeanMs = sum / double(latencies.size());
        result.latencyMaxMs = *std::max_element(latencies.begin(), latencies.end());
    }

    // Error over the pass.
    const Transponder tp = controller.transponder();
    double sumSq = 0;
    qint64 samples = 0;
    double peakRate = 0;
    double previousRr = 0;
    for (qint64 t = aos; t <= los; t += SampleStepMs) {
        const orbit::LookAngles look = orbit::lookAngles(satellite, station(), StartUtcMs + t);
        const double rr = look.rangeRateMs;
        const DialRecorder::Change dials = recorder.at(t);
        const double e = errorAt(tp, rr, double(dials.receiveHz), double(dials.transmitHz), 0.0);
        result.maxErrorHz = std::max(result.maxErrorHz, std::fabs(e));
        sumSq += e * e;
        ++samples;
        if (t > aos) {
            // How fast the error would grow with the dials standing still.
            const double rate = std::fabs(errorAt(tp, rr, dials.receiveHz, dials.transmitHz, 0.0) -
                                          errorAt(tp, previousRr, dials.receiveHz, dials.transmitHz, 0.0)) *
                                (1000.0 / SampleStepMs);
            peakRate = std::max(peakRate, rate);
        }
        previousRr = rr;
    }
    result.rmsErrorHz = samples > 0 ? std::sqrt(sumSq / double(samples)) : 0;
    result.peakDopplerRateHzPerS = peakRate;

    // Ticks during the pass.
    const qint64 byteUs = (10LL * 1'000'000 + config.baud - 1) / config.baud;
    double tickMs = 0;
    double wireUs = 0;
    int overruns = 0;
    for (const Tick &t : ticks) {
        if (t.startMs < aos || t.startMs > los)
            continue;
        ++result.ticks;
        tickMs += double(t.endMs - t.startMs);
        wireUs += double(t.wireUs);
        if (t.endMs - t.startMs > interval)
            ++overruns;
    }
    if (result.ticks > 0) {
        result.msPerTick = tickMs / result.ticks;
        result.wireMsPerTick = wireUs / 1000.0 / result.ticks;
        result.bytesPerTick = wireUs / double(byteUs) / result.ticks;
        result.tickOverWire = result.wireMsPerTick > 0 ? result.msPerTick / result.wireMsPerTick : 0;
        result.ticksOverrun = double(overruns) / result.ticks;
    }
    // Set-frequency frame: FE FE A2 E0 05 + 5 BCD + FD out, its echo, FE FE E0 A2 FB FD back.
    result.roundTripMs = double((11 + 11 + 6) * byteUs) / 1000.0;
    return result;
}

} // namespace vm::bench
