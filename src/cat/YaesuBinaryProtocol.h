#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Pure builders and parsers of Yaesu's five-byte binary commands (FT847,
// FT817): four parameter bytes and the opcode; frequencies are packed BCD
// in 10 Hz units, most significant first.
namespace vm::yaesu {

inline constexpr int AnswerLength = 5;

QByteArray frame(quint8 p1, quint8 p2, quint8 p3, quint8 p4, quint8 opcode);
// The dial in hertz as nine digits ("000000000"); nothing when it does not fit.
std::optional<QString> nineDigits(qint64 hz);
// The first eight of nine digits as four BCD bytes, followed by `opcode`.
QByteArray frequencyFrame(const QString &nine, quint8 opcode);
// Hertz of an answer: its four BCD bytes followed by `lastDigit`; nothing
// when a byte is not BCD.
std::optional<qint64> answerHz(const QByteArray &answer, QChar lastDigit);
// Mode byte for the controller's mode code ("0" LSB, "1" USB, "3" CW, "5" FM);
// nothing for others.
std::optional<quint8> modeByte(const QString &code);
// Mode text of an answer's fifth byte.
QString modeName(quint8 byte, bool ft817);
// The FT847's tone number for an uplink tone in hertz (88.5 Hz for a tone not in its table).
quint8 ft847ToneCode(const QString &toneHz);
// The FT817 clarifier offset frame for an offset in hertz (limited to
// ±9999): P1 0x09 when negative, P3 its thousands digit, P4 its hundreds
// and tens digits; the units digit is not sent.
QByteArray clarifierFrame(int offsetHz);

} // namespace vm::yaesu
