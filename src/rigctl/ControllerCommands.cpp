// The controller's command dispatcher ("RCM" records from the panel) and
// quick QSY.

#include "cat/CivProtocol.h"
#include "common/NameList.h"
#include "cat/IcomDriver.h"
#include "cat/RigModel.h"
#include "common/SettingKeys.h"
#include "rigctl/Controller.h"

#include <QDebug>

#include <cmath>
#include <optional>

namespace vm {

namespace {

// A numeric payload: an integer, or a decimal number rounded to the nearest
// hertz. Anything else (also an empty text) is not a number.
std::optional<qint64> number(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (ok)
        return v;
    const double d = t.toDouble(&ok);
    if (ok && std::isfinite(d) && std::fabs(d) < 9.0e15)
        return qint64(std::llround(d));
    return std::nullopt;
}

std::optional<qint32> number32(const QString &text)
{
    const std::optional<qint64> v = number(text);
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*v);
}

std::optional<quint8> hexDigit(const QString &c)
{
    bool ok = false;
    const uint v = c.toUInt(&ok, 16);
    if (!ok || c.size() != 1)
        return std::nullopt;
    return quint8(v);
}

} // namespace

quint32 Controller::handle(const QString &received)
{
    runOrDefer([this, received] { handleNow(received); });
    return 0;
}

void Controller::handleNow(const QString &received)
{
    // Detached while the settings window is shown: records are lost.
    if (!m_dispatcherAttached || m_finished)
        return;
    const QString text = received.trimmed();
    if (text.size() < 6 || !text.startsWith(QLatin1String("RCM")))
        return;
    const QString command = text.mid(3, 3);
    dispatch(command, text);
    if (command == QLatin1String("OFF") || command == QLatin1String("TXP") || command == QLatin1String("SPT"))
        tuneNow();
}

void Controller::dispatch(const QString &command, const QString &text)
{
    QString rest = text;
    rest.remove(QStringLiteral("RCM") + command);
    const QString last = text.right(1);
    const QString lastTwo = text.right(2);
    const auto is = [&command](const char *name) { return command == QLatin1String(name); };
    int &state = m_ctx.dopplerState;

    if (is("K32")) {
        m_trackerFolder = rest;
    } else if (is("SPT")) {
        if (rest.endsWith(QLatin1Char('S'))) {
            const std::optional<qint32> s = number32(QString(rest).remove(QLatin1Char('S')));
            if (!s)
                return;
            m_splitS = *s;
        } else {
            m_splitS = 0;
        }
    } else if (is("DMG")) {
        if (rigOpen(1) && oneOf(m_settings.rigs.rig1.type, {"IC9100", "IC9700"}))
            rig(1)->readCurrentFrequencies();
    } else if (is("OFX")) {
        m_lastOfx = last;
    } else if (is("SFX")) {
        m_lastSfx = last;
    } else if (is("FT4")) {
        // The selection still sees the wait in force before the command.
        reselectSmoothing();
        m_ft4 = last == QLatin1String("1");
        applyFt4Waits();
    } else if (is("NBF") || is("NRF")) {
        const std::optional<quint8> v = hexDigit(last);
        if (!v)
            return;
        sendCivToRig1(QByteArray::fromHex(is("NBF") ? "1622" : "1640") + QByteArray(1, char(*v)));
    } else if (is("RRT")) {
        if (last == QLatin1String("1"))
            m_settings.rangeRateSmoothing = true;
        else if (last == QLatin1String("0"))
            m_settings.rangeRateSmoothing = false;
    } else if (is("END")) {
        shutdown();
    } else if (is("SHW")) {
        m_settingsOpen = true;
        m_ctx.settingsOpen = true;
        m_firstPass = true;
        if (m_ctx.sameBand && rigOpen(1) &&
            oneOf(m_settings.rigs.rig1.type, {"IC9700", "FT991", "FT817", "IC705", "IC7100", "TS2000"}))
            rig(1)->setSameBandOperation(false);
        m_ctx.sameBand = false;
        if (m_savedArrangement)
            restoreArrangement(false);
        closeRigs();
        m_dispatcherAttached = false;
        if (m_events.settingsWindow)
            m_events.settingsWindow(true);
    } else if (is("DOP")) {
        bool ok = false;
        const int s = last.toInt(&ok);
        if (!ok)
            return;
        setDopplerState(s);
    } else if (is("REQ")) {
        toWaterfall(QStringLiteral("MWFREQ"), QString::number(state));
    } else if (is("MDM")) {
        setModeCommand(true, lastTwo);
    } else if (is("MDS")) {
        setModeCommand(false, last);
    } else if (is("MDC")) {
        m_beaconCorrection = last == QLatin1String("1");
    } else if (is("OFR")) {
        m_offsetO = 0;
    } else if (is("OFK")) {
        m_offsetMode = rest;
    } else if (is("OFF")) {
        const std::optional<qint32> v = number32(rest);
        if (!v)
            return;
        m_offsetO = *v;
    } else if (is("TXS")) {
        if (state == 2)
            m_ctx.txFrequency -= m_shiftX;
        m_shiftX = 0;
    } else if (is("TXP")) {
        const std::optional<qint32> v = number32(rest);
        if (!v)
            return;
        m_shiftX = *v;
    } else if (is("QFX")) {
        const std::optional<qint64> v = number(rest);
        if (!v)
            return;
        directSet(double(*v));
    } else if (is("QQM") || is("QSY") || is("QSQ")) {
        const std::optional<qint64> v = number(rest);
        if (!v)
            return;
        quickQsy(double(*v), is("QSQ") || m_qsySide == QLatin1String("1"));
    } else if (is("QSM")) {
        m_qsySide = rest;
    } else if (is("CWS")) {
        RigDriver *d = nullptr;
        const int usage = m_settings.rigs.rigUsage;
        if (usage == 0 && oneOf(m_settings.rigs.rig1.type, {"IC910", "IC911", "IC9100", "IC9700", "TS2000"}))
            d = rig(1);
        else if (usage == 2 || usage == 3)
            d = rig(2);
        // The payload is the Icom level or, for the text-command rigs, the
        // speed in words per minute; each driver takes its own.
        if (d && d->port().isOpen())
            d->setCwSpeed(rest.trimmed(), rest.trimmed());
    } else if (is("BCF")) {
        const std::optional<qint64> v = number(rest);
        if (!v)
            return;
        m_beaconBase = *v;
    } else if (is("STP")) {
        if (rest == QLatin1String("0")) {
            startControlLoop();
        } else {
            if (m_ctx.rigControlMode == 2 && m_settings.rigs.rig1.type == QLatin1String("IC9700") &&
                rigOpen(1)) {
                if (auto *icom = dynamic_cast<IcomDriver *>(rig(1)))
                    icom->selectBandA();
            }
            stopControlLoop();
        }
    } else if (is("PUS")) {
        const std::optional<qint64> v = number(rest);
        if (!v)
            return;
        m_ctx.rigControlMode = int(*v);
        if (m_ctx.rigControlMode == 2)
            stopControlLoop();
        else
            startControlLoop();
    } else if (is("SSP")) {
        if (m_env.sound)
            m_env.sound->stopPlaying();
    } else if (is("SPL")) {
        if (m_env.sound)
            m_env.sound->playFile(m_settings.wavFile);
    } else if (is("GOB")) {
        report(QStringLiteral("OPPPOB"), m_link.values().revolution);
    } else if (is("RCN")) {
        if (rigOpen(1))
            rig(1)->setRit(rest == QLatin1String("1"));
    } else if (is("RFQ")) {
        if (rigOpen(1))
            rig(1)->setRitOffset(rest);
    } else if (is("RIT")) {
        m_rit = number32(rest).value_or(0);
    } else if (is("SKD")) {
        m_link.setScheduleFlag(rest != QLatin1String("0"));
    } else if (is("SND")) {
        if (m_env.sound) {
            if (rest == QLatin1String("0"))
                m_env.sound->stopRecording();
            else
                m_env.sound->startRecording(rest);
        }
    } else if (is("PLY")) {
        if (m_env.sound) {
            if (rest == QLatin1String("0"))
                m_env.sound->stopPlaying();
            else
                m_env.sound->playRecording(rest);
        }
    } else if (is("RTR")) {
        if (rest == QLatin1String("1"))
            reconnectRig(1);
        else if (rest == QLatin1String("2"))
            reconnectRig(2);
    } else if (is("WFF")) {
        m_waterfallLink = rest;
        if (rest == QLatin1String("1")) {
            toWaterfall(QStringLiteral("MWFDOP"), QString::number(state));
            toWaterfall(QStringLiteral("MWFSNA"), m_link.label());
            toWaterfall(QStringLiteral("MWFSRV"), m_link.values().revolution);
        }
    } else if (is("CWM")) {
        const qsizetype at = rest.indexOf(QLatin1Char(';'));
        if (at < 0)
            cwKeying(rest, QString());
        else
            cwKeying(rest.left(at), rest.mid(at + 1));
    } else if (is("CSP")) {
        QString param = text;
        param.remove(QStringLiteral("RCMCSPL="));
        cwKeying(QString(), param);
    } else if (is("MLT")) {
        switchMultiMode(rest);
    } else if (is("SAT")) {
        const QString name = rest.trimmed();
        m_settingsFile.setValue(keys::TrackSatellite, name);
        if (m_env.tracking)
            m_env.tracking->selectSatellite(m_link.source(), name);
    }
}

void Controller::setDopplerState(int newState)
{
    m_ctx.dopplerState = newState;
    m_savedDopplerState = newState;
    m_firstTick = true;
    if (newState == 5) {
        m_beaconOn = true;
    } else if (m_beaconOn) {
        // Back from the beacon: the receive dial returns to the frequency
        // it had, set band by band with no control in force.
        m_ctx.dopplerState = 3;
        setReceive(m_ctx.rxFrequency);
        setTransmit(m_ctx.txFrequency);
        m_ctx.dopplerState = newState;
        m_beaconOn = false;
    }
    m_firstPass = true;
    for (int n = 1; n <= 2; ++n) {
        if (rig(n))
            rig(n)->port().restoreNormalWaits();
    }
    reselectSmoothing();
    toWaterfall(QStringLiteral("MWFDOP"), QString::number(newState));
}

void Controller::setModeCommand(bool mainSide, const QString &digits)
{
    // Panel mode digits: 1 CW, 2 FM, 3 USB, 4 LSB; 7, 8, 9 the data variants
    // of FM, USB, LSB. The rig takes the CI-V mode code and the filter.
    const QChar digit = digits.isEmpty() ? QChar() : digits.at(0);
    QString code;
    bool data = false;
    switch (digit.toLatin1()) {
    case '1':
        code = QStringLiteral("3");
        break;
    case '2':
        code = QStringLiteral("5");
        break;
    case '3':
        code = QStringLiteral("1");
        break;
    case '4':
        code = QStringLiteral("0");
        break;
    case '7':
        code = QStringLiteral("5");
        data = true;
        break;
    case '8':
        code = QStringLiteral("1");
        data = true;
        break;
    case '9':
        code = QStringLiteral("0");
        data = true;
        break;
    default:
        return;
    }
    RigDriver *d = nullptr;
    Band band = Band::A;
    if (mainSide) {
        if (!rigOpen(1))
            return;
        d = rig(1);
        if (digits.size() == 2 && digits.at(1).isDigit())
            code += digits.at(1);
    } else {
        band = Band::B;
        if (m_settings.rigs.rigUsage == 0 && rigOpen(1))
            d = rig(1);
        else if (rigOpen(2))
            d = rig(2);
        else if (rigOpen(1))
            d = rig(1);
        if (!d)
            return;
    }
    static const char *const names[] = {"LSB", "USB", "", "CW", "", "FM"};
    (mainSide ? m_receiveMode : m_transmitMode) = QString::fromLatin1(names[code.left(1).toInt()]);
    m_ctx.dataOperation = data;
    d->setMode(band, code);
    for (int n = 1; n <= 2; ++n) {
        if (rigOpen(n) && RigModels::get(rig(n)->model().id).family == RigFamily::IcomCiv)
            rig(n)->readCurrentFrequencies();
    }
}

void Controller::sendCivToRig1(const QByteArray &body)
{
    auto *icom = dynamic_cast<IcomDriver *>(rig(1));
    if (!icom || !rigOpen(1))
        return;
    icom->port().sendBinary(civ::frame(icom->address(), body), 0);
}

RigDriver *Controller::transmittingRig() const
{
    switch (m_settings.rigs.rigUsage) {
    case 0:
        return rig(1);
    case 2:
    case 3:
        return rig(2);
    default:
        return nullptr;
    }
}

void Controller::cwKeying(const QString &text, const QString &second)
{
    if (text.isEmpty() && second == QLatin1String("0"))
        return;
    RigDriver *d = transmittingRig();
    if (!d || !d->port().isOpen())
        return;
    if (text.isEmpty())
        d->stopCw();
    else
        d->sendCw(text);
}

void Controller::reconnectRig(int rigNumber)
{
    const int remembered = m_ctx.dopplerState;
    const qint32 offset = m_offsetO;
    m_ctx.dopplerState = 3;
    openRig(rigNumber);
    if (!m_savedArrangement && m_selectedRecord > 0)
        changeProcedure(m_selectedRecord, m_selectedName, false);
    // The offset in use is fresher than the one in the settings file.
    m_offsetO = offset;
    m_ctx.rigControlMode = 1;
    startControlLoop();
    m_ctx.dopplerState = remembered;
    reportRigs();
}

void Controller::switchMultiMode(const QString &payload)
{
    if (payload.isEmpty()) {
        m_currentMode.clear();
        return;
    }
    const std::optional<qint64> record = number(payload);
    if (!record || *record < 2 || *record > m_table.count() || !m_table.record(int(*record)).isUsable())
        return;
    const int saved = m_ctx.dopplerState;
    m_ctx.dopplerState = 3;
    const bool ok = changeProcedure(int(*record), m_table.record(int(*record)).Name, true);
    if (m_ctx.dopplerState == 3)
        m_ctx.dopplerState = saved;
    if (!ok)
        return;
    report(QStringLiteral("OPPSTC"), m_table.record(m_selectedRecord).MLTmode == QLatin1String("UU")
                                         ? QStringLiteral("1")
                                         : m_settings.startCmdMode);
    if (rigOpen(1) && oneOf(m_settings.rigs.rig1.type, {"IC9100", "IC9700"}))
        rig(1)->readCurrentFrequencies();
}

// ---- quick QSY ----------------------------------------------------------------------

void Controller::quickQsy(double dialHz, bool receiveSide)
{
    m_shiftX = 0;
    int returnState = m_ctx.dopplerState;
    if (returnState == 5) {
        bool ok = false;
        const int start = m_settings.startCmdMode.trimmed().toInt(&ok);
        returnState = ok && start != 0 ? start : 0;
    }
    m_ctx.dopplerState = 3;
    report(QStringLiteral("OPPDOP"), QStringLiteral("3"));
    m_ctx.rigControlMode = 2;
    stopControlLoop();

    const float rr = m_link.rangeRate();
    const Transponder &tp = m_transponder;
    const double M = computeModeOffset();
    const double sign = tp.inverting() ? -1.0 : 1.0;

    if (!receiveSide) {
        const double T = dialHz;
        m_ctx.txFrequency = T;
        setTransmit(T);
        reportNumber(QStringLiteral("OPPTXS"), T);
        if (returnState == 0 || returnState == 1) {
            // Our signal lands at T + d(T) on the uplink; we listen M below
            // where the transponder puts it on the downlink.
            const double down = tp.downlinkFor(T);
            const double R = down + sign * doppler(rr, T) + doppler(rr, down) - M;
            m_ctx.rxFrequency = R;
            setReceive(R);
            reportNumber(QStringLiteral("OPPRXS"), R);
        }
    } else {
        const double R = dialHz;
        m_ctx.rxFrequency = R;
        reportNumber(QStringLiteral("OPPRXS"), R);
        setReceive(R);
        if (returnState == 2) {
            // Receive dial R hears R - d(R); our signal goes M above it.
            const double up = tp.uplinkFor(R);
            const double T = up - sign * doppler(rr, R) - doppler(rr, up) + sign * M;
            m_ctx.txFrequency = T;
            reportNumber(QStringLiteral("OPPTXS"), T);
            setTransmit(T);
        }
    }
    m_ctx.dopplerState = returnState;
    report(QStringLiteral("OPPDOP"), QString::number(returnState));
}

void Controller::directSet(double downlink)
{
    m_shiftX = 0;
    m_ctx.rigControlMode = 2;
    stopControlLoop();
    const float rr = m_link.rangeRate();
    const Transponder &tp = m_transponder;
    const double M = computeModeOffset();
    // Receive: the downlink F is heard at F + d(F). Transmit: the uplink U
    // that the transponder maps to F, with our signal M above what we hear,
    // sent Doppler-corrected, as the loop's next tick will keep it.
    const double R = downlink + doppler(rr, downlink);
    const double U = tp.uplinkFor(downlink);
    const double T = U - doppler(rr, U) + (tp.inverting() ? -M : M);
    reportNumber(QStringLiteral("OPPHRX"), downlink);
    reportNumber(QStringLiteral("OPPHTX"), U);
    m_ctx.dopplerState = 3;
    m_ctx.rxFrequency = R;
    m_ctx.txFrequency = T;
    setReceive(R);
    setTransmit(T);
    m_ctx.dopplerState = 1;
    m_firstTick = true;
    report(QStringLiteral("OPPDOP"), QStringLiteral("1"));
}

} // namespace vm
