#include "cat/MemoryWriter.h"

#include <QElapsedTimer>

namespace vm {

namespace {

constexpr int AnswerWaitMs = 200; // for the rest of an answer once the frame is sent

} // namespace

MemoryWriter::MemoryWriter(SerialTransport &transport, SerialSettings settings, quint8 address)
    : m_transport(transport), m_settings(std::move(settings)), m_address(address)
{
}

bool MemoryWriter::open(Result &result)
{
    result.opened = m_transport.open(m_settings);
    if (!result.opened)
        result.problem = m_transport.openProblem();
    return result.opened;
}

memoryChannels::Answer MemoryWriter::exchange(const QByteArray &frame)
{
    m_transport.purge(true, true);
    if (m_transport.write(frame) != frame.size())
        return memoryChannels::Answer::None;
    // Read until the rig's answer is complete: the echo of the frame (when
    // the line echoes) comes first. The wait starts again with every byte, so
    // a long frame at a low rate is not cut short.
    QByteArray got;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < AnswerWaitMs) {
        const QByteArray more = m_transport.read(256, 20);
        if (more.isEmpty())
            continue;
        got += more;
        quiet.restart();
        const memoryChannels::Answer answer = memoryChannels::parseAnswer(got, m_address);
        if (answer != memoryChannels::Answer::None)
            return answer;
    }
    return memoryChannels::Answer::None;
}

MemoryWriter::Result MemoryWriter::write(const QList<memoryChannels::Entry> &entries,
                                         const Progress &progress)
{
    Result result;
    if (!open(result))
        return result;
    for (const memoryChannels::Entry &entry : entries) {
        if (result.written == memoryChannels::MaxChannels) {
            result.limitReached = true;
            break;
        }
        const int channel = result.written + 1;
        if (progress)
            progress(channel);
        // A refusal names the entry; no answer at all is not taken for one.
        if (exchange(memoryChannels::writeFrame(m_address, channel, entry)) ==
            memoryChannels::Answer::Refused)
            result.refused << entry.satellite;
        else
            ++result.written;
    }
    m_transport.close();
    return result;
}

MemoryWriter::Result MemoryWriter::erase(const Progress &progress)
{
    Result result;
    if (!open(result))
        return result;
    for (int channel = 1; channel <= memoryChannels::MaxChannels; ++channel) {
        if (progress)
            progress(channel);
        exchange(memoryChannels::eraseFrame(m_address, channel));
    }
    m_transport.close();
    return result;
}

} // namespace vm
