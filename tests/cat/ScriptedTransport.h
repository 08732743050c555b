#pragma once

#include "cat/CivProtocol.h"
#include "cat/SerialTransport.h"

#include <QByteArray>
#include <QList>
#include <functional>

namespace vm::test {

// A serial port whose replies come from a script: after each write the
// responder says what the rig sends back. Records every write, wait and purge.
class ScriptedTransport final : public SerialTransport {
public:
    struct Wait { qint64 count; int timeoutMs; };

    std::function<QByteArray(const QByteArray &written)> responder;
    bool openSucceeds = true;

    QList<QByteArray> writes;
    QList<Wait> waits;
    QList<QPair<bool, bool>> purges;
    SerialSettings settings;
    int opens = 0;

    bool open(const SerialSettings &s) override
    {
        settings = s;
        if (!openSucceeds)
            return false;
        ++opens;
        m_open = true;
        return true;
    }
    void close() override
    {
        m_open = false;
        m_input.clear();
    }
    bool isOpen() const override { return m_open; }
    void purge(bool output, bool input) override
    {
        purges.append({output, input});
        if (input)
            m_input.clear();
    }
    qint64 write(const QByteArray &bytes) override
    {
        if (!m_open)
            return -1;
        writes.append(bytes);
        if (responder)
            m_input += responder(bytes);
        return bytes.size();
    }
    qint64 waitForBytes(qint64 count, int timeoutMs) override
    {
        waits.append({count, timeoutMs});
        return m_input.size();
    }
    QByteArray read(qint64 count, int) override
    {
        const QByteArray out = m_input.left(count);
        m_input.remove(0, out.size());
        return out;
    }

private:
    bool m_open = false;
    QByteArray m_input;
};

// Bytes written as hexadecimal text, blanks allowed: "FE FE A2 E0 03 FD".
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// The CI-V command body of a frame FE FE addr E0 body FD (empty when the
// bytes are not such a frame).
inline QByteArray civBody(const QByteArray &frame)
{
    if (frame.size() < 6 || quint8(frame[0]) != 0xFE || quint8(frame[1]) != 0xFE ||
        quint8(frame.back()) != 0xFD)
        return {};
    return frame.mid(4, frame.size() - 5);
}

// A responder for a CI-V rig at `address`: echoes each frame and appends the
// rig's answer FE FE E0 addr <answer> FD when `answer` gives one for the body.
inline std::function<QByteArray(const QByteArray &)>
civRig(quint8 address, std::function<QByteArray(const QByteArray &body)> answer)
{
    return [address, answer](const QByteArray &written) {
        QByteArray out = written;
        const QByteArray body = civBody(written.mid(written.lastIndexOf(QByteArray("\xFE\xFE", 2))));
        const QByteArray a = answer ? answer(body) : QByteArray();
        if (!a.isEmpty()) {
            out.append("\xFE\xFE\xE0", 3).append(char(address)).append(a).append(char(0xFD));
        }
        return out;
    };
}

} // namespace vm::test
