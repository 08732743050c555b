#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <initializer_list>
#include <optional>

// Byte-level helpers of the CI-V protocol as the simulated rigs speak it.
namespace vm::sim::civ {

constexpr quint8 Preamble = 0xFE;
constexpr quint8 EndOfMessage = 0xFD;
constexpr quint8 Ok = 0xFB;
constexpr quint8 Ng = 0xFA;
constexpr quint8 Collision = 0xFC;
constexpr quint8 ControllerAddress = 0xE0;
constexpr quint8 Broadcast = 0x00;

// FE FE to from body FD.
QByteArray frame(quint8 to, quint8 from, const QByteArray &body);

// Bytes written as a list of numbers: bytes({0xFE, 0xFE, 0xA2}).
QByteArray bytes(std::initializer_list<int> values);

// Frequency in hertz as `count` bytes of packed BCD, least significant pair first.
QByteArray encodeFrequency(qint64 hz, int count = 5);
// The reverse; empty when a nibble is not a decimal digit.
std::optional<qint64> decodeFrequency(const QByteArray &bytes);

// A number as packed BCD, most significant pair first (levels, tones: 0128 -> 01 28).
QByteArray encodeBcd(qint64 value, int count);
std::optional<qint64> decodeBcd(const QByteArray &bytes);

// Upper-case hexadecimal with a space between bytes: "FE FE A2 E0 03 FD".
QString hex(const QByteArray &bytes);

// Mode code (04/06) to the rig's own name ("USB", "CW-R", "DV") and back.
QString modeName(quint8 code);
std::optional<quint8> modeCode(const QString &name);

} // namespace vm::sim::civ
