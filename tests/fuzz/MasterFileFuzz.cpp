// The logging program's master file: any bytes give whole records, and the
// lookup of any typed text lists only records that exist.
#include "FuzzSupport.h"
#include "logbook/MasterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vm::fuzz::bytes(data, size);
    const QList<vm::MasterRecord> records = vm::master::parse(bytes);
    VM_FUZZ_CHECK(records.size() == (size > 290 ? qsizetype(size - 290) / 56 : 0));
    // The first bytes double as the typed text.
    VM_FUZZ_CHECK(vm::master::lookup(records, QString::fromUtf8(bytes.left(8))).size() <= 2 * records.size());
    return 0;
}
