#pragma once

#include <QString>

namespace vm {

// The private folder that holds the channel's endpoints.
class RuntimeDir {
public:
    // $VELOMIRA_RUNTIME_DIR when set, else $XDG_RUNTIME_DIR/velomira, else
    // /tmp/velomira-<uid>.
    static QString defaultPath();

    // Makes sure path is a folder of ours that only we can enter: creates it
    // with mode 0700 when missing, tightens the mode of our own folder, and
    // refuses (false, with a reason in error) a folder owned by another user,
    // a symbolic link or anything that is not a folder.
    static bool prepare(const QString &path, QString *error);
};

} // namespace vm
