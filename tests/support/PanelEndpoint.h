#pragma once

#include "ProcessTools.h"
#include "platform/LocalChannel.h"

#include <QStringList>

#include <functional>

namespace vm::test {

class SimulatedStation;

// The panel's title on a station's channel, standing in for the panel: it
// keeps every record sent to it, so a test sees what tunavox reports.
class PanelEndpoint {
public:
    explicit PanelEndpoint(const SimulatedStation &station);
    // Opened and titled "Velomira".
    bool open();
    // Serves the title until the condition holds; false after the time-out,
    // with the records received so far in the failure message.
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = GenerousMs);
    bool receives(const QString &record, int timeoutMs = GenerousMs)
    {
        return waitFor([&] { return records.contains(record); }, timeoutMs);
    }

    LocalChannel channel;
    QStringList records;
};

} // namespace vm::test
