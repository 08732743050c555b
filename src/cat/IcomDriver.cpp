#include "cat/IcomDriver.h"

#include "cat/CivProtocol.h"

#include <QCoreApplication>

namespace vm {

namespace {

QByteArray bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    for (quint8 b : list)
        out.append(char(b));
    return out;
}

const QByteArray ReadFrequency = bytes({0x03});
const QByteArray ReadMode = bytes({0x04});
const QByteArray ReadDataModeCmd = bytes({0x1A, 0x06});
const QByteArray ReadNoiseBlankerCmd = bytes({0x16, 0x22});
const QByteArray ReadNoiseReductionCmd = bytes({0x16, 0x40});
const QByteArray CwSpeedCmd = bytes({0x14, 0x0C});

// Polls run only on an open port, outside shutdown and outside state 4.
bool pollAllowed(const RigPort &port, const CatContext &context)
{
    return port.isOpen() && !context.shuttingDown && context.dopplerState != 4;
}

} // namespace

IcomDriver::IcomDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks)
    : m_port(rigNumber, transport, context, hooks), m_civ(m_port), m_context(context), m_hooks(hooks),
      m_model(&RigModels::get(QStringLiteral("None")))
{
    // A rig that stops answering is closed with its closing sequence; its
    // writes are skipped because the port is already marked closed.
    m_port.setGiveUpHandler([this] {
        if (!m_closing)
            close();
    });
}

bool IcomDriver::configure(const QString &portName, const QString &baudRate, const QString &rigModel,
                           const QString &civAddress)
{
    const std::optional<quint8> address = civ::parseAddress(civAddress);
    if (!address)
        return false;
    m_address = *address;
    m_civ.setAddress(m_address);
    m_model = &RigModels::get(rigModel);
    m_port.configure(portName, baudRate, rigModel);
    return true;
}

bool IcomDriver::configure(const RigConfig &config)
{
    return configure(config.portName, config.baudRate, config.rigModel, config.civAddress);
}

bool IcomDriver::hasBands() const
{
    return !isRig2() && (m_model->bandGroup == BandGroup::TwinBand || m_model->bandGroup == BandGroup::Ic821);
}

quint8 IcomDriver::bandSelector(Band band) const
{
    const bool reversed = m_model->bandGroup == BandGroup::Ic821;
    return (band == Band::A) != reversed ? 0xD0 : 0xD1;
}

void IcomDriver::send(QByteArrayView body, int expectedReplyLength)
{
    m_civ.send(body, expectedReplyLength);
}

void IcomDriver::sendAcknowledged(QByteArrayView body)
{
    m_civ.sendAcknowledged(body);
}

std::optional<QByteArray> IcomDriver::readAnswer(QByteArrayView command, int dataBytes)
{
    return m_civ.readAnswer(command, dataBytes);
}

// ---- band selection -------------------------------------------------------

void IcomDriver::selectBand(Band band)
{
    if (hasBands())
        send(bytes({0x07, bandSelector(band)}));
    m_band = band;
}

void IcomDriver::selectBandA()
{
    selectBand(Band::A);
}

void IcomDriver::selectBandB()
{
    selectBand(Band::B);
}

void IcomDriver::exchangeBands()
{
    send(bytes({0x07, 0xB0}));
}

// ---- frequencies ----------------------------------------------------------

void IcomDriver::setFrequency(Band band, qint64 hz)
{
    if (!m_model->polled && !isRig2())
        return; // same-band only rigs take 25 xx frames
    const std::optional<QString> digits = civ::frequencyDigits(hz, m_model->frequencyDigits);
    if (!digits)
        return;
    const QByteArray setFrame = QByteArray(1, char(0x05)) + civ::frequencyToBcd(*digits);
    if (isRig2()) {
        // The second rig is a plain transmitter on its operating VFO.
        send(setFrame);
        return;
    }
    if (!hasBands()) {
        send(bytes({0x07, 0x00}));
        send(setFrame);
        return;
    }
    switch (m_context.dopplerState) {
    case 0:
    case 8:
        selectBandB();
        send(setFrame);
        selectBandA();
        break;
    case 1:
    case 3:
        m_band = band;
        if (band == Band::A) {
            selectBandA();
            send(setFrame);
        } else {
            selectBandB();
            send(setFrame);
            selectBandA();
        }
        break;
    case 2:
    case 5:
        selectBandA();
        send(setFrame);
        break;
    default:
        break;
    }
}

void IcomDriver::setFrequencySameBand(Band band, qint64 hz)
{
    if (!m_model->sameBand || isRig2())
        return;
    const std::optional<QString> digits = civ::frequencyDigits(hz, 10);
    if (!digits)
        return;
    m_band = band;
    send(bytes({0x25, quint8(band == Band::A ? 0x00 : 0x01)}) + civ::frequencyToBcd(*digits));
}

void IcomDriver::readFrequency(Band pollBand)
{
    send(ReadFrequency, civ::ReadFrequencyLength);
    const std::optional<QByteArray> data = readAnswer(ReadFrequency, 5);
    if (!data)
        return;
    const std::optional<qint64> hz = civ::frequencyFromBcd(*data);
    if (!hz) {
        m_port.countMiss(); // not a frequency: the answer looked for is not there
        return;
    }
    if (*hz > 0)
        takeFrequency(*hz, pollBand);
}

void IcomDriver::takeFrequency(qint64 hz, Band pollBand)
{
    const QString prefix = civ::frequencyDigits(hz, 10).value_or(QString()).left(2);
    const bool transmit = isRig2() || (hasBands() && pollBand == Band::B);
    if (transmit) {
        const qint64 value = hz + m_context.txTransverterOffset;
        m_context.txFrequency = double(value);
        m_txPrefix = prefix;
        m_hooks.send(QStringLiteral("OPPTXS"), QString::number(value));
    } else {
        const qint64 value = hz + m_context.rxTransverterOffset;
        m_context.rxFrequency = double(value);
        m_rxPrefix = prefix;
        m_hooks.send(QStringLiteral("OPPRXS"), QString::number(value));
    }
    m_port.replyParsed();
}

void IcomDriver::pollFrequency()
{
    if (!m_model->polled || !pollAllowed(m_port, m_context))
        return;
    if (!hasBands()) {
        readFrequency(Band::A);
        return;
    }
    switch (m_context.dopplerState) {
    case 0:
    case 1:
    case 9:
        if (m_band != Band::A)
            selectBandA();
        readFrequency(Band::A);
        break;
    case 2:
        if (m_band != Band::B)
            selectBandB();
        readFrequency(Band::B);
        break;
    case 3:
        if (m_band != Band::A)
            selectBandA();
        readFrequency(Band::A);
        selectBandB();
        readFrequency(Band::B);
        break;
    default:
        break;
    }
}

void IcomDriver::readCurrentFrequencies()
{
    if (!m_model->polled || !m_port.isOpen() || m_context.shuttingDown)
        return;
    if (!hasBands()) {
        readFrequency(Band::A);
        return;
    }
    selectBandA();
    readFrequency(Band::A);
    selectBandB();
    readFrequency(Band::B);
    selectBandA();
}

// ---- modes ----------------------------------------------------------------

void IcomDriver::readMode(Band pollBand)
{
    send(ReadMode, civ::ReadModeLength);
    const std::optional<QByteArray> data = readAnswer(ReadMode, 1);
    if (data)
        takeMode(quint8(data->at(0)), pollBand);
}

void IcomDriver::takeMode(quint8 code, Band pollBand)
{
    const bool transmit = isRig2() || (hasBands() && pollBand == Band::B);
    QString &stored = transmit ? m_txMode : m_rxMode;
    const std::optional<QString> name = civ::modeName(code, m_model->bandGroup);
    if (name)
        stored = *name; // an unknown code on a single-band rig keeps the previous mode
    QString &lastSent = transmit ? m_lastTxModeSent : m_lastRxModeSent;
    bool &sent = transmit ? m_txModeSent : m_rxModeSent;
    if (!sent || stored != lastSent) {
        m_hooks.send(transmit ? QStringLiteral("OPPTXM") : QStringLiteral("OPPRXM"), stored);
        lastSent = stored;
        sent = true;
    }
    m_port.replyParsed();
}

void IcomDriver::pollMode()
{
    if (!m_model->polled || !pollAllowed(m_port, m_context))
        return;
    if (!hasBands()) {
        readMode(Band::A);
        return;
    }
    if (m_band != Band::A)
        selectBandA();
    readMode(Band::A);
    if (m_context.dopplerState == 5) {
        selectBandB();
        readMode(Band::B);
        selectBandA();
    }
}

void IcomDriver::setMode(Band band, const QString &mode)
{
    const QByteArray modeData = civ::modeBytes(mode);
    if (modeData.isEmpty())
        return;
    const QByteArray setFrame = QByteArray(1, char(0x06)) + modeData;
    if (isRig2() || !hasBands()) {
        // The acknowledgement is not parsed; the mode read below tells.
        send(setFrame, int(setFrame.size()) + 5 + CivExchange::AcknowledgementLength);
        readMode(Band::A);
        return;
    }
    send(bytes({0x07, bandSelector(band)}));
    m_band = band;
    send(setFrame);
    if (m_model->dataModeAfterSetMode) {
        if (m_context.dataOperation) {
            QString filter = mode.size() == 2 ? mode.mid(1) : m_context.rxFilter;
            const QByteArray f = civ::modeBytes(filter.isEmpty() ? QStringLiteral("1") : filter.left(1));
            send(bytes({0x1A, 0x06, 0x01}) + (f.isEmpty() ? bytes({0x01}) : f));
        } else {
            send(bytes({0x1A, 0x06, 0x00, 0x00}));
        }
    }
    // Every twin-band mode set ends on band "A", where the next poll expects it.
    selectBandA();
}

void IcomDriver::readDataMode()
{
    if (!m_port.isOpen())
        return;
    for (Band band : {Band::A, Band::B}) {
        selectBand(band);
        send(ReadDataModeCmd, civ::ReadDataModeLength);
        if (const std::optional<QByteArray> data = readAnswer(ReadDataModeCmd, 2)) {
            m_hooks.send(QStringLiteral("OPPICD"), QLatin1String(band == Band::A ? "A" : "B") +
                                                       civ::hex2(quint8(data->at(0))) +
                                                       civ::hex2(quint8(data->at(1))));
            m_port.replyParsed();
        }
    }
    selectBandA();
}

void IcomDriver::readNoiseBlanker()
{
    send(ReadNoiseBlankerCmd, civ::ReadNoiseLength);
    if (const std::optional<QByteArray> data = readAnswer(ReadNoiseBlankerCmd, 1)) {
        m_hooks.send(QStringLiteral("OPPNBF"), civ::hexNoLeadingZero(quint8(data->at(0))));
        m_port.replyParsed();
    }
}

void IcomDriver::readNoiseReduction()
{
    send(ReadNoiseReductionCmd, civ::ReadNoiseLength);
    if (const std::optional<QByteArray> data = readAnswer(ReadNoiseReductionCmd, 1)) {
        m_hooks.send(QStringLiteral("OPPNRF"), civ::hexNoLeadingZero(quint8(data->at(0))));
        m_port.replyParsed();
    }
}

// ---- keying ---------------------------------------------------------------

void IcomDriver::readCwSpeed()
{
    if (m_model->cwReadLength == 0)
        return;
    send(CwSpeedCmd, m_model->cwReadLength);
    QString level;
    if (m_model->cwTable == CwLevelTable::Ic910) {
        // The IC910 family: the read starts with the echo FE FE addr E0 and
        // the two level bytes are the 14th and 15th bytes; without the echo
        // the answer FE FE E0 addr starts the read and they are its 7th and 8th.
        const std::optional<QByteArray> reply = m_civ.readReply();
        if (!reply)
            return;
        const QByteArray &r = *reply;
        const int echo = m_civ.echoLength();
        const QByteArray header =
            echo > 0 ? civ::frame(m_address, {}).left(4) : QByteArray("\xFE\xFE\xE0", 3) + char(m_address);
        if (r.size() < echo + 8 || !r.startsWith(header)) {
            m_port.countMiss();
            return;
        }
        level = civ::twoBytesAsDigits(quint8(r[echo + 6]), quint8(r[echo + 7]));
    } else {
        const std::optional<QByteArray> data = readAnswer(CwSpeedCmd, 2);
        if (!data)
            return;
        level = civ::twoBytesAsDigits(quint8(data->at(0)), quint8(data->at(1)));
    }
    m_port.replyParsed();
    const QString speed = civ::cwSpeedForLevel(level, m_model->cwTable);
    if (!speed.isEmpty() && m_hooks.writeSetting)
        m_hooks.writeSetting(QStringLiteral("RIG_CON_CFG"), QStringLiteral("CWspeed"), speed);
}

void IcomDriver::setCwSpeed(const QString &level, const QString &)
{
    // As rig 1 only the rigs with a keyer level command of their own.
    if (isRig2() || m_model->cwSpeedRig1)
        setCwSpeedLevel(level);
}

void IcomDriver::setCwSpeedLevel(const QString &level4)
{
    const QByteArray level = civ::fourDigitBcd(level4);
    if (!level.isEmpty())
        send(CwSpeedCmd + level);
}

void IcomDriver::sendCw(const QString &text)
{
    if (!(isRig2() ? m_model->cwRig2 : m_model->cwRig1))
        return;
    // The rig takes at most 30 characters per command 17; a longer text goes
    // in consecutive frames, which the rig queues in its keyer.
    constexpr qsizetype MaxPerFrame = 30;
    const QByteArray data = civ::cwTextBytes(text);
    for (qsizetype at = 0; at < data.size(); at += MaxPerFrame)
        send(QByteArray(1, char(0x17)) + data.mid(at, MaxPerFrame));
}

void IcomDriver::stopCw()
{
    if (isRig2() ? m_model->cwRig2 : m_model->cwRig1)
        send(bytes({0x17, 0xFF}));
}

// ---- tone -----------------------------------------------------------------

void IcomDriver::toneOn(const QString &toneHz)
{
    const QString code = civ::toneCode(toneHz);
    if (!code.isEmpty())
        toneOnCode(code);
}

void IcomDriver::toneOnCode(const QString &code4)
{
    const QByteArray tone = civ::fourDigitBcd(code4);
    if (isRig2()) {
        if (!m_model->toneRig2)
            return;
        send(bytes({0x16, 0x42, 0x01}));
        if (!tone.isEmpty())
            send(bytes({0x1B, 0x00, 0x00}) + tone);
        return;
    }
    if (!m_model->toneRig1)
        return;
    selectBandB();
    send(bytes({0x16, 0x42, 0x01}));
    if (!tone.isEmpty())
        send(bytes({0x1B, 0x00}) + tone);
    m_toneOn = true;
}

void IcomDriver::toneOff()
{
    if (isRig2()) {
        if (m_model->toneRig2)
            send(bytes({0x16, 0x42, 0x00}));
        return;
    }
    if (!m_toneOn)
        return;
    selectBandB();
    send(bytes({0x16, 0x42, 0x00}));
    m_toneOn = false;
}

// ---- RIT ------------------------------------------------------------------

void IcomDriver::setRit(bool on)
{
    if (!isRig2())
        send(bytes({0x21, 0x01, quint8(on ? 0x01 : 0x00)}));
}

void IcomDriver::setRitOffset(const QString &text)
{
    const QByteArray body = civ::ritOffsetBody(text);
    if (!isRig2() && !body.isEmpty())
        send(body);
}

// ---- the setting cleared while the controller holds the rig ----------------

void IcomDriver::readRigSetting()
{
    if (m_model->rigSetting.isEmpty())
        return;
    const QByteArray command = bytes({0x1A, 0x05}) + m_model->rigSetting;
    send(command, civ::ReadRigSettingLength);
    if (const std::optional<QByteArray> data = readAnswer(command, 1)) {
        m_savedSetting = quint8(data->at(0));
        m_port.replyParsed();
    }
    send(command + bytes({0x00}));
}

void IcomDriver::restoreRigSetting()
{
    if (m_model->rigSetting.isEmpty())
        return;
    sendAcknowledged(bytes({0x1A, 0x05}) + m_model->rigSetting + bytes({m_savedSetting}));
}

// ---- opening and closing --------------------------------------------------

bool IcomDriver::open()
{
    if (m_port.isOpen())
        close();
    if (!openPortOnly())
        return false;
    if (isRig2()) {
        openRig2Sequence();
        m_hooks.send(QStringLiteral("OPPOP2"), QStringLiteral("1"));
        return true;
    }
    if (!m_model->openingSequence)
        return true; // same-band-only rigs: the port is ready, nothing is reported
    openRig1Sequence();
    if (!m_port.isOpen())
        return false; // given up during the sequence: already reported closed
    m_hooks.send(QStringLiteral("OPPOP1"), QStringLiteral("1"));
    pollFrequency();
    pollMode();
    return m_port.isOpen();
}

bool IcomDriver::openPortOnly()
{
    if (!m_port.openPort())
        return false;
    m_civ.portOpened();
    m_band.reset();
    return true;
}

void IcomDriver::closePortOnly()
{
    m_port.closePort();
}

void IcomDriver::setSelectedDial(qint64 hz)
{
    if (const std::optional<QString> digits = civ::frequencyDigits(hz, m_model->frequencyDigits))
        send(QByteArray(1, char(0x05)) + civ::frequencyToBcd(*digits));
}

bool IcomDriver::setSatelliteMode(bool on)
{
    const quint8 value = on ? 0x01 : 0x00;
    if (m_model->satelliteModeCommand)
        sendAcknowledged(bytes({0x16, 0x5A, value}));
    else if (m_model->satelliteSwitch1A07)
        sendAcknowledged(bytes({0x1A, 0x07, value}));
    else
        return false;
    return true;
}

void IcomDriver::openRig1Sequence()
{
    if (m_model->powerOnPreamble) {
        const QByteArray wake = civ::powerOnFrame(m_address, m_port.baudRate().toInt());
        if (!wake.isEmpty()) {
            m_civ.sendFrame(wake, int(wake.size()) + CivExchange::AcknowledgementLength);
            if (m_civ.readReply())
                m_port.replyParsed();
        }
    }
    readRigSetting();
    readCwSpeed();
    if (m_model->satelliteModeAtOpen)
        send(bytes({0x16, 0x5A, 0x01}));
    if (m_model->satelliteSwitch1A07)
        send(bytes({0x1A, 0x07, 0x01}));
    if (m_model->vfoModeAtOpen)
        send(bytes({0x07}));
    if (m_model->noiseReadsAtOpen) {
        readNoiseBlanker();
        readNoiseReduction();
    }
    if (m_model->modeReadAtOpen) {
        selectBandA();
        readMode(Band::A);
        selectBandB();
        readMode(Band::B);
        selectBandA();
    }
}

void IcomDriver::openRig2Sequence()
{
    if (!m_model->asRig2)
        return;
    if (m_model->satelliteModeCommand) {
        send(bytes({0x16, 0x5A, 0x00}));
        readMode(Band::B);
    }
    if (m_model->satelliteSwitch1A07) {
        send(bytes({0x1A, 0x07, 0x00}));
        readFrequency(Band::B);
    }
    readCwSpeed();
}

void IcomDriver::close()
{
    m_closing = true;
    if (m_hooks.stopControlTimer)
        m_hooks.stopControlTimer();
    if (isRig2()) {
        toneOff();
    } else {
        if (m_context.rigControlMode == 2 && m_model->bandABeforePausedClose)
            selectBandA();
        closeRig1Sequence();
    }
    m_port.closePort();
    m_closing = false;
    m_hooks.send(isRig2() ? QStringLiteral("OPPOP2") : QStringLiteral("OPPOP1"), QStringLiteral("0"));
}

void IcomDriver::closeRig1Sequence()
{
    if (m_model->satelliteSwitch1A07) {
        send(bytes({0x1A, 0x07, 0x00}));
        toneOnCode(QStringLiteral("0885"));
        toneOff();
        selectBandA();
    } else if (m_model->bandGroup == BandGroup::Ic821) {
        selectBandA();
    }
    if (m_model->toneResetAtClose) {
        // Satellite mode off, and the sub band's tone left at 88.5 Hz, off.
        sendAcknowledged(bytes({0x16, 0x5A, 0x00}));
        sendAcknowledged(bytes({0x07, 0xD1}));
        m_band = Band::B;
        sendAcknowledged(bytes({0x16, 0x42, 0x01}));
        sendAcknowledged(bytes({0x1B, 0x00, 0x08, 0x85}));
        sendAcknowledged(bytes({0x16, 0x42, 0x00}));
        sendAcknowledged(bytes({0x07, 0xD2, 0x00}));
    }
    restoreRigSetting();
    if (m_model->powerOffAtClose && m_context.autoPowerOff && !m_context.settingsOpen &&
        !m_context.rigSetInForce && !m_context.sameBand)
        sendAcknowledged(bytes({0x18, 0x00}));
}

// ---- same-band operation and satellite set-up -------------------------------

bool IcomDriver::setSameBandOperation(bool on)
{
    if (!sameBandSupported(*m_model, m_port.rigNumber(), m_hooks))
        return false;
    if (on) {
        if (m_context.rxFilter.isEmpty())
            m_context.rxFilter = QStringLiteral("1");
        QByteArray filter = civ::modeBytes(m_context.rxFilter.left(1));
        if (filter.isEmpty())
            filter = bytes({0x01});
        if (m_model->bandGroup == BandGroup::TwinBand) {
            // Leave the rig's satellite mode and put the 435 MHz band on main.
            sendAcknowledged(bytes({0x16, 0x5A, 0x00}));
            send(bytes({0x07}));
            m_context.dopplerState = 3;
            pollFrequency();
            if (m_rxPrefix != QLatin1String("04"))
                exchangeBands();
        }
        m_context.dopplerState = 6;
        // The frequency poll left the sub band selected; the main band (now
        // on 435 MHz) is selected before its two VFOs are set, so that both
        // get USB with data mode rather than the other band's.
        if (m_model->bandGroup == BandGroup::TwinBand)
            send(bytes({0x07, 0xD2, 0x00}));
        send(bytes({0x26, 0x00, 0x01, 0x01}) + filter);
        send(bytes({0x26, 0x01, 0x01, 0x01}) + filter);
        m_band = Band::A;
        if (m_model->bandGroup != BandGroup::TwinBand)
            send(bytes({0x07, 0x00}));
        send(bytes({0x0F, 0x01}));
        m_rxPrefix = QStringLiteral("04");
        m_context.sameBand = true;
        return true;
    }
    send(bytes({0x0F, 0x00}));
    m_band = Band::A;
    send(bytes({0x07, 0x00}));
    send(bytes({0x1A, 0x06, 0x00, 0x00}));
    send(bytes({0x07, 0xA0}));
    m_rxPrefix = QStringLiteral("04");
    // Closed and opened again so that the rig comes back in its normal
    // arrangement; it stays powered during this (same-band still counts).
    close();
    open();
    m_context.sameBand = false;
    return true;
}

void IcomDriver::setUpSatellite(const SatelliteSetup &setup)
{
    QString downMode;
    QString upMode;
    if (setup.fm()) {
        downMode = upMode = QStringLiteral("5");
    } else if (setup.startUpMode == QLatin1String("CW")) {
        downMode = upMode = QStringLiteral("3");
    } else if (setup.startUpMode == QLatin1String("UC")) {
        downMode = QStringLiteral("1");
        upMode = QStringLiteral("3");
    } else {
        downMode = QStringLiteral("1"); // SSB: receive USB, transmit LSB
        upMode = QStringLiteral("0");
    }
    const std::optional<QString> down =
        civ::frequencyDigits(setup.downlinkHz - m_context.rxTransverterOffset, 10);
    const std::optional<QString> up =
        civ::frequencyDigits(setup.uplinkHz - m_context.txTransverterOffset, 10);

    if (isRig2()) {
        if (up) {
            send(QByteArray(1, char(0x05)) + civ::frequencyToBcd(*up));
            m_txPrefix = up->left(2);
        }
        setMode(Band::B, upMode);
        setToneFor(setup);
        return;
    }
    if (!m_model->polled)
        return;
    if (!hasBands()) {
        if (down) {
            send(bytes({0x07, 0x00}));
            send(QByteArray(1, char(0x05)) + civ::frequencyToBcd(*down));
            m_rxPrefix = down->left(2);
        }
        setMode(Band::A, downMode);
        return;
    }
    if (!down || !up)
        return;
    // Bring the downlink band to the receive side. While the rig's bands are
    // unknown (no frequency read yet) they are left as they are.
    const QString downPrefix = down->left(2);
    if (!m_rxPrefix.isEmpty() && m_rxPrefix != downPrefix)
        exchangeBands();
    selectBandA();
    send(QByteArray(1, char(0x05)) + civ::frequencyToBcd(*down));
    selectBandB();
    send(QByteArray(1, char(0x05)) + civ::frequencyToBcd(*up));
    m_rxPrefix = downPrefix;
    m_txPrefix = up->left(2);
    setMode(Band::A, downMode);
    setMode(Band::B, upMode);
    setToneFor(setup);
    if (m_band != Band::A)
        selectBandA();
    pollMode();
}

} // namespace vm
