#pragma once

// A controller wired to fakes: a recording channel that owns the panel's
// title, tracking values the test sets tick by tick, and in-process
// simulated Icom rigs on a manual clock.

#include "ManualClock.h"
#include "QtPrinters.h"
#include "cat/QSerialPortTransport.h"
#include "cat/SerialTransport.h"
#include "common/Channel.h"
#include "common/TextFile.h"
#include "rigctl/Controller.h"
#include "rigsim/ForwardingTransport.h"
#include "rigsim/IcomModel.h"
#include "rigsim/IcomRig.h"
#include "rigsim/SimulatedTransport.h"
#include "rigsim/TextRig.h"
#include "rigsim/YaesuBinaryRig.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace vm::test {

// RS-44 of the test table: inverting, uplink 145935 kHz, downlink 435610 kHz, width 60.
inline constexpr double Rs44K = (145935.0 + 435610.0 + 60.0) * 1000;
inline constexpr double Rs44Uplink = 145935000.0 + 30000.0;

// The channel as the controller sees it, recording every record.
class RecordingChannel final : public Channel {
public:
    QSet<QString> titles{"Velomira"};
    QList<QPair<QString, QString>> sent; // title, text
    QStringList closeRequests;

    bool titleExists(const QString &title) override { return titles.contains(title); }
    // Runs while a record is on its way, as the real channel serves this
    // process's own title while it waits for the reply.
    std::function<void(const QString &text)> whileSending;

    bool send(const QString &title, const QString &text) override
    {
        if (!titles.contains(title))
            return false;
        sent.append({title, text});
        if (whileSending) {
            const auto hook = whileSending; // the hook may replace itself
            hook(text);
        }
        return true;
    }
    void postClose(const QString &title) override { closeRequests << title; }

    // Payloads of the records with this code sent to a title, in order.
    QStringList payloads(const QString &code, const QString &title = "Velomira") const
    {
        QStringList out;
        for (const auto &r : sent) {
            if (r.first == title && r.second.startsWith(code))
                out << r.second.mid(6);
        }
        return out;
    }
    QString last(const QString &code) const
    {
        const QStringList p = payloads(code);
        return p.isEmpty() ? QString() : p.last();
    }
    QStringList codes() const
    {
        QStringList out;
        for (const auto &r : sent)
            out << r.second.left(6);
        return out;
    }
};

// Tracking values set by the test; every read returns them.
struct TrackingState {
    QString satellite;
    QString elevation = "10";
    float rangeRate = 0;
    QString revolution = "1234";
    QString openError; // when set, opening the source fails with this text
    // Runs in the middle of a read (the channel serving the process's title
    // while it waits for the tracking program's reply).
    std::function<void()> duringRead;
    int sourcesDestroyed = 0;
    bool readOutlivedItsSource = false;
};

class SettableSource final : public TrackingSource {
public:
    explicit SettableSource(std::shared_ptr<TrackingState> state) : m_state(std::move(state)) {}
    ~SettableSource() override { ++m_state->sourcesDestroyed; }
    bool open(QString *error) override
    {
        if (error)
            *error = m_state->openError;
        return m_state->openError.isEmpty();
    }
    ReadResult read(TrackingValues &v) override
    {
        if (m_state->duringRead) {
            // Only the shared state is touched after the call: `this` may be gone.
            const std::shared_ptr<TrackingState> state = m_state;
            const int destroyedBefore = state->sourcesDestroyed;
            const std::function<void()> hook = state->duringRead; // the hook may replace itself
            hook();
            if (state->sourcesDestroyed != destroyedBefore) {
                state->readOutlivedItsSource = true;
                return ReadResult::Failed;
            }
        }
        v.rangeRate = m_state->rangeRate;
        v.satellite = m_state->satellite;
        v.elevation = m_state->elevation;
        v.revolution = m_state->revolution;
        return ReadResult::Ok;
    }
    void close() override {}

private:
    std::shared_ptr<TrackingState> m_state;
};

class FakeTrackingSources final : public TrackingSources {
public:
    QSet<QString> running;
    QStringList created;  // kinds asked for
    QStringList selected; // "RCMSAT" choices
    std::shared_ptr<TrackingState> state = std::make_shared<TrackingState>();

    bool programRunning(const QString &title) override { return running.contains(title); }
    std::unique_ptr<TrackingSource> create(const QString &calcType, bool) override
    {
        created << calcType;
        return std::make_unique<SettableSource>(state);
    }
    void selectSatellite(TrackingSource *, const QString &name) override { selected << name; }
    QString builtinLacks; // empty: the built-in computation can run
    bool builtinCanRun(QString *why) override
    {
        if (why)
            *why = builtinLacks;
        return builtinLacks.isEmpty();
    }
    QList<qint64> dialDelays; // what the loop measured from read to dial
    void setDialDelay(TrackingSource *, qint64 ms) override { dialDelays << ms; }
};

using sim::ForwardingTransport;

// One simulated rig on a port path.
struct SimRig {
    SimRig(const char *model, ManualClock &clock)
        : rig(*sim::IcomModel::find(QString::fromLatin1(model))), transport(rig, clock)
    {
    }
    sim::IcomRig rig;
    sim::SimulatedTransport transport;
};

// The satellite table of the tests: inverting, both non-inverting kinds, a
// single-channel (FM) satellite, a same-band satellite and a two-mode one.
inline QStringList testTable()
{
    return {
        QStringLiteral("衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),TX TRV(KHz),RX "
                       "TRV(KHz),NonRev,MLTmode"),
        "RS-44,145935,435610,60,435605,,,,,",
        "TXH-1,435100,145900,40,145890,,,,Y,",
        "RXH-1,145900,435700,40,435690,,,,Y,",
        "SO-50,145850,436795,,,67.0,,,,",
        "IO-117,435310,435310,,,,,,,UU",
        "AO-07,432125,145925,50,145975,,,,,B-mode",
        "AO-07,145850,29400,100,29502,,,,Y,A-mode",
    };
}

class ControllerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeTable(testTable());
        iniWith("RigContType=0\nPoll_Time=200\n");
    }
    // The IC-9700 on /dev/sim1 at 19200 baud, then `more` (later sections or keys).
    void iniWith(const QString &more)
    {
        ini("[RIG_CON_CFG]\nRIG_TYPE=IC9700\nRIGCOMCONT=/dev/sim1\nBAUD_RATE=19200\nICOM_RIGadrs=A2\n" +
            more);
    }

    void writeTable(const QStringList &lines)
    {
        ASSERT_TRUE(TextFile::writeLinesAtomic(path("SATdata.txt"), lines));
    }
    void ini(const QString &text) { ASSERT_TRUE(TextFile::writeAtomic(path("Velomira.ini"), text)); }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QString setting(const char *section, const char *key) const
    {
        Settings s(path("Velomira.ini"));
        return s.file().value(QString::fromUtf8(section), QString::fromUtf8(key)).value_or("<none>");
    }

    SimRig &simRig(const QString &port, const char *model = "IC9700")
    {
        auto it = rigs.find(port);
        if (it == rigs.end()) {
            it = rigs.emplace(port, std::make_unique<SimRig>(model, clock)).first;
            it->second->rig.setEchoEnabled(rigEcho);
        }
        return *it->second;
    }
    sim::IcomRig &rig1() { return simRig("/dev/sim1").rig; }
    // A simulated Kenwood / Yaesu rig on a port path.
    template <class Rig> Rig &peer(const QString &port, std::function<std::unique_ptr<Rig>()> make)
    {
        auto &slot = peers[port];
        if (!slot.first) {
            slot.first = make();
            slot.second = std::make_unique<sim::SimulatedTransport>(*slot.first, clock);
        }
        return static_cast<Rig &>(*slot.first);
    }
    sim::TextRig &textRig(const QString &port, const char *model)
    {
        return peer<sim::TextRig>(port, [model] {
            return std::make_unique<sim::TextRig>(*sim::TextRigModel::find(QString::fromLatin1(model)));
        });
    }
    sim::YaesuBinaryRig &binaryRig(const QString &port, const char *model)
    {
        return peer<sim::YaesuBinaryRig>(port,
                                         [model] { return std::make_unique<sim::YaesuBinaryRig>(model); });
    }

    Controller &make()
    {
        simRig("/dev/sim1");
        ControllerEnvironment env;
        env.channel = &channel;
        env.clock = &clock;
        env.tracking = &sources;
        env.sound = soundPlayer;
        env.dataDir = dir.path();
        env.processId = 4242;
        env.transportFactory = [this](int, const QString &port) -> std::unique_ptr<SerialTransport> {
            if (auto other = peers.find(port); other != peers.end())
                return std::make_unique<ForwardingTransport>(*other->second.second);
            auto it = rigs.find(port);
            if (it == rigs.end())
                return realPorts ? std::make_unique<QSerialPortTransport>() : nullptr;
            return std::make_unique<ForwardingTransport>(it->second->transport);
        };
        env.showMessage = [this](const QString &title, const QString &text) {
            messages << title + u'|' + text;
        };
        if (canAsk) {
            env.askOkCancel = [this](const QString &title, const QString &text) {
                questions << title + u'|' + text;
                return true;
            };
        }
        controller = std::make_unique<Controller>(env);
        Controller::Events events;
        events.finished = [this] { ++finished; };
        events.settingsWindow = [this](bool visible) { windowShown = visible; };
        controller->setEvents(events);
        return *controller;
    }

    Controller &started()
    {
        Controller &c = make();
        EXPECT_EQ(c.start({"-R"}), Controller::StartResult::Running);
        return c;
    }

    // The tracking program switches to a satellite; one tick handles it.
    void track(const QString &name, float rangeRate = 0)
    {
        sources.state->satellite = name;
        sources.state->rangeRate = rangeRate;
        controller->tick1();
    }

    void send(const QString &text) { controller->handle(text); }

    // Walks the loop through Doppler states 0, 2, 1 and 3 while the satellite
    // approaches by `step` m/s a tick, and checks which of the two dials
    // (`hz(true)` main, `hz(false)` sub) moves in each. `moved` sees each
    // state where only the sub dial moves, with the sub dial before the tick
    // and the range rate.
    void expectDialsMoveInEachState(const std::function<qint64(bool main)> &hz, float step,
                                    const std::function<void(qint64 subBefore, float rangeRate)> &moved = {})
    {
        const struct {
            const char *command;
            bool mainMoves, subMoves;
        } states[] = {{"RCMDOP0", false, true},
                      {"RCMDOP2", true, false},
                      {"RCMDOP1", true, true},
                      {"RCMDOP3", false, false}};
        float rr = 0;
        for (const auto &s : states) {
            send(s.command);
            controller->tick1(); // the first tick after a state change starts from the dials
            const qint64 main = hz(true), sub = hz(false);
            sources.state->rangeRate = rr -= step;
            controller->tick1();
            EXPECT_EQ(hz(true) != main, s.mainMoves) << s.command;
            EXPECT_EQ(hz(false) != sub, s.subMoves) << s.command;
            if (moved && s.subMoves && !s.mainMoves)
                moved(sub, rr);
        }
    }

    qint64 mainHz() { return rig1().dial(sim::IcomRig::Side::Main).hz; }
    qint64 subHz() { return rig1().dial(sim::IcomRig::Side::Sub).hz; }

    bool realPorts = false; // ports without a simulated rig are real serial ports
    bool rigEcho = true;    // the simulated rigs echo every frame (CI-V jack) or not (USB, echo back off)
    QTemporaryDir dir;
    ManualClock clock;
    RecordingChannel channel;
    FakeTrackingSources sources;
    UnavailableSound sound;
    SoundPlayer *soundPlayer = &sound; // what the controller's sound commands reach
    std::map<QString, std::unique_ptr<SimRig>> rigs;
    std::map<QString, std::pair<std::unique_ptr<sim::ConsoleRig>, std::unique_ptr<sim::SimulatedTransport>>>
        peers;
    std::unique_ptr<Controller> controller;
    QStringList messages;
    QStringList questions;
    bool canAsk = true; // a display where a question can be answered
    int finished = 0;
    bool windowShown = false;
};

// A controller fixture run twice: rigs whose line echoes and rigs whose line
// does not (GetParam()).
template <class Fixture> class WithRigEcho : public Fixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        this->rigEcho = this->GetParam();
        Fixture::SetUp();
    }
};

inline std::string echoName(const ::testing::TestParamInfo<bool> &info)
{
    return info.param ? "EchoOn" : "EchoOff";
}

} // namespace vm::test
