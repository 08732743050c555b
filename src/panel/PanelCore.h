#pragma once

#include "common/ProtocolTexts.h"
#include "common/SatelliteTable.h"
#include "logbook/Qso.h"
#include "panel/CwMessage.h"
#include "panel/KeyTable.h"
#include "panel/PanelView.h"
#include "platform/WindowsPrograms.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class QTimer;
#include <memory>
#include <optional>

namespace vm {

class ScheduleCheck;
struct DigitalProgram;
class WsjtxReceiver;

class Channel;
class Clock;
class Launcher;
class Prompter;
class Settings;
class UdpLink;

// Everything the operation panel decides, without widgets: the start of the
// main window and its settings loader, the reports of the controller and the
// records of the waterfall program, tuning, the keyboard map, RIT, and the
// close and unload with what they save. Controls are state in view(); the
// windows render it and forward the operator's gestures to the methods here.
// Commands go to the controller through the Channel, message boxes through
// the Prompter. Single-threaded; timers call poll().
class PanelCore : public QObject {
    Q_OBJECT
public:
    static QString controllerTitle() { return QString::fromUtf8(protocol::ControllerTitle); }
    static QString panelTitle() { return QStringLiteral("Velomira"); }
    static QString waterfallTitle() { return QStringLiteral("WaterFall for Velomira"); }
    static QString scheduleTitle() { return QStringLiteral("OP Schedule"); }
    static QString awardWindowTitle() { return QStringLiteral("AJA/JCC/JCG 進捗状況"); }
    static QString undefinedSatellite() { return QString::fromUtf8(protocol::UndefinedSatellite); }

    static constexpr int OffsetLimit = 30000;
    static constexpr int RepeatIntervalMs = 200;

    // BGR colours of the panel.
    static constexpr int Red = 0xFF;
    static constexpr int Blue = 0xFF0000;
    static constexpr int Green = 0x80FF80;
    static constexpr int Grey = 0xC0C0C0;
    static constexpr int Magenta = 0xFF00FF;
    static constexpr int LightYellow = 0xC0FFFF;
    static constexpr int White = 0xFFFFFF;
    static constexpr int QqTxColor = 14155735;
    static constexpr int QqRxColor = 13172735;

    // Where the pointer is, for the mouse wheel.
    enum class Hover { None, Offset, CwSpeed };
    enum class Edit { Copy, Delete };

    PanelCore(Channel &channel, Settings &settings, Prompter &prompter, Launcher &launcher, Clock &clock,
              QString dataDir, QObject *parent = nullptr);
    ~PanelCore() override;

    PanelView &view() { return m_view; }
    const PanelView &view() const { return m_view; }
    SatelliteTable &table() { return m_table; }
    const QString &dataDir() const { return m_dataDir; }
    Clock &clock() { return m_clock; }
    const SatelliteTable &table() const { return m_table; }

    // ---- life cycle ------------------------------------------------------
    // The folder of the program whose window is titled `title`; nullopt when
    // there is no such window or its folder is not known.
    using ProgramFolderFinder = std::function<std::optional<QString>(const QString &title)>;
    // The main-window titles of the tracking program, in the order they are looked for.
    static QStringList trackerWindowTitles();
    void setProgramFolderFinder(ProgramFolderFinder finder) { m_programFolder = std::move(finder); }
    // The operator's Windows programs (the tracking program under Wine).
    void setWindowsPrograms(WindowsPrograms *programs) { m_windows = programs; }
    void setExtendedMode(bool on) { m_extended = on; }
    bool extendedMode() const { return m_extended; }
    // Main window load: records the process id, starts the controller beside
    // the panel ("tunavox -R"), loads the settings and sends the first commands.
    void load(qint64 processId, const QString &controllerProgram);
    // The settings loader (also run on "OPPAGN" in part).
    void loadSettings();
    // "OPPSCK": the day's schedule notice (sound or desktop message).
    void scheduleCheck();
    // The schedule's mail notice: the Windows mail tool (HWCVMail) through the
    // bridge, another configured command with the pass as arguments, else the
    // desktop's notification.
    void mailNotice(const QString &text, const QString &satellite, const QString &time);
    // Registers the day's schedule: writes the schedule file (deletes it when
    // the list is empty) and tells the controller with "RCMSKD". False when
    // the file could not be written.
    bool registerSchedule(const QStringList &lines);

    // ---- the schedule frame ------------------------------------------------
    // The menu entry: opens the frame with today's list, or closes it.
    void toggleScheduleFrame();
    // The lines a transfer of passes starts from: the open frame's list, else today's file.
    QStringList scheduleLines() const;
    // Transferred passes: into the open frame's list, else registered at once.
    bool takeScheduleLines(const QStringList &lines);
    // Double click on a line: the line editor opens with it.
    void editScheduleLine(int row);
    // Text typed into the line editor: kept to the characters a line may hold, upper case.
    void typeScheduleLine(const QString &text);
    static QString scheduleLineText(const QString &typed);
    // Enter in the line editor: the line is replaced and the list saved.
    void saveScheduleLine();
    void closeScheduleLineEditor();
    // Right click: the line leaves the list (the file goes with the last line).
    void removeScheduleLine(int row);
    // "登録/閉": the list becomes the day's schedule and the frame closes.
    void registerScheduleFrame();
    // "ｸﾘｱ": no schedule today.
    void clearSchedule();
    // A click on "予告サウンド" or "予告メール" (at most one is ticked).
    void chooseNotice(Control box, bool on);
    // "マクロ作成して　登録/閉": the tracking program's macro for the list, then registering.
    void writeScheduleMacro();
    // ---- the Windows tracking program's own windows ----------------------------
    // Its main window, by the first of trackerWindowTitles() that is present.
    struct TrackerWindow {
        QString title;
        WindowsPrograms::WindowOwner owner;
    };
    std::optional<TrackerWindow> trackerWindow();
    // Its version string: the file version's four numbers one after another
    // ("1.5.0.9" gives "1509", "1.4.0.10" gives "14010").
    static QString trackerVersionString(const QString &fileVersion);
    // The ids of the controls that start and stop its macro, by its version
    // string; nullopt for a version the panel does not know.
    struct MacroControls {
        int start;
        int stop;
    };
    static std::optional<MacroControls> macroControls(const QString &version);
    // Brings the tracking program's window of that title to the front
    // through its own window messages; false for any other title.
    bool raiseTrackerWindow(const QString &title);
    // "MAC": stops the running macro, else starts today's.
    void toggleTrackerMacro();
    // Its pass prediction text; empty when it cannot be read.
    QString trackerPassText();
    // The satellite the tracking program tracks, as it names it.
    QString trackedSatellite() const;
    // "開 Macro.txt".
    void openScheduleMacro();
    // "マクロ文に予告時間を加味する".
    void setMacroNoticeTime(bool on);
    // Close request; false when it is refused (a controller window is open).
    bool requestClose();
    // Unload with everything it saves; false when it must wait (a message
    // window of the controller is open).
    bool unload();
    bool isClosing() const { return m_closing; }
    // Opens the controller's settings window.
    void openControllerSettings();
    bool settingsWindowOpen() const { return m_settingsOpen; }
    // Appends a line to today's TX log; tells the operator when it fails.
    bool writeTxLog(const QString &line);
    // Window moved: remembered for the saved position.
    void setWindowPosition(int topTwips, int leftTwips);

    // ---- receiver ----------------------------------------------------------
    // One record arriving at the panel's title; returns the handler's result.
    quint32 handleRecord(const QString &text);
    // Clipboard changed while `foregroundTitle` was in front.
    void clipboardChanged(const QString &foregroundTitle, const QString &clipboardText);
    void setHover(Hover hover) { m_hover = hover; }
    void wheel(int delta);
    // The Home hot key (or the controller's "OPPHOM").
    void hotKey();
    // The panel window was activated: the focus goes to the box the operator types in.
    void activated();
    // Windows raised with the panel (title-bar click, hot key), in the order they are raised.
    static QStringList windowGroup();

    // ---- tuning -------------------------------------------------------------
    void scaleClick(double hz, bool leftButton);
    // Frequency shown by the hover label for a pointer position (Hz).
    void scaleHover(double hz);
    void scaleLeave();
    double scaleLeftHz() const { return m_scaleLeft; }
    double scaleWidthHz() const { return m_scaleWidth; }
    void toggleQuickQsySide();
    QString quickQsySide() const { return m_qqSide; }
    void offsetButtonPress(int direction, bool bigStep);
    void offsetButtonRelease();
    // Timer service: the auto-repeat of a held offset button.
    void poll();
    int offset() const { return m_offset; }
    void resetOffset();
    void waterfallButton();
    void dopplerButton(int index);
    // A mouse button released on a Doppler-mode button (beacon list).
    void dopplerButtonRelease(int index, bool rightButton, int modifiers);
    void chooseBeacon(int row);
    void txModeOption(int index);
    void rxModeOption(int index);
    void filterOption(int index);
    void setModeCompensation(bool on, bool fromKey);
    void setSplit(int value);
    void setXit(bool on);
    void openHomeEntry();
    void closeHomeEntry();
    // Stores a home frequency; false (with the message) when outside the passband.
    bool storeHomeFrequency(const QString &mhzText, int option);
    void homeRecall();
    void clickModeLabel();
    void chooseMode(int row);
    void clickSatelliteName();
    // Click on the information frame's satellite name (built-in tracking: chooser).
    void clickTrackedName();
    void clickRxModeLabel(bool rightButton);
    void clickTxModeLabel(bool rightButton);
    void toggleNb();
    void toggleNr();
    void closeCwSpeedPopup();
    void setCwSpeed(int wpm);
    // The built-in tracker's satellite: empty for automatic.
    void chooseTrackedSatellite(const QString &tableName);
    // Text typed by the operator in an edit box (CallSign, Code).
    void setEditText(Control box, const QString &text);
    // Enter or Down in the call-sign box: the call goes to the head of the
    // call history "List5" (moved there when it is already listed).
    void addRecentCall();
    void storeQuickMemory(int slot);
    void recallQuickMemory(int slot);
    // Right click on a quick memory label: its call and code to the boxes.
    void pickQuickMemory(int slot);

    // ---- logging ---------------------------------------------------------------
    // The transfer button (Alt+H): the contact in the QSO data frame to the
    // chosen destinations; true when at least one took it (the boxes are
    // then cleared; otherwise they keep the contact).
    bool transfer();
    // Digital logging mode (while WSJT-X or JTDX runs): the transfer takes the
    // last contact of this ADIF log; an empty path switches it off.
    void setDigitalLogging(const QString &adifLogPath) { m_digitalLog = adifLogPath; }
    // The destinations in the settings changed: the transfer button follows.
    void loadLogDestinations();
    // Up in the code box: codes or place names from the logging program's
    // master file into the code list.
    void lookupCode();
    // Enter or a click on a code list line: its code into the code box.
    void chooseCode(int row);
    // The digital-mode mark waiting for the next transfer ("RTTY", "PSK31", ...).
    QString digitalMark() const { return m_digitalMark; }
    // Reads the mode MMVARI's mode box shows (MMVARI runs under Wine; the
    // reader reaches its window). Without one, a call taken from MMVARI is
    // logged in the transmit mode.
    void setMmvariModeReader(std::function<QString()> reader) { m_mmvariModeReader = std::move(reader); }

    // ---- WSJT-X / JTDX ---------------------------------------------------------
    // "FT4(WSJT)の運用(&4)": the program of the settings starts (or ends), and
    // its contacts go to the destinations.
    void toggleWsjtMode();
    void stopWsjtMode();
    bool wsjtMode() const { return bool(m_wsjtProgram); }
    // The one-second watch of the program's ADIF log.
    void digitalWatch();
    // A contact the program announced over UDP.
    void takeLoggedContact(const Qso &qso);

    // "Help": the help text of the data folder, opened by the desktop.
    void openHelp();
    // "バージョン": the panel's version and the tracking program's.
    static QString versionText(const QString &trackerVersion);
    void showVersion();
    // The waterfall program, when one is installed ("&WaterFall").
    void setWaterfallProgram(const QString &program) { m_waterfallProgram = program; }
    bool waterfallProgramInstalled() const { return !m_waterfallProgram.isEmpty(); }
    // Ends the running waterfall program, else starts it; remembered for the next start.
    void toggleWaterfallProgram();
    bool waterfallOn() const { return m_waterfallStart == u"1"; }

    // ---- sound ------------------------------------------------------------------
    // A recording stops by itself after this time; checked once a minute.
    static constexpr qint64 RecordingLimitMs = 20 * 60'000;
    static constexpr int RecordingCheckMs = 60'000;
    // The file a recording of `satellite` started at `localTime` goes to.
    static QString recordingPath(const QString &folder, const QString &satellite, const QDateTime &localTime);
    // "録": the controller starts recording into the record folder, or stops.
    void recordButton();
    // "再": the operator picks a file the controller plays, or the playing stops.
    void playButton();
    // The minute timer's service: ends a recording that has run its time.
    void recordingCheck();
    // Ends the playback (also when the file has played to its end).
    void stopPlayback();
    bool recording() const { return m_recording; }
    bool playing() const { return m_playing; }

    // ---- CW messages ---------------------------------------------------------
    // F5 .. F8 or a left click on message button `slot` (1-4).
    void sendCwMessage(int slot);
    // Shift+F5 .. F8 or another mouse button on message button `slot`.
    void editCwMessage(int slot, bool mouseOnButton);
    // Text typed into the editor: kept to the accepted characters and the limit.
    void typeCwMessage(const QString &text);
    // Enter in the editor saves the message; Esc closes it without saving.
    void saveCwMessage();
    void closeCwEditor();
    void choosePresetCwMessage(const QString &line);
    // The stop button "×".
    void stopCw();
    QString cwMessage(int slot) const;
    int cwEditSlot() const { return m_cwEditSlot; }

    // ---- RIT ---------------------------------------------------------------
    void openRit();
    void setRit(int hz);
    void ritSet();
    void ritReset();

    // ---- keys and status bar -------------------------------------------------
    // One key-down (Qt key code, modifier bits Shift 1, Ctrl 2, Alt 4); true
    // when a row of the key table took it.
    bool handleKey(int key, int modifiers);
    // True when handleKey would take this key now (the windows let such keys
    // win over button and menu access keys).
    bool takesKey(int key, int modifiers) const;
    void setClipboardHasImage(bool has) { m_clipboardImage = has; }
    bool insertMode() const { return m_insert; }
    void statusBarClick(int panel, bool doubleClick);
    void emergencyEnd();

    // ---- state read by the windows and tests --------------------------------
    int dopplerMode() const { return m_dopplerMode; }
    int pauseState() const { return m_pause; }
    bool flagA() const { return m_flagA; }
    bool flagB() const { return m_flagB; }
    bool isFm() const { return m_fm; }
    QString satelliteName() const { return m_satName; }
    QString currentMode() const { return m_mode; }
    int currentRecord() const { return m_record; }
    double rxHz() const { return m_rxHz; }
    double txHz() const { return m_txHz; }
    int ritValue() const { return m_rit; }
    bool beaconReference() const { return m_beaconRef; }
    int rigContType() const { return m_rigContType; }
    QString calcType() const { return m_calcType; }
    int screenshotCount() const { return m_screenshots; }
    int windowTop() const { return m_top; }
    int windowLeft() const { return m_left; }
    bool hasWindowPosition() const { return m_hasPosition; }

signals:
    // The panel should show and raise itself (activate: also take the focus).
    void raiseRequested(bool activate);
    // The main window should unload (the panel then ends through unload()).
    void unloadRequested();
    // The emergency end: quit at once, without the closing sequence.
    void quitRequested();
    // The control (by form name) that should take the focus; an empty name:
    // the panel window itself.
    void focusRequested(const QString &formName);
    void editRequested(PanelCore::Edit edit);
    // Save the clipboard image to this file.
    void screenshotRequested(const QString &path);
    // The scale's left edge or width changed.
    void scaleChanged();
    // Open the built-in tracker's satellite chooser.
    void satelliteChooserRequested();
    void windowPositionLoaded(int topTwips, int leftTwips);
    // The "OP Schedule" window should open (or close).
    void scheduleWindowRequested(bool show);
    // A new satellite is tracked: an open "OP Schedule" lists its passes.
    void scheduleWindowRefresh();

private:
    struct QuickMemory {
        double hz = 0;
        QString call;
        QString code;
        QString side;
    };

    void declareControls();
    void declareScheduleControls();
    void loadScheduleChoices();
    void colourNoticeChoices(bool scheduleSet);
    void startWaterfallWithPanel();
    // The tracking program's folder, where its macro goes; else the data folder (told when `tell`).
    QString macroFolder(bool tell);
    // `known`: the tracking program's window when the caller has found it already.
    std::optional<QString> trackerFolder(const std::optional<TrackerWindow> &known = std::nullopt);
    // Whether a window of that title is present: one of ours on the channel, or a Windows program's.
    bool windowPresent(const QString &title);
    // Clicks the tracking program's controls, in order.
    void clickTracker(std::initializer_list<int> controlIds);
    // A pass time copied in the tracking program's pass windows joins the open schedule list.
    void addCopiedPassTime(const QString &foregroundTitle, const QString &clipboardText);
    // The local day of the panel's clock.
    QDate today() const;
    void requestFocus(Control control) { emit focusRequested(formName(control)); }
    bool send(const QString &code, const QString &payload = QString());
    // send(), keeping the record for the controller's first rig report when
    // it does not get through.
    void sendOrKeep(const QString &code, const QString &payload);
    void replayUndelivered();
    void forgetKept(const QString &code);
    QString settingsText(const QString &section, const QString &key, const QString &fallback) const;
    void writeSetting(const QString &section, const QString &key, const QString &value);

    // receiver
    void handleWaterfall(const QString &text);
    void handleReport(const QString &command, const QString &payload);
    void showRx(const QString &text);
    void showTx(const QString &text);
    void setDisplay(Control name, const QString &text);
    void updateMarkers(bool rx);
    void applyRigReport();
    void setupCwAfterRig();
    void rigPanels(int first, const QString &model, const QString &port, int open, int error, bool used);
    void setInfoCaption();
    void readAgain();

    // tuning
    // The [SATinfo] section name.
    static const QString &satInfo();
    // Rounds half to even.
    static int roundEven(double v);
    void satelliteChange();
    void clearCurrentSatellite();
    void loadRecord(int record, bool withOffset = true);
    void loadStoredOffset();
    void layoutScale();
    void setOffset(int value, bool force = false);
    void stepOffset(int delta);
    void saveOffset();
    void enterBeaconReference();
    void leaveBeaconReference();
    void colourButtons(int green);
    void endBeaconMode();
    void clearQuickMemories();
    void setQqSide(const QString &side);
    QString homeValue() const;
    void updateHomeTip();
    QString modeCode(int index, bool data) const;
    void toggleRxChooser();
    void toggleTxChooser();
    void toggleCwSpeedPopup();
    void changeCwSpeed(int delta);
    // The speed in the form the keying rig takes it, when it takes one.
    void sendCwSpeed(int wpm);
    void escape();
    bool condition(KeyTable::Condition condition, int slot = 0) const;
    cw::KeyingFamily keyingFamily() const;
    QString digitalMarkMode(const QString &foregroundTitle) const;
    Qso currentContact() const;
    void sendToAwardWindow(const QString &code);
    std::optional<Qso> lastDigitalContact();
    void showCwMessage(int slot);
    void perform(const KeyTable::Row &row);
    const KeyTable::Row *findRow(int key, int modifiers) const;
    bool modeChoosersAllowed() const;
    void toggleInsert();
    void toggleRrInp();
    void saveAtExit();
    void setSoundButton(Control button, bool running);
    void stopRecording();
    // Ends a running recording and a running playback.
    void stopSound();

    Channel &m_channel;
    Settings &m_settings;
    Prompter &m_prompter;
    Launcher &m_launcher;
    Clock &m_clock;
    QString m_dataDir;
    PanelView m_view;
    SatelliteTable m_table;

    bool m_extended = false;
    ProgramFolderFinder m_programFolder;
    WindowsPrograms *m_windows = nullptr;
    // Settings the load sends that a controller started a moment before
    // could not take yet (code, payload), replayed with its first rig report.
    QList<QPair<QString, QString>> m_undelivered;
    bool m_closing = false;
    bool m_settingsOpen = false;
    int m_top = 0;
    int m_left = 0;
    bool m_hasPosition = false;
    QString m_waterfallStart = QStringLiteral("0");
    QString m_waterfallProgram;
    QString m_calcType = QStringLiteral("1");
    QString m_useDde = QStringLiteral("1");
    QString m_rrInp = QStringLiteral("0");
    QString m_hamlogPath;
    int m_modeOffset = 700;
    QString m_skdTime = QStringLiteral("0");
    std::shared_ptr<ScheduleCheck> m_schedule;
    QString m_recAuto = QStringLiteral("No");

    // receiver state
    QString m_lastReport;
    double m_rxHz = 0;
    double m_txHz = 0;
    double m_beaconReported = 0;
    QString m_satName;
    QString m_satKey;
    int m_dopplerMode = 3;
    int m_controlButton = 3;
    QString m_rig1Model = QStringLiteral("None");
    QString m_rig1Port = QStringLiteral("None");
    int m_rig1Open = 0;
    int m_rig1Error = 0;
    QString m_rig2Model = QStringLiteral("None");
    QString m_rig2Port = QStringLiteral("None");
    int m_rig2Open = 0;
    int m_rig2Error = 0;
    int m_rigContType = 0;
    QString m_nb = QStringLiteral("0");
    QString m_nr = QStringLiteral("0");
    QString m_rxMode;
    QString m_txMode;
    QString m_filter = QStringLiteral("2");
    QString m_orbit;
    double m_waterfallShift = 0;
    QChar m_mmvariMode;
    bool m_flagA = false;
    bool m_flagB = false;

    // current satellite
    int m_record = 0;
    QString m_recordKey;
    QString m_recordName;
    QString m_mode;
    double m_up = 0;
    double m_down = 0;
    double m_width = 100;
    double m_transpose = 0;
    double m_beacon = 0;
    bool m_fm = false;
    int m_rit = 0;
    double m_tone = 0;

    // tuning state
    QString m_qqSide = QStringLiteral("1");
    int m_offset = 0;
    int m_offsetStep = 10;
    bool m_beaconRef = false;
    QString m_beaconRefSat;
    QString m_beaconRefMode;
    bool m_beaconMode = false;
    int m_pause = 0;
    bool m_modeComp = false;
    QList<QuickMemory> m_memories = QList<QuickMemory>(4);
    double m_scaleLeft = 0;
    double m_scaleWidth = 100000;
    int m_buttonColor[6] = {Grey, Grey, Grey, Grey, Grey, Grey};
    int m_split = 0;
    QStringList m_beaconRows; // frequencies (kHz) of the shown beacon list

    // auto-repeat of the offset buttons
    bool m_repeating = false;
    int m_repeatDelta = 0;
    qint64 m_repeatLast = 0;

    // keys
    Hover m_hover = Hover::None;
    bool m_insert = false;
    bool m_rxChooser = false;
    bool m_txChooser = false;
    bool m_cwPopup = false;
    bool m_clipboardImage = false;
    int m_screenshots = 0;
    int m_cwSpeedAtStart = 20;
    QStringList m_cwMessages = QStringList(4);
    QString m_digitalMark;
    QString m_digitalLog;
    std::shared_ptr<DigitalProgram> m_wsjtProgram; // while WSJT mode is on
    qint64 m_wsjtLogMinute = 0;                    // the log's reference time, in minutes
    QString m_lastDigitalKey;                      // the last contact taken from the program
    WsjtxReceiver *m_wsjtxReceiver = nullptr;
    QTimer *m_digitalWatch = nullptr;
    std::function<QString()> m_mmvariModeReader;
    std::unique_ptr<UdpLink> m_udpLink; // the logging socket, kept across contacts
    // sound
    bool m_recording = false;
    bool m_playing = false;
    qint64 m_recordingStart = 0;
    QTimer *m_soundTimer = nullptr;
    int m_cwEditSlot = 0;
    int m_cwEditLimit = 30;
};

} // namespace vm
