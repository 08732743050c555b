#pragma once

#include <QByteArray>
#include <QString>

namespace vm::test {

// Folder of the reference data recorded from other programs (tests/testdata).
QString testDataDir();
// Folder holding the built programs (velomira, tunavox, rigsim, ...).
QString binDir();
// Path of a built program in binDir().
QString program(const QString &name);

// Replaces the file's contents with the bytes; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace vm::test
