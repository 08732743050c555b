#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vm {

// The digital-mode program the settings name for satellite work: WSJT-X or
// JTDX, and the rig name it runs under, which gives it a configuration and a
// log folder of their own.
struct DigitalProgram {
    QString program; // as stored: a path, or a bare name found on PATH
    QString rigName;
    QString appName;     // "WSJT-X" or "JTDX"
    QString processName; // the executable's name: "wsjtx" or "jtdx"

    // The stored option: the program, "/" and the rig name. The rig name is
    // the text after the last "/", since a path holds "/" itself. Nullopt
    // without a "/" or for any other program.
    static std::optional<DigitalProgram> fromOption(const QString &option);
    QStringList arguments() const;
    // The folder the program keeps its ADIF log in, under the user's data
    // folder: "WSJT-X - SAT" for the rig name SAT.
    QString logFolder(const QString &dataHome) const;
    QString logPath(const QString &dataHome) const;
    // What to start: the stored path when it is an executable, else the
    // program's name (looked up on PATH).
    QString executable() const;
};

} // namespace vm
