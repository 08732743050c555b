#pragma once

#include "rigsim/IcomModel.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace vm::sim {

// One satellite memory of an Icom rig.
struct SatelliteMemory {
    qint64 downHz = 0;
    qint64 upHz = 0;
    quint8 downMode = 0;
    quint8 upMode = 0;
    QString name;
};

// The satellite memories (1A 07) of a simulated Icom rig: channels 1 to 99,
// written, erased and refused as the rig does.
class IcomMemories {
public:
    // The data of a 1A 07 command after its sub-command. False when the rig
    // refuses it: a channel outside 1..99, a frame of the wrong length, or a
    // frequency outside the model's bands.
    bool take(const QByteArray &data, const IcomModel &model);
    std::optional<SatelliteMemory> channel(int number) const;
    // "DOWN UP NAME" of a channel, "empty" when it holds nothing.
    QString text(int number) const;

private:
    QMap<int, SatelliteMemory> m_channels;
};

} // namespace vm::sim
