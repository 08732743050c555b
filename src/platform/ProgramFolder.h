#pragma once

#include <QString>

#include <optional>

namespace vm {

// The folder a running program was started from, as the operator's files
// see it. A program under Wine shows its Windows path as its first argument
// ("C:\Program Files\Kepral32\Kepral32.exe"); that path is mapped through the
// Wine prefix's drive links (WINEPREFIX from the program's environment, else
// ~/.wine), matching names without regard to case as Wine does. Any other
// program's folder is that of its executable. nullopt when the process is
// gone, unreadable or its folder does not exist.
std::optional<QString> programFolder(qint64 processId, const QString &procRoot = QStringLiteral("/proc"));

// The folder of a Windows program given by its executable's Windows path,
// under the prefix this process runs with (WINEPREFIX, else ~/.wine);
// nullopt when it does not exist.
std::optional<QString> wineProgramFolder(const QString &windowsExePath);

// A Windows path ("C:\Dir\File.exe", "c:/dir/file.exe") under a Wine prefix:
// the existing Unix path, each name matched without regard to case; nullopt
// when it is not a drive path or does not exist.
std::optional<QString> wineUnixPath(const QString &windowsPath, const QString &winePrefix);

} // namespace vm
