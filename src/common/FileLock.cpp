#include "common/FileLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vm {

FileLock::FileLock(const QString &lockPath)
{
    const QByteArray native = QFile::encodeName(lockPath);
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_error = QStringLiteral("%1: %2").arg(lockPath, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    int rc = -1;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        m_error = QStringLiteral("%1: %2").arg(lockPath, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return;
    }
    m_fd = fd;
}

FileLock::~FileLock()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

} // namespace vm
