// The logging program's master file: any bytes give whole records, and the
// lookup of any typed text lists only records that exist.
#include "logbook/MasterFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<vm::MasterRecord> records = vm::master::parse(bytes);
    const qsizetype whole = size > 290 ? qsizetype(size - 290) / 56 : 0;
    if (records.size() != whole) {
        std::fprintf(stderr, "%lld records from %zu bytes\n", static_cast<long long>(records.size()), size);
        std::abort();
    }
    // The first bytes double as the typed text.
    const QString typed = QString::fromUtf8(bytes.left(8));
    if (vm::master::lookup(records, typed).size() > 2 * records.size())
        std::abort();
    return 0;
}
