#include "PanelEndpoint.h"

#include "SimulatedStation.h"

#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace vm::test {

PanelEndpoint::PanelEndpoint(const SimulatedStation &station) : channel(station.runtimeDir()) {}

bool PanelEndpoint::open()
{
    if (!channel.open() || !channel.registerTitle("Velomira"))
        return false;
    channel.setRecordHandler("Velomira", [this](const ChannelRecord &r) {
        records << r.text;
        return quint32(0);
    });
    return true;
}

bool PanelEndpoint::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    for (QDeadlineTimer deadline(timeoutMs); !condition(); channel.processPending(50)) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "records so far: " << records.mid(0, 40).join(" | ").toStdString();
            return false;
        }
    }
    return true;
}

} // namespace vm::test
