#pragma once

#include "cat/RigModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Pure builders and parsers of Icom CI-V frames. Nothing here touches a port.
namespace vm::civ {

constexpr quint8 Preamble = 0xFE;
constexpr quint8 ControllerAddress = 0xE0;
constexpr quint8 Terminator = 0xFD;

// Expected reply lengths: the echo of the command on the CI-V bus plus the
// rig's answer.
constexpr int ReadFrequencyLength = 17;
constexpr int ReadModeLength = 14;
constexpr int ReadDataModeLength = 16;
constexpr int ReadNoiseLength = 15;
constexpr int ReadRigSettingLength = 19;
constexpr int SetModeSingleBandLength = 14;

// FE FE address E0 body FD.
QByteArray frame(quint8 address, QByteArrayView body);

// Reads a CI-V address text of the settings file: two hexadecimal digits in
// either case, surrounding blanks ignored; empty means 00. nullopt when the
// text is not a hexadecimal byte.
std::optional<quint8> parseAddress(const QString &text);

// The dial frequency as a zero-padded decimal text of `width` digits;
// nullopt for a negative value or one that does not fit.
std::optional<QString> frequencyDigits(qint64 hz, int width);

// Ten decimal digits as five packed-BCD bytes, least significant pair first
// ("0145950000" gives 00 00 95 45 01). Empty when the text is not ten digits.
QByteArray frequencyToBcd(const QString &digits10);

// Five packed-BCD bytes (least significant pair first) as hertz. nullopt when
// a nibble is not a decimal digit or fewer than five bytes are given.
std::optional<qint64> frequencyFromBcd(QByteArrayView bytes);

// Finds the rig's answer to `command` in a read that holds the echo of the
// command and the answer: the header FE FE E0 <address> followed by the
// command bytes, matched byte by byte. Returns the index of the first data
// byte after the match, or -1 when the answer is not there.
qsizetype findAnswer(QByteArrayView reply, quint8 address, QByteArrayView command);

// The mode text of a mode code read with command 04. nullopt means "keep the
// previous mode" (an unknown code on a single-band rig); twin-band rigs and
// the IC821 give an empty text for codes they do not name.
std::optional<QString> modeName(quint8 code, BandGroup group);

// The data bytes of a mode given as text: one hexadecimal digit for the mode,
// optionally followed by the filter number ("11" gives 01 01). Empty when the
// text is not one or two hexadecimal digits.
QByteArray modeBytes(const QString &mode);

// Two BCD bytes of a four-digit text, first pair first ("0885" gives 08 85).
// Empty when the text is not four decimal digits.
QByteArray fourDigitBcd(const QString &digits4);

// The inverse of fourDigitBcd for two data bytes read from the rig.
QString twoBytesAsDigits(quint8 high, quint8 low);

// Keying speed (three digits, "010" to "048") for a level read with 14 0C;
// empty when the level is not one the table names.
QString cwSpeedForLevel(const QString &level4, CwLevelTable table);

// RIT offset as the five-character text the panel uses: four digits of hertz
// with a leading "-" when negative ("-0120"). nullopt beyond ±9999 Hz.
std::optional<QString> ritOffsetText(int hz);

// 21 00 body of an RIT offset text ("-0120" gives 21 00 20 01 01); empty when
// the text is not four digits with an optional leading "-".
QByteArray ritOffsetBody(const QString &text);

// The Icom tone code: tone in hertz times ten, rounded, as "0###"
// ("88.5" gives "0885"). Empty when the text is not a tone in hertz.
QString toneCode(const QString &toneHz);

// CW text given as pairs of hexadecimal digits, one byte per pair. Empty when
// the text is not whole pairs of hexadecimal digits.
QByteArray cwTextBytes(const QString &hexPairs);

// A byte as hexadecimal text without leading zero (0x03 gives "3").
QString hexNoLeadingZero(quint8 value);
// A byte as two upper-case hexadecimal digits.
QString hex2(quint8 value);

// The power-on frame of the IC9700 with its wake-up run of FE bytes for the
// baud rate; empty at 1200 baud and for rates without a run.
QByteArray powerOnFrame(quint8 address, int baudRate);

} // namespace vm::civ
