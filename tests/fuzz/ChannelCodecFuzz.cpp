// Records as they arrive on the channel: decoding never fails, and a decoded
// text, sent as a record, arrives as itself (cut to the field, without the
// blanks around it).
#include "FuzzSupport.h"
#include "common/ChannelCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = vm::fuzz::bytes(data, size);
    const vm::ChannelRecord record = vm::ChannelCodec::decode(in);
    const QString text = vm::ChannelCodec::decodeText(in);
    vm::ChannelCodec::split(text);
    vm::ChannelCodec::trimSpaces(text);
    const QString field = vm::ChannelCodec::field(text);
    VM_FUZZ_CHECK(vm::ChannelCodec::decodeText(vm::ChannelCodec::encode(text)) ==
                  vm::ChannelCodec::trimSpaces(field));
    (void)record;
    return 0;
}
