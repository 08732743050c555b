#include "cat/YaesuBinaryProtocol.h"

namespace vm::yaesu {

QByteArray frame(quint8 p1, quint8 p2, quint8 p3, quint8 p4, quint8 opcode)
{
    QByteArray out;
    for (quint8 b : {p1, p2, p3, p4, opcode})
        out.append(char(b));
    return out;
}

std::optional<QString> nineDigits(qint64 hz)
{
    if (hz < 0 || hz > 999'999'999)
        return std::nullopt;
    return QString::number(hz).rightJustified(9, QLatin1Char('0'));
}

QByteArray frequencyFrame(const QString &nine, quint8 opcode)
{
    QByteArray out;
    for (int i = 0; i < 8; i += 2)
        out.append(char((nine.at(i).digitValue() << 4) | nine.at(i + 1).digitValue()));
    out.append(char(opcode));
    return out;
}

std::optional<qint64> answerHz(const QByteArray &answer, QChar lastDigit)
{
    if (answer.size() < 4 || !lastDigit.isDigit())
        return std::nullopt;
    qint64 hz = 0;
    for (int i = 0; i < 4; ++i) {
        const quint8 b = quint8(answer.at(i));
        if ((b >> 4) > 9 || (b & 0x0F) > 9)
            return std::nullopt;
        hz = hz * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return hz * 10 + lastDigit.digitValue();
}

std::optional<quint8> modeByte(const QString &code)
{
    switch (code.isEmpty() ? '\0' : code.at(0).toLatin1()) {
    case '0':
        return 0x00;
    case '1':
        return 0x01;
    case '3':
        return 0x02;
    case '5':
        return 0x08;
    default:
        return std::nullopt;
    }
}

QString modeName(quint8 byte, bool ft817)
{
    switch (byte) {
    case 0x00:
        return QStringLiteral("LSB");
    case 0x01:
        return QStringLiteral("USB");
    case 0x02:
    case 0x82:
        return QStringLiteral("CW");
    case 0x03:
    case 0x83:
        return ft817 ? QStringLiteral("CW-R") : QStringLiteral("CW");
    case 0x08:
        return QStringLiteral("FM");
    case 0x88:
        return ft817 ? QStringLiteral("OTR") : QStringLiteral("FM");
    default:
        break;
    }
    if (!ft817)
        return QStringLiteral("OTR");
    switch (byte) {
    case 0x04:
        return QStringLiteral("AM");
    case 0x06:
        return QStringLiteral("WFM");
    case 0x0A:
    case 0x8A:
        return QStringLiteral("DIG");
    case 0x0C:
        return QStringLiteral("PKT");
    default:
        return QStringLiteral("OTR");
    }
}

quint8 ft847ToneCode(const QString &toneHz)
{
    const QString t = toneHz.trimmed();
    if (t == QLatin1String("67") || t == QLatin1String("67.0"))
        return 0x3F;
    if (t == QLatin1String("210.7"))
        return 0x12;
    if (t == QLatin1String("233.6"))
        return 0x01;
    return 0x0E;
}

QByteArray clarifierFrame(int offsetHz)
{
    const int offset = qBound(-9999, offsetHz, 9999);
    const QString digits = QString::number(qAbs(offset)).rightJustified(4, QLatin1Char('0'));
    const auto d = [&digits](int i) { return quint8(digits.at(i).digitValue()); };
    return frame(offset < 0 ? 0x09 : 0x00, 0x00, d(0), quint8((d(1) << 4) | d(2)), 0xF5);
}

} // namespace vm::yaesu
