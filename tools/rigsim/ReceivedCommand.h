#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vm::sim {

// One CI-V frame a simulated rig took off the bus, decoded.
struct ReceivedCommand {
    enum class Answer { None, Ok, Ng, Data };

    quint8 to = 0;         // destination address
    quint8 from = 0;       // sender address (E0 for the controller)
    QByteArray command;    // command byte and its sub-command bytes: 07 D2, 1A 05 01 27, 05
    QByteArray data;       // what follows the sub-command: 00, the BCD frequency ...
    int preamble = 0;      // FE bytes beyond the two that open the frame (power-on wake-up)
    bool addressed = true; // false for a frame meant for another address (only echoed)
    Answer answer = Answer::None;

    // Command and data as upper-case hexadecimal, "07 D2 00".
    QString text() const;
    // text() with the destination and the answer: "A2 07 D2 00 -> OK".
    QString describe() const;
};

} // namespace vm::sim
