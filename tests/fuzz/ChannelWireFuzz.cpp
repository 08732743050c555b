// Channel frames: a request or reply parsed from any bytes; a complete one
// is exactly what the encoder writes for its fields.
#include "FuzzSupport.h"
#include "platform/ChannelWire.h"

namespace wire = vm::ChannelWire;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = vm::fuzz::bytes(data, size);
    wire::Request request;
    if (wire::parseRequest(in, &request) == wire::ParseState::Complete) {
        VM_FUZZ_CHECK(request.data.size() <= qsizetype(wire::MaxDataSize));
        VM_FUZZ_CHECK(in.startsWith(wire::request(request.msg, request.dwData, request.data)));
    }
    wire::Reply reply;
    if (wire::parseReply(in, &reply) == wire::ParseState::Complete)
        VM_FUZZ_CHECK(in.startsWith(wire::reply(reply.result, reply.data)));
    const QString name = wire::socketFileName(QString::fromUtf8(in));
    VM_FUZZ_CHECK(name.endsWith(QStringLiteral(".sock")));
    return 0;
}
