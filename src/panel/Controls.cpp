#include "panel/Controls.h"

#include <QHash>

namespace vm {

namespace {

const std::array<QString, ControlCount> &formNames()
{
    static const std::array<QString, ControlCount> names = [] {
        std::array<QString, ControlCount> list;
        for (std::size_t i = 0; i < ControlCount; ++i)
            list[i] = QString::fromLatin1(controlTable[i].formName);
        return list;
    }();
    return names;
}

// Control `first` + offset, for offset in [0, count).
Control inFamily(Control first, int offset, int count)
{
    Q_ASSERT(offset >= 0 && offset < count);
    Q_UNUSED(count);
    return controlAt(indexOf(first) + std::size_t(offset));
}

std::optional<int> offsetInFamily(Control c, Control first, int count)
{
    const int offset = int(indexOf(c)) - int(indexOf(first));
    if (offset < 0 || offset >= count)
        return std::nullopt;
    return offset;
}

} // namespace

QString formName(Control c)
{
    return formNames()[indexOf(c)];
}

std::optional<Control> controlNamed(QStringView formName)
{
    static const QHash<QString, Control> byName = [] {
        QHash<QString, Control> hash;
        for (std::size_t i = 0; i < ControlCount; ++i)
            hash.insert(formNames()[i], controlAt(i));
        return hash;
    }();
    const auto it = byName.constFind(formName.toString());
    if (it == byName.constEnd())
        return std::nullopt;
    return it.value();
}

namespace controls {

Control dopplerButton(int index)
{
    switch (index) {
    case 0:
        return Control::HoldReceiveButton;
    case 1:
        return Control::HoldSatelliteButton;
    case 2:
        return Control::HoldTransmitButton;
    case 3:
        return Control::PauseButton;
    default:
        Q_ASSERT(index == 5);
        return Control::BeaconButton;
    }
}

std::optional<int> dopplerIndex(Control c)
{
    for (int index : DopplerButtonIndices)
        if (dopplerButton(index) == c)
            return index;
    return std::nullopt;
}

Control quickMemoryLabel(int slot)
{
    return inFamily(Control::QuickMemory1, slot - 1, 4);
}

Control quickMemoryLine(int slot)
{
    return inFamily(Control::QuickMemoryLine1, slot - 1, 4);
}

std::optional<int> quickMemorySlot(Control label)
{
    const std::optional<int> offset = offsetInFamily(label, Control::QuickMemory1, 4);
    return offset ? std::optional<int>(*offset + 1) : std::nullopt;
}

std::optional<int> cwMessageSlot(Control label)
{
    for (int n = 0; n < 4; ++n)
        if (cwMessage(n) == label)
            return n + 1;
    return std::nullopt;
}

Control cwMessage(int index)
{
    return inFamily(Control::CwMessage1, index, 4);
}

Control txModeOption(int index)
{
    return inFamily(Control::TxModeCw, index, 4);
}

Control rxModeOption(int index)
{
    return inFamily(Control::RxModeCw, index, 4);
}

Control filterOption(int index)
{
    return inFamily(Control::FilterNone, index, 4);
}

Control homeOption(int index)
{
    return inFamily(Control::HomeRx, index, 3);
}

Control statusPanel(int panel)
{
    return inFamily(Control::InsertModePanel, panel - 1, 16);
}

std::optional<int> statusPanelNumber(Control c)
{
    const std::optional<int> offset = offsetInFamily(c, Control::InsertModePanel, 16);
    return offset ? std::optional<int>(*offset + 1) : std::nullopt;
}

} // namespace controls

} // namespace vm
