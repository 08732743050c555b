#include "platform/ChannelWire.h"

#include <QtEndian>

namespace vm::ChannelWire {

namespace {

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian<quint32>(value, bytes);
    out.append(bytes, 4);
}

quint32 readU32(const QByteArray &buffer, int offset)
{
    return qFromLittleEndian<quint32>(buffer.constData() + offset);
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

QString socketFileName(const QString &title)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = title.toUtf8();
    QString name;
    name.reserve(utf8.size() * 3 + 5);
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            name += QLatin1Char(static_cast<char>(c));
        } else {
            name += QLatin1Char('%');
            name += QLatin1Char(hex[c >> 4]);
            name += QLatin1Char(hex[c & 0x0F]);
        }
    }
    name += QLatin1String(".sock");
    return name;
}

QByteArray request(quint32 msg, quint32 dwData, const QByteArray &data)
{
    QByteArray out;
    out.reserve(RequestHeaderSize + data.size());
    appendU32(out, msg);
    appendU32(out, dwData);
    appendU32(out, static_cast<quint32>(data.size()));
    out.append(data);
    return out;
}

QByteArray reply(quint32 result, const QByteArray &data)
{
    QByteArray out;
    out.reserve(ReplyHeaderSize + data.size());
    appendU32(out, result);
    appendU32(out, static_cast<quint32>(data.size()));
    out.append(data);
    return out;
}

ParseState parseRequest(const QByteArray &buffer, Request *out)
{
    if (buffer.size() < RequestHeaderSize)
        return ParseState::NeedMore;
    const quint32 size = readU32(buffer, 8);
    if (size > MaxDataSize)
        return ParseState::Invalid;
    if (static_cast<quint64>(buffer.size()) < RequestHeaderSize + static_cast<quint64>(size))
        return ParseState::NeedMore;
    out->msg = readU32(buffer, 0);
    out->dwData = readU32(buffer, 4);
    out->data = buffer.mid(RequestHeaderSize, size);
    return ParseState::Complete;
}

ParseState parseReply(const QByteArray &buffer, Reply *out)
{
    if (buffer.size() < ReplyHeaderSize)
        return ParseState::NeedMore;
    const quint32 size = readU32(buffer, 4);
    if (size > MaxDataSize)
        return ParseState::Invalid;
    if (static_cast<quint64>(buffer.size()) < ReplyHeaderSize + static_cast<quint64>(size))
        return ParseState::NeedMore;
    out->result = readU32(buffer, 0);
    out->data = buffer.mid(ReplyHeaderSize, size);
    return ParseState::Complete;
}

} // namespace vm::ChannelWire
