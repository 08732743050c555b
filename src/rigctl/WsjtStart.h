#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vm {

// Which digital-mode program the panel starts and the rig name it is started
// under (its own configuration and log folder for satellite work). Stored as
// the program's path, "/", the rig name.
namespace wsjtStart {

enum class Program { Unknown, WsjtX, Jtdx };

struct Value {
    QString path;
    QString rigName;
};

// The stored value split at its last "/" (a path holds slashes, a rig name
// none); nullopt when not set.
std::optional<Value> split(const QString &stored);
// The value to store; an empty rig name becomes "SAT", an empty path stores
// nothing.
QString compose(const QString &path, const QString &rigName);
// A rig name without the separator.
QString cleanRigName(const QString &typed);

// The program a path names, by its file name ("wsjtx", "JTDX.EXE", ...).
Program programOf(const QString &path);
QString programName(Program program);

// The folder the program keeps its log in for a rig name, under the
// user's data folder (~/.local/share); empty for an unknown program.
QString logFolder(Program program, const QString &rigName, const QString &dataHome);

// The program to offer when none is set: the first of "wsjtx" and "jtdx"
// that `find` (a PATH search) finds; empty when neither is installed.
QString defaultProgram(const std::function<QString(const QString &name)> &find);

} // namespace wsjtStart
} // namespace vm
