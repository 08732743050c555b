#include "cat/YaesuBinaryDriver.h"

#include "cat/CivProtocol.h"
#include "cat/YaesuBinaryProtocol.h"


namespace vm {

namespace {

using yaesu::frame;

bool pollAllowed(const RigPort &port, const CatContext &context)
{
    return port.isOpen() && !context.shuttingDown && context.dopplerState != 4;
}

bool oneOf(int state, std::initializer_list<int> states)
{
    return std::find(states.begin(), states.end(), state) != states.end();
}

} // namespace

YaesuBinaryDriver::YaesuBinaryDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks)
    : PortRigDriver(rigNumber, transport, context, hooks)
{
}

void YaesuBinaryDriver::send(const QByteArray &bytes, int expectedReplyLength)
{
    m_port.sendBinary(bytes, expectedReplyLength);
}

void YaesuBinaryDriver::sendFrequency(quint8 opcode, qint64 hz)
{
    const std::optional<QString> nine = yaesu::nineDigits(hz);
    if (!nine)
        return;
    send(yaesu::frequencyFrame(*nine, opcode));
    m_lastDigit = nine->at(8); // the rig keeps 10 Hz steps; the hertz digit is ours
}

// ---- reading ------------------------------------------------------------------

void YaesuBinaryDriver::read(quint8 opcode, Band side)
{
    m_side = side;
    send(frame(0, 0, 0, 0, opcode), yaesu::AnswerLength);
    const RigPort::Reply reply = m_port.readReply();
    if (!reply.complete)
        return; // short or missing: the pending count stays raised
    // The hertz digit set last belongs to one side; reading that side, or any
    // read in the states where the dial is the rig's, starts it again from 0.
    const int state = m_context.dopplerState;
    if (isFt817() ? oneOf(state, {0, 1, 3, 6, 9})
                  : (side == Band::A ? oneOf(state, {0, 1, 3, 9}) : oneOf(state, {2, 5})))
        m_lastDigit = QLatin1Char('0');
    const std::optional<qint64> hz = yaesu::answerHz(reply.bytes, m_lastDigit);
    m_port.replyParsed();
    const QString mode = yaesu::modeName(quint8(reply.bytes.at(4)), isFt817());
    const bool transmit = isRig2() || (!isFt817() && side == Band::B);
    QString &stored = transmit ? m_txMode : m_rxMode;
    if (mode != stored) {
        stored = mode;
        m_hooks.send(transmit ? QStringLiteral("OPPTXM") : QStringLiteral("OPPRXM"), mode);
    }
    if (!hz || *hz <= 0)
        return;
    const QString prefix = QString::number(*hz).rightJustified(10, QLatin1Char('0')).left(2);
    if (transmit) {
        m_txPrefix = prefix;
        const qint64 value = *hz + m_context.txTransverterOffset;
        m_context.txFrequency = double(value);
        m_hooks.send(QStringLiteral("OPPTXS"), QString::number(value));
        return;
    }
    m_rxPrefix = prefix;
    const qint64 value = *hz + m_context.rxTransverterOffset;
    m_context.rxFrequency = double(value);
    if (!(isFt817() && state == 6)) // same band: the clarifier, not the dial, is the receive frequency
        m_hooks.send(QStringLiteral("OPPRXS"), QString::number(value));
}

void YaesuBinaryDriver::pollFrequency()
{
    if (!pollAllowed(m_port, m_context))
        return;
    if (isFt817()) {
        read(0x03, Band::A);
        return;
    }
    const int state = m_context.dopplerState;
    if (oneOf(state, {0, 1, 9, 3, 5}))
        read(0x13, Band::A);
    if (oneOf(state, {2, 8, 3, 5}) && m_port.isOpen())
        read(0x23, Band::B);
}

// ---- setting ------------------------------------------------------------------

void YaesuBinaryDriver::setFrequency(Band band, qint64 hz)
{
    if (isFt817()) {
        sendFrequency(0x01, hz);
        return;
    }
    switch (m_context.dopplerState) {
    case 0:
    case 8:
        sendFrequency(0x21, hz);
        break;
    case 1:
    case 3:
        sendFrequency(band == Band::A ? 0x11 : 0x21, hz);
        break;
    case 2:
    case 5:
        sendFrequency(0x11, hz);
        break;
    default:
        break;
    }
}

void YaesuBinaryDriver::setFrequencySameBand(Band band, qint64 hz)
{
    if (!m_model->sameBand || isRig2())
        return;
    if (band == Band::B) {
        sendFrequency(0x01, hz);
        m_sameBandTransmitHz = hz;
        return;
    }
    // The receive side is the clarifier: the distance from the transmit dial.
    send(frame(0, 0, 0, 0, 0x05));
    send(yaesu::clarifierFrame(int(qBound(qint64(-9999), hz - m_sameBandTransmitHz, qint64(9999)))));
}

void YaesuBinaryDriver::setMode(Band band, const QString &mode)
{
    const std::optional<quint8> byte = yaesu::modeByte(mode);
    if (!byte)
        return;
    if (isFt817()) {
        send(frame(*byte, 0, 0, 0, 0x07));
        read(0x03, Band::A);
        return;
    }
    send(frame(*byte, 0, 0, 0, band == Band::A ? 0x17 : 0x27));
    read(band == Band::A ? 0x13 : 0x23, band);
}

// ---- tone -------------------------------------------------------------------------

void YaesuBinaryDriver::toneOnCode(quint8 code)
{
    send(frame(code, 0, 0, 0, 0x2B));
    send(frame(0x4A, 0, 0, 0, 0x2A));
    m_toneOn = true;
}

void YaesuBinaryDriver::toneOn(const QString &toneHz)
{
    if (!isFt817()) {
        if (!isRig2() && m_model->toneRig1)
            toneOnCode(yaesu::ft847ToneCode(toneHz));
        return;
    }
    const QByteArray tone = civ::fourDigitBcd(civ::toneCode(toneHz));
    if (!isRig2() || tone.size() != 2)
        return;
    send(frame(quint8(tone.at(0)), quint8(tone.at(1)), 0, 0, 0x0B));
    send(frame(0x4A, 0, 0, 0, 0x0A));
}

void YaesuBinaryDriver::toneOff()
{
    if (!isFt817()) {
        if (m_toneOn)
            send(frame(0x8A, 0, 0, 0, 0x2A));
        m_toneOn = false;
        return;
    }
    if (!isRig2())
        return;
    send(frame(0x08, 0x85, 0, 0, 0x0B)); // back to 88.5 Hz
    send(frame(0x8A, 0, 0, 0, 0x0A));
}

// ---- opening and closing ------------------------------------------------------------

bool YaesuBinaryDriver::open()
{
    if (m_port.isOpen())
        close();
    if (!m_port.openPort())
        return false;
    m_lastDigit = QLatin1Char('0');
    if (isRig2()) {
        m_hooks.send(QStringLiteral("OPPOP2"), QStringLiteral("1"));
        return true;
    }
    if (!m_model->openingSequence)
        return true;               // the FT817 as rig 1: the port is ready, nothing is reported
    send(frame(0, 0, 0, 0, 0x00)); // CAT on
    send(frame(0, 0, 0, 0, 0x4E)); // satellite mode on
    m_hooks.send(QStringLiteral("OPPOP1"), QStringLiteral("1"));
    pollFrequency();
    return m_port.isOpen();
}

void YaesuBinaryDriver::close()
{
    m_closing = true;
    if (m_hooks.stopControlTimer)
        m_hooks.stopControlTimer();
    if (isRig2()) {
        toneOff();
    } else if (!isFt817()) {
        // The transmit VFO's tone left at 88.5 Hz and off, satellite mode and CAT off.
        toneOnCode(0x0E);
        toneOff();
        send(frame(0, 0, 0, 0, 0x8E));
        send(frame(0, 0, 0, 0, 0x80));
    }
    m_port.closePort();
    m_closing = false;
    m_hooks.send(isRig2() ? QStringLiteral("OPPOP2") : QStringLiteral("OPPOP1"), QStringLiteral("0"));
}

// ---- same band and satellite set-up --------------------------------------------------

bool YaesuBinaryDriver::setSameBandOperation(bool on)
{
    if (!sameBandSupported(*m_model, m_port.rigNumber(), m_hooks))
        return false;
    if (on) {
        m_context.dopplerState = 6;
        send(frame(0x01, 0, 0, 0, 0x07)); // USB
        send(frame(0, 0, 0, 0, 0x05));    // clarifier on
        m_context.sameBand = true;
    } else {
        send(frame(0, 0, 0, 0, 0xF5)); // clarifier offset 0
        send(frame(0, 0, 0, 0, 0x85)); // clarifier off
        m_context.sameBand = false;
    }
    return true;
}

void YaesuBinaryDriver::setUpSatellite(const SatelliteSetup &setup)
{
    QString down = QStringLiteral("1"), up = QStringLiteral("0"); // SSB: USB down, LSB up
    if (setup.fm())
        down = up = QStringLiteral("5");
    else if (setup.startUpMode == QLatin1String("CW"))
        down = up = QStringLiteral("3");
    else if (setup.startUpMode == QLatin1String("UC"))
        up = QStringLiteral("3");
    const qint64 downHz = setup.downlinkHz - m_context.rxTransverterOffset;
    const qint64 upHz = setup.uplinkHz - m_context.txTransverterOffset;
    const bool transmits = isRig2() || (!isFt817() && m_context.rigUsage == 0);

    if (isRig2()) {
        sendFrequency(0x01, upHz);
        setMode(Band::B, up);
    } else if (isFt817()) {
        sendFrequency(0x01, downHz);
        setMode(Band::A, down);
    } else {
        sendFrequency(0x11, downHz);
        if (transmits)
            sendFrequency(0x21, upHz);
        setMode(Band::A, down);
        if (transmits)
            setMode(Band::B, up);
    }
    if (!transmits)
        return;
    setToneFor(setup);
}

} // namespace vm
