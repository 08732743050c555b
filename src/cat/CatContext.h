#pragma once

#include "common/ReportSink.h"

#include <QString>
#include <functional>
#include <optional>

namespace vm {

// The TS2000's own settings as read at its first opening in this run; its
// close puts them back. A later opening does not overwrite them.
struct Ts2000SavedState {
    std::optional<QChar> autoInformation; // "AI"
    std::optional<QChar> meter;           // "RM"
    std::optional<QChar> transmitVfo;     // "FT"
    std::optional<QChar> receiveVfo;      // "FR"
    std::optional<QString> satellite;     // first nine characters of the "SA" answer
    std::optional<QChar> menu012;         // "EX" menu 012
};

// Controller state that the rig drivers read and change. The controller owns
// it; the drivers hold a reference. Frequencies are in hertz.
struct CatContext {
    int dopplerState = 3;   // 0 to 9; 3 = no control, 4 = no polling, 6 = same band
    int rigControlMode = 1; // 2 while the panel has paused rig control ("PUS", "STP")
    int rigUsage = 0;       // RigContType: 0 one rig, 1 rig 1 receive, 2 rig 2 transmit, 3 both, 4 none
    qint64 rxTransverterOffset = 0;
    qint64 txTransverterOffset = 0;
    double rxFrequency = 0; // receive dial as last read from a rig, transverter offset added
    double txFrequency = 0; // transmit dial likewise
    bool shuttingDown = false;
    bool settingsOpen = false;              // the settings window is shown ("RCMSHW")
    bool autoPowerOff = false;              // AutoPowerOFF
    bool rigSetInForce = false;             // a per-satellite rig arrangement is applied
    bool sameBand = false;                  // a same-band satellite is set up
    bool dataOperation = false;             // IC9700: the current satellite is worked in data mode
    QString rxFilter = QStringLiteral("1"); // RX_Filter
    Ts2000SavedState ts2000;
};

// What the drivers need from the controller around them.
struct CatHooks {
    ReportSink report; // "OPP" reports to the panel
    std::function<void(const QString &section, const QString &key, const QString &value)> writeSetting;
    std::function<QString(const QString &section, const QString &key)> readSetting; // empty when missing
    std::function<void()> startLinkTimer;                 // start Timer2 when stopped (port given up)
    std::function<void()> stopControlTimer;               // stop Timer1 (a rig is being closed)
    std::function<void(const QString &text)> showMessage; // message box titled "Velomira"

    QString setting(const QString &section, const QString &key) const
    {
        return readSetting ? readSetting(section, key) : QString();
    }

    void send(const QString &code, const QString &payload) const
    {
        if (report)
            report(code, payload);
    }
};

} // namespace vm
