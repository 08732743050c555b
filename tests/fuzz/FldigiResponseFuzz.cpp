// fldigi's XML-RPC answers: any bytes give a string, or nothing with a reason.
#include "platform/FldigiClient.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    vm::FldigiClient::completeLength(bytes);
    QString error;
    if (!vm::FldigiClient::parseResponse(bytes, &error) && error.isEmpty())
        __builtin_trap();
    return 0;
}
