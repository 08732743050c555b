#pragma once

// Helpers shared by the fuzz targets: a private folder for targets whose
// parser reads a file, and byte-to-text conversions.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace vm::fuzz {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A folder that lives as long as the process (in memory where /dev/shm exists).
inline const QTemporaryDir &scratch()
{
    static const QTemporaryDir dir(
        QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/vmfuzz-XXXXXX") : QString());
    return dir;
}

// Writes the input to a file of the scratch folder and returns its path.
inline QString inputFile(const QString &name, const QByteArray &content)
{
    const QString path = scratch().filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

// A property of the code under test does not hold: stop with a report.
#define VM_FUZZ_CHECK(cond)                                                                                  \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                    \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

} // namespace vm::fuzz
