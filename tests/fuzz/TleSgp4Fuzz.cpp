// Element sets from any text, each propagated around its epoch and looked at
// from a station: every result is a state or an error code, never a crash.
#include "orbit/LookAngles.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vm::orbit;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const bool verify : {true, false}) {
        TleParseOptions options;
        options.verifyChecksums = verify;
        const TleParseResult parsed = parseTleText(text, options);
        std::size_t n = 0;
        for (const Tle &tle : parsed.sets) {
            if (++n > 4)
                break;
            const Satellite sat(tle);
            const Observer station{35.68, 139.77, 40.0};
            for (const double minutes : {-1440.0, 0.0, 90.0, 1440.0, 10080.0}) {
                const int64_t t = sat.epochUnixMs() + static_cast<int64_t>(minutes * 60000.0);
                sat.stateAt(t);
                lookAngles(sat, station, t);
                sat.revolutionAt(t);
            }
            PassOptions coarse;
            coarse.coarseStepSeconds = 300;
            coarse.losLookAheadMs = 3600 * 1000;
            findPasses(sat, station, sat.epochUnixMs(), sat.epochUnixMs() + 3 * 3600 * 1000, coarse);
        }
    }
    return 0;
}
