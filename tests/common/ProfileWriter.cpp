// Test helper for the data-file tests.
//
//   vm_profile_writer <file> <key prefix> <count>
//     writes `count` distinct keys to a settings file, one write each, so that
//     two of these running at once exercise the write lock.
//   vm_profile_writer --versions <settings file> <table file> <first version>
//     writes version after version of both files, atomically, until killed;
//     prints "writing" once the first version of each is on disk.
#include "DataFileVersions.h"
#include "common/ProfileFile.h"
#include "common/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int writeVersions(const QString &settingsPath, const QString &tablePath, qint64 first)
{
    vm::ProfileFile settings(settingsPath);
    for (qint64 v = first;; ++v) {
        if (!settings.setMany(vm::test::settingsVersion(v)) ||
            !vm::TextFile::writeLinesAtomic(tablePath, vm::test::tableVersion(v))) {
            std::fprintf(stderr, "write of version %lld failed\n", static_cast<long long>(v));
            return 1;
        }
        if (v == first) {
            std::printf("writing\n");
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--versions") == 0)
        return writeVersions(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                             std::atoll(argv[4]));
    if (argc != 4)
        return 2; // usage: see above
    vm::ProfileFile file(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        if (!file.set("Race", prefix + QString::number(i), QString::number(i))) {
            std::fprintf(stderr, "write %d failed\n", i);
            return 1;
        }
    }
    return 0;
}
