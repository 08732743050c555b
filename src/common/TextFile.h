#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

// Reading and writing of the system's plain-text data files.
//
// Files are read as UTF-8; a file that is not valid UTF-8 was written by a
// Windows installation and is decoded as Shift_JIS (code page 932). A UTF-8
// byte-order mark is skipped. Files are always written as UTF-8 with LF line
// ends, through a temporary file that replaces the target in one rename, so a
// reader never sees half a file and a crash leaves the old file intact.
class TextFile {
public:
    // Decodes file contents with the UTF-8 / Shift_JIS rule.
    static QString decode(const QByteArray &bytes);

    // True when the bytes are valid UTF-8 (an empty array is).
    static bool isUtf8(const QByteArray &bytes);

    // The decoded text of the file, or nullopt when it cannot be read
    // (`error`, when given, then receives the reason).
    static std::optional<QString> read(const QString &path, QString *error = nullptr);

    // The lines of a text: CR LF, LF and a lone CR end a line; a final line
    // end does not start another (empty) line.
    static QStringList splitLines(const QString &text);

    // Reads the file and splits it into lines.
    static std::optional<QStringList> readLines(const QString &path, QString *error = nullptr);

    // Replaces the file with `text` encoded as UTF-8, atomically.
    static bool writeAtomic(const QString &path, const QString &text, QString *error = nullptr);

    // Replaces the file with the lines, each ended by LF, atomically.
    static bool writeLinesAtomic(const QString &path, const QStringList &lines, QString *error = nullptr);
};

} // namespace vm
