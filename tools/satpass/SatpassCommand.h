#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vm::satpass {

// The whole satpass program behind main(): parses the arguments, reads the
// element file, prints look angles and passes. Returns the exit code.
int runSatpass(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace vm::satpass
