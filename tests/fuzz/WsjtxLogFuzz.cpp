// The WSJT-X ADIF log's last line: any text gives a contact whose texts are
// pieces of the input and whose time, when set, is a real time.
#include "FuzzSupport.h"
#include "logbook/WsjtxLogRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(vm::fuzz::bytes(data, size));
    const auto contact = vm::wsjtxlog::lastContact(text);
    VM_FUZZ_CHECK(!contact || (text.contains(contact->call) &&
                               (!contact->timeOnUtc.isValid() || contact->timeText().size() == 6)));
    return 0;
}
