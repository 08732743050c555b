// Test helper: writes `count` distinct keys to a settings file, one write
// each, so that two of these running at once exercise the write lock.
// Usage: vm_profile_writer <file> <key prefix> <count>
#include "common/ProfileFile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <file> <key prefix> <count>\n", argv[0]);
        return 2;
    }
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
