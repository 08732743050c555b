// WAV heads read for their length: any bytes give a duration no longer than
// the file's data allows, or nothing.
#include "sound/SoundFiles.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray head(reinterpret_cast<const char *>(data), qsizetype(size));
    // The file as long as its head, and a much longer one whose rest was not read.
    for (const qint64 fileSize : {qint64(size), qint64(size) + 100'000'000}) {
        const std::optional<qint64> ms = vm::wavDurationMs(head, fileSize);
        // At least one byte a second: never longer than the file in seconds.
        if (ms && (*ms < 0 || *ms > fileSize * 1000)) {
            std::fprintf(stderr, "duration %lld ms of a %lld-byte file\n", (long long)*ms, (long long)fileSize);
            std::abort();
        }
    }
    return 0;
}
