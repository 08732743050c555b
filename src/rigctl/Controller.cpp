#include "rigctl/Controller.h"

#include "cat/IcomDriver.h"
#include "cat/RigModel.h"
#include "common/DataDir.h"
#include "common/RigReport.h"
#include "common/SettingKeys.h"
#include "tracking/TrackingDetection.h"
#include "tracking/TrackingProgram.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <cmath>

// Start-up, lifecycle, rigs and reports of the controller. The control loop
// and the satellite change live in ControllerLoop.cpp, the command dispatcher
// and quick QSY in ControllerCommands.cpp.

namespace vm {

namespace {

constexpr int VersionMajor = 0;
constexpr int VersionMinor = 1;
constexpr int VersionRevision = 0;

} // namespace

Controller::Controller(ControllerEnvironment env)
    : m_env(std::move(env)), m_settingsFile(findFileNoCase(m_env.dataDir, QStringLiteral("Velomira.ini"))),
      m_link([this](const QString &code, const QString &payload) { report(code, payload); },
             TrackingLink::Smoothing{
                 [this] { return m_settings.rangeRateSmoothing; },
                 [this](float raw) { return m_smoother.smooth(raw); },
                 [this](float raw) { m_smoother.setReference(raw); },
             })
{
    m_hooks.report = [this](const QString &code, const QString &payload) {
        if (code == QLatin1String("OPPRXM")) {
            m_receiveMode = payload;
            reportReceiveMode();
            return;
        }
        if (code == QLatin1String("OPPTXM"))
            m_transmitMode = payload;
        report(code, payload);
    };
    m_hooks.writeSetting = [this](const QString &section, const QString &key, const QString &value) {
        m_settingsFile.file().set(section, key, value);
    };
    m_hooks.readSetting = [this](const QString &section, const QString &key) {
        return m_settingsFile.file().value(section, key).value_or(QString());
    };
    m_hooks.startLinkTimer = [this] {
        if (!m_timer2.running)
            setTimer2(true, m_settings.rigs.pollTimeMs);
    };
    m_hooks.stopControlTimer = [this] { setTimer1(false, 0); };
    m_hooks.showMessage = [this](const QString &text) {
        if (m_env.showMessage)
            m_env.showMessage(PanelTitle, text);
    };
    m_link.setLabelChanged([this](const QString &label) { m_pendingLabel = label; });
    // A recording played to its end gives the panel its play button back.
    if (m_env.sound)
        m_env.sound->playbackEnded = [this] { report(QStringLiteral("OPPPLY"), QStringLiteral("0")); };
}

Controller::~Controller()
{
    if (m_env.sound)
        m_env.sound->playbackEnded = {};
    // Drivers hold references to the transports and to m_ctx / m_hooks.
    // The ports are released even when no orderly shutdown ran.
    for (RigSlot &slot : m_rigs) {
        slot.driver.reset();
        if (slot.transport && slot.transport->isOpen())
            slot.transport->close();
        slot.transport.reset();
    }
}

QString Controller::versionText(int major, int minor, int revision)
{
    QString text = QString::number(major) + QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0'));
    if (revision > 0)
        text += QString::number(revision, 16);
    return text;
}

QString Controller::settingsPath() const
{
    return m_settingsFile.path();
}

// ---- start-up ---------------------------------------------------------------

Controller::StartResult Controller::start(const QStringList &arguments)
{
    const Step step(*this);
    const QString line = arguments.join(QLatin1Char(' ')).toUpper();
    if (m_env.channel->titleExists(OwnTitle)) {
        // Another controller runs. With "/Z" it is asked to save and hide;
        // this process saves nothing and ends.
        m_savesNothing = true;
        m_closing = true;
        if (line.contains(QLatin1String("/Z"))) {
            const QString me = m_settingsFile.value(keys::ControllerMe);
            qInfo().noquote() << "tunavox: asking the running controller (process" << me << ") to close";
            m_env.channel->postClose(OwnTitle);
        }
        return StartResult::Exit;
    }
    if (!line.contains(QLatin1String("-R"))) {
        m_savesNothing = true;
        return StartResult::Exit;
    }

    // 2. the title the panel sends to
    if (m_env.claimOwnTitle && !m_env.claimOwnTitle()) {
        m_savesNothing = true;
        return StartResult::Exit;
    }
    // 1. process state
    resetState();
    // 6. own identity; the dispatcher takes commands from now on
    m_settingsFile.setValue(keys::ControllerMe, QString::number(m_env.processId));
    m_dispatcherAttached = true;

    // 7, 8. tracking program
    m_calcType = detectTrackingProgram();

    // 9. loop bookkeeping
    setTimer1(false, 0);
    setTimer2(false, 0);
    m_firstPass = true;
    m_firstTick = false;
    m_beaconCorrection = false;

    // 10. settings, satellite table
    loadSettings();
    // 11.
    reportRigs();
    // 12.
    m_combinations.load(findFileNoCase(m_env.dataDir, QStringLiteral("RigCombi.txt")));
    for (const QString &problem : m_combinations.problems())
        qWarning().noquote() << "tunavox: RigCombi.txt:" << problem;
    m_settingsFile.setValue(keys::ControllerVersion,
                            versionText(VersionMajor, VersionMinor, VersionRevision));
    // 13.
    m_smoother.selectProfile(2);
    // 14.
    openLink();
    // 15.
    openRigs();
    // 17.
    m_startupComplete = true;
    report(QStringLiteral("OPPLKM"), m_calcType);
    // 18.
    startControlLoop();
    return StartResult::Running;
}

void Controller::resetState()
{
    m_closing = false;
    m_settingsOpen = false;
    m_ctx.settingsOpen = false;
    m_startupComplete = false;
    m_ctx.dopplerState = 3;
    m_modeOffsetStep = 10;
    m_lastSfx = QStringLiteral("0");
    m_lastOfx = QStringLiteral("0");
    m_ctx.rigControlMode = 1;
}

QString Controller::detectTrackingProgram()
{
    TrackingSources *sources = m_env.tracking;
    if (!sources)
        return QStringLiteral("4");
    const auto running = [sources](const QString &title) { return sources->programRunning(title); };
    const std::optional<QString> configured = m_settingsFile.stored(keys::CalcType);
    TrackingDetection found = trackingDetection::detect(running, configured);
    if (found.configuredProgramMissing) {
        // The settings name an outside program that does not run. Our own
        // orbit computation takes its place when it can; the setting stays
        // as the operator made it, for the next start.
        m_keptCalcType = configured;
        const QString missing =
            trackingProgram(kindFromCalcType(*configured).value_or(TrackingKind::Builtin)).name;
        QString why;
        if (!sources->builtinCanRun(&why) && m_env.askOkCancel) {
            // Neither can serve: one more chance after the operator has
            // started the program (asked only where someone can answer).
            m_env.askOkCancel(trackingDetection::noProgramTitle(), trackingDetection::noProgramMessage());
            found = trackingDetection::detect(running, configured);
        }
        if (found.configuredProgramMissing) {
            m_trackingNote = QCoreApplication::translate(
                                 "Controller", "%1 が起動していないので、内蔵の軌道計算で追尾します")
                                 .arg(missing);
            qInfo().noquote() << "tunavox:" << missing
                              << "does not run: the built-in orbit computation tracks"
                              << (why.isEmpty() ? QString() : QStringLiteral("(%1)").arg(why));
            m_trackingName = trackingProgram(TrackingKind::Builtin).name;
            return calcTypeText(TrackingKind::Builtin);
        }
        m_keptCalcType.reset();
    }
    if (!found.message.isEmpty() && m_env.showMessage)
        m_env.showMessage(trackingDetection::severalProgramsTitle(), found.message);
    m_trackingName = trackingProgram(found.kind).name;
    return found.calcType();
}

void Controller::loadSettings()
{
    m_settings.load(m_settingsFile);
    // The detected kind is what gets saved, unless it only stands in for a
    // configured program that did not run.
    m_settings.calcType = m_keptCalcType.value_or(m_calcType);
    m_ctx.rigUsage = m_settings.rigs.rigUsage;
    m_ctx.autoPowerOff = m_settings.autoPowerOff;
    m_ctx.rxFilter = m_settings.rxFilter;
    m_settingsOpen = false;
    m_ctx.settingsOpen = false;
    loadTables();
    reselectSmoothing();
}

void Controller::loadTables()
{
    const QString path = findFileNoCase(m_env.dataDir, SatelliteTable::fileName());
    m_table = SatelliteTable();
    if (QFile::exists(path)) {
        m_table.load(path);
        m_table.derive(&m_settingsFile.file());
        for (const QString &w : m_table.warnings())
            qWarning().noquote() << "tunavox:" << SatelliteTable::fileName() << w;
    } else {
        qWarning().noquote() << "tunavox: no satellite table at" << path;
    }
}

void Controller::writeSettings()
{
    if (m_savesNothing)
        return;
    m_settings.save(m_settingsFile, true);
}

void Controller::editSettings(const std::function<void(ControllerSettings &)> &edit)
{
    const QString calcType = m_settings.calcType;
    edit(m_settings);
    m_ctx.rigUsage = m_settings.rigs.rigUsage;
    m_ctx.autoPowerOff = m_settings.autoPowerOff;
    if (m_settings.calcType != calcType) {
        m_calcType = m_settings.calcType;
        m_keptCalcType.reset();
        m_trackingNote.clear();
        if (const std::optional<TrackingKind> kind = kindFromCalcType(m_calcType))
            m_trackingName = trackingProgram(*kind).name;
    }
    writeSettings();
}

void Controller::saveSettings()
{
    writeSettings();
    m_settingsOpen = false;
    m_ctx.settingsOpen = false;
    reselectSmoothing();
    // A save re-links the tracking program and reopens the rigs.
    openLink();
    closeRigs();
    openRigs();
}

void Controller::openLink()
{
    if (!m_env.tracking) {
        qWarning() << "tunavox: no tracking sources";
        return;
    }
    // Ornik speaks DDE only: its link forces the method, and the settings
    // keep it so that the next save writes what is in force.
    if (m_calcType == QLatin1String("2"))
        m_settings.useDde = true;
    std::unique_ptr<TrackingSource> source = m_env.tracking->create(m_calcType, m_settings.useDde);
    if (!source) {
        qWarning().noquote() << "tunavox: no tracking source for kind" << m_calcType;
        return;
    }
    QString error;
    if (!m_link.open(std::move(source), &error)) {
        // The operator must learn why no satellite comes (no orbit data, no
        // station); the controller keeps running without one.
        qWarning().noquote() << "tunavox: the tracking link did not open:" << error;
        if (m_env.showMessage && !error.isEmpty())
            m_env.showMessage(PanelTitle, error);
    }
    if (m_calcType == QLatin1String("4")) {
        const QString chosen = m_settingsFile.value(keys::TrackSatellite);
        m_env.tracking->selectSatellite(m_link.source(), chosen);
    }
}

// ---- rigs -------------------------------------------------------------------

RigDriver *Controller::rig(int rigNumber) const
{
    if (rigNumber < 1 || rigNumber > 2)
        return nullptr;
    return m_rigs[rigNumber - 1].driver.get();
}

bool Controller::rigOpen(int rigNumber) const
{
    RigDriver *d = rig(rigNumber);
    return d && d->port().isOpen();
}

void Controller::openRigs()
{
    switch (m_settings.rigs.rigUsage) {
    case 0:
    case 1:
        openRig(1);
        break;
    case 2:
        openRig(2);
        break;
    case 3:
        openRig(1);
        openRig(2);
        break;
    default:
        break;
    }
}

void Controller::openRig(int rigNumber)
{
    const RigSettings &rs = rigNumber == 1 ? m_settings.rigs.rig1 : m_settings.rigs.rig2;
    RigSlot &slot = m_rigs[rigNumber - 1];
    if (rs.port == QLatin1String("None") || rs.type == QLatin1String("None"))
        return;
    const RigModelInfo *model = RigModels::find(rs.type);
    if (!model) {
        qWarning().noquote() << "tunavox: rig" << rigNumber << "model" << rs.type
                             << "is not known; not opened";
        return;
    }
    if (!(rigNumber == 1 ? model->asRig1 : model->asRig2)) {
        qWarning().noquote() << "tunavox:" << rs.type << "cannot serve as rig" << rigNumber << "; not opened";
        return;
    }
    if (!m_env.transportFactory) {
        qWarning() << "tunavox: no serial transport";
        return;
    }
    // The driver refers to the transport: the old pair goes in that order.
    if (slot.driver && slot.driver->port().isOpen())
        slot.driver->close();
    slot.driver.reset();
    slot.transport = m_env.transportFactory(rigNumber, rs.port);
    if (!slot.transport)
        return;
    std::unique_ptr<RigDriver> driver = createRigDriver(rs.type, rigNumber, *slot.transport, m_ctx, m_hooks);
    if (!driver) {
        qWarning().noquote() << "tunavox: rig" << rigNumber << "model" << rs.type
                             << "needs a driver this version does not have yet; not opened";
        slot.transport.reset();
        return;
    }
    if (!driver->configure(RigConfig{rs.port, rs.baudRate, rs.type, rs.civAddress})) {
        qWarning().noquote() << "tunavox: rig" << rigNumber << "settings not usable (CI-V address"
                             << rs.civAddress << "); not opened";
        slot.transport.reset();
        return;
    }
    slot.driver = std::move(driver);
    if (m_ft4) {
        slot.driver->port().setWaitOverride(m_settings.ft4WaitMs);
        slot.driver->port().restoreNormalWaits();
    }
    if (!slot.driver->open()) {
        qWarning().noquote() << "tunavox: rig" << rigNumber << "port" << rs.port << "did not open";
        // Why, and what to do, where the port can tell; the settings stay as they are.
        const PortProblem &problem = slot.driver->port().openProblem();
        if (problem.kind != PortProblem::Kind::None && m_env.showMessage)
            m_env.showMessage(PanelTitle, problem.message());
    }
}

void Controller::applyFt4Waits()
{
    // FT4 operation: both rigs answer within the operator's short wait; off,
    // they return to the wait of their baud rate and model.
    for (int rigNumber : {1, 2}) {
        if (RigDriver *d = rig(rigNumber)) {
            d->port().setWaitOverride(m_ft4 ? std::optional<int>(m_settings.ft4WaitMs) : std::nullopt);
            d->port().restoreNormalWaits();
        }
    }
}

void Controller::closeRig(int rigNumber)
{
    RigDriver *d = rig(rigNumber);
    if (d && d->port().isOpen())
        d->close();
}

void Controller::withRigPortFree(int rigNumber, const std::function<void()> &use)
{
    const Step step(*this);
    const bool wasOpen = rigOpen(rigNumber);
    closeRig(rigNumber);
    use();
    if (wasOpen)
        openRig(rigNumber);
}

void Controller::closeRigs()
{
    closeRig(1);
    closeRig(2);
}

void Controller::reportReceiveMode()
{
    // The panel reads the last character of an IC9100/IC9700 receive-mode
    // report as the receive filter digit.
    const bool withFilter = m_settings.rigs.rig1.type == QLatin1String("IC9100") ||
                            m_settings.rigs.rig1.type == QLatin1String("IC9700");
    const QString filter = m_ctx.rxFilter.isEmpty() ? QStringLiteral("1") : m_ctx.rxFilter.left(1);
    report(QStringLiteral("OPPRXM"), withFilter ? m_receiveMode + filter : m_receiveMode);
}

void Controller::reportRigs()
{
    const RigArrangement &r = m_settings.rigs;
    const QString payload = QStringList{r.rig1.type,
                                        rigReport::encodePort(r.rig1.port),
                                        QString::number(rigOpen(1) ? 1 : 0),
                                        r.rig2.type,
                                        rigReport::encodePort(r.rig2.port),
                                        QString::number(rigOpen(2) ? 1 : 0),
                                        QString::number(r.rigUsage)}
                                .join(QLatin1Char(':'));
    report(QStringLiteral("OPPRIG"), payload);
}

void Controller::setWindowPosition(double top, double left)
{
    m_settings.windowTop = top;
    m_settings.windowLeft = left;
}

QStringList Controller::rigSummary() const
{
    const RigArrangement &r = m_settings.rigs;
    const auto line = [this](int n, const RigSettings &s) {
        return QStringLiteral("Rig %1: %2  %3  %4 bps  CI-V %5  %6")
            .arg(n)
            .arg(s.type, s.port, s.baudRate, s.civAddress,
                 rigOpen(n) ? QStringLiteral("open") : QStringLiteral("closed"));
    };
    return {line(1, r.rig1), line(2, r.rig2),
            QStringLiteral("RigContType %1  Poll_Time %2 ms").arg(r.rigUsage).arg(r.pollTimeMs),
            QStringLiteral("Calc_Type %1").arg(m_calcType)};
}

// ---- timers -----------------------------------------------------------------

void Controller::setTimer1(bool running, int intervalMs)
{
    if (m_timer1.running == running && m_timer1.intervalMs == intervalMs)
        return;
    m_timer1 = {intervalMs, running};
    if (m_events.timersChanged)
        m_events.timersChanged();
}

void Controller::setTimer2(bool running, int intervalMs)
{
    if (m_timer2.running == running && m_timer2.intervalMs == intervalMs)
        return;
    m_timer2 = {intervalMs, running};
    if (m_events.timersChanged)
        m_events.timersChanged();
}

void Controller::startControlLoop()
{
    if (m_closing || m_ctx.rigControlMode == 2)
        return;
    setTimer2(false, 0);
    setTimer1(true, m_settings.rigs.pollTimeMs);
}

void Controller::stopControlLoop()
{
    setTimer1(false, 0);
}

void Controller::reselectSmoothing(std::optional<int> responseWait)
{
    const int wait =
        responseWait ? *responseWait : (m_ft4 ? m_settings.ft4WaitMs : m_settings.responseWait1());
    const int profile = selectSmoothingProfile(m_settings.rigs.rig1.baudRate, m_settings.rigs.pollTimeMs,
                                               wait, m_ctx.dopplerState);
    if (profile != 0)
        m_smoother.selectProfile(profile);
}

// ---- windows and shutdown ----------------------------------------------------

void Controller::reattach()
{
    m_dispatcherAttached = true;
}

void Controller::hideSettingsWindow()
{
    m_settingsFile.setValue(keys::Cfo, QStringLiteral("0"));
    if (m_events.settingsWindow)
        m_events.settingsWindow(false);
}

void Controller::closeSettingsWindow()
{
    const Step step(*this);
    if (m_closing)
        return;
    saveSettings();
    m_lastSfx = QStringLiteral("0");
    m_lastOfx = QStringLiteral("0");
    reattach();
    hideSettingsWindow();
    startControlLoop();
}

void Controller::runOrDefer(std::function<void()> action)
{
    if (m_stepDepth > 0) {
        m_deferred.push_back(std::move(action));
        return;
    }
    const Step step(*this);
    action();
}

void Controller::runDeferred()
{
    // Counted as one step, so what arrives meanwhile joins the queue.
    ++m_stepDepth;
    while (!m_deferred.empty()) {
        const std::function<void()> action = std::move(m_deferred.front());
        m_deferred.pop_front();
        action();
    }
    --m_stepDepth;
}

void Controller::closeRequestedFromOutside()
{
    runOrDefer([this] { closeRequestedNow(); });
}

void Controller::closeRequestedNow()
{
    if (m_closing)
        return;
    if (m_ctx.sameBand && rigOpen(1) && RigModels::get(m_settings.rigs.rig1.type).sameBand)
        rig(1)->setSameBandOperation(false);
    m_ctx.sameBand = false;
    if (m_savedArrangement)
        restoreArrangement(false);
    saveSettings();
    reattach();
    hideSettingsWindow();
    startControlLoop();
}

void Controller::shutdown()
{
    if (m_finished)
        return;
    // 1.
    if (m_savedArrangement)
        restoreArrangement(false);
    // 2.
    if (!m_settings.rigs.lmf.isEmpty())
        m_settingsFile.setValue(keys::LMF, m_settings.rigs.lmf);
    if (!m_settings.lsf.isEmpty())
        m_settingsFile.setValue(keys::LSF, m_settings.lsf);
    // 3.
    m_link.close();
    // 4.
    setTimer1(false, 0);
    setTimer2(false, 0);
    // 5.
    closeRigs();
    // 6.
    m_closing = true;
    m_ctx.shuttingDown = true;
    writeSettings();
    // 8.
    m_dispatcherAttached = false;
    finish();
}

void Controller::finish()
{
    m_finished = true;
    if (m_events.finished)
        m_events.finished();
}

// ---- reports ------------------------------------------------------------------

void Controller::report(const QString &code, const QString &payload)
{
    if (m_closing || !m_env.channel)
        return;
    m_env.channel->send(PanelTitle, code + payload);
}

void Controller::reportNumber(const QString &code, double hz)
{
    report(code, QString::number(qint64(std::llround(hz))));
}

void Controller::toWaterfall(const QString &code, const QString &payload)
{
    if (m_closing || !m_env.channel || m_waterfallLink != QLatin1String("1"))
        return;
    m_env.channel->send(WaterfallTitle, code + payload);
}

} // namespace vm
