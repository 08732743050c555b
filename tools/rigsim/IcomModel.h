#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace vm::sim {

// One band a simulated rig can tune, in hertz (both ends included).
struct FrequencyRange {
    qint64 lowHz = 0;
    qint64 highHz = 0;
    bool contains(qint64 hz) const { return hz >= lowHz && hz <= highHz; }
};

// A rig setting of the 1A 05 menu with the value the rig ships with.
struct SettingDefault {
    quint16 number = 0; // the two BCD bytes of the setting number, e.g. 0x0127
    QByteArray value;   // its data bytes
};

// What sets one simulated Icom model apart from the others. Every model
// difference the simulator knows is a field here, not a test of the name.
struct IcomModel {
    QString id;                       // model identifier as the settings name it: "IC9700"
    QString displayName;              // "IC-9700"
    quint8 address = 0;               // factory CI-V address
    bool twinBand = false;            // main and sub band (07 D0/D1/D2, 07 B0 exchanges them)
    QList<FrequencyRange> ranges;     // tunable bands; main and sub of a twin-band rig sit on different ones
    QList<quint8> modes;              // operating mode codes of 04/06
    QByteArray satelliteCommand;      // command + sub-command switching satellite mode; empty: none
    bool dataMode = false;            // 1A 06 data mode
    bool selectedVfoCommands = false; // 25 / 26 selected and unselected VFO
    bool cwKeying = false;            // 17 sends CW text
    bool rit = false;                 // 21 00 / 21 01
    bool functions = true;            // 16 xx functions (NB, NR, tone ...)
    int maxFrequencyBytes = 5;        // BCD bytes a frequency may take (6 above 10 GHz)
    int keyerLevel = 84;              // 14 0C level at power-up (0..255)
    qint64 mainHz = 0;                // main band (twin) / VFO A (single) at power-up
    qint64 subHz = 0;                 // sub band (twin) / VFO B (single) at power-up
    QList<SettingDefault> settings;   // 1A 05 settings with their factory values

    bool supportsMode(quint8 code) const { return modes.contains(code); }
    // Index of the range holding hz in `ranges`, -1 when the rig cannot tune it.
    int rangeIndex(qint64 hz) const;

    // Every simulated model; find() is case-insensitive and returns null for an unknown id.
    static const QList<IcomModel> &all();
    static const IcomModel *find(const QString &id);
};

} // namespace vm::sim
