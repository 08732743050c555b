#include "tracking/ExportSource.h"

#include "platform/LocalChannel.h"
#include "platform/WineBridge.h"

#include <QCoreApplication>

namespace vm {

ExportSource::ExportSource(const TrackingProgram &program, LocalChannel &channel)
    : ExportSource(
          program,
          [&channel, title = program.exportTitle()](const QString &item) {
              return channel.requestItem(title, item);
          },
          [&channel, title = program.exportTitle()] { return channel.titleExists(title); })
{
}

ExportSource::ExportSource(const TrackingProgram &program, ItemRequester requester,
                           std::function<bool()> present)
    : m_program(program), m_requester(std::move(requester)), m_present(std::move(present))
{
}

ExportSource::ExportSource(const TrackingProgram &program, WineBridge &bridge)
    : ExportSource(
          program,
          [&bridge, program](const QString &item) {
              const WineBridge::Reply reply = bridge.ddeRequest(program.application, program.topic, item);
              // A DDE server that refuses the item answers like an endpoint
              // that does not know it; no bridge or no program is a failure.
              const bool answered = reply.ok() || reply.status == BridgeWire::Status::Refused;
              return LocalChannel::Result{answered ? LocalChannel::Status::Delivered
                                                   : LocalChannel::Status::Failed,
                                          reply.ok() ? 1u : 0u, reply.bytes};
          },
          [&bridge, program] {
              return bridge.ddeRequest(program.application, program.topic, program.satelliteItem).ok();
          })
{
}

bool ExportSource::open(QString *error)
{
    m_open = true;
    m_lastError.clear();
    if (!m_present() && error)
        *error = QCoreApplication::translate("Tracking", "%1 の %2 が応答しません")
                     .arg(m_program.name, m_program.link());
    return true;
}

std::optional<QString> ExportSource::request(const QString &item)
{
    const LocalChannel::Result r = m_requester(item);
    if (!r.delivered()) {
        m_lastError =
            QStringLiteral("%1 %2: %3").arg(m_program.link(), item, LocalChannel::statusText(r.status));
        return std::nullopt;
    }
    if (r.value == 0) {
        m_lastError = QStringLiteral("%1 %2: unknown item").arg(m_program.link(), item);
        return std::nullopt;
    }
    return QString::fromUtf8(r.data);
}

TrackingSource::ReadResult ExportSource::read(TrackingValues &values)
{
    if (!m_open)
        return ReadResult::NothingRead;
    m_lastError.clear();

    // Range rate first: a reply that is not a number ends the read before
    // anything else changes.
    const std::optional<QString> rangeRate = request(m_program.rangeRateItem);
    if (!rangeRate)
        return ReadResult::Failed;
    bool ok = false;
    const float rr = rangeRate->trimmed().toFloat(&ok);
    if (!ok) {
        m_lastError = QStringLiteral("%1 %2: not a number: %3")
                          .arg(m_program.link(), m_program.rangeRateItem, *rangeRate);
        return ReadResult::Failed;
    }
    values.rangeRate = rr;

    const std::optional<QString> satellite = request(m_program.satelliteItem);
    if (!satellite)
        return ReadResult::Failed;
    values.satellite = satellite->trimmed();

    const std::optional<QString> elevation = request(m_program.elevationItem);
    if (!elevation)
        return ReadResult::Failed;
    if (!isNumber(*elevation)) {
        m_lastError = QStringLiteral("%1 %2: not a number: %3")
                          .arg(m_program.link(), m_program.elevationItem, *elevation);
        return ReadResult::Failed;
    }
    values.elevation = *elevation;

    const std::optional<QString> revolution = request(m_program.revolutionItem);
    if (!revolution)
        return ReadResult::Failed;
    values.revolution = *revolution;
    return ReadResult::Ok;
}

} // namespace vm
