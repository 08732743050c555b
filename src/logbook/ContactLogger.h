#pragma once
// Hands a finished contact to every destination the settings choose: an
// ADIF file, loggers on the WSJT-X UDP protocol, the Windows logging
// program. Reports which destinations took it and which failed, so that a
// contact nobody took stays in the form.
#include "logbook/Qso.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace vm {

class HamlogLink;
class Settings;
class WsjtxSender;

// The sending socket of the WSJT-X UDP destination, kept from one contact to
// the next as a WSJT-X instance keeps its own: a logger knows a sender by its
// address and port, and may drop what comes from a new port under a known name.
class UdpLink {
public:
    UdpLink();
    ~UdpLink();
    // The sender for this address, made anew only when the address changes.
    WsjtxSender &sender(const QString &host, quint16 port);

private:
    std::unique_ptr<WsjtxSender> m_sender;
    QString m_host;
    quint16 m_port = 0;
};

enum class LogDestination { AdifFile, WsjtxUdp, WindowsLogger };

struct DestinationInfo {
    LogDestination destination;
    QString name;          // as the operator reads it
    bool chosen = false;   // switched on in the settings
    bool available = true; // false: cannot be used here
    QString reason;        // why it is not available
};

struct LogResult {
    QStringList taken;  // destination names
    QStringList failed; // "name: reason"
    bool anyTaken() const { return !taken.isEmpty(); }
    // The message naming the failed destinations; empty when none failed.
    QString message() const;
};

class ContactLogger {
public:
    // `udp`: the kept sending socket; without one, each contact gets its own.
    ContactLogger(Settings &settings, QString dataDir, UdpLink *udp = nullptr);

    // Every destination with its choice and availability, for the settings form.
    QList<DestinationInfo> destinations() const;
    // The ADIF file path the settings name (relative names in the data folder).
    QString adifPath() const;

    // The Windows logging program's link of this process (the panel sets it
    // when the Wine bridge is installed); without one that destination is
    // unavailable.
    static void setWindowsLogger(HamlogLink *link);

    // Sends the contact to every chosen destination.
    LogResult log(const Qso &qso, const QDateTime &nowUtc) const;

private:
    Settings &m_settings;
    QString m_dataDir;
    UdpLink *m_udp;
};

} // namespace vm
