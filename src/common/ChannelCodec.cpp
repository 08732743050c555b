#include "common/ChannelCodec.h"

#include <QStringDecoder>

namespace vm {

QString ChannelCodec::field(const QString &text)
{
    QString cut = text.left(FieldChars);
    // A cut between the two halves of a surrogate pair would leave a lone
    // high surrogate that no encoder can carry; drop the half character.
    if (cut.size() == FieldChars && text.size() > FieldChars && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut.leftJustified(FieldChars, QLatin1Char(' '));
}

QByteArray ChannelCodec::encode(const QString &text)
{
    // The receiver copies cbData bytes from the start of the field. Sending
    // the trimmed text itself keeps a text with leading spaces whole (a count
    // taken from the trimmed text but applied to the untrimmed field would
    // cut its end off).
    return trimSpaces(field(text)).toUtf8();
}

QString ChannelCodec::awardText(const std::array<QString, AwardFields> &fields)
{
    QString text = QStringLiteral("Miravel");
    for (const QString &f : fields) {
        text += QLatin1Char('+');
        text += f;
    }
    return field(text);
}

QByteArray ChannelCodec::encodeAward(const std::array<QString, AwardFields> &fields)
{
    return awardText(fields).toUtf8();
}

QString ChannelCodec::decodeText(const QByteArray &bytes)
{
    QString text;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder sjis("Shift_JIS", QStringConverter::Flag::Stateless);
        if (sjis.isValid())
            text = sjis.decode(bytes);
        else
            text = QString::fromLatin1(bytes);
    }
    text.remove(QChar(u'\0'));
    return trimSpaces(text);
}

ChannelRecord ChannelCodec::decode(const QByteArray &bytes)
{
    return split(decodeText(bytes));
}

ChannelRecord ChannelCodec::split(const QString &text)
{
    ChannelRecord r;
    r.text = text;
    r.family = text.left(3);
    r.command = text.mid(3, 3);
    const QString code = text.left(6);
    r.payload = text;
    if (!code.isEmpty())
        r.payload.remove(code, Qt::CaseSensitive);
    return r;
}

QString ChannelCodec::trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace vm
