// The WSJT-X ADIF log's last line: any text gives a contact whose texts are
// pieces of the input and whose time, when set, is a real time.
#include "logbook/WsjtxLogRecord.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto contact = vm::wsjtxlog::lastContact(text);
    if (contact &&
        (!text.contains(contact->call) || (contact->timeOnUtc.isValid() && contact->timeText().size() != 6)))
        std::abort();
    return 0;
}
