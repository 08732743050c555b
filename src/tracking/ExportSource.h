#pragma once

#include "tracking/TrackingProgram.h"
#include "tracking/TrackingSource.h"

#include <QString>

#include <optional>

namespace vm {

class LocalChannel;

// The tracking values an outside program serves on its export endpoint
// ("DDE:Kepral32|Export", "DDE:Ornik|EXTRN"): each item is asked for with an
// item request whose text is the item name, and the reply text is the value.
// Data moves only when asked for; nothing is pushed.
class ExportSource final : public TrackingSource {
public:
    // `program` must be an outside program; `channel` outlives the source.
    ExportSource(const TrackingProgram &program, LocalChannel &channel);

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
    LocalChannel &m_channel;
    bool m_open = false;
    QString m_lastError;
};

} // namespace vm
