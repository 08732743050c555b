#pragma once

#include "common/Channel.h"

#include <QString>
#include <functional>

namespace vm::bench {

// The channel of a replay: the panel's title exists, every record to it is
// handed to an observer and otherwise dropped.
class ReplayChannel final : public Channel {
public:
    std::function<void(const QString &text)> onRecord;

    bool titleExists(const QString &title) override { return title == QLatin1String("Velomira"); }
    bool send(const QString &title, const QString &text) override
    {
        if (title != QLatin1String("Velomira"))
            return false;
        if (onRecord)
            onRecord(text);
        return true;
    }
    void postClose(const QString &) override {}
};

} // namespace vm::bench
