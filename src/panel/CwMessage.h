#pragma once
// The four stored CW messages: their macros, the keying text each rig family
// takes through "RCMCWM", the editor's characters and limits, and how a
// message button shows its message.
#include <QString>

namespace vm::cw {

enum class KeyingFamily {
    None,        // nothing is keyed from the panel
    KenwoodText, // "KY" keyer text: TS2000 (rig 1 or 2), TS590, TS990 (rig 2)
    YaesuMemory, // keyer memory: FT991 as rig 2
    IcomHex,     // characters as hexadecimal codes: IC9100, IC9700 (rig 1 or 2), IC7100 (rig 2)
};

constexpr int MessageCount = 4;
constexpr int KenwoodLimit = 24;
constexpr int IcomLimit = 30;

// Route 0 keys on rig 1, routes 2 and 3 on rig 2.
KeyingFamily keyingFamily(int route, const QString &rig1Model, const QString &rig2Model);

// The editor's length limit for the family; 0 keeps the previous limit.
int editorLimit(KeyingFamily family);

// "#G" becomes the greeting of the local hour, "#C" the call (or "R" when
// the call-sign box is empty).
QString greeting(int hour);
QString expandMacros(const QString &message, int hour, const QString &call);

// The "RCMCWM" payload keying the expanded text of message `slot` (1-4);
// empty when the family keys nothing or the text does not fit.
QString keyingPayload(KeyingFamily family, int slot, const QString &expanded);

// The "RCMCWM" payload storing message `slot` in the FT991's keyer memory;
// empty for other families.
QString memoryPayload(KeyingFamily family, int slot, const QString &message);

// A character typed into the editor as it is kept (upper case), or a null
// QChar when the editor discards it.
QChar editorChar(QChar typed);
// A pasted or programmatically set text reduced to the accepted characters
// and cut to `limit` (0: no limit).
QString editorText(const QString &typed, int limit);

// Message button: the caption ("_" for spaces, or "CM" and the slot number
// when empty), its colour (BGR) and whether it is centred.
struct ButtonLook {
    QString caption;
    int colour;
    bool centred;
};
ButtonLook buttonLook(int slot, const QString &message);

} // namespace vm::cw
