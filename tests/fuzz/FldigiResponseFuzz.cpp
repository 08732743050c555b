// fldigi's XML-RPC answers: any bytes give a string, or nothing with a reason.
#include "FuzzSupport.h"
#include "platform/FldigiClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vm::fuzz::bytes(data, size);
    vm::FldigiClient::completeLength(bytes);
    QString error;
    VM_FUZZ_CHECK(vm::FldigiClient::parseResponse(bytes, &error) || !error.isEmpty());
    return 0;
}
