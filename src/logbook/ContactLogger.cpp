#include "logbook/ContactLogger.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "logbook/AdifFile.h"
#include "logbook/HamlogLink.h"
#include "logbook/WsjtxSender.h"

#include <QCoreApplication>
#include <QDir>

namespace vm {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::ContactLogger", text);
}

HamlogLink *g_windowsLogger = nullptr;

} // namespace

void ContactLogger::setWindowsLogger(HamlogLink *link)
{
    g_windowsLogger = link;
}

QString LogResult::message() const
{
    if (failed.isEmpty())
        return {};
    QString text = taken.isEmpty()
                       ? QCoreApplication::translate("vm::LogResult", "どの送り先にも記録できませんでした。QSOは入力欄に残します。")
                       : QCoreApplication::translate("vm::LogResult", "一部の送り先に記録できませんでした。");
    for (const QString &f : failed)
        text += QLatin1Char('\n') + f;
    return text;
}

UdpLink::UdpLink() = default;
UdpLink::~UdpLink() = default;

WsjtxSender &UdpLink::sender(const QString &host, quint16 port)
{
    if (!m_sender || host != m_host || port != m_port) {
        m_sender = std::make_unique<WsjtxSender>(host, port);
        m_host = host;
        m_port = port;
    }
    return *m_sender;
}

ContactLogger::ContactLogger(Settings &settings, QString dataDir, UdpLink *udp)
    : m_settings(settings), m_dataDir(std::move(dataDir)), m_udp(udp)
{
}

QString ContactLogger::adifPath() const
{
    return QDir(m_dataDir).absoluteFilePath(QDir::fromNativeSeparators(m_settings.value(keys::AdifFileName)));
}

QList<DestinationInfo> ContactLogger::destinations() const
{
    return {
        {LogDestination::AdifFile, tr("ADIFファイル"), m_settings.value(keys::LogToAdif) == u"1", true, {}},
        {LogDestination::WsjtxUdp, tr("WSJT-X UDP"), m_settings.value(keys::LogToUdp) == u"1", true, {}},
        // The entry form of the Windows program is filled through the Wine bridge.
        {LogDestination::WindowsLogger, tr("Turbo HAMLOG/Win"), m_settings.value(keys::LogToHamlog) == u"1",
         g_windowsLogger != nullptr,
         g_windowsLogger ? QString() : tr("Wine経由の接続が使えません (wine か vmbridge.exe がありません)")},
    };
}

LogResult ContactLogger::log(const Qso &qso, const QDateTime &nowUtc) const
{
    LogResult result;
    for (const DestinationInfo &d : destinations()) {
        if (!d.chosen)
            continue;
        QString error;
        bool ok = false;
        if (!d.available) {
            error = d.reason;
        } else if (d.destination == LogDestination::AdifFile) {
            ok = AdifFile(adifPath()).append(qso, nowUtc, &error);
        } else if (d.destination == LogDestination::WsjtxUdp) {
            bool portOk = false;
            const uint port = m_settings.value(keys::UdpPort).toUInt(&portOk);
            const QString host = m_settings.value(keys::UdpHost);
            const quint16 to = portOk && port <= 0xFFFF ? quint16(port) : 0;
            if (m_udp) {
                ok = m_udp->sender(host, to).send(qso, nowUtc, &error);
            } else {
                WsjtxSender sender(host, to);
                ok = sender.send(qso, nowUtc, &error);
            }
        } else if (d.destination == LogDestination::WindowsLogger) {
            const bool satelliteTags = m_settings.value(keys::AdifMk) == u"1";
            ok = g_windowsLogger->send(
                hamlog::entry(qso, m_settings.value(keys::RemPos) == u"Rem2", satelliteTags), &error);
        }
        if (ok)
            result.taken.append(d.name);
        else
            result.failed.append(d.name + QStringLiteral(": ") + error);
    }
    if (result.taken.isEmpty() && result.failed.isEmpty())
        result.failed.append(tr("送り先が選ばれていません"));
    return result;
}

} // namespace vm
