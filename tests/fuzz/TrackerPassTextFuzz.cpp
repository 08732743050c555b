// The tracking program's pass prediction text: any text gives rows whose
// times run in order (AOS, then MEL, then LOS) and whose lines fit a schedule.
#include "FuzzSupport.h"
#include "panel/SchedulePasses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(vm::fuzz::bytes(data, size));
    for (const vm::SchedulePasses::Row &row : vm::SchedulePasses::fromTrackerText(text, "AO-07", QDate(2026, 12, 7))) {
        VM_FUZZ_CHECK(row.pass.aosMs <= row.pass.maxMs && row.pass.maxMs <= row.pass.losMs);
        VM_FUZZ_CHECK(vm::SchedulePasses::scheduleLine(row).endsWith(QStringLiteral("/AO-07")));
        VM_FUZZ_CHECK(vm::SchedulePasses::fields(row).size() == 11);
    }
    return 0;
}
