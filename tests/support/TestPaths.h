#pragma once

#include <QString>

namespace vm::test {

// Folder of the reference data recorded from other programs (tests/testdata).
QString testDataDir();
// Folder holding the built programs (velomira, tunavox, rigsim, ...).
QString binDir();
// Path of a built program in binDir().
QString program(const QString &name);

} // namespace vm::test
