#include "cat/TextDriver.h"

#include "cat/TextProtocol.h"


namespace vm {

namespace {

const QString SatelliteMain = QStringLiteral("SA1010010;"); // satellite mode on, main band in control
const QString SatelliteSub = QStringLiteral("SA1011010;");  // satellite mode on, sub band in control
const QString SatelliteOff = QStringLiteral("SA0010010;");
const QString Section = QStringLiteral("RIG_CON_CFG");

bool pollAllowed(const RigPort &port, const CatContext &context)
{
    return port.isOpen() && !context.shuttingDown && context.dopplerState != 4;
}

// The controller's mode codes for the downlink and the uplink of a satellite.
std::pair<QString, QString> satelliteModes(const SatelliteSetup &setup)
{
    if (setup.fm())
        return {QStringLiteral("5"), QStringLiteral("5")};
    if (setup.startUpMode == QLatin1String("CW"))
        return {QStringLiteral("3"), QStringLiteral("3")};
    if (setup.startUpMode == QLatin1String("UC"))
        return {QStringLiteral("1"), QStringLiteral("3")};
    return {QStringLiteral("1"), QStringLiteral("0")}; // SSB: receive USB, transmit LSB
}

} // namespace

TextDriver::TextDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks)
    : PortRigDriver(rigNumber, transport, context, hooks)
{
}

void TextDriver::send(const QString &command, int expectedReplyLength)
{
    m_port.sendText(command, expectedReplyLength);
}

std::optional<QString> TextDriver::ask(const QString &command, int expectedLength, const QStringList &names)
{
    send(command, expectedLength);
    const RigPort::Reply reply = m_port.readReply();
    if (!reply.complete)
        return std::nullopt; // short or missing: the pending count stays raised
    const std::optional<QString> answer = textcat::accept(reply.bytes, expectedLength, names);
    if (!answer) {
        m_port.countMiss();
        return std::nullopt;
    }
    m_port.replyParsed();
    return answer;
}

std::optional<QChar> TextDriver::askDigit(const QString &command, int expectedLength, int index)
{
    const std::optional<QString> answer = ask(command, expectedLength, {command.left(2)});
    if (!answer)
        return std::nullopt;
    return answer->at(index);
}

// ---- reading ------------------------------------------------------------------

void TextDriver::takeFrequency(qint64 hz, Band side)
{
    if (hz <= 0)
        return;
    const QString prefix = textcat::frequencyField(hz, 10).value_or(QString()).left(2);
    if (isRig2() || (twoSided() && side == Band::B)) {
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
}

void TextDriver::takeMode(QChar digit, Band side)
{
    const bool transmit = isRig2() || (twoSided() && side == Band::B);
    QString &stored = transmit ? m_txMode : m_rxMode;
    if (const std::optional<QString> name = textcat::modeName(digit, dialect().kenwoodModes))
        stored = *name;
    QString &lastSent = transmit ? m_lastTxModeSent : m_lastRxModeSent;
    if (!stored.isEmpty() && stored != lastSent) {
        m_hooks.send(transmit ? QStringLiteral("OPPTXM") : QStringLiteral("OPPRXM"), stored);
        lastSent = stored;
    }
}

void TextDriver::readFrequency(const QString &vfo, Band side)
{
    const std::optional<QString> answer = ask(vfo + QLatin1Char(';'), textcat::FrequencyAnswerLength,
                                              {QStringLiteral("FA"), QStringLiteral("FB")});
    if (!answer)
        return;
    if (const std::optional<qint64> hz = textcat::number(*answer, 2, 11))
        takeFrequency(*hz, side);
    else
        m_port.countMiss();
}

void TextDriver::readIf()
{
    const int digits = m_model->frequencyDigits;
    const std::optional<QString> answer =
        ask(QStringLiteral("IF;"), textcat::ifAnswerLength(digits), {QStringLiteral("IF")});
    if (!answer)
        return;
    const std::optional<qint64> hz = textcat::number(*answer, 5, digits);
    if (!hz) {
        m_port.countMiss();
        return;
    }
    takeFrequency(*hz, Band::A);
    takeMode(answer->at(textcat::ifModeIndex(digits)), Band::A);
}

void TextDriver::readMode(Band side)
{
    const TextDialect &d = dialect();
    const int length = d.modeDigitIndex + 2;
    if (const std::optional<QChar> digit =
            askDigit(d.modeCommand + QLatin1Char(';'), length, d.modeDigitIndex))
        takeMode(*digit, side);
}

void TextDriver::pollFrequency()
{
    if (!pollAllowed(m_port, m_context))
        return;
    if (dialect().ifRead) {
        readIf(); // dial and mode in one answer
        return;
    }
    if (!twoSided()) {
        readFrequency(QStringLiteral("FA"), Band::A);
        return;
    }
    // Auto-information is switched off again before every poll: the rig
    // may have turned it back on, and its reports would garble the answers.
    if (m_startUpFlag)
        send(QStringLiteral("AI0;"));
    switch (m_context.dopplerState) {
    case 0:
    case 1:
        readFrequency(QStringLiteral("FA"), Band::A);
        break;
    case 2:
        readFrequency(QStringLiteral("FB"), Band::B);
        break;
    case 3:
        readFrequency(QStringLiteral("FA"), Band::A);
        readFrequency(QStringLiteral("FB"), Band::B);
        break;
    default:
        break;
    }
}

void TextDriver::pollMode()
{
    if (!pollAllowed(m_port, m_context) || m_context.dopplerState == 1 || dialect().ifRead)
        return;
    if (twoSided()) {
        // The band in control decides which side the mode answer belongs to.
        const std::optional<QString> sa =
            ask(QStringLiteral("SA;"), textcat::SatellitePollLength, {QStringLiteral("SA")});
        if (sa)
            m_side = sa->at(5) == QLatin1Char('1') ? Band::B : Band::A;
    }
    readMode(m_side);
}

// ---- setting ------------------------------------------------------------------

void TextDriver::setFrequency(Band band, qint64 hz)
{
    const std::optional<QString> field = textcat::frequencyField(hz, m_model->frequencyDigits);
    if (!field)
        return;
    const QString fa = QStringLiteral("FA") + *field + QLatin1Char(';');
    const QString fb = QStringLiteral("FB") + *field + QLatin1Char(';');
    if (!twoSided()) {
        send(fa); // one VFO in use, whatever the state
        return;
    }
    switch (m_context.dopplerState) {
    case 0:
    case 8:
        send(fb);
        break;
    case 1:
    case 3:
        send(band == Band::A ? fa : fb);
        break;
    case 2:
    case 5:
        send(fa);
        break;
    default:
        break;
    }
}

void TextDriver::setFrequencySameBand(Band band, qint64 hz)
{
    if (!m_model->sameBand || isRig2())
        return;
    if (const std::optional<QString> field = textcat::frequencyField(hz, m_model->frequencyDigits))
        send(QLatin1String(band == Band::A ? "FA" : "FB") + *field + QLatin1Char(';'));
}

void TextDriver::setMode(Band band, const QString &mode)
{
    const QString digit = textcat::modeDigit(mode);
    if (digit.isEmpty())
        return;
    if (!twoSided()) {
        send(dialect().modeCommand + digit + QLatin1Char(';'));
        readMode(band);
        return;
    }
    // The mode command acts on the band in control: the sub band is taken
    // into control for it and given back to the main band afterwards.
    send(band == Band::A ? SatelliteMain : SatelliteSub);
    send(QStringLiteral("MD") + digit + QLatin1Char(';'));
    readMode(band);
    if (band == Band::B)
        send(SatelliteMain);
    m_side = Band::A;
}

// ---- tone and keying -------------------------------------------------------------

void TextDriver::toneOn(const QString &toneHz)
{
    const QString code = textcat::toneCode(toneHz);
    if (isRig2()) {
        send(dialect().toneNumberCommand + code + QLatin1Char(';'));
        for (const QString &c : dialect().toneOnCommands)
            send(c);
        return;
    }
    if (!m_model->toneRig1)
        return;
    send(QStringLiteral("TN") + code + QLatin1Char(';'));
    send(QStringLiteral("TO1;"));
    m_toneOn = true;
}

void TextDriver::toneOff()
{
    if (isRig2()) {
        for (const QString &c : dialect().toneOffCommands)
            send(c);
        return;
    }
    if (!m_toneOn)
        return;
    send(QStringLiteral("TO0;"));
    m_toneOn = false;
}

void TextDriver::sendCw(const QString &text)
{
    if (!(isRig2() ? m_model->cwRig2 : m_model->cwRig1))
        return;
    const QString command = textcat::cwCommand(text, dialect().yaesuKeyer);
    if (!command.isEmpty())
        send(command);
}

void TextDriver::stopCw()
{
    if (!(isRig2() ? m_model->cwRig2 : m_model->cwRig1))
        return;
    for (const QString &c : dialect().stopCwCommands)
        send(c);
}

void TextDriver::readCwSpeed()
{
    const std::optional<QString> answer =
        ask(QStringLiteral("KS;"), textcat::KeyerSpeedLength, {QStringLiteral("KS")});
    if (!answer)
        return;
    const std::optional<qint64> speed = textcat::number(*answer, 2, 3);
    if (speed && m_hooks.writeSetting)
        m_hooks.writeSetting(Section, QStringLiteral("CWspeed"), QString::number(*speed));
}

void TextDriver::setCwSpeed(const QString &, const QString &wpm)
{
    const QString command = textcat::keyerSpeedCommand(wpm);
    if (!command.isEmpty())
        send(command);
}

void TextDriver::loadKeyerMemories()
{
    for (int n = 1; n <= 4; ++n) {
        const QString command =
            textcat::keyerMemoryCommand(n, m_hooks.setting(Section, QStringLiteral("CW Message-%1").arg(n)));
        if (!command.isEmpty())
            send(command);
    }
}

// ---- opening and closing ------------------------------------------------------------

bool TextDriver::open()
{
    if (m_port.isOpen())
        close();
    if (!m_port.openPort())
        return false;
    m_side = Band::A;
    m_startUpFlag = false;
    if (isRig2()) {
        openRig2Sequence();
        if (!m_port.isOpen())
            return false;
        m_hooks.send(QStringLiteral("OPPOP2"), QStringLiteral("1"));
        return true;
    }
    openRig1Sequence();
    if (!m_port.isOpen())
        return false; // given up during the sequence: already reported closed
    m_hooks.send(QStringLiteral("OPPOP1"), QStringLiteral("1"));
    pollFrequency();
    pollMode();
    return m_port.isOpen();
}

void TextDriver::openRig1Sequence()
{
    if (dialect().satelliteSides) {
        openTs2000();
        return;
    }
    send(QStringLiteral("AI0;"));
    if (!dialect().ifRead)
        readMode(Band::A);
}

void TextDriver::openRig2Sequence()
{
    if (dialect().satelliteSides)
        send(SatelliteOff); // one plain transmitter
    send(QStringLiteral("AI0;"));
    if (!dialect().ifRead)
        readMode(Band::B);
    readCwSpeed();
    if (dialect().keyerMemoriesAtOpen)
        loadKeyerMemories();
}

void TextDriver::openTs2000()
{
    bool ok = false;
    int powerOn = m_hooks.setting(Section, QStringLiteral("KWPon")).trimmed().toInt(&ok);
    if (!ok)
        powerOn = 3;
    powerOn = qBound(0, powerOn, 10); // a wild value must not stall the opening
    if (m_hooks.writeSetting)
        m_hooks.writeSetting(Section, QStringLiteral("KWPon"), QString::number(powerOn));
    for (int i = 0; i < powerOn; ++i)
        send(QStringLiteral("PS1;"));

    // The rig's own settings are kept from the first opening of this run, so
    // that the close always gives back what the operator had.
    Ts2000SavedState &saved = m_context.ts2000;
    if (!saved.meter)
        saved.meter = askDigit(QStringLiteral("RM;"), textcat::MeterAnswerLength, 2);
    send(QStringLiteral("AI0;"));
    if (!saved.autoInformation)
        saved.autoInformation = askDigit(QStringLiteral("AI;"), textcat::TwoLetterDigitLength, 2);
    send(QStringLiteral("AI0;"));
    if (!saved.satellite) {
        if (const std::optional<QString> sa =
                ask(QStringLiteral("SA;"), textcat::SatelliteReadLength, {QStringLiteral("SA")}))
            saved.satellite = sa->left(9);
    }
    if (!saved.menu012) {
        saved.menu012 = askDigit(QStringLiteral("EX0120000;"), textcat::MenuAnswerLength, 9);
        if (saved.menu012 && m_hooks.writeSetting)
            m_hooks.writeSetting(Section, QStringLiteral("TSV"), QString(*saved.menu012));
    }
    if (!saved.transmitVfo)
        saved.transmitVfo = askDigit(QStringLiteral("FT;"), textcat::TwoLetterDigitLength, 2);
    if (!saved.receiveVfo)
        saved.receiveVfo = askDigit(QStringLiteral("FR;"), textcat::TwoLetterDigitLength, 2);
    readCwSpeed();
    send(QStringLiteral("FR0;"));
    send(QStringLiteral("FT0;"));
    send(QStringLiteral("EX01200000;"));
    send(SatelliteMain);
    m_startUpFlag = true;
}

void TextDriver::close()
{
    m_closing = true;
    if (m_hooks.stopControlTimer)
        m_hooks.stopControlTimer();
    if (isRig2())
        toneOff();
    else if (dialect().satelliteSides)
        closeTs2000();
    m_port.closePort();
    m_closing = false;
    m_startUpFlag = false;
    m_hooks.send(isRig2() ? QStringLiteral("OPPOP2") : QStringLiteral("OPPOP1"), QStringLiteral("0"));
}

void TextDriver::closeTs2000()
{
    const Ts2000SavedState &saved = m_context.ts2000;
    send(QStringLiteral("EX01200000;"));
    send(QStringLiteral("TN08;"));
    send(QStringLiteral("TO0;"));
    m_toneOn = false;
    send(saved.satellite ? *saved.satellite + QLatin1Char(';') : SatelliteOff);
    // A setting the rig never told is left as it is.
    const std::pair<const char *, std::optional<QChar>> restore[] = {{"EX0120000", saved.menu012},
                                                                     {"FT", saved.transmitVfo},
                                                                     {"FR", saved.receiveVfo},
                                                                     {"AI", saved.autoInformation},
                                                                     {"RM", saved.meter}};
    for (const auto &[command, digit] : restore) {
        if (digit)
            send(QLatin1String(command) + *digit + QLatin1Char(';'));
    }
    if (m_context.autoPowerOff && !m_context.settingsOpen)
        send(QStringLiteral("PS0;"));
}

// ---- same band and satellite set-up --------------------------------------------------

bool TextDriver::setSameBandOperation(bool on)
{
    if (!sameBandSupported(*m_model, m_port.rigNumber(), m_hooks))
        return false;
    if (on) {
        m_context.dopplerState = 6;
        for (const QString &c : dialect().sameBandOn)
            send(c);
        m_rxPrefix = QStringLiteral("04");
        m_context.sameBand = true;
        return true;
    }
    for (const QString &c : dialect().sameBandOff)
        send(c);
    m_rxPrefix = QStringLiteral("04");
    if (dialect().reopenAfterSameBand) {
        close();
        open();
    } else {
        pollFrequency();
        pollMode();
    }
    m_context.sameBand = false;
    return true;
}

void TextDriver::setUpSatellite(const SatelliteSetup &setup)
{
    const auto [downMode, upMode] = satelliteModes(setup);
    const int digits = m_model->frequencyDigits;
    const std::optional<QString> down =
        textcat::frequencyField(setup.downlinkHz - m_context.rxTransverterOffset, digits);
    const std::optional<QString> up =
        textcat::frequencyField(setup.uplinkHz - m_context.txTransverterOffset, digits);
    const bool transmits = isRig2() || (twoSided() && m_context.rigUsage == 0);

    if (isRig2()) {
        if (up)
            send(QStringLiteral("FA") + *up + QLatin1Char(';'));
        setMode(Band::B, upMode);
    } else {
        if (twoSided())
            send(SatelliteMain);
        if (down)
            send(QStringLiteral("FA") + *down + QLatin1Char(';'));
        if (transmits && up)
            send(QStringLiteral("FB") + *up + QLatin1Char(';'));
        setMode(Band::A, downMode);
        if (transmits)
            setMode(Band::B, upMode);
    }
    if (!transmits)
        return;
    setToneFor(setup);
}

} // namespace vm
