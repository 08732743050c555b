#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Pure builders and parsers of the Kenwood / Yaesu text commands: commands
// are letters, parameters and ";" with no line ending; answers are read by
// their length and named by their first two letters.
namespace vm::textcat {

// Length of the "IF;" answer of a Yaesu rig whose dial has `digits` digits.
inline constexpr int ifAnswerLength(int digits)
{
    return 19 + digits;
}
// Where the mode digit sits in that answer.
inline constexpr int ifModeIndex(int digits)
{
    return 12 + digits;
}
inline constexpr int FrequencyAnswerLength = 14; // "FA" + 11 digits + ";"
inline constexpr int SatelliteReadLength = 18;   // "SA" + 7 digits + memory name + ";"
inline constexpr int SatellitePollLength = 10;   // what the mode poll reads of it
inline constexpr int TwoLetterDigitLength = 4;   // "AI0;", "FT1;", "MD2;"
inline constexpr int MeterAnswerLength = 8;      // "RM" + 5 characters + ";"
inline constexpr int KeyerSpeedLength = 6;       // "KS" + 3 digits + ";"
inline constexpr int MenuAnswerLength = 11;      // "EX0120000" + value + ";"

// The dial in hertz as exactly `digits` zero-padded digits; nothing when it
// is negative or does not fit.
std::optional<QString> frequencyField(qint64 hz, int digits);

// The answer text when `bytes` has the expected length and starts with one
// of `names`; nothing otherwise.
std::optional<QString> accept(const QByteArray &bytes, int expectedLength, const QStringList &names);

// Decimal digits at [start, start + count) of an answer; nothing when they
// are not all digits.
std::optional<qint64> number(const QString &answer, int start, int count);

// The mode a mode digit reads as. Kenwood: every digit has a name ("OTR" for
// unknown ones); Yaesu: digits other than 1, 2, 3, 4 and 7 keep the mode as it was.
std::optional<QString> modeName(QChar digit, bool kenwoodModes);

// The rig's mode digit for a mode code of the controller (the Icom codes:
// "0" LSB, "1" USB, "3" CW, "5" FM; a filter digit may follow). Empty for
// any other code.
QString modeDigit(const QString &code);

// The two-digit tone number of an uplink tone in hertz ("88.5"); 88.5 Hz
// for a tone not in the table.
QString toneCode(const QString &toneHz);

// "KS" + speed as three digits + ";"; empty when `wpm` is not 0 to 999.
QString keyerSpeedCommand(const QString &wpm);

// What keys a CW text. Kenwood rigs take the panel's command as it is; the
// FT991's keyer: a text starting "B4" is sent with every "B4" taken out,
// any other calls the keyer memory named by its third character ("KY" +
// that digit + 5 + ";"). A missing final ";" is added. Empty when nothing
// can be sent.
QString cwCommand(const QString &text, bool yaesuKeyer);

// "KM" + n + text + "};" for keyer memory n; empty when the text is empty
// or 50 characters or longer.
QString keyerMemoryCommand(int n, const QString &text);

} // namespace vm::textcat
