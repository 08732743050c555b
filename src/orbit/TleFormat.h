#pragma once

#include "orbit/Tle.h"

#include <cstdint>
#include <string>

namespace vm::orbit {

// Writes the two element lines of a set from its fields (line1/line2 of the
// argument are ignored), in the fixed columns and with the checksums that
// readers expect. Returns the set with line1 and line2 filled in.
Tle formatTle(const Tle &elements);

// Epoch year and day of year (1.0 = 1 January 00:00 UTC) of a Unix time.
void epochFromUnixMs(int64_t unixMs, int &year, double &dayOfYear);

// The "mmmmm-e" form of the drag and second-derivative fields: a signed
// five-digit mantissa with an implied leading decimal point and a power of ten.
std::string impliedExponent(double value);

} // namespace vm::orbit
