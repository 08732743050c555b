#pragma once

#include <QFile>
#include <QtEndian>

// Reads a WAV file's header as a player would and checks it against the file.
struct WavCheck {
    bool valid = false;
    quint16 channels = 0, bits = 0;
    quint32 rate = 0, dataBytes = 0;

    static WavCheck of(const QString &path)
    {
        QFile f(path);
        WavCheck w;
        if (!f.open(QIODevice::ReadOnly))
            return w;
        const QByteArray b = f.readAll();
        if (b.size() < 44)
            return w;
        const auto u32 = [&b](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
        const auto u16 = [&b](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
        w.channels = u16(22);
        w.rate = u32(24);
        w.bits = u16(34);
        w.dataBytes = u32(40);
        w.valid = b.startsWith("RIFF") && b.mid(8, 8) == "WAVEfmt " && u16(20) == 1 &&
                  b.mid(36, 4) == "data" && u32(4) == quint32(b.size() - 8) &&
                  w.dataBytes == quint32(b.size() - 44) && u32(28) == w.rate * w.channels * w.bits / 8;
        return w;
    }
};
