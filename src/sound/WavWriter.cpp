#include "sound/WavWriter.h"

#include <QtEndian>

namespace vm {

namespace {

constexpr int HeaderBytes = 44;
constexpr int RiffSizeAt = 4;
constexpr int DataSizeAt = 40;

void put32(QByteArray &b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

void put16(QByteArray &b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

} // namespace

QByteArray WavWriter::header(int sampleRate, quint32 dataBytes)
{
    const quint16 channels = 1;
    const quint16 bits = 16;
    const quint16 align = channels * bits / 8;
    QByteArray b;
    b.reserve(HeaderBytes);
    b.append("RIFF");
    put32(b, 36 + dataBytes);
    b.append("WAVEfmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, channels);
    put32(b, quint32(sampleRate));
    put32(b, quint32(sampleRate) * align);
    put16(b, align);
    put16(b, bits);
    b.append("data");
    put32(b, dataBytes);
    return b;
}

bool WavWriter::open(const QString &path, int sampleRate)
{
    close();
    m_data = 0;
    m_hasPending = false;
    m_file.setFileName(path);
    if (sampleRate <= 0 || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    if (m_file.write(header(sampleRate, 0)) != HeaderBytes) {
        m_file.close();
        return false;
    }
    return true;
}

bool WavWriter::write(const QByteArray &pcm)
{
    if (!isOpen() || limitReached())
        return false;
    QByteArray block;
    if (m_hasPending)
        block.append(m_pending);
    block.append(pcm);
    const qint64 whole = block.size() & ~qint64(1); // whole samples only
    const qint64 take = m_limit >= 0 ? qMin(whole, m_limit - m_data) : whole;
    m_hasPending = take == whole && block.size() % 2 == 1;
    if (m_hasPending)
        m_pending = block.back();
    if (take == 0)
        return !limitReached();
    m_file.seek(HeaderBytes + m_data);
    if (m_file.write(block.constData(), take) != take)
        return false;
    m_data += take;
    return writeSizes() && !limitReached();
}

bool WavWriter::writeSizes()
{
    char raw[4];
    qToLittleEndian(quint32(36 + m_data), raw);
    if (!m_file.seek(RiffSizeAt) || m_file.write(raw, 4) != 4)
        return false;
    qToLittleEndian(quint32(m_data), raw);
    return m_file.seek(DataSizeAt) && m_file.write(raw, 4) == 4;
}

void WavWriter::close()
{
    if (m_file.isOpen())
        m_file.close();
}

} // namespace vm
