// Datagrams on the WSJT-X UDP port: any bytes give either nothing or a
// contact with a call sign and a valid time.
#include "logbook/WsjtxReceiver.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto c =
        vm::wsjtx::parseQsoLogged(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (c && (c->qso.call.isEmpty() || !c->qso.timeOn.isValid() || c->qso.txHz < 0))
        std::abort();
    return 0;
}
