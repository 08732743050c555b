#pragma once

#include <QString>

#include <optional>

namespace vm {

class Settings;

// One rig's line in the settings file.
struct RigSettings {
    QString type = QStringLiteral("None");     // RIG_TYPE / RIG_TYPE2
    QString port = QStringLiteral("None");     // RIGCOMCONT / RIGCOMCONT2: device path or "None"
    QString baudRate = QStringLiteral("9600"); // BAUD_RATE / BAUD_RATE2
    QString civAddress = QStringLiteral("00"); // ICOM_RIGadrs / ICOM_RIGadrs2
};

// The whole rig arrangement: what a satellite-specific rig combination
// replaces while it is in force, and what is put back afterwards.
struct RigArrangement {
    RigSettings rig1;
    RigSettings rig2;
    int pollTimeMs = 1000; // Poll_Time
    int rigUsage = 0;      // RigContType 0..4
    QString lmf;           // LMF
};

// The controller's settings as loaded from "Velomira.ini", with the defaults
// and clamps of the key table applied.
struct ControllerSettings {
    RigArrangement rigs;
    QString lsf;                     // LSF
    bool autoPowerOff = false;       // AutoPowerOFF
    bool useDde = true;              // use_DDE other than "0"
    bool rangeRateSmoothing = false; // RR_INP "1"
    int ft4WaitMs = 25;              // FTC
    QString startUpMode = QStringLiteral("SSB");
    int modeOffsetHz = 700; // MODEoffset (Cm)
    QString startCmdMode = QStringLiteral("3");
    QString calcType = QStringLiteral("1");
    QString hamlogPath;
    QString remPos = QStringLiteral("Rem1");
    QString remarks;
    QString adifMk = QStringLiteral("0");
    QString wsjtxPath; // kept upper-cased
    QString wavFile;   // WavFPOS
    QString wavStart = QStringLiteral("0");
    QString mailToolPath;
    QString recordRate = QStringLiteral("11025");
    double windowTop = 0;  // CFGPOSTop, twips
    double windowLeft = 0; // CFGPOSLeft, twips
    QString rxFilter = QStringLiteral("1");
    // Reply waits set by a baud choice in the settings form, in force until
    // the next load derives them from the rates again.
    std::optional<int> chosenWait1;
    std::optional<int> chosenWait2;

    // Response waits of both rigs by their baud rate (doubled for an IC821).
    int responseWait1() const;
    int responseWait2() const;

    // Reads every key, applies defaults and clamps; writes back FTC and the
    // response waits TC / TC2 as the loader does.
    void load(Settings &settings);
    // Writes the keys the settings window owns, and ETC / ETC2.
    void save(Settings &settings, bool writeWindowPosition) const;
};

} // namespace vm
