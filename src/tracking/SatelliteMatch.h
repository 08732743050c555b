#pragma once

#include "orbit/Tle.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace vm {

// Finding the element set of a satellite-table name among the names of a TLE
// file, which rarely spell them the same way ("AO-07" in the table, "AO-7"
// or "OSCAR 7 (AO-7)" in the file).
namespace satelliteMatch {

// Upper case, with everything but letters and digits removed and leading
// zeros of each group of digits dropped: "AO-07" and "ao 7" give "AO7".
QString normalised(const QString &name);

// The text inside the last pair of parentheses, trimmed ("OSCAR 7 (AO-7)"
// gives "AO-7"); empty when there is none.
QString parenthesised(const QString &name);

// The text before the last pair of parentheses, trimmed ("ISS (ZARYA)" gives
// "ISS"); the whole name when there are none.
QString beforeParentheses(const QString &name);

// Index of the set that matches `tableName`, trying every set with one rule
// before the next: the same name without regard to case, then the same
// normalised name, then the normalised part inside or before the parentheses
// (on either side: "AO-7" finds "OSCAR 7 (AO-7)", "ISS" finds "ISS (ZARYA)").
// A set without a name line is known by its catalogue number.
std::optional<std::size_t> find(const QString &tableName, const std::vector<orbit::Tle> &sets);

} // namespace satelliteMatch
} // namespace vm
