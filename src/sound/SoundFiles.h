#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace vm {

// A recording ends by itself after this long.
inline constexpr int RecordingLimitMinutes = 20;

// Bytes of mono 16-bit audio in the longest recording at the given rate.
qint64 recordingLimitBytes(int sampleRate);

// The file a recording of a pass goes to: folder/<satellite>_<yyyyMMddhhmm>.wav,
// with the local time given. Characters a file name cannot hold ("/", "\",
// control characters) become "-", so no satellite name leads outside the
// folder.
QString recordingPath(const QString &folder, const QString &satellite, const QDateTime &when);

// Whether a path names a file the player takes (by its extension: MID, WMA,
// WMV, MP3, WAV, any letter case).
bool isSoundFile(const QString &path);

// How long the sound data of a WAV file lasts, from the "fmt " and "data"
// chunks at its head (the first bytes of a file of fileSize bytes; a data
// size past the end of the file counts up to the end); nothing for a file
// that is not a readable WAV.
std::optional<qint64> wavDurationMs(const QByteArray &head, qint64 fileSize);

} // namespace vm
