// vmbridge.exe's replies: any bytes parsed as one reply frame; a frame built
// from a parsed reply parses back to the same reply.
#include "FuzzSupport.h"
#include "platform/WineBridge.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    namespace bw = vm::BridgeWire;
    const QByteArray bytes = vm::fuzz::bytes(data, size);
    const std::optional<vm::WineBridge::Reply> reply = vm::WineBridge::parseReply(bytes);
    if (!reply)
        return 0;
    vm::WineBridge::windowOwner(*reply);
    const std::string again =
        bw::encode(quint32(reply->status), reply->value,
                   std::string_view(reply->bytes.constData(), size_t(reply->bytes.size())));
    VM_FUZZ_CHECK(QByteArray::fromStdString(again) == bytes);
    const auto fields =
        bw::fields(std::string_view(reply->bytes.constData(), size_t(reply->bytes.size())), 3);
    VM_FUZZ_CHECK(!fields || (*fields)[0].size() + (*fields)[1].size() + (*fields)[2].size() + 2 ==
                                 size_t(reply->bytes.size()));
    return 0;
}
