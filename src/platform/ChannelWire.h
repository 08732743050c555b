#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vm {

// Frames of the local command channel. Every integer is an unsigned 32-bit
// little-endian number.
//   request: msg | dwData | cbData | cbData bytes
//   reply:   result | cbData | cbData bytes      (not for WM_CLOSE)
namespace ChannelWire {

inline constexpr quint32 WmClose = 16;         // close request, posted
inline constexpr quint32 WmCopyData = 74;      // a record
inline constexpr quint32 WmDdeRequest = 0x3E6; // tracking-item request

inline constexpr int RequestHeaderSize = 12;
inline constexpr int ReplyHeaderSize = 8;
// Records are at most 256 characters (1 KiB of UTF-8); anything far beyond
// that is a garbled or hostile frame and is refused before it is buffered.
inline constexpr quint32 MaxDataSize = 64 * 1024;

// Socket file name of a title: its UTF-8 bytes percent-encoded (RFC 3986
// unreserved characters kept, every other byte as %XX upper-case) + ".sock".
QString socketFileName(const QString &title);

QByteArray request(quint32 msg, quint32 dwData, const QByteArray &data);
QByteArray reply(quint32 result, const QByteArray &data);

struct Request {
    quint32 msg = 0;
    quint32 dwData = 0;
    QByteArray data;
};

struct Reply {
    quint32 result = 0;
    QByteArray data;
};

// Outcome of looking at a partly received buffer.
enum class ParseState { NeedMore, Complete, Invalid };

// Parses a request from the start of buffer. Complete fills out; Invalid
// means cbData exceeds MaxDataSize.
ParseState parseRequest(const QByteArray &buffer, Request *out);
ParseState parseReply(const QByteArray &buffer, Reply *out);

} // namespace ChannelWire

} // namespace vm
