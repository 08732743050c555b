#pragma once

#include "cat/MemoryChannels.h"
#include "cat/PortProblem.h"
#include "cat/SerialTransport.h"

#include <QStringList>
#include <functional>

namespace vm {

// Writes satellite memories into an Icom rig, or erases them, over a
// connection of its own: the port is opened for the run and closed after it.
// One blocking operation; `progress` is told each channel number before it
// is sent, so that a window can paint it.
class MemoryWriter {
public:
    struct Result {
        bool opened = false;
        PortProblem problem;       // why the port did not open
        int written = 0;           // channels the rig took
        bool limitReached = false; // entries were left over after the last channel
        QStringList refused;       // entries the rig refused, in table order
    };
    using Progress = std::function<void(int channel)>;

    MemoryWriter(SerialTransport &transport, SerialSettings settings, quint8 address);

    // Channels from 1 on, one per entry the rig takes: a refused entry's
    // channel number goes to the next entry. At most 99 channels.
    Result write(const QList<memoryChannels::Entry> &entries, const Progress &progress);
    // Clears channels 1 to 99.
    Result erase(const Progress &progress);

private:
    bool open(Result &result);
    memoryChannels::Answer exchange(const QByteArray &frame);

    SerialTransport &m_transport;
    SerialSettings m_settings;
    quint8 m_address;
};

} // namespace vm
