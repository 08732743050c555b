#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace vm {

// One record as the receiving window procedure sees it.
struct ChannelRecord {
    QString text;    // decoded, NULs removed, leading/trailing spaces trimmed
    QString family;  // characters 1-3 ("RCM", "OPP", "MWF", "VLM", ...)
    QString command; // characters 4-6
    QString payload; // the text with every copy of the six-character code removed
};

// Text layout of the records on the command channel. Pure functions: the
// transport (platform/LocalChannel) moves the bytes these build.
class ChannelCodec {
public:
    // Records carry at most this many characters.
    static constexpr int FieldChars = 256;
    // Fields of the award-progress window's text after "Miravel".
    static constexpr int AwardFields = 9;

    // The text in its fixed field: cut to 256 characters (never in the middle
    // of a surrogate pair), padded with spaces to 256 characters.
    static QString field(const QString &text);

    // The bytes sent for a record: the UTF-8 bytes of the field trimmed of
    // leading and trailing spaces. Their count is the record's cbData.
    static QByteArray encode(const QString &text);

    // The award-progress window's record: "Miravel" and nine fields, each
    // preceded by "+", in the fixed field; the bytes cover the whole
    // space-padded field (not trimmed).
    static QString awardText(const std::array<QString, AwardFields> &fields);
    static QByteArray encodeAward(const std::array<QString, AwardFields> &fields);

    // Receive side: bytes (exactly cbData of them) to text. UTF-8 when valid,
    // else Shift_JIS (records from Windows programs); every NUL removed;
    // leading and trailing spaces trimmed.
    static QString decodeText(const QByteArray &bytes);

    // Receive side: decodeText plus the split into family, command, payload.
    static ChannelRecord decode(const QByteArray &bytes);

    // Splits an already decoded text.
    static ChannelRecord split(const QString &text);

    // Trims leading and trailing space characters (only U+0020, as the
    // record format pads with spaces; tabs and line ends are payload).
    static QString trimSpaces(const QString &text);
};

} // namespace vm
