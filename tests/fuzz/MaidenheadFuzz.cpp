// Maidenhead locators: any text gives a square centre on the globe or nothing.
#include "orbit/Maidenhead.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto centre =
        vm::orbit::locatorToLatLon(std::string_view(reinterpret_cast<const char *>(data), size));
    if (centre && (!(centre->latitudeDeg > -90 && centre->latitudeDeg < 90) ||
                   !(centre->longitudeDeg > -180 && centre->longitudeDeg < 180))) {
        std::fprintf(stderr, "centre off the globe: %f %f\n", centre->latitudeDeg, centre->longitudeDeg);
        std::abort();
    }
    return 0;
}
