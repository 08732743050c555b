#pragma once

#include <QString>

namespace vm {

class Channel;
class Prompter;
class SatelliteTable;
class Settings;

// The checks the panel makes before its main window opens.
class StartupCheck {
public:
    enum class Action {
        Continue,          // open the main window
        End,               // another panel runs: end without a word
        CloseOtherAndEnd,  // "/E": ask the running panel to close, then end
        MissingController, // no controller beside the panel: tell and end
        RestartController, // a controller still runs: start "tunavox /z" and end
    };

    struct Facts {
        QString commandLine;
        bool panelRunning = false;      // the title "Velomira" is owned
        bool panelIdKnown = false;      // [Velomira] ME is present
        bool controllerPresent = false; // the controller program is beside us
        bool controllerRunning = false; // the title "環境設定Tunavox" is owned
    };

    static Action decide(const Facts &facts);

    // The extended mode switch: the letter P anywhere in the command line.
    static bool extendedMode(const QString &commandLine);

    // Data preparation of a normal start, in order: a missing satellite table
    // is written with its default rows (after telling the operator), an
    // older nine-column table is upgraded, the table is loaded, the settings
    // file migrated once and stale per-satellite keys purged. Returns the
    // number of records read (header included); problems are told through
    // the prompter.
    static int prepareData(const QString &dataDir, Settings &settings, SatelliteTable &table,
                           Prompter &prompter);
};

} // namespace vm
