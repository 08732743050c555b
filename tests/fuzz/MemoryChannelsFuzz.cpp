// The satellite-memory writer's answer parser and its frame builder fed from
// arbitrary table items.
#include "FuzzSupport.h"
#include "cat/MemoryChannels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    using namespace vm::memoryChannels;
    const quint8 address = data[0];
    const QByteArray rest = vm::fuzz::bytes(data + 1, size - 1);
    parseAnswer(rest, address);

    // The same bytes as the items of one table row.
    const QStringList items = QString::fromLatin1(rest).split(u',');
    vm::SatelliteRecord row;
    QString *fields[] = {&row.Name,   &row.UpLink, &row.DownLink, &row.Width,
                         &row.Beacon, &row.Tone,   &row.MLTmode};
    for (int i = 0; i < int(std::size(fields)) && i < items.size(); ++i)
        *fields[i] = items[i];
    for (const Entry &e : entries({row}, items.value(7), true)) {
        VM_FUZZ_CHECK(e.name.size() == NameLength);
        const QByteArray frame = writeFrame(address, 1 + int(address % MaxChannels), e);
        VM_FUZZ_CHECK(frame.isEmpty() || frame.size() == 113);
    }
    return 0;
}
