#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

// How a rig is spoken to.
enum class RigFamily {
    None,        // no rig
    IcomCiv,     // Icom CI-V binary frames
    Text,        // Kenwood / Yaesu text commands ending in ';'
    YaesuBinary, // Yaesu five-byte binary commands
};

// How an Icom rig arranges its bands, which decides every band selection.
enum class BandGroup {
    None,       // not an Icom rig
    TwinBand,   // main/sub satellite rigs: "A" is 07 D0, "B" is 07 D1
    Ic821,      // two bands with the selection bytes reversed: "A" is 07 D1, "B" is 07 D0
    SingleBand, // one operating frequency, no band selection
};

// Which keying-speed table turns a 14 0C level into words per minute.
enum class CwLevelTable { None, Modern, Ic910 };

// How a text-command rig (Kenwood / Yaesu) is read and set. Commands end in
// ';'; answers are read by length and named by their first two letters.
struct TextDialect {
    bool ifRead = false;              // dial and mode from "IF;" (Yaesu) rather than "FA;" (Kenwood)
    QString modeCommand;              // before the mode digit: "MD", "OM0", "MD0"
    int modeDigitIndex = 2;           // position of the mode digit in the mode answer
    bool kenwoodModes = true;         // mode digits 5, 6, 9 and others have names (Yaesu: kept as before)
    QString toneNumberCommand;        // second-rig tone: before the tone code ("TN", "TN0", "CN0")
    QStringList toneOnCommands;       // second-rig tone switched on
    QStringList toneOffCommands;      // second-rig tone switched off (also at its close)
    QStringList stopCwCommands;       // end of keying
    bool yaesuKeyer = false;          // CW texts become keyer memory calls ("B4" / "KY" rules)
    bool keyerMemoriesAtOpen = false; // as rig 2, the operator's CW messages are loaded at open
    bool satelliteSides = false;      // satellite mode with main (receive) and sub (transmit) bands
    QStringList sameBandOn;           // same-band arrangement switched on / off
    QStringList sameBandOff;
    bool reopenAfterSameBand = false; // closed and opened again after the arrangement is off
};

// Everything the drivers and sequences need to know about one rig model.
// Model differences live here and nowhere else.
struct RigModelInfo {
    QString id;
    RigFamily family = RigFamily::None;
    int stopBits = 1;
    bool textProtocol = false;
    int frequencyDigits = 10; // width of the zero-padded dial frequency
    int replyWaitFactor = 1;  // the reply wait is this many times the base wait
    BandGroup bandGroup = BandGroup::None;

    bool asRig1 = false;          // can be the main (Doppler) rig
    bool asRig2 = false;          // can be the second (transmit) rig
    bool sameBand = false;        // has a same-band satellite arrangement ("UU" satellites)
    bool cwRig1 = false;          // sends CW text when it is rig 1
    bool cwRig2 = false;          // sends CW text when it is rig 2
    bool cwSpeedRig1 = false;     // takes a keying speed when it is rig 1
    bool toneRig1 = false;        // uplink tone switched through the satellite bands (twin-band rigs)
    bool toneRig2 = false;        // uplink tone as a plain second rig
    bool reportsDial = false;     // one rig that reports its dial: operator dial moves are followed
    bool polled = true;           // frequency and mode are polled (IC905: same-band only)
    bool openingSequence = false; // rig 1 has an opening sequence (and reports "OPPOP1")

    // Icom specifics.
    quint8 defaultCivAddress = 0x00;
    int cwReadLength = 0; // expected length of the 14 0C read; 0 = none
    CwLevelTable cwTable = CwLevelTable::None;
    QByteArray rigSetting;               // 1A 05 sub-command of the setting cleared at open
    bool powerOnPreamble = false;        // woken with a run of FE bytes before 18 01
    bool satelliteModeCommand = false;   // 16 5A satellite mode switch (off as rig 2 and at close)
    bool satelliteModeAtOpen = false;    // 16 5A 01 at open
    bool satelliteSwitch1A07 = false;    // 1A 07 satellite switch (IC910 family)
    bool vfoModeAtOpen = false;          // 07 at open
    bool noiseReadsAtOpen = false;       // 16 22 and 16 40 read at open
    bool modeReadAtOpen = false;         // mode of both bands read at open
    bool toneResetAtClose = false;       // tone squelch block at close (16 42 / 1B 00 08 85)
    bool bandABeforePausedClose = false; // band "A" selected before a close while control is paused
    bool powerOffAtClose = false;        // 18 00 at close under AutoPowerOFF
    bool dataModeAfterSetMode = false;   // 1A 06 follows a mode set (data operation)

    // Yaesu binary specifics: the FT847's satellite receive and transmit VFOs.
    bool satelliteVfos = false;

    // Text-command specifics (family Text).
    TextDialect text;

    // Has a receive and a transmit dial of its own (twin-band Icom, the FT847's
    // satellite VFOs, the TS2000's satellite mode). A one-VFO rig alone can
    // only be given the downlink: the uplink would overwrite the dial it
    // listens on, and the next poll would take that for the receive dial.
    bool twoDials() const
    {
        return bandGroup == BandGroup::TwinBand || bandGroup == BandGroup::Ic821 || satelliteVfos ||
               text.satelliteSides;
    }
};

// The capability table. Every model identifier of the settings file has a row.
class RigModels {
public:
    static const QList<RigModelInfo> &all();
    // The row of a model identifier (exact spelling), or nullptr when unknown.
    static const RigModelInfo *find(const QString &id);
    // The row of a model identifier; the "None" row when unknown.
    static const RigModelInfo &get(const QString &id);
};

} // namespace vm
