#pragma once

// The entry form of the Windows logging program (main window class "TThwin")
// under Wine: the contact goes field by field as WM_COPYDATA records through
// vmbridge.exe, after a check of the program's version.

#include "logbook/Qso.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace vm {

class WineBridge;

// One WM_COPYDATA record: dwData (high word 0, low word 16: new entry; high
// word 1, low word n: field n) and its text.
struct HamlogRecord {
    quint32 dwData = 0;
    QString text;
    bool operator==(const HamlogRecord &) const = default;
};

namespace hamlog {

inline constexpr char WindowClass[] = "TThwin";
inline constexpr quint32 NewEntry = 16;
constexpr quint32 field(quint32 n)
{
    return (1u << 16) | n;
}

// Link states: the program answers and takes entries, is too old, or is not there.
inline constexpr int Ready = 5;
inline constexpr int Older = 4;
inline constexpr int NotFound = 0;

// The records of a typed-in contact: a new entry, then call sign, band pair,
// mode, QTH code and the two remarks fields. The remarks text goes to
// remarks 1 and the satellite tags (when `satelliteTags`) to remarks 2, or
// the other way round with `remarksInSlot2`. Texts are trimmed; the band
// pair and the QTH code are always sent, the others only when not empty.
QList<HamlogRecord> entry(const Qso &qso, bool remarksInSlot2, bool satelliteTags);

// The version number of a file version "a.b.c.d": a, b and c written one
// after another and read as one number ("4.9.1.0" gives 491); -1 when the
// text is not a version.
int versionNumber(const QString &fileVersion);
// Ready from 491 on, Older below 490, NotFound at exactly 490 or without a version.
int linkState(int versionNumber);

} // namespace hamlog

class HamlogLink {
public:
    explicit HamlogLink(WineBridge &bridge) : m_bridge(bridge) {}

    // Finds the program's window and sets linkState(), programPath() and
    // version(); false when the window is not there.
    bool check();
    int linkState() const { return m_linkState; }
    QString programPath() const { return m_path; }
    QString version() const { return m_version; }

    // Checks the program and sends the records in order, each waiting for the
    // program. False, with the reason, when the program is missing or too
    // old, a record could not be delivered, or the last one was not accepted
    // (result 0); the records before a failed one stay sent.
    bool send(const QList<HamlogRecord> &records, QString *error);

private:
    WineBridge &m_bridge;
    int m_linkState = hamlog::NotFound;
    QString m_path;
    QString m_version;
};

// The Windows logging program as this process's logging destination, reached
// through `bridge` for as long as this object lives; with no bridge the
// destination stays unavailable.
class WindowsLogging {
public:
    explicit WindowsLogging(WineBridge *bridge);
    ~WindowsLogging();
    WindowsLogging(const WindowsLogging &) = delete;
    WindowsLogging &operator=(const WindowsLogging &) = delete;

    HamlogLink *link() const { return m_link.get(); }

private:
    std::unique_ptr<HamlogLink> m_link;
};

} // namespace vm
