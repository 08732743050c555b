// The satellite table: any bytes loaded, derived and looked up; a saved table
// loads again with the same number of records.
#include "FuzzSupport.h"
#include "common/SatelliteTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = vm::fuzz::inputFile(QStringLiteral("SATdata.txt"), vm::fuzz::bytes(data, size));
    vm::SatelliteTable table;
    const int count = table.load(path);
    table.warnings();
    table.derive();
    for (const vm::SatelliteRecord &r : table.records()) {
        table.find(r.Name);
        table.find(r.Name, r.MLTmode);
        table.modesOf(r.Name);
    }
    if (count > 0) {
        const QString copy = vm::fuzz::scratch().filePath(QStringLiteral("SATdata-saved.txt"));
        VM_FUZZ_CHECK(table.save(copy));
        vm::SatelliteTable again;
        VM_FUZZ_CHECK(again.load(copy) == table.count());
    }
    return 0;
}
