// The Doppler control loop and the satellite change of the controller.

#include "cat/IcomDriver.h"
#include "cat/RigModel.h"
#include "common/ProtocolTexts.h"
#include "common/SettingKeys.h"
#include "rigctl/Controller.h"

#include <QCoreApplication>
#include <QDebug>

#include <cmath>

namespace vm {

namespace {

double kHz(const QString &text)
{
    return text.trimmed().toDouble() * 1000.0;
}

// First two of the ten digits of a dial frequency: the band the drivers use.
QString bandIndicator(double hz)
{
    return QStringLiteral("%1").arg(qint64(std::llround(hz)), 10, 10, QLatin1Char('0')).left(2);
}

bool hasSatelliteModeSwitch(const QString &model)
{
    return RigModels::get(model).sameBand;
}

} // namespace

// ---- timers -------------------------------------------------------------------

void Controller::tick1()
{
    const Step step(*this);
    if (!m_timer1.running || m_closing)
        return;
    if (!m_env.channel->titleExists(PanelTitle)) {
        shutdown();
        return;
    }
    if (m_settingsOpen)
        return;
    m_tickReadMs = m_env.clock->nowMs();
    m_dialWrittenMs = -1;
    readTracking();
    if (m_closing || !m_timer1.running)
        return;
    controlStep();
}

void Controller::tick2()
{
    const Step step(*this);
    if (!m_timer2.running || m_closing || m_settingsOpen)
        return;
    if (!m_env.channel->titleExists(PanelTitle)) {
        shutdown();
        return;
    }
    readTracking();
}

void Controller::readTracking()
{
    m_link.read();
    if (m_link.scheduleFlag()) {
        // A scheduled pass begins: its satellite is chosen as "RCMSAT" would.
        const QString due = m_scheduleSwitch.due(m_env.dataDir, m_env.clock->utcMs());
        if (!due.isEmpty())
            dispatch(QStringLiteral("SAT"), QStringLiteral("RCMSAT") + due);
    }
    if (m_pendingLabel) {
        const QString label = *m_pendingLabel;
        m_pendingLabel.reset();
        satelliteChanged(label);
    }
}

// ---- the control step -----------------------------------------------------------

qint32 Controller::computeModeOffset() const
{
    const qint32 cm = m_settings.modeOffsetHz;
    const qint32 o = m_offsetO;
    const QString rx = m_receiveMode.section(QLatin1Char(' '), 0, 0);
    if (m_ctx.dopplerState == 5) {
        if (m_beaconCorrection && rx == QLatin1String("USB"))
            return cm + o;
        if (m_beaconCorrection && rx == QLatin1String("LSB"))
            return o - cm;
        return o;
    }
    if (m_transmitMode.section(QLatin1Char(' '), 0, 0) == QLatin1String("CW")) {
        if (rx == QLatin1String("USB"))
            return cm + o + m_shiftX + m_splitS;
        if (rx == QLatin1String("LSB"))
            return o - cm - m_shiftX - m_splitS;
        if (rx == QLatin1String("CW"))
            return o + m_shiftX + m_splitS;
    }
    return o;
}

bool Controller::oneRigReportsDial() const
{
    return m_settings.rigs.rigUsage == 0 && RigModels::get(m_settings.rigs.rig1.type).reportsDial;
}

bool Controller::sameSatellite() const
{
    return !m_selectedName.isEmpty() && m_link.satellite().compare(m_selectedName, Qt::CaseInsensitive) == 0;
}

void Controller::pollRigs()
{
    for (int n = 1; n <= 2; ++n) {
        if (rigOpen(n)) {
            rig(n)->pollFrequency();
            if (rigOpen(n))
                rig(n)->pollMode();
        }
    }
}

void Controller::noteDialWritten(qint64 beforeMs)
{
    // The rig takes the new dial somewhere inside the driver's call (band
    // selection, frequency, band selection back, each with its wait); the
    // middle of the call is taken as that moment.
    m_dialWrittenMs = (beforeMs + m_env.clock->nowMs()) / 2;
}

void Controller::setReceive(double hz)
{
    const int usage = m_settings.rigs.rigUsage;
    if ((usage == 0 || usage == 1 || usage == 3) && rigOpen(1)) {
        const qint64 before = m_env.clock->nowMs();
        rig(1)->setFrequency(Band::A, std::llround(hz - double(m_ctx.rxTransverterOffset)));
        noteDialWritten(before);
    }
}

void Controller::setTransmit(double hz)
{
    const qint64 value = std::llround(hz - double(m_ctx.txTransverterOffset));
    switch (m_settings.rigs.rigUsage) {
    case 0:
        if (rigOpen(1) && RigModels::get(m_settings.rigs.rig1.type).twoDials()) {
            const qint64 before = m_env.clock->nowMs();
            rig(1)->setFrequency(Band::B, value);
            noteDialWritten(before);
        }
        break;
    case 2:
    case 3:
        if (rigOpen(2)) {
            const qint64 before = m_env.clock->nowMs();
            rig(2)->setFrequency(Band::B, value);
            noteDialWritten(before);
        }
        break;
    default:
        break;
    }
}

void Controller::tuneNow()
{
    // A tuning command ("OFF", "TXP", "SPT") is carried out at once rather
    // than at the next tick, so the operator's signal moves as soon as the
    // rig can take it. Nothing runs where a tick would not control, nor
    // before the first tick after a satellite change has read the dials.
    if (!m_timer1.running || m_closing || m_settingsOpen || m_changing || m_firstPass)
        return;
    if (!m_env.channel->titleExists(PanelTitle))
        return; // the next tick shuts down
    controlStep(false);
}

void Controller::controlStep(bool poll)
{
    int &state = m_ctx.dopplerState;
    double &R = m_ctx.rxFrequency;
    double &T = m_ctx.txFrequency;

    // 4. after a change, start from what the rigs show
    if (m_firstPass) {
        for (int n = 1; n <= 2; ++n) {
            if (rigOpen(n))
                rig(n)->readCurrentFrequencies();
        }
        m_firstPass = false;
    }

    // 5. the operator changed an offset while the receive dial follows
    if (state == 2 && (m_splitS != m_prevS || m_shiftX != m_prevX || m_offsetO != m_prevO))
        state = 8;
    m_prevS = m_splitS;
    m_prevX = m_shiftX;
    m_prevO = m_offsetO;

    // 6.
    m_dialMoving = false;
    m_modeOffsetM = computeModeOffset();
    const double r0 = R;
    const double t0 = T;
    if (poll && state != 4)
        pollRigs();

    // 7. the operator turning a dial of the one rig that reports it
    if (state != 3 && oneRigReportsDial()) {
        const bool rxMoved = R != r0;
        const bool txMoved = T != t0;
        switch (state) {
        case 0:
        case 1:
            if (rxMoved) {
                if (state == 1 && m_lastSfx != QLatin1String("0")) {
                    m_dialMoving = true;
                } else {
                    m_changing = false;
                    return;
                }
            }
            break;
        case 2:
            if (txMoved) {
                state = 9;
                report(QStringLiteral("OPPDOP"), QStringLiteral("9"));
                m_changing = false;
                return;
            }
            break;
        case 9:
            if (rxMoved) {
                m_changing = false;
                return;
            }
            state = 8;
            report(QStringLiteral("OPPDOP"), QStringLiteral("8"));
            break;
        default:
            break;
        }
    }

    // 8. the control step proper
    if (!sameSatellite()) {
        m_changing = false;
        return;
    }
    const float rr = m_link.rangeRate();
    const qint32 dR = doppler(rr, R);
    const qint32 dT = doppler(rr, T);
    const qint32 M = m_modeOffsetM;
    const Transponder &tp = m_transponder;

    switch (state) {
    case 0:
    case 8:
        if (!m_fm) {
            T = dial::transmitFor(tp, R, dR, dT, M);
            setTransmit(T);
            reportNumber(QStringLiteral("OPPTXS"), T);
        }
        if (state == 8) {
            state = 2;
            for (int n = 1; n <= 2; ++n) {
                if (rig(n))
                    rig(n)->port().restoreNormalWaits();
            }
            report(QStringLiteral("OPPDOP"), QStringLiteral("2"));
        }
        break;
    case 2:
        if (!m_fm) {
            R = dial::receiveFor(tp, T, dR, dT, M);
            setReceive(R);
            reportNumber(QStringLiteral("OPPRXS"), R);
        }
        break;
    case 1:
        if (m_fm) {
            // Single-channel satellite: the satellite-side frequencies are
            // the entry's own; each dial is corrected for its Doppler shift.
            const double down = tp.downlinkFor(m_homeUplink);
            T = m_homeUplink - doppler(rr, m_homeUplink);
            R = down + doppler(rr, down) + m_rit;
            setTransmit(T);
            reportNumber(QStringLiteral("OPPTXS"), T);
            reportNumber(QStringLiteral("OPPSTX"), m_homeUplink);
            setReceive(R);
            reportNumber(QStringLiteral("OPPRXS"), R);
            reportNumber(QStringLiteral("OPPSRX"), down);
            break;
        }
        if (!m_firstTick) {
            // The receive dial follows the change of its Doppler shift, so
            // the satellite-side downlink stays where the operator put it.
            R = R + (dR - m_dR0);
            reportNumber(QStringLiteral("OPPSRX"), R - dR);
            setReceive(R);
            reportNumber(QStringLiteral("OPPRXS"), R);
        }
        // The transmit shift X counts on every tick, not only the first, so
        // that the transmit dial does not jump by X on the second tick.
        T = dial::transmitFor(tp, R, dR, dT, M + m_shiftX);
        reportNumber(QStringLiteral("OPPSTX"), tp.uplinkFor(R - dR));
        if (!m_dialMoving)
            setTransmit(T);
        reportNumber(QStringLiteral("OPPTXS"), T);
        m_firstTick = false;
        m_dR0 = dR;
        break;
    case 5:
        if (m_beaconBase != 0) {
            // The beacon is a downlink signal: heard at B0 + d(B0).
            const double b0 = double(m_beaconBase);
            const double B = b0 + doppler(rr, b0) - M;
            setReceive(B);
            reportNumber(QStringLiteral("OPPBCS"), B);
        }
        break;
    case 6: {
        const double F = double(m_offsetO) + m_homeSameBand;
        const qint32 d = doppler(rr, F);
        T = F - d;
        R = F + d;
        reportNumber(QStringLiteral("OPPSTX"), T);
        if (rigOpen(1))
            rig(1)->setFrequencySameBand(Band::B, std::llround(T));
        reportNumber(QStringLiteral("OPPSRX"), R);
        if (rigOpen(1))
            rig(1)->setFrequencySameBand(Band::A, std::llround(R));
        break;
    }
    default:
        break; // 3, 4, 7: no control
    }
    // A tick that set a dial tells the source how long that took after its read.
    if (poll && m_env.tracking && m_tickReadMs >= 0 && m_dialWrittenMs >= m_tickReadMs)
        m_env.tracking->setDialDelay(m_link.source(), m_dialWrittenMs - m_tickReadMs);
    m_tickReadMs = -1;
    m_changing = false;
}

// ---- satellite change ------------------------------------------------------------

void Controller::satelliteChanged(const QString &label)
{
    Q_UNUSED(label)
    if (m_settingsOpen)
        return;
    m_smoother.reset();
    const QString name = m_link.satellite();
    int record = 0;
    for (int i = 2; i <= m_table.count(); ++i) {
        const SatelliteRecord &r = m_table.record(i);
        if (r.isUsable() && r.Name.compare(name, Qt::CaseInsensitive) == 0) {
            record = i;
            break;
        }
    }
    if (record == 0) {
        if (name.compare(QLatin1String("DUMMY"), Qt::CaseInsensitive) == 0) {
            setTimer2(false, 0);
            report(QStringLiteral("OPPRXF"), QString());
            report(QStringLiteral("OPPTXF"), QString::fromUtf8(protocol::EndingPayload));
            return;
        }
        changeProcedure(0, name, false);
        report(QStringLiteral("OPPHOM"), QString());
        return;
    }
    setTimer2(false, 0);
    if (!changeProcedure(record, name, false))
        return;
    reportAfterChange();
    report(QStringLiteral("OPPHOM"), QString());
}

void Controller::reportAfterChange()
{
    const bool uu = m_table.record(m_selectedRecord).MLTmode == QLatin1String("UU");
    report(QStringLiteral("OPPSTC"), uu ? QStringLiteral("1") : m_settings.startCmdMode);
    report(QStringLiteral("OPPKAN"), QString());
    reportReceiveMode();
    report(QStringLiteral("OPPTXM"), m_transmitMode);
}

void Controller::loadEntry(int record)
{
    const SatelliteRecord &e = m_table.record(record);
    m_transponder = Transponder(e.TransposeHz, Transponder::typeFromText(e.NonRev));
    m_fm = e.HasTone != 0;
    m_tone = e.Tone;
    m_homeUplink = kHz(e.CenterText);
    bool ok = false;
    const int rit = e.RITfreq.trimmed().toInt(&ok);
    m_rit = ok ? rit : 0;
    m_ctx.txTransverterOffset = qint64(std::llround(kHz(e.TXTRV)));
    m_ctx.rxTransverterOffset = qint64(std::llround(kHz(e.RXTRV)));
}

qint32 Controller::storedOffset(const QString &name, const QString &mode) const
{
    const std::optional<QString> v =
        m_settingsFile.file().value(QString::fromUtf8(keys::SatInfoSection), keys::offsetKey(name, mode));
    bool ok = false;
    const int o = v ? v->trimmed().toInt(&ok) : 0;
    return ok ? o : 0;
}

bool Controller::changeProcedure(int record, const QString &receivedName, bool multiMode)
{
    // 1.
    if (m_ctx.rigControlMode == 2 && m_settings.rigs.rig1.type == QLatin1String("IC9700") && rigOpen(1)) {
        if (auto *icom = dynamic_cast<IcomDriver *>(rig(1)))
            icom->selectBandA();
    }
    setTimer1(false, 0);
    m_firstPass = true;
    m_shiftX = 0;
    m_changing = true;
    m_link.resetHorizon();

    // 2. keep the old satellite's offset
    const QString newName = record > 0 ? m_table.record(record).Name : receivedName;
    const bool nameChanged = m_selectedName.compare(newName, Qt::CaseInsensitive) != 0;
    if (m_offsetMode != QLatin1String("K") && !m_fm && !m_selectedName.isEmpty() &&
        m_selectedName != UnknownSatellite && (nameChanged || multiMode)) {
        m_settingsFile.file().set(QString::fromUtf8(keys::SatInfoSection),
                                  keys::offsetKey(m_selectedName, m_currentMode), QString::number(m_offsetO));
    }

    // 3.
    report(QStringLiteral("OPPSAN"), receivedName);
    m_firstTick = true;
    m_ctx.rxTransverterOffset = 0;
    m_ctx.txTransverterOffset = 0;

    if (record == 0) {
        // 6, not found
        report(QStringLiteral("OPPSAN"), UnknownSatellite);
        m_selectedName = UnknownSatellite;
        m_selectedRecord = 0;
        m_changing = false;
        m_ctx.rigControlMode = 1;
        startControlLoop();
        return true;
    }

    const SatelliteRecord &entry = m_table.record(record);
    const QString rig1Model = m_settings.rigs.rig1.type;
    if (entry.MLTmode != QLatin1String("UU")) {
        // 4.
        if (m_ctx.sameBand && hasSatelliteModeSwitch(rig1Model) && rigOpen(1))
            rig(1)->setSameBandOperation(false);
        m_ctx.sameBand = false;
        // Same-band control belongs to the old entry; no control until the
        // panel chooses the new satellite's state.
        if (m_ctx.dopplerState == 6)
            m_ctx.dopplerState = 3;
        const QList<MultiModeEntry> &modes = m_table.multiModeIndex();
        if (!modes.isEmpty()) {
            int position = 0;
            for (int i = 0; i < modes.size(); ++i) {
                if (modes.at(i).Record == record) {
                    position = i + 1;
                    break;
                }
            }
            m_currentMode = position > 0 ? entry.MLTmode : QString();
            // A mode the panel chose itself is not reported back: the report
            // makes the panel take the satellite's first mode as current, and
            // it would then file the chosen mode's offset under that one.
            if (!multiMode)
                report(QStringLiteral("OPPMLT"), position > 0 ? QString::number(position) : QString());
        } else {
            m_currentMode = entry.MLTmode;
        }
        m_selectedName = entry.Name;
        m_selectedRecord = record;
        loadEntry(record);
        m_ctx.txFrequency = m_homeUplink;
        m_ctx.rxFrequency = m_transponder.downlinkFor(m_homeUplink);
        m_rxBand = bandIndicator(m_ctx.rxFrequency - double(m_ctx.rxTransverterOffset));
        m_txBand = bandIndicator(m_ctx.txFrequency - double(m_ctx.txTransverterOffset));
        m_offsetO = storedOffset(m_selectedName, m_currentMode);
    } else {
        // 5. the rig's own same-band satellite arrangement
        if (!hasSatelliteModeSwitch(rig1Model)) {
            if (m_env.showMessage)
                m_env.showMessage(PanelTitle, QCoreApplication::translate(
                                                  "Controller", "申し訳ございません、%1は対応していません。")
                                                  .arg(rig1Model));
            m_changing = false;
            return false; // the loop stays stopped
        }
        m_rxBand = QStringLiteral("04");
        m_ctx.sameBand = true;
        m_selectedName = entry.Name;
        m_selectedRecord = record;
        m_currentMode = entry.MLTmode;
        loadEntry(record);
        m_ctx.rxTransverterOffset = 0;
        m_ctx.txTransverterOffset = 0;
        m_homeSameBand = kHz(entry.DownLink);
        if (rig1Model == QLatin1String("IC9700") || rig1Model == QLatin1String("IC705") ||
            rig1Model == QLatin1String("IC7100") || rig1Model == QLatin1String("IC905"))
            m_ctx.rxFilter = m_settingsFile.value(keys::RxFilter);
        m_ctx.dopplerState = 6;
        report(QStringLiteral("OPPDOP"), QStringLiteral("6"));
        m_ctx.txFrequency = m_homeSameBand;
        m_ctx.rxFrequency = m_homeSameBand;
        reportNumber(QStringLiteral("OPPRXS"), m_homeSameBand);
        reportNumber(QStringLiteral("OPPTXS"), m_homeSameBand);
        toWaterfall(QStringLiteral("MWFSNA"), m_link.label());
        toWaterfall(QStringLiteral("MWFSRV"), m_link.values().revolution);
        if (rigOpen(1))
            rig(1)->setSameBandOperation(true);
        m_ctx.dopplerState = 6;
        m_offsetO = storedOffset(m_selectedName, m_currentMode);
        m_changing = false;
        m_ctx.rigControlMode = 1;
        startControlLoop();
        return true;
    }

    // 6. found
    m_link.read();
    reportNumber(QStringLiteral("OPPRXS"), m_ctx.rxFrequency);
    reportNumber(QStringLiteral("OPPTXS"), m_ctx.txFrequency);
    report(QStringLiteral("OPPPOB"), m_link.values().revolution);
    toWaterfall(QStringLiteral("MWFSNA"), m_link.label());
    toWaterfall(QStringLiteral("MWFSRV"), m_link.values().revolution);
    // Opening other rigs reads their dials; the set-up puts them on the entry's.
    const double home[2] = {m_ctx.rxFrequency, m_ctx.txFrequency};
    selectRigsForSatellite();
    m_ctx.rxFrequency = home[0];
    m_ctx.txFrequency = home[1];
    setUpRigsForSatellite();
    m_changing = false;
    startControlLoop();
    return true;
}

void Controller::setUpRigsForSatellite()
{
    SatelliteSetup setup;
    setup.downlinkHz = std::llround(m_ctx.rxFrequency);
    setup.uplinkHz = std::llround(m_ctx.txFrequency);
    setup.startUpMode = m_settings.startUpMode;
    setup.toneHz = m_fm ? m_tone : QString();
    // The modes set here are the modes in use until a rig reports others
    // (a twin-band rig's poll reads only the receive side).
    const QString &start = m_settings.startUpMode;
    m_receiveMode = m_fm                           ? QStringLiteral("FM")
                    : start == QLatin1String("CW") ? QStringLiteral("CW")
                                                   : QStringLiteral("USB");
    m_transmitMode = m_fm                            ? QStringLiteral("FM")
                     : start == QLatin1String("SSB") ? QStringLiteral("LSB")
                                                     : QStringLiteral("CW");
    for (int n = 1; n <= 2; ++n) {
        if (rigOpen(n))
            rig(n)->port().newSatelliteWaits();
    }
    // The dials are set band by band while no control runs.
    const int state = m_ctx.dopplerState;
    m_ctx.dopplerState = 3;
    switch (m_settings.rigs.rigUsage) {
    case 0:
    case 1:
        if (rigOpen(1))
            rig(1)->setUpSatellite(setup);
        break;
    case 2:
        if (rigOpen(2))
            rig(2)->setUpSatellite(setup);
        break;
    case 3:
        if (rigOpen(1))
            rig(1)->setUpSatellite(setup);
        if (rigOpen(2))
            rig(2)->setUpSatellite(setup);
        break;
    default:
        break;
    }
    m_ctx.dopplerState = state;
}

// ---- satellite-specific rig arrangements ---------------------------------------

void Controller::selectRigsForSatellite()
{
    const QString label = m_selectedName + QLatin1Char(' ') + m_currentMode;
    const RigCombination *combination = m_combinations.find(label);
    if (combination && !m_savedArrangement) {
        RigArrangement a;
        const RigCombination &c = *combination;
        a.rig1 = {c[RigCombination::RigType], c[RigCombination::RigPort], c[RigCombination::BaudRate],
                  c[RigCombination::IcomAddress]};
        a.rig2 = {c[RigCombination::RigType2], c[RigCombination::RigPort2], c[RigCombination::BaudRate2],
                  c[RigCombination::IcomAddress2]};
        bool ok = false;
        const int poll = c[RigCombination::PollTime].trimmed().toInt(&ok);
        a.pollTimeMs = ok ? qMax(50, poll) : m_settings.rigs.pollTimeMs;
        const int usage = c[RigCombination::RigContType].trimmed().toInt(&ok);
        a.rigUsage = ok && usage >= 0 && usage <= 4 ? usage : m_settings.rigs.rigUsage;
        a.lmf = c[RigCombination::Lmf];
        for (RigSettings *r : {&a.rig1, &a.rig2}) {
            if (r->type.isEmpty())
                r->type = QStringLiteral("None");
            if (r->port.isEmpty() || r->port == QLatin1String("0"))
                r->port = QStringLiteral("None");
        }
        applyArrangement(a);
    } else if (!combination && m_savedArrangement) {
        restoreArrangement(true);
    }
    reportRigs();
}

void Controller::applyArrangement(const RigArrangement &arrangement)
{
    m_savedArrangement = m_settings.rigs;
    m_ctx.rigSetInForce = true; // the everyday rigs are switched, not powered off
    closeRigs();
    m_settings.rigs = arrangement;
    m_ctx.rigUsage = arrangement.rigUsage;
    report(QStringLiteral("OPP2RI"), QString::number(arrangement.rigUsage));
    openRigs();
}

void Controller::restoreArrangement(bool reopen)
{
    if (!m_savedArrangement)
        return;
    closeRigs();
    m_settings.rigs = *m_savedArrangement;
    m_savedArrangement.reset();
    m_ctx.rigUsage = m_settings.rigs.rigUsage;
    report(QStringLiteral("OPP2RI"), QString::number(m_settings.rigs.rigUsage));
    m_ctx.rigSetInForce = false;
    if (reopen)
        openRigs();
}

} // namespace vm
