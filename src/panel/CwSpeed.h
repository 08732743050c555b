#pragma once
// The keyer speed as each rig family takes it: Kenwood and Yaesu rigs in words
// per minute, Icom rigs as a keyer level (0-255) written as four digits, read
// off one of two tables that match the rigs' own speed scales.
#include <QString>

namespace vm::cw {

// The speed bar's range: every speed in it is in both Icom tables.
constexpr int MinWpm = 10;
constexpr int MaxWpm = 40;

enum class SpeedForm {
    None,       // the rig on the CW route takes no speed from the panel
    Wpm,        // TS2000, TS590, TS990, FT991, FT2000
    IcomTableA, // IC910, IC911, IC7100
    IcomTableB, // IC9100, IC9700
};

// Route 0 keys CW on rig 1, routes 2 and 3 on rig 2; other routes key nothing.
SpeedForm speedForm(int route, const QString &rig1Model, const QString &rig2Model);

// The "RCMCWS" payload for a speed, empty when the form sends none or the
// speed is outside the bar's range.
QString speedPayload(SpeedForm form, int wpm);

// Icom forms are sent only while a rig port is open.
inline bool needsOpenPort(SpeedForm form)
{
    return form == SpeedForm::IcomTableA || form == SpeedForm::IcomTableB;
}

} // namespace vm::cw
