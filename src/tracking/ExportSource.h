#pragma once

#include "platform/LocalChannel.h"
#include "tracking/TrackingProgram.h"
#include "tracking/TrackingSource.h"

#include <QString>

#include <functional>
#include <optional>

namespace vm {

class LocalChannel;
class WineBridge;

// The tracking values an outside program serves on its export endpoint
// ("DDE:Kepral32|Export", "DDE:Ornik|EXTRN"): each item is asked for with an
// item request whose text is the item name, and the reply text is the value.
// Data moves only when asked for; nothing is pushed.
class ExportSource final : public TrackingSource {
public:
    // Asks for one item; the outcome as the channel reports an item request
    // (delivered with value 0: unknown item).
    using ItemRequester = std::function<LocalChannel::Result(const QString &item)>;

    // `program` must be an outside program; `channel` outlives the source.
    ExportSource(const TrackingProgram &program, LocalChannel &channel);
    // The same items through another path; `present` tells whether the
    // program answers at all (for the notice of open()).
    ExportSource(const TrackingProgram &program, ItemRequester requester, std::function<bool()> present);
    // The real program's DDE server under Wine, through vmbridge.exe.
    ExportSource(const TrackingProgram &program, WineBridge &bridge);

    // Succeeds even when the endpoint is not there yet (the reads fail until
    // it is); `error` then names the missing endpoint.
    bool open(QString *error) override;
    ReadResult read(TrackingValues &values) override;
    void close() override { m_open = false; }

    const TrackingProgram &program() const { return m_program; }
    // Why the last read ended early; empty after a complete read.
    QString lastError() const { return m_lastError; }

private:
    std::optional<QString> request(const QString &item);

    TrackingProgram m_program;
    ItemRequester m_requester;
    std::function<bool()> m_present;
    bool m_open = false;
    QString m_lastError;
};

} // namespace vm
