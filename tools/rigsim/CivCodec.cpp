#include "rigsim/CivCodec.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vm::sim::civ {

namespace {

const std::array<std::pair<quint8, const char *>, 13> kModeNames = {{
    {0x00, "LSB"},
    {0x01, "USB"},
    {0x02, "AM"},
    {0x03, "CW"},
    {0x04, "RTTY"},
    {0x05, "FM"},
    {0x06, "WFM"},
    {0x07, "CW-R"},
    {0x08, "RTTY-R"},
    {0x17, "DV"},
    {0x22, "DD"},
    {0x23, "ATV"},
    {0x12, "PSK"},
}};

} // namespace

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray frame(quint8 to, quint8 from, const QByteArray &body)
{
    QByteArray out;
    out.reserve(body.size() + 5);
    out.append(char(Preamble)).append(char(Preamble)).append(char(to)).append(char(from));
    out.append(body);
    out.append(char(EndOfMessage));
    return out;
}

QByteArray encodeFrequency(qint64 hz, int count)
{
    QByteArray out(count, '\0');
    qint64 rest = hz < 0 ? 0 : hz;
    for (int i = 0; i < count; ++i) {
        const int low = int(rest % 10);
        rest /= 10;
        const int high = int(rest % 10);
        rest /= 10;
        out[i] = char((high << 4) | low);
    }
    return out;
}

std::optional<qint64> decodeFrequency(const QByteArray &bytes)
{
    qint64 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        const quint8 b = quint8(bytes.at(i));
        const int high = b >> 4;
        const int low = b & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        value = value * 100 + high * 10 + low;
    }
    return value;
}

QByteArray encodeBcd(qint64 value, int count)
{
    QByteArray out = encodeFrequency(value, count);
    std::reverse(out.begin(), out.end());
    return out;
}

std::optional<qint64> decodeBcd(const QByteArray &bytes)
{
    QByteArray reversed = bytes;
    std::reverse(reversed.begin(), reversed.end());
    return decodeFrequency(reversed);
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString modeName(quint8 code)
{
    for (const auto &[value, name] : kModeNames) {
        if (value == code)
            return QString::fromLatin1(name);
    }
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<quint8> modeCode(const QString &name)
{
    for (const auto &[value, text] : kModeNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

} // namespace vm::sim::civ
