#pragma once

#include "common/SatelliteRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace vm::memoryChannels {

// The Icom satellite memories (CI-V 1A 07): one channel per satellite, each
// holding a downlink side, an uplink side and a 16-character name.
inline constexpr int MaxChannels = 99;
inline constexpr int NameLength = 16;

// One side of a channel as the rig stores it.
struct Side {
    qint64 hz = 0;
    quint8 mode = 0x01;
    quint8 filter = 0x02;
    bool data = false;         // data mode (first data byte 01)
    QString toneCode = "0885"; // repeater tone in tenths of a hertz, four digits
};

// What goes into one channel, before it has a number.
struct Entry {
    QString satellite; // the table's name, for the list of refused entries
    Side down;
    Side up;
    QByteArray name; // exactly NameLength bytes
};

// The entries of a satellite table (header row excluded) in table order:
// "UU" rows and rows whose frequencies are not numbers are left out; with
// `beacons`, a satellite whose beacon item is longer than four characters is
// followed by a beacon entry. `startUpMode` ("SSB", "CW", "UC") sets the
// modes of the linear transponders.
QList<Entry> entries(const QList<SatelliteRecord> &rows, const QString &startUpMode, bool beacons);

// The channel name: "NAME/MODE" (or "NAME" without a mode text), cut to 16
// characters, characters outside printable ASCII dropped, padded with spaces.
QByteArray channelName(const QString &name, const QString &mode);

// FE FE address E0 1A 07 00 <channel BCD> <down 44> <up 44> <name 16> FD.
// Empty for a channel outside 1..99.
QByteArray writeFrame(quint8 address, int channel, const Entry &entry);
// FE FE address E0 1A 07 00 <channel BCD> FF FD.
QByteArray eraseFrame(quint8 address, int channel);

// What the rig said to one frame, read from the bytes that came back (the
// echo of the frame, if any, then the answer).
enum class Answer {
    None,     // no complete answer from the rig (yet)
    Accepted, // FB
    Refused,  // FA: a frequency or mode the rig does not take
};
Answer parseAnswer(QByteArrayView bytes, quint8 address);

} // namespace vm::memoryChannels
