#include "rigsim/YaesuBinaryRig.h"

namespace vm::sim {

namespace {

const QList<QPair<quint8, const char *>> Modes = {
    {0x00, "LSB"}, {0x01, "USB"}, {0x02, "CW"},  {0x03, "CW-R"}, {0x04, "AM"},  {0x06, "WFM"},
    {0x08, "FM"},  {0x0A, "DIG"}, {0x0C, "PKT"}, {0x82, "CW-N"}, {0x88, "FM-N"}};

QString modeText(quint8 code)
{
    for (const auto &[c, name] : Modes) {
        if (c == code)
            return QString::fromLatin1(name);
    }
    return QStringLiteral("?");
}

bool bcd(quint8 b)
{
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

} // namespace

bool YaesuBinaryRig::knows(const QString &id)
{
    return models().contains(id.toUpper());
}

YaesuBinaryRig::YaesuBinaryRig(const QString &id) : m_id(id.toUpper())
{
    m_vfo[0].hz = 145'900'000;
    m_vfo[1] = {435'800'000, 0x01};
    m_vfo[2] = {145'900'000, 0x00};
    m_cat = !ft847(); // the FT817 listens at once
}

int YaesuBinaryRig::vfoIndex(RigSide side) const
{
    if (!ft847())
        return 0;
    if (side == RigSide::Sub)
        return 2;
    return m_satellite ? 1 : 0;
}

QByteArray YaesuBinaryRig::receiveByte(quint8 byte)
{
    m_frame.append(char(byte));
    if (m_frame.size() < 5)
        return {};
    const QByteArray frame = m_frame;
    m_frame.clear();
    m_log << QString::fromLatin1(frame.toHex(' ').toUpper());
    if (m_failure == FailureMode::Silent || m_failure == FailureMode::RejectAll || !m_powered)
        return {};
    QByteArray out = execute(frame);
    const quint8 op = quint8(frame.at(4));
    if (!ft847() && out.isEmpty() && op != 0x03 && op != 0xE7 && op != 0xF7 && op != 0xBB)
        out = QByteArray(1, char(0x00)); // the FT817 acknowledges a command it carried out
    if (m_failure == FailureMode::Short && !out.isEmpty()) {
        out.chop(1);
    } else if (m_failure == FailureMode::Garbage) {
        for (char &c : out) {
            m_noise = m_noise * 1664525u + 1013904223u;
            c = char(0xA0 | ((m_noise >> 24) & 0x0F)); // never BCD
        }
    }
    return out;
}

QByteArray YaesuBinaryRig::frequencyAnswer(const Vfo &v) const
{
    QByteArray out;
    const QString digits = QString::number(v.hz / 10).rightJustified(8, QLatin1Char('0'));
    for (int i = 0; i < 8; i += 2)
        out.append(char((digits.at(i).digitValue() << 4) | digits.at(i + 1).digitValue()));
    out.append(char(v.mode));
    return out;
}

QByteArray YaesuBinaryRig::execute(const QByteArray &f)
{
    const quint8 op = quint8(f.at(4));
    const quint8 p1 = quint8(f.at(0));
    if (ft847()) {
        if (op == 0x00)
            m_cat = true;
        if (!m_cat)
            return {};
        // The satellite VFO commands work only in satellite mode.
        const quint8 group = op & 0xF0;
        if ((group == 0x10 || group == 0x20) && !m_satellite)
            return {};
    }
    Vfo *target = nullptr;
    if (op == 0x01 || op == 0x03 || op == 0x07)
        target = &m_vfo[0];
    else if (ft847() && (op == 0x11 || op == 0x13 || op == 0x17))
        target = &m_vfo[1];
    else if (ft847() && (op == 0x21 || op == 0x23 || op == 0x27))
        target = &m_vfo[2];
    switch (op & 0x0F) {
    case 0x01:
        if (target && bcd(quint8(f[0])) && bcd(quint8(f[1])) && bcd(quint8(f[2])) && bcd(quint8(f[3]))) {
            const QString digits = QString::fromLatin1(f.left(4).toHex());
            target->hz = digits.toLongLong() * 10;
        }
        return {};
    case 0x03:
        return target ? frequencyAnswer(*target) : QByteArray();
    case 0x07:
        if (target && modeText(p1) != QLatin1String("?"))
            target->mode = p1;
        return {};
    default:
        break;
    }
    switch (op) {
    case 0x4E:
    case 0x8E:
        if (ft847())
            m_satellite = op == 0x4E;
        return {};
    case 0x80:
        if (ft847())
            m_cat = false;
        return {};
    case 0x05:
    case 0x85:
        m_clarifier = op == 0x05;
        return {};
    case 0xF5:
        m_clarifierOffset = (p1 == 0x09 ? -1 : 1) * QString::fromLatin1(f.mid(2, 2).toHex()).toInt();
        return {};
    case 0x0B:
    case 0x2B:
        m_tone = QString::fromLatin1(f.left(op == 0x0B ? 2 : 1).toHex().toUpper());
        return {};
    case 0x0A:
    case 0x2A:
        m_toneOn = p1 == 0x4A || p1 == 0x2A;
        return {};
    case 0xE7: // receive status: squelch open, S-meter
    case 0xF7: // transmit status: not transmitting
        return QByteArray(1, char(op == 0xE7 ? 0x09 : 0xFF));
    case 0xBB: // memory read (FT817): two bytes
        return ft847() ? QByteArray() : QByteArray(2, char(0x00));
    default:
        return {};
    }
}

QStringList YaesuBinaryRig::statusDetails() const
{
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    return {QStringLiteral("cat=%1").arg(onOff(m_cat)),
            QStringLiteral("satellite=%1").arg(onOff(m_satellite)),
            QStringLiteral("clarifier=%1/%2").arg(onOff(m_clarifier)).arg(m_clarifierOffset),
            QStringLiteral("tone=%1/%2").arg(m_tone, onOff(m_toneOn))};
}

QString YaesuBinaryRig::dialText(RigSide side) const
{
    return QStringLiteral("%1 %2").arg(hz(side)).arg(modeText(mode(side)));
}

bool YaesuBinaryRig::turnDial(RigSide side, qint64 hz)
{
    if (hz <= 0 || hz > 999'999'990)
        return false;
    m_vfo[vfoIndex(side)].hz = hz / 10 * 10;
    return true;
}

QString YaesuBinaryRig::changeMode(RigSide side, const QStringList &words)
{
    for (const auto &[code, name] : Modes) {
        if (words.value(0).compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            m_vfo[vfoIndex(side)].mode = code;
            return {};
        }
    }
    return QStringLiteral("%1 has no mode %2").arg(m_id, words.value(0));
}

} // namespace vm::sim
