#pragma once

#include "cat/SerialTransport.h"

#include <QByteArray>

namespace vm::fuzz {

// A port whose input is the fuzz data, handed out a piece per write: the
// first byte of each piece says how long it is.
class FuzzPort final : public vm::SerialTransport {
public:
    explicit FuzzPort(QByteArray script) : m_script(std::move(script)) {}

    bool open(const vm::SerialSettings &) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void purge(bool, bool input) override
    {
        if (input)
            m_input.clear();
    }
    qint64 write(const QByteArray &bytes) override
    {
        if (!m_open)
            return -1;
        if (!m_script.isEmpty()) {
            const int length = quint8(m_script[0]) % 40;
            m_input += m_script.mid(1, length);
            m_script.remove(0, 1 + length);
        }
        return bytes.size();
    }
    qint64 waitForBytes(qint64, int) override { return m_input.size(); }
    QByteArray read(qint64 count, int) override
    {
        const QByteArray out = m_input.left(count);
        m_input.remove(0, out.size());
        return out;
    }

private:
    QByteArray m_script;
    QByteArray m_input;
    bool m_open = false;
};

} // namespace vm::fuzz
