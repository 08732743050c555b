#include "rigsim/IcomMemories.h"

#include "rigsim/CivCodec.h"

namespace vm::sim {

namespace {

constexpr int SideBytes = 44;
constexpr int NameBytes = 16;

} // namespace

bool IcomMemories::take(const QByteArray &data, const IcomModel &model)
{
    // 00 <channel BCD> then FF (erase) or two sides and the name.
    if (data.size() < 3 || data.at(0) != 0)
        return false;
    const std::optional<qint64> number = civ::decodeBcd(data.mid(1, 1));
    if (!number || *number < 1 || *number > 99)
        return false;
    if (data.size() == 3 && quint8(data.at(2)) == 0xFF) {
        m_channels.remove(int(*number));
        return true;
    }
    if (data.size() != 2 + 2 * SideBytes + NameBytes)
        return false;
    const QByteArray down = data.mid(2, SideBytes);
    const QByteArray up = data.mid(2 + SideBytes, SideBytes);
    const std::optional<qint64> downHz = civ::decodeFrequency(down.left(5));
    const std::optional<qint64> upHz = civ::decodeFrequency(up.left(5));
    if (!downHz || !upHz || model.rangeIndex(*downHz) < 0 || model.rangeIndex(*upHz) < 0)
        return false;
    m_channels.insert(int(*number), {*downHz, *upHz, quint8(down.at(5)), quint8(up.at(5)),
                                     QString::fromLatin1(data.right(NameBytes)).trimmed()});
    return true;
}

std::optional<SatelliteMemory> IcomMemories::channel(int number) const
{
    const auto it = m_channels.find(number);
    return it == m_channels.end() ? std::nullopt : std::optional<SatelliteMemory>(*it);
}

QString IcomMemories::text(int number) const
{
    const std::optional<SatelliteMemory> m = channel(number);
    return m ? QStringLiteral("%1 %2 %3").arg(m->downHz).arg(m->upHz).arg(m->name) : QStringLiteral("empty");
}

} // namespace vm::sim
