#pragma once

#include "cat/SerialTransport.h"

namespace vm::sim {

// A port the controller may own while the simulated line itself stays with
// the test or benchmark (which reads its counters and turns its dials).
class ForwardingTransport final : public SerialTransport {
public:
    explicit ForwardingTransport(SerialTransport &inner) : m_inner(inner) {}
    bool open(const SerialSettings &s) override { return m_inner.open(s); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void purge(bool output, bool input) override { m_inner.purge(output, input); }
    qint64 write(const QByteArray &bytes) override { return m_inner.write(bytes); }
    qint64 waitForBytes(qint64 count, int timeoutMs) override { return m_inner.waitForBytes(count, timeoutMs); }
    QByteArray read(qint64 count, int timeoutMs) override { return m_inner.read(count, timeoutMs); }

private:
    SerialTransport &m_inner;
};

} // namespace vm::sim
