#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vm {

// Writes mono 16-bit PCM to a WAV file. The RIFF and data sizes in the header
// are brought up to date after every block, so a file whose writer dies in
// the middle of a recording is still a complete, playable WAV file.
class WavWriter {
public:
    ~WavWriter() { close(); }

    // Creates (replaces) the file and writes the header of an empty recording.
    bool open(const QString &path, int sampleRate);
    // Appends little-endian 16-bit samples. With a limit set, stops accepting
    // data at the limit; returns false when nothing more is taken (limit
    // reached or a write failed).
    bool write(const QByteArray &pcm);
    void close();

    bool isOpen() const { return m_file.isOpen(); }
    qint64 dataBytes() const { return m_data; }
    // Upper bound of the sample data in bytes (even); negative means no limit.
    void setLimit(qint64 bytes) { m_limit = bytes; }
    bool limitReached() const { return m_limit >= 0 && m_data >= m_limit; }
    QString errorString() const { return m_file.errorString(); }

    static QByteArray header(int sampleRate, quint32 dataBytes);

private:
    bool writeSizes();

    QFile m_file;
    qint64 m_data = 0;
    qint64 m_limit = -1;
    char m_pending = 0; // first byte of a sample split between two blocks
    bool m_hasPending = false;
};

} // namespace vm
