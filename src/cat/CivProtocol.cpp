#include "cat/CivProtocol.h"

#include <QHash>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace vm::civ {

namespace {

bool allDigits(const QString &text)
{
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Two decimal characters as one packed-BCD byte.
quint8 bcdPair(QChar high, QChar low)
{
    return quint8(((high.unicode() - '0') << 4) | (low.unicode() - '0'));
}

} // namespace

QByteArray frame(quint8 address, QByteArrayView body)
{
    QByteArray f;
    f.reserve(body.size() + 5);
    f.append(char(Preamble)).append(char(Preamble)).append(char(address)).append(char(ControllerAddress));
    f.append(body.data(), body.size());
    f.append(char(Terminator));
    return f;
}

std::optional<quint8> parseAddress(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return quint8(0);
    if (t.size() > 2)
        return std::nullopt;
    bool ok = false;
    const uint value = t.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return quint8(value);
}

std::optional<QString> frequencyDigits(qint64 hz, int width)
{
    if (hz < 0)
        return std::nullopt;
    const QString digits = QString::number(hz);
    if (digits.size() > width)
        return std::nullopt;
    return digits.rightJustified(width, QLatin1Char('0'));
}

QByteArray frequencyToBcd(const QString &digits10)
{
    if (digits10.size() != 10 || !allDigits(digits10))
        return {};
    QByteArray out;
    for (int i = 8; i >= 0; i -= 2)
        out.append(char(bcdPair(digits10[i], digits10[i + 1])));
    return out;
}

std::optional<qint64> frequencyFromBcd(QByteArrayView bytes)
{
    if (bytes.size() < 5)
        return std::nullopt;
    qint64 value = 0;
    for (int i = 4; i >= 0; --i) {
        const quint8 b = quint8(bytes[i]);
        const int high = b >> 4;
        const int low = b & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        value = value * 100 + high * 10 + low;
    }
    return value;
}

qsizetype findAnswer(QByteArrayView reply, quint8 address, QByteArrayView command)
{
    QByteArray pattern;
    pattern.append(char(Preamble))
        .append(char(Preamble))
        .append(char(ControllerAddress))
        .append(char(address));
    pattern.append(command.data(), command.size());
    const qsizetype at = QByteArrayView(reply).indexOf(pattern);
    return at < 0 ? -1 : at + pattern.size();
}

std::optional<QString> modeName(quint8 code, BandGroup group)
{
    const bool single = group == BandGroup::SingleBand;
    switch (code) {
    case 0x00:
        return QStringLiteral("LSB");
    case 0x01:
        return QStringLiteral("USB");
    case 0x02:
        return QStringLiteral("AM");
    case 0x03:
        return QStringLiteral("CW");
    case 0x04:
        return single ? QStringLiteral("RTTY") : QStringLiteral("RTY");
    case 0x05:
        return QStringLiteral("FM");
    case 0x06:
        return QStringLiteral("FM WIDE");
    case 0x07:
        return single ? QStringLiteral("CW-R") : QString();
    case 0x08:
        return single ? QStringLiteral("RTTY-R") : QString();
    case 0x17:
        return single ? QStringLiteral("DV") : QString();
    default:
        return single ? std::nullopt : std::optional<QString>(QString());
    }
}

QByteArray modeBytes(const QString &mode)
{
    if (mode.isEmpty() || mode.size() > 2)
        return {};
    QByteArray out;
    for (QChar c : mode) {
        bool ok = false;
        const uint v = QString(c).toUInt(&ok, 16);
        if (!ok)
            return {};
        out.append(char(v));
    }
    return out;
}

QByteArray fourDigitBcd(const QString &digits4)
{
    if (digits4.size() != 4 || !allDigits(digits4))
        return {};
    QByteArray out;
    out.append(char(bcdPair(digits4[0], digits4[1])));
    out.append(char(bcdPair(digits4[2], digits4[3])));
    return out;
}

QString twoBytesAsDigits(quint8 high, quint8 low)
{
    return hex2(high) + hex2(low);
}

QString cwSpeedForLevel(const QString &level4, CwLevelTable table)
{
    // Level read with 14 0C to speed in words per minute. The IC910 family
    // steps its levels differently and answers one of two values per speed.
    static const QHash<QString, QString> modern = [] {
        const char *levels[] = {"0025", "0031", "0037", "0043", "0049", "0055", "0061", "0067",
                                "0073", "0079", "0084", "0091", "0097", "0103", "0108", "0114",
                                "0121", "0128", "0134", "0140", "0144", "0151", "0156", "0164",
                                "0169", "0175", "0182", "0188", "0192", "0199", "0203", "0211",
                                "0215", "0224", "0229", "0234", "0239", "0244", "0250"};
        QHash<QString, QString> h;
        int speed = 10;
        for (const char *l : levels)
            h.insert(QString::fromLatin1(l), QString::number(speed++).rightJustified(3, QLatin1Char('0')));
        return h;
    }();
    static const QHash<QString, QString> ic910 = [] {
        struct Row {
            const char *speed;
            const char *a;
            const char *b;
        };
        const Row rows[] = {{"010", "0020", "0021"},  {"011", "0025", "0026"},  {"012", "0030", "0031"},
                            {"013", "0034", "0036"},  {"014", "0039", "0041"},  {"015", "0044", "0046"},
                            {"016", "0048", "0051"},  {"017", "0053", nullptr}, {"018", "0056", "0058"},
                            {"019", "0061", "0062"},  {"020", "0066", "0067"},  {"021", "0071", "0072"},
                            {"022", "0076", nullptr}, {"023", "0081", nullptr}, {"024", "0086", nullptr},
                            {"025", "0090", "0091"},  {"026", "0095", "0096"},  {"027", "0100", "0101"},
                            {"028", "0104", "0106"},  {"029", "0109", "0111"},  {"030", "0114", "0116"},
                            {"031", "0118", "0121"},  {"032", "0123", nullptr}, {"033", "0126", "0128"},
                            {"034", "0131", "0132"},  {"035", "0136", "0137"},  {"036", "0141", nullptr},
                            {"037", "0146", nullptr}, {"038", "0151", nullptr}, {"040", "0156", "0160"}};
        QHash<QString, QString> h;
        for (const Row &r : rows) {
            h.insert(QString::fromLatin1(r.a), QString::fromLatin1(r.speed));
            if (r.b)
                h.insert(QString::fromLatin1(r.b), QString::fromLatin1(r.speed));
        }
        return h;
    }();
    switch (table) {
    case CwLevelTable::Modern:
        return modern.value(level4);
    case CwLevelTable::Ic910:
        return ic910.value(level4);
    case CwLevelTable::None:
        break;
    }
    return {};
}

std::optional<QString> ritOffsetText(int hz)
{
    if (hz < -9999 || hz > 9999)
        return std::nullopt;
    const QString digits = QString::number(std::abs(hz)).rightJustified(4, QLatin1Char('0'));
    return hz < 0 ? QLatin1Char('-') + digits : digits;
}

QByteArray ritOffsetBody(const QString &text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString digits = negative ? text.mid(1) : text;
    const QByteArray bcd = fourDigitBcd(digits);
    if (bcd.isEmpty())
        return {};
    QByteArray out = QByteArray::fromHex("2100");
    out.append(bcd[1]).append(bcd[0]).append(char(negative ? 0x01 : 0x00));
    return out;
}

QString toneCode(const QString &toneHz)
{
    bool ok = false;
    const double hz = toneHz.trimmed().toDouble(&ok);
    if (!ok || !(hz > 0) || hz >= 1000)
        return {};
    const long tenths = std::lround(hz * 10);
    return QString::number(tenths).rightJustified(4, QLatin1Char('0'));
}

QByteArray cwTextBytes(const QString &hexPairs)
{
    if (hexPairs.isEmpty() || hexPairs.size() % 2 != 0)
        return {};
    for (QChar c : hexPairs) {
        const char16_t u = c.unicode();
        if (u > 0x7F || !std::isxdigit(int(u)))
            return {};
    }
    return QByteArray::fromHex(hexPairs.toLatin1());
}

QString hexNoLeadingZero(quint8 value)
{
    return QString::number(value, 16).toUpper();
}

QString hex2(quint8 value)
{
    return QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QByteArray powerOnFrame(quint8 address, int baudRate)
{
    int run = 0;
    switch (baudRate) {
    case 4800:
        run = 5;
        break;
    case 9600:
        run = 9;
        break;
    case 19200:
    case 38400:
        run = 40;
        break;
    case 57600:
        run = 59;
        break;
    case 115200:
        run = 119;
        break;
    default:
        return {};
    }
    return QByteArray(run, char(Preamble)) + frame(address, QByteArray::fromHex("1801"));
}

} // namespace vm::civ
