#pragma once

#include <QString>

namespace vm {

// An exclusive advisory lock (flock) on a companion lock file, held for the
// lifetime of the object. The lock is taken on a separate file because the
// protected file itself is replaced by rename and a lock on it would be lost
// with the old inode. Blocks until the lock is granted.
class FileLock {
public:
    // Locks `lockPath`, creating it when needed.
    explicit FileLock(const QString &lockPath);
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // False when the lock file could not be opened or locked.
    bool isLocked() const { return m_fd >= 0; }
    const QString &errorString() const { return m_error; }

    // The companion lock file used for `path`.
    static QString lockPathFor(const QString &path) { return path + QStringLiteral(".lock"); }

private:
    int m_fd = -1;
    QString m_error;
};

} // namespace vm
