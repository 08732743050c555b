#include "cat/MemoryChannels.h"

#include "cat/CivProtocol.h"
#include "common/NumberText.h"

#include <cmath>

namespace vm::memoryChannels {

namespace {

constexpr quint8 Controller = 0xE0;

qint64 hzOfKhz(double khz)
{
    return qint64(std::llround(khz * 1000.0));
}

QByteArray channelBcd(int channel)
{
    return QByteArray::fromHex(QString::asprintf("00%02d", channel).toLatin1());
}

QByteArray sideBytes(const Side &s)
{
    QByteArray b = civ::frequencyToBcd(civ::frequencyDigits(s.hz, 10).value_or(QStringLiteral("0000000000")));
    b += char(s.mode);
    b += char(s.filter);
    b += char(s.data ? 0x01 : 0x00);
    b += char(0x01);
    b += char(0x00);
    b += char(0x00); // the tone's hundreds of hertz: never used by CTCSS tones
    b += civ::fourDigitBcd(s.toneCode);
    b += QByteArray::fromHex("00088500002300");
    b += QByteArray(24, ' ');
    return b;
}

// Modes (code, filter) of the downlink and uplink sides of a linear transponder.
struct Modes {
    quint8 down;
    quint8 up;
};

Modes linearModes(const QString &startUpMode, bool data)
{
    if (data)
        return {0x01, 0x00};
    if (startUpMode == u"CW")
        return {0x03, 0x03};
    if (startUpMode == u"UC")
        return {0x01, 0x03};
    return {0x01, 0x00}; // SSB, and any other text
}

} // namespace

QByteArray channelName(const QString &name, const QString &mode)
{
    QString text = name.trimmed();
    if (!mode.trimmed().isEmpty())
        text += u'/' + mode.trimmed();
    QByteArray bytes;
    for (const QChar c : text.left(NameLength))
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            bytes += char(c.unicode());
    return bytes.leftJustified(NameLength, ' ');
}

QList<Entry> entries(const QList<SatelliteRecord> &rows, const QString &startUpMode, bool beacons)
{
    QList<Entry> out;
    for (const SatelliteRecord &r : rows) {
        if (r.MLTmode.trimmed() == u"UU")
            continue;
        const std::optional<double> down = finiteNumber(r.DownLink);
        const std::optional<double> up = finiteNumber(r.UpLink);
        const std::optional<double> width = r.Width.trimmed().isEmpty() ? 100.0 : finiteNumber(r.Width);
        if (!down || !up || !width)
            continue;
        const bool fm = !r.Tone.isEmpty();
        const bool data = r.MLTmode.contains(QLatin1String("DATA"));
        Entry e;
        e.satellite = r.Name.trimmed();
        e.name = channelName(r.Name, r.MLTmode);
        const double shift = fm ? 0.0 : *width / 2.0;
        e.down.hz = hzOfKhz(*down + shift);
        e.up.hz = hzOfKhz(*up + shift);
        if (fm) {
            e.down.mode = e.up.mode = 0x05;
            e.up.data = data;
        } else {
            const Modes m = linearModes(startUpMode, data);
            e.down.mode = m.down;
            e.up.mode = m.up;
            e.down.data = e.up.data = data;
        }
        const QString tone = r.Tone.trimmed();
        if (!tone.isEmpty() && tone != u"0") {
            const QString code = civ::toneCode(tone);
            if (!code.isEmpty())
                e.down.toneCode = e.up.toneCode = code;
        }
        out << e;
        if (beacons && r.Beacon.size() > 4) {
            if (const std::optional<double> beacon = finiteNumber(r.Beacon)) {
                Entry b = e;
                b.satellite = e.satellite + QStringLiteral("_Beacon");
                b.name = channelName(b.satellite, r.MLTmode);
                b.down.hz = hzOfKhz(*beacon);
                out << b;
            }
        }
    }
    return out;
}

QByteArray writeFrame(quint8 address, int channel, const Entry &entry)
{
    if (channel < 1 || channel > MaxChannels || entry.name.size() != NameLength)
        return {};
    QByteArray body = QByteArray::fromHex("1a07") + channelBcd(channel);
    body += sideBytes(entry.down);
    body += sideBytes(entry.up);
    body += entry.name;
    return civ::frame(address, body);
}

QByteArray eraseFrame(quint8 address, int channel)
{
    if (channel < 1 || channel > MaxChannels)
        return {};
    return civ::frame(address, QByteArray::fromHex("1a07") + channelBcd(channel) + QByteArray(1, char(0xFF)));
}

Answer parseAnswer(QByteArrayView bytes, quint8 address)
{
    // The answer is the frame FE FE E0 <address> FB|FA FD; the echo of our own
    // frame (FE FE <address> E0 ...) is passed over.
    const QByteArray header = QByteArray::fromHex("fefe") + char(Controller) + char(address);
    for (qsizetype at = 0; (at = QByteArrayView(bytes).indexOf(header, at)) >= 0; ++at) {
        const QByteArrayView rest = bytes.sliced(at + header.size());
        if (rest.size() < 2 || quint8(rest[1]) != 0xFD)
            continue;
        if (quint8(rest[0]) == 0xFB)
            return Answer::Accepted;
        if (quint8(rest[0]) == 0xFA)
            return Answer::Refused;
    }
    return Answer::None;
}

} // namespace vm::memoryChannels
