#pragma once

#include "common/ReportSink.h"

#include <QString>
#include <functional>

namespace vm {

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
};

// What the drivers need from the controller around them.
struct CatHooks {
    ReportSink report; // "OPP" reports to the panel
    std::function<void(const QString &section, const QString &key, const QString &value)> writeSetting;
    std::function<void()> startLinkTimer;                 // start Timer2 when stopped (port given up)
    std::function<void()> stopControlTimer;               // stop Timer1 (a rig is being closed)
    std::function<void(const QString &text)> showMessage; // message box titled "Velomira"

    void send(const QString &code, const QString &payload) const
    {
        if (report)
            report(code, payload);
    }
};

} // namespace vm
