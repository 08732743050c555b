#pragma once

#include "cat/CatContext.h"
#include "cat/RigDriver.h"
#include "cat/SerialTransport.h"
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/ProtocolTexts.h"
#include "common/SatelliteTable.h"
#include "common/Settings.h"
#include "rigctl/ControllerSettings.h"
#include "rigctl/Doppler.h"
#include "rigctl/RangeRateSmoother.h"
#include "rigctl/RigCombinationTable.h"
#include "rigctl/ScheduleSwitch.h"
#include "sound/SoundPlayer.h"
#include "rigctl/TrackingSources.h"
#include "tracking/TrackingLink.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace vm {

// A periodic timer as the controller wants it; the program maps it to a QTimer.
struct TimerState {
    int intervalMs = 0;
    bool running = false;
};

// Everything the controller needs from outside, injected so that tests run it
// with fakes and a manual clock.
struct ControllerEnvironment {
    Channel *channel = nullptr;
    Clock *clock = nullptr;
    TrackingSources *tracking = nullptr;
    SoundPlayer *sound = nullptr; // outlives the controller, which hooks its playback end
    QString dataDir;      // holds Velomira.ini, SATdata.txt, RigCombi.txt
    qint64 processId = 0; // written to [VLMRC] ME
    // Opens the byte pipe of a rig port (real serial port, or a simulator).
    std::function<std::unique_ptr<SerialTransport>(int rigNumber, const QString &port)> transportFactory;
    // Takes the controller's own title on the channel once it is decided to
    // run; false when another program took it first.
    std::function<bool()> claimOwnTitle;
    // Message box titled `title` with an OK button.
    std::function<void(const QString &title, const QString &text)> showMessage;
    // Question with OK and Cancel; true for OK.
    std::function<bool(const QString &title, const QString &text)> askOkCancel;
};

// The rig controller: start-up and lifecycle, the Doppler control loop, the
// satellite change, the command dispatcher and quick QSY. Single-threaded:
// the program calls tick1()/tick2() from its timers and handle() for every
// record that reaches the title "環境設定Tunavox".
class Controller {
public:
    static inline const QString OwnTitle = QString::fromUtf8(protocol::ControllerTitle);
    static inline const QString PanelTitle = QStringLiteral("Velomira");
    // The title of the controller's question box while it is shown.
    static inline const QString MessageTitle = QStringLiteral("Velomira_Message");
    static inline const QString WaterfallTitle = QStringLiteral("WaterFall for Velomira");
    static inline const QString UnknownSatellite = QString::fromUtf8(protocol::UndefinedSatellite);

    enum class StartResult {
        Running, // normal start completed; the timers run
        Exit,    // the process ends now (no "-R", second instance, no tracking data)
    };

    // What the program around the core is told.
    struct Events {
        std::function<void()> timersChanged;              // timer1()/timer2() changed
        std::function<void(bool visible)> settingsWindow; // show / hide the settings window
        std::function<void()> finished;                   // the controller has shut down: quit
    };

    explicit Controller(ControllerEnvironment env);
    ~Controller();
    Controller(const Controller &) = delete;
    Controller &operator=(const Controller &) = delete;

    void setEvents(Events events) { m_events = std::move(events); }

    // Decides whether to run (command line "-R", "/z") and runs the start-up.
    StartResult start(const QStringList &arguments);

    // Timer1: the control loop. Timer2: the tracking link only.
    void tick1();
    void tick2();
    const TimerState &timer1() const { return m_timer1; }
    const TimerState &timer2() const { return m_timer2; }

    // One record from the panel, taken at once or, when it arrives while the
    // controller waits on the channel, after the current step. Returns the
    // handler result (always 0).
    quint32 handle(const QString &text);

    // The settings window's end button: save, re-link, reopen the rigs,
    // take commands again, hide.
    void closeSettingsWindow();
    // A close request from outside (close box, second instance): save and hide.
    void closeRequestedFromOutside();
    // Orderly shutdown (also reached from "RCMEND" and a missing panel).
    void shutdown();

    // ---- state, for the window and for tests ----
    int dopplerState() const { return m_ctx.dopplerState; }
    double receiveDial() const { return m_ctx.rxFrequency; }
    double transmitDial() const { return m_ctx.txFrequency; }
    qint32 modeOffset() const { return m_modeOffsetM; }
    const Transponder &transponder() const { return m_transponder; }
    float rangeRate() const { return m_link.rangeRate(); }
    const QString &selectedSatellite() const { return m_selectedName; }
    const QString &currentMode() const { return m_currentMode; }
    qint32 offsetO() const { return m_offsetO; }
    qint32 shiftX() const { return m_shiftX; }
    qint32 splitS() const { return m_splitS; }
    qint32 rit() const { return m_rit; }
    qint64 beaconBase() const { return m_beaconBase; }
    int rigControlMode() const { return m_ctx.rigControlMode; }
    bool closing() const { return m_closing; }
    bool settingsOpen() const { return m_settingsOpen; }
    bool dispatcherAttached() const { return m_dispatcherAttached; }
    bool rigSetInForce() const { return m_savedArrangement.has_value(); }
    bool rigOpen(int rigNumber) const;
    RigDriver *rig(int rigNumber) const;
    const ControllerSettings &settings() const { return m_settings; }
    const QString &calcType() const { return m_calcType; }
    // Why the tracking source is not the one the settings name; empty when it is.
    const QString &trackingNote() const { return m_trackingNote; }
    const RangeRateSmoother &smoother() const { return m_smoother; }
    const RigCombinationTable &rigCombinations() const { return m_combinations; }
    const SatelliteTable &satellites() const { return m_table; }
    TrackingLink &link() { return m_link; }
    QString settingsPath() const;
    bool startupComplete() const { return m_startupComplete; }

    // The version text written to [VLMRC] RC: major, minor as two digits,
    // the revision in lower-case hexadecimal when above 0 (8, 5, 10 -> "805a").
    static QString versionText(int major, int minor, int revision);

    // The settings form changes a setting: the change is in force at once
    // and written to the settings file. A changed tracking program is the
    // one linked at the form's close.
    void editSettings(const std::function<void(ControllerSettings &)> &edit);
    // The settings file, for the form's keys the controller does not hold.
    Settings &settingsFile() { return m_settingsFile; }

    // Runs `use` with rig N's port free of the controller: its own connection
    // is closed meanwhile and opened again afterwards when it was open.
    void withRigPortFree(int rigNumber, const std::function<void()> &use);
    // The player of the notice sound, or null without one.
    SoundPlayer *sound() const { return m_env.sound; }

    // Where the settings window stands (twips), saved with the settings.
    void setWindowPosition(double top, double left);

    // The rig set-up as one line per rig, for the read-only settings window.
    QStringList rigSummary() const;

    // ---- for the editors of the settings window ----
    // The tracking program's folder, as the panel reported it ("RCMK32").
    const QString &trackerFolder() const { return m_trackerFolder; }
    const QString &dataDir() const { return m_env.dataDir; }
    // The satellite editor rewrote the table: load it again and tell the
    // panel its size ("OPPHAI").
    void satelliteTableSaved();
    // The rig combination registration rewrote its file.
    void reloadRigCombinations();
    // An offset restored from a backup: in force at once when it is the
    // satellite in use.
    void offsetRestored(const QString &key, qint32 hz);

private:
    // The channel serves this process's title while the controller itself
    // waits on it (a report to the panel, a tracking read), so a record or a
    // close request can arrive in the middle of a step. Those wait until the
    // outermost step is over: a shutdown must not take the rigs or the
    // tracking source away from the code that is using them.
    class Step {
    public:
        explicit Step(Controller &controller) : m_controller(controller) { ++m_controller.m_stepDepth; }
        ~Step()
        {
            if (--m_controller.m_stepDepth == 0)
                m_controller.runDeferred();
        }
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        Controller &m_controller;
    };
    void runOrDefer(std::function<void()> action);
    void runDeferred();
    void handleNow(const QString &text);
    void closeRequestedNow();

    struct RigSlot {
        std::unique_ptr<SerialTransport> transport;
        std::unique_ptr<RigDriver> driver;
    };

    // lifecycle
    void resetState();
    QString detectTrackingProgram();
    void loadSettings();
    void saveSettings();
    void writeSettings();
    void loadTables();
    void openLink();
    void openRigs();
    void openRig(int rigNumber);
    void closeRig(int rigNumber);
    void applyFt4Waits();
    void closeRigs();
    void startControlLoop();
    void stopControlLoop();
    void setTimer1(bool running, int intervalMs);
    void setTimer2(bool running, int intervalMs);
    void reportRigs();
    void reportReceiveMode();
    void reselectSmoothing(std::optional<int> responseWait = std::nullopt);
    void reattach();
    void hideSettingsWindow();
    void finish();

    // reports
    void report(const QString &code, const QString &payload);
    void reportNumber(const QString &code, double hz);
    void toWaterfall(const QString &code, const QString &payload);

    // the loop
    void readTracking();
    // `poll`: false for the step a tuning command runs at once, which works
    // on the dials of the last tick and leaves polling to the next one.
    void controlStep(bool poll = true);
    void tuneNow();
    qint32 computeModeOffset() const;
    void setReceive(double hz);
    void setTransmit(double hz);
    void noteDialWritten(qint64 beforeMs);
    void pollRigs();
    bool oneRigReportsDial() const;

    // satellite change
    void satelliteChanged(const QString &label);
    bool changeProcedure(int record, const QString &receivedName, bool multiMode);
    void reportAfterChange();
    qint32 storedOffset(const QString &name, const QString &mode) const;
    void loadEntry(int record);
    void selectRigsForSatellite();
    void applyArrangement(const RigArrangement &arrangement);
    void restoreArrangement(bool reopen);
    void setUpRigsForSatellite();
    bool sameSatellite() const;

    // dispatcher
    void dispatch(const QString &command, const QString &text);
    void setDopplerState(int state);
    void setModeCommand(bool mainSide, const QString &digits);
    void sendCivToRig1(const QByteArray &body);
    void cwKeying(const QString &text, const QString &second);
    RigDriver *transmittingRig() const;
    void reconnectRig(int rigNumber);
    void switchMultiMode(const QString &payload);

    // quick QSY
    void quickQsy(double dial, bool receiveSide);
    void directSet(double satelliteDownlink);

    ControllerEnvironment m_env;
    Events m_events;
    Settings m_settingsFile;
    ControllerSettings m_settings;
    SatelliteTable m_table;
    RigCombinationTable m_combinations;
    RangeRateSmoother m_smoother;
    TrackingLink m_link;
    ScheduleSwitch m_scheduleSwitch;
    CatContext m_ctx;
    CatHooks m_hooks;
    RigSlot m_rigs[2];
    std::optional<RigArrangement> m_savedArrangement;

    TimerState m_timer1;
    TimerState m_timer2;

    // lifecycle flags
    bool m_closing = false;
    bool m_settingsOpen = false;
    bool m_startupComplete = false;
    bool m_savesNothing = false;
    bool m_dispatcherAttached = false;
    bool m_finished = false;
    int m_stepDepth = 0;
    std::deque<std::function<void()>> m_deferred;
    QString m_calcType = QStringLiteral("1");
    // The Calc_Type of the settings while the built-in computation stands in
    // for the program it names.
    std::optional<QString> m_keptCalcType;
    QString m_trackingNote;
    QString m_trackingName;

    // loop
    bool m_firstPass = true;
    bool m_firstTick = false;
    bool m_dialMoving = false;
    bool m_changing = false;
    std::optional<QString> m_pendingLabel;
    int m_savedDopplerState = 3;
    bool m_beaconOn = false;
    qint32 m_dR0 = 0;
    qint32 m_modeOffsetM = 0;
    qint32 m_prevS = 0;
    qint32 m_prevX = 0;
    qint32 m_prevO = 0;
    // When the tick's tracking read began and when a dial was last written:
    // the delay between them goes to the tracking source.
    qint64 m_tickReadMs = -1;
    qint64 m_dialWrittenMs = -1;

    // satellite in use
    QString m_selectedName;
    int m_selectedRecord = 0;
    QString m_currentMode;
    Transponder m_transponder;
    bool m_fm = false;
    double m_homeUplink = 0;   // U
    double m_homeSameBand = 0; // H
    QString m_tone;
    QString m_receiveMode;  // last "OPPRXM" a driver reported
    QString m_transmitMode; // last "OPPTXM"
    QString m_rxBand;
    QString m_txBand;

    // offsets and command state
    qint32 m_offsetO = 0;
    qint32 m_shiftX = 0;
    qint32 m_splitS = 0;
    qint32 m_rit = 0;
    qint64 m_beaconBase = 0;
    bool m_beaconCorrection = false; // BC
    QString m_offsetMode;            // "OFK"
    QString m_lastSfx = QStringLiteral("0");
    QString m_lastOfx = QStringLiteral("0");
    QString m_trackerFolder;
    QString m_qsySide = QStringLiteral("0");
    QString m_waterfallLink;
    bool m_ft4 = false;
    int m_modeOffsetStep = 10;
};

} // namespace vm
