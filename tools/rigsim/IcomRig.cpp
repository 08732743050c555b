#include "rigsim/IcomRig.h"

#include "rigsim/CivCodec.h"

#include <cstdlib>

namespace vm::sim {

namespace {

using Answer = ReceivedCommand::Answer;

// Commands whose second byte is a sub-command (kept with the command in the log).
bool hasSubCommand(quint8 cmd)
{
    switch (cmd) {
    case 0x07:
    case 0x14:
    case 0x15:
    case 0x16:
    case 0x18:
    case 0x19:
    case 0x1A:
    case 0x1B:
    case 0x1C:
    case 0x21:
    case 0x25:
    case 0x26:
        return true;
    default:
        return false;
    }
}

// 16 xx functions the simulated rigs keep (besides satellite mode).
bool isKnownFunction(quint8 sub)
{
    switch (sub) {
    case 0x02: // preamp
    case 0x12: // AGC
    case 0x22: // noise blanker
    case 0x40: // noise reduction
    case 0x41: // auto notch
    case 0x42: // repeater tone
    case 0x43: // tone squelch
    case 0x44: // speech compressor
    case 0x45: // monitor
    case 0x46: // VOX
    case 0x47: // break-in
    case 0x48: // manual notch
    case 0x4F: // twin peak filter
    case 0x50: // dial lock
        return true;
    default:
        return false;
    }
}

// Characters the keyer sends (17); anything else is refused.
bool isKeyable(char c)
{
    static const QByteArray extra("/?.-,:'()=+\"@^ ");
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || extra.contains(c);
}

using civ::bytes;

} // namespace

IcomRig::IcomRig(const IcomModel &model) : IcomRig(model, model.address) {}

IcomRig::IcomRig(const IcomModel &model, quint8 address) : m_model(model), m_address(address)
{
    for (Band &band : m_bands) {
        for (VfoState &vfo : band.vfo)
            vfo.hz = m_model.mainHz;
    }
    if (m_model.twinBand) {
        m_bands[1].vfo[0].hz = m_model.subHz;
        m_bands[1].vfo[1].hz = m_model.subHz;
    } else {
        m_bands[0].vfo[1].hz = m_model.subHz;
    }
    m_keyerLevel = m_model.keyerLevel;
    for (const SettingDefault &setting : m_model.settings)
        m_settings.insert(setting.number, setting.value);
}

bool IcomRig::echoes() const
{
    return m_echo && m_failure != FailureMode::Silent;
}

QByteArray IcomRig::feed(const QByteArray &bytes)
{
    QByteArray out;
    for (char c : bytes) {
        if (echoes())
            out.append(c);
        out.append(receiveByte(quint8(c)));
    }
    return out;
}

QByteArray IcomRig::receiveByte(quint8 byte)
{
    if (!m_inFrame) {
        if (byte == civ::Preamble) {
            ++m_preambleCount;
            return {};
        }
        if (m_preambleCount < 2 || byte == civ::EndOfMessage || byte == civ::Collision) {
            m_preambleCount = 0; // a stray byte between frames
            return {};
        }
        m_inFrame = true;
        m_frame = QByteArray(1, char(byte));
        return {};
    }
    switch (byte) {
    case civ::EndOfMessage: {
        const QByteArray frame = m_frame;
        const int preamble = m_preambleCount - 2;
        m_inFrame = false;
        m_preambleCount = 0;
        m_frame.clear();
        return handleFrame(frame, preamble);
    }
    case civ::Preamble: // a new frame starts before this one ended: drop it
        m_inFrame = false;
        m_preambleCount = 1;
        m_frame.clear();
        return {};
    case civ::Collision: // jammer code: the sender gave the frame up
        m_inFrame = false;
        m_preambleCount = 0;
        m_frame.clear();
        return {};
    default:
        m_frame.append(char(byte));
        if (m_frame.size() > 128) { // longer than a satellite memory frame: noise
            m_inFrame = false;
            m_preambleCount = 0;
            m_frame.clear();
        }
        return {};
    }
}

QByteArray IcomRig::handleFrame(const QByteArray &frame, int preamble)
{
    if (frame.size() < 3)
        return {}; // addresses without a command: nothing to log or do

    ReceivedCommand entry;
    entry.to = quint8(frame.at(0));
    entry.from = quint8(frame.at(1));
    entry.preamble = preamble;
    const quint8 cmd = quint8(frame.at(2));
    const QByteArray rest = frame.mid(3);
    qsizetype commandLength = 1;
    if (hasSubCommand(cmd) && !rest.isEmpty()) {
        commandLength = 2;
        if (cmd == 0x1A && quint8(rest.at(0)) == 0x05 && rest.size() >= 3)
            commandLength = 4; // 1A 05 and the two bytes of the setting number
    }
    entry.command = frame.mid(2, commandLength);
    entry.data = frame.mid(2 + commandLength);
    entry.addressed = entry.to == m_address;

    if (!entry.addressed || m_failure == FailureMode::Silent) {
        m_log.append(entry);
        return {};
    }
    const bool powerOn = cmd == 0x18 && rest == QByteArray(1, '\x01');
    if (!m_powered && !powerOn) {
        m_log.append(entry); // a switched-off rig hears nothing but the power-on frame
        return {};
    }

    Reply reply;
    if (m_failure == FailureMode::RejectAll)
        reply.kind = Answer::Ng;
    else
        reply = execute(cmd, rest);
    entry.answer = reply.kind;
    m_log.append(entry);

    QByteArray out;
    switch (reply.kind) {
    case Answer::None:
        return {};
    case Answer::Ok:
        out = civ::frame(entry.from, m_address, QByteArray(1, char(civ::Ok)));
        break;
    case Answer::Ng:
        out = civ::frame(entry.from, m_address, QByteArray(1, char(civ::Ng)));
        break;
    case Answer::Data:
        out = civ::frame(entry.from, m_address, reply.body);
        break;
    }
    if (m_failure == FailureMode::Short)
        out.chop(1);
    else if (m_failure == FailureMode::Garbage)
        out = garble(out.size());
    return out;
}

QByteArray IcomRig::garble(qsizetype length)
{
    // Noise that can never pass for a frame: no preamble and no terminator bytes.
    QByteArray out(length, '\0');
    for (qsizetype i = 0; i < length; ++i) {
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        out[i] = char(m_noise % 0xF0); // 00..EF
    }
    return out;
}

IcomRig::Reply IcomRig::execute(quint8 cmd, const QByteArray &rest)
{
    const Reply ok{Answer::Ok, {}};
    const Reply ng{Answer::Ng, {}};
    auto data = [cmd](const QByteArray &body) {
        return Reply{Answer::Data, QByteArray(1, char(cmd)) + body};
    };

    if (!m_model.satelliteCommand.isEmpty() && !rest.isEmpty() &&
        quint8(m_model.satelliteCommand.at(0)) == cmd && m_model.satelliteCommand.at(1) == rest.at(0))
        return satelliteCommand(rest);

    switch (cmd) {
    case 0x03: {
        if (!rest.isEmpty())
            return ng;
        const VfoState &vfo = currentVfo();
        return data(civ::encodeFrequency(vfo.hz, frequencyBytes(vfo.hz)));
    }
    case 0x04:
        if (!rest.isEmpty())
            return ng;
        return data(bytes({currentVfo().mode, currentVfo().filter}));
    case 0x05: {
        if (rest.size() < 5 || rest.size() > m_model.maxFrequencyBytes)
            return ng;
        const auto hz = civ::decodeFrequency(rest);
        if (!hz || !setFrequency(m_selected, currentVfo(), *hz))
            return ng;
        return ok;
    }
    case 0x06: {
        if (rest.isEmpty() || rest.size() > 2)
            return ng;
        const quint8 mode = quint8(rest.at(0));
        const quint8 filter = rest.size() == 2 ? quint8(rest.at(1)) : currentVfo().filter;
        if (!m_model.supportsMode(mode) || filter < 1 || filter > 3)
            return ng;
        currentVfo().mode = mode;
        currentVfo().filter = filter;
        return ok;
    }
    case 0x07:
        return vfoCommand(rest);
    case 0x0F:
        if (rest.isEmpty())
            return data(QByteArray(1, char(m_split ? 1 : 0)));
        if (rest.size() != 1 || quint8(rest.at(0)) > 1)
            return ng;
        m_split = rest.at(0) == 1;
        return ok;
    case 0x14:
        return levelCommand(rest);
    case 0x15: {
        if (rest.size() != 1)
            return ng;
        const quint8 sub = quint8(rest.at(0));
        if (sub == 0x01 || sub == 0x05)
            return data(bytes({sub, 0x00})); // squelch closed
        if (sub == 0x02 || (sub >= 0x11 && sub <= 0x16))
            return data(QByteArray(1, char(sub)) + civ::encodeBcd(0, 2));
        return ng;
    }
    case 0x16:
        return functionCommand(rest);
    case 0x17:
        return cwCommand(rest);
    case 0x18:
        if (rest.size() != 1 || quint8(rest.at(0)) > 1)
            return ng;
        m_powered = rest.at(0) == 1;
        if (!m_powered)
            m_ptt = false;
        return ok;
    case 0x19:
        if (rest != QByteArray(1, '\0'))
            return ng;
        return data(bytes({0x00, m_address}));
    case 0x1A:
        return settingCommand(rest);
    case 0x1B:
        return toneCommand(rest);
    case 0x1C:
        if (rest.isEmpty() || rest.at(0) != 0)
            return ng;
        if (rest.size() == 1)
            return data(bytes({0x00, m_ptt ? 1 : 0}));
        if (rest.size() != 2 || quint8(rest.at(1)) > 1)
            return ng;
        m_ptt = rest.at(1) == 1;
        return ok;
    case 0x21:
        return ritCommand(rest);
    case 0x25:
    case 0x26:
        return selectedVfoCommand(cmd, rest);
    default:
        return ng;
    }
}

IcomRig::Reply IcomRig::vfoCommand(const QByteArray &rest)
{
    const Reply ok{Answer::Ok, {}};
    const Reply ng{Answer::Ng, {}};
    if (rest.isEmpty())
        return ok; // VFO mode
    const quint8 sub = quint8(rest.at(0));
    Band &band = m_bands[m_selected];
    if (rest.size() == 1) {
        switch (sub) {
        case 0x00:
        case 0x01:
            band.active = sub;
            return ok;
        case 0xA0:
            band.vfo[1 - band.active] = band.vfo[band.active];
            return ok;
        case 0xB0:
            if (m_model.twinBand) {
                std::swap(m_bands[0], m_bands[1]);
            } else {
                std::swap(band.vfo[0], band.vfo[1]);
            }
            return ok;
        default:
            break;
        }
    }
    if (!m_model.twinBand)
        return ng;
    switch (sub) {
    case 0xC0:
    case 0xC1:
        if (rest.size() != 1)
            return ng;
        m_dualWatch = sub == 0xC1;
        return ok;
    case 0xC2:
        if (rest.size() != 1)
            return ng;
        return {Answer::Data, bytes({0x07, 0xC2, m_dualWatch ? 1 : 0})};
    case 0xD0:
    case 0xD1:
        if (rest.size() != 1)
            return ng;
        m_selected = sub == 0xD0 ? 0 : 1;
        return ok;
    case 0xD2:
        if (rest.size() == 1)
            return {Answer::Data, bytes({0x07, 0xD2, m_selected})};
        if (rest.size() != 2 || quint8(rest.at(1)) > 1)
            return ng;
        m_selected = rest.at(1);
        return ok;
    default:
        return ng;
    }
}

IcomRig::Reply IcomRig::selectedVfoCommand(quint8 cmd, const QByteArray &rest)
{
    const Reply ok{Answer::Ok, {}};
    const Reply ng{Answer::Ng, {}};
    if (!m_model.selectedVfoCommands || rest.isEmpty() || quint8(rest.at(0)) > 1)
        return ng;
    const quint8 which = quint8(rest.at(0));
    // 00 the VFO in use, 01 the other one; in satellite mode main and sub band.
    int bandIdx = m_selected;
    int vfoIdx = m_bands[m_selected].active;
    if (which == 1) {
        if (m_model.twinBand && m_satellite) {
            bandIdx = 1 - m_selected;
            vfoIdx = m_bands[bandIdx].active;
        } else {
            vfoIdx = 1 - vfoIdx;
        }
    }
    VfoState &vfo = m_bands[bandIdx].vfo[vfoIdx];
    const QByteArray payload = rest.mid(1);
    if (cmd == 0x25) {
        if (payload.isEmpty())
            return {Answer::Data,
                    bytes({0x25, which}) + civ::encodeFrequency(vfo.hz, frequencyBytes(vfo.hz))};
        if (payload.size() < 5 || payload.size() > m_model.maxFrequencyBytes)
            return ng;
        const auto hz = civ::decodeFrequency(payload);
        if (!hz || !setFrequency(bandIdx, vfo, *hz))
            return ng;
        return ok;
    }
    if (payload.isEmpty())
        return {Answer::Data, bytes({0x26, which, vfo.mode, vfo.dataMode, vfo.filter})};
    if (payload.size() > 3)
        return ng;
    const quint8 mode = quint8(payload.at(0));
    const quint8 dataMode = payload.size() >= 2 ? quint8(payload.at(1)) : vfo.dataMode;
    const quint8 filter = payload.size() >= 3 ? quint8(payload.at(2)) : vfo.filter;
    if (!m_model.supportsMode(mode) || dataMode > 3 || filter < 1 || filter > 3)
        return ng;
    if (dataMode != 0 && !m_model.dataMode)
        return ng;
    vfo.mode = mode;
    vfo.dataMode = dataMode;
    vfo.dataFilter = dataMode != 0 ? filter : 0;
    vfo.filter = filter;
    return ok;
}

IcomRig::Reply IcomRig::settingCommand(const QByteArray &rest)
{
    const Reply ok{Answer::Ok, {}};
    const Reply ng{Answer::Ng, {}};
    if (rest.isEmpty())
        return ng;
    const quint8 sub = quint8(rest.at(0));
    if (sub == 0x05) {
        if (rest.size() < 3 || !civ::decodeBcd(rest.mid(1, 2)))
            return ng;
        const quint16 number = quint16((quint8(rest.at(1)) << 8) | quint8(rest.at(2)));
        if (rest.size() == 3)
            return {Answer::Data, bytes({0x1A, 0x05}) + rest.mid(1, 2) + setting(number)};
        m_settings.insert(number, rest.mid(3));
        return ok;
    }
    if (sub == 0x07)
        return m_memories.take(rest.mid(1), m_model) ? ok : ng;
    if (sub == 0x06) {
        if (!m_model.dataMode)
            return ng;
        VfoState &vfo = currentVfo();
        if (rest.size() == 1)
            return {Answer::Data, bytes({0x1A, 0x06, vfo.dataMode, vfo.dataFilter})};
        if (rest.size() > 3)
            return ng;
        const quint8 dataMode = quint8(rest.at(1));
        quint8 filter = rest.size() == 3 ? quint8(rest.at(2)) : (dataMode != 0 ? vfo.filter : 0);
        if (dataMode > 3 || filter > 3 || (dataMode != 0 && filter == 0))
            return ng;
        if (dataMode == 0)
            filter = 0;
        vfo.dataMode = dataMode;
        vfo.dataFilter = filter;
        return ok;
    }
    return ng;
}

IcomRig::Reply IcomRig::functionCommand(const QByteArray &rest)
{
    if (!m_model.functions || rest.isEmpty() || rest.size() > 2 || !isKnownFunction(quint8(rest.at(0))))
        return {Answer::Ng, {}};
    const quint8 sub = quint8(rest.at(0));
    Band &band = m_bands[m_selected];
    if (rest.size() == 1)
        return {Answer::Data, bytes({0x16, sub, band.functions.value(sub, 0)})};
    const quint8 value = quint8(rest.at(1));
    const quint8 highest = (sub == 0x02 || sub == 0x12 || sub == 0x47) ? 3 : 1;
    if (value > highest)
        return {Answer::Ng, {}};
    band.functions.insert(sub, value);
    return {Answer::Ok, {}};
}

IcomRig::Reply IcomRig::levelCommand(const QByteArray &rest)
{
    if (rest.isEmpty())
        return {Answer::Ng, {}};
    const quint8 sub = quint8(rest.at(0));
    if (sub < 0x01 || sub > 0x19)
        return {Answer::Ng, {}};
    const int current = sub == 0x0C ? m_keyerLevel : m_levels.value(sub, 128);
    if (rest.size() == 1)
        return {Answer::Data, bytes({0x14, sub}) + civ::encodeBcd(current, 2)};
    if (rest.size() != 3)
        return {Answer::Ng, {}};
    const auto level = civ::decodeBcd(rest.mid(1));
    if (!level || *level > 255)
        return {Answer::Ng, {}};
    if (sub == 0x0C)
        m_keyerLevel = int(*level);
    else
        m_levels.insert(sub, int(*level));
    return {Answer::Ok, {}};
}

IcomRig::Reply IcomRig::toneCommand(const QByteArray &rest)
{
    if (rest.isEmpty() || quint8(rest.at(0)) > 1)
        return {Answer::Ng, {}};
    const quint8 sub = quint8(rest.at(0));
    Band &band = m_bands[m_selected];
    int &tone = sub == 0 ? band.toneTenthsHz : band.squelchToneTenthsHz;
    if (rest.size() == 1)
        return {Answer::Data, bytes({0x1B, sub}) + civ::encodeBcd(tone, 3)};
    // Two BCD bytes (08 85) or three with a leading 00 (00 08 85).
    if (rest.size() != 3 && !(rest.size() == 4 && rest.at(1) == 0))
        return {Answer::Ng, {}};
    const auto value = civ::decodeBcd(rest.right(2));
    if (!value || *value < 600 || *value > 2600)
        return {Answer::Ng, {}};
    tone = int(*value);
    return {Answer::Ok, {}};
}

IcomRig::Reply IcomRig::ritCommand(const QByteArray &rest)
{
    const Reply ng{Answer::Ng, {}};
    if (!m_model.rit || rest.isEmpty())
        return ng;
    const quint8 sub = quint8(rest.at(0));
    if (sub == 0x00) {
        if (rest.size() == 1) {
            const int magnitude = std::abs(m_ritOffsetHz);
            return {Answer::Data, bytes({0x21, 0x00}) + civ::encodeFrequency(magnitude, 2) +
                                      QByteArray(1, char(m_ritOffsetHz < 0 ? 1 : 0))};
        }
        if (rest.size() != 4 || quint8(rest.at(3)) > 1)
            return ng;
        const auto magnitude = civ::decodeFrequency(rest.mid(1, 2)); // units pair first
        if (!magnitude)
            return ng;
        m_ritOffsetHz = rest.at(3) == 1 ? -int(*magnitude) : int(*magnitude);
        return {Answer::Ok, {}};
    }
    if (sub == 0x01 || sub == 0x02) {
        bool &flag = sub == 0x01 ? m_ritOn : m_deltaTxOn;
        if (rest.size() == 1)
            return {Answer::Data, bytes({0x21, sub, flag ? 1 : 0})};
        if (rest.size() != 2 || quint8(rest.at(1)) > 1)
            return ng;
        flag = rest.at(1) == 1;
        return {Answer::Ok, {}};
    }
    return ng;
}

IcomRig::Reply IcomRig::cwCommand(const QByteArray &rest)
{
    if (!m_model.cwKeying || rest.isEmpty() || rest.size() > 30)
        return {Answer::Ng, {}};
    if (rest == QByteArray(1, char(0xFF))) {
        m_cw.append(QStringLiteral("<stop>"));
        return {Answer::Ok, {}};
    }
    for (char c : rest) {
        if (!isKeyable(c))
            return {Answer::Ng, {}};
    }
    m_cw.append(QString::fromLatin1(rest));
    return {Answer::Ok, {}};
}

IcomRig::Reply IcomRig::satelliteCommand(const QByteArray &rest)
{
    if (rest.size() == 1)
        return {Answer::Data, m_model.satelliteCommand + QByteArray(1, char(m_satellite ? 1 : 0))};
    if (rest.size() != 2 || quint8(rest.at(1)) > 1)
        return {Answer::Ng, {}};
    m_satellite = rest.at(1) == 1;
    if (m_satellite)
        m_split = false; // satellite mode has no split
    return {Answer::Ok, {}};
}

int IcomRig::bandIndex(Side side) const
{
    return (m_model.twinBand && side == Side::Sub) ? 1 : 0;
}

int IcomRig::activeVfo(Side band) const
{
    return m_bands[bandIndex(band)].active;
}

VfoState &IcomRig::currentVfo()
{
    Band &band = m_bands[m_selected];
    return band.vfo[band.active];
}

VfoState *IcomRig::vfoFor(Side side)
{
    if (m_model.twinBand) {
        Band &band = m_bands[bandIndex(side)];
        return &band.vfo[band.active];
    }
    Band &band = m_bands[0];
    return &band.vfo[side == Side::Main ? band.active : 1 - band.active];
}

VfoState IcomRig::dial(Side side) const
{
    return *const_cast<IcomRig *>(this)->vfoFor(side);
}

VfoState IcomRig::vfo(Side band, int index) const
{
    return m_bands[bandIndex(band)].vfo[index == 0 ? 0 : 1];
}

quint8 IcomRig::function(quint8 code, Side band) const
{
    return m_bands[bandIndex(band)].functions.value(code, 0);
}

int IcomRig::toneTenthsHz(Side band) const
{
    return m_bands[bandIndex(band)].toneTenthsHz;
}

QByteArray IcomRig::setting(quint16 number) const
{
    return m_settings.value(number, QByteArray(1, '\0'));
}

bool IcomRig::canTune(int band, qint64 hz) const
{
    const int range = m_model.rangeIndex(hz);
    if (range < 0)
        return false;
    if (!m_model.twinBand)
        return true;
    // Main and sub band of a twin-band rig never sit on the same band.
    const Band &other = m_bands[1 - band];
    return m_model.rangeIndex(other.vfo[other.active].hz) != range;
}

bool IcomRig::setFrequency(int band, VfoState &vfo, qint64 hz)
{
    if (!canTune(band, hz))
        return false;
    vfo.hz = hz;
    return true;
}

int IcomRig::frequencyBytes(qint64 hz) const
{
    return (m_model.maxFrequencyBytes > 5 && hz >= 10'000'000'000LL) ? 6 : 5;
}

bool IcomRig::turnDial(Side side, qint64 hz)
{
    return setFrequency(bandIndex(side), *vfoFor(side), hz);
}

bool IcomRig::setDialMode(Side side, quint8 mode, quint8 filter)
{
    if (!m_model.supportsMode(mode) || filter < 1 || filter > 3)
        return false;
    VfoState *vfo = vfoFor(side);
    vfo->mode = mode;
    vfo->filter = filter;
    return true;
}

} // namespace vm::sim

namespace vm::sim {

// ---- the console's view -------------------------------------------------------

QStringList IcomRig::statusDetails() const
{
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    return {QStringLiteral("address=%1").arg(civ::hex(QByteArray(1, char(m_address)))),
            QStringLiteral("satellite=%1").arg(onOff(m_satellite)),
            QStringLiteral("split=%1").arg(onOff(m_split)),
            QStringLiteral("selected=%1").arg(m_selected == 0 ? QStringLiteral("main") : QStringLiteral("sub")),
            QStringLiteral("ptt=%1").arg(onOff(m_ptt)),
            QStringLiteral("echo=%1").arg(onOff(m_echo))};
}

QString IcomRig::dialText(Side side) const
{
    const VfoState vfo = dial(side);
    return QStringLiteral("%1 %2 %3 %4").arg(vfo.hz).arg(civ::modeName(vfo.mode)).arg(vfo.filter).arg(vfo.dataMode);
}

QString IcomRig::changeMode(Side side, const QStringList &words)
{
    const auto code = civ::modeCode(words.value(0));
    if (!code)
        return QStringLiteral("unknown mode %1").arg(words.value(0));
    int filter = dial(side).filter;
    if (words.size() >= 2) {
        bool ok = false;
        filter = words.at(1).toInt(&ok);
        if (!ok)
            return QStringLiteral("not a filter number: %1").arg(words.at(1));
    }
    if (!setDialMode(side, *code, quint8(filter)))
        return QStringLiteral("%1 has no mode %2 filter %3").arg(m_model.id, words.at(0)).arg(filter);
    return {};
}

QStringList IcomRig::logLines() const
{
    QStringList lines;
    for (const ReceivedCommand &command : m_log)
        lines << command.describe();
    return lines;
}

} // namespace vm::sim
