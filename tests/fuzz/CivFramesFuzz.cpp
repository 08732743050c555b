// CI-V frame parsing and the text-to-bytes helpers of the Icom sequences.
#include "FuzzSupport.h"
#include "cat/CivProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    using namespace vm::civ;
    const quint8 address = data[0];
    const int commandLength = data[1] % 4;
    const QByteArray rest = vm::fuzz::bytes(data + 2, size - 2);
    const QByteArray command = rest.left(commandLength);
    const QByteArray reply = rest.mid(commandLength);
    const qsizetype at = findAnswer(reply, address, command);
    VM_FUZZ_CHECK(at == -1 || (at >= 4 + command.size() && at <= reply.size()));
    if (at >= 0)
        frequencyFromBcd(reply.mid(at));
    if (reply.size() >= 2) {
        modeName(quint8(reply[0]), vm::BandGroup(quint8(reply[1]) % 4));
        twoBytesAsDigits(quint8(reply[0]), quint8(reply[1]));
    }
    if (const auto hz = frequencyFromBcd(reply))
        VM_FUZZ_CHECK(*hz >= 0 && *hz <= 9999999999LL);

    const QString text = QString::fromLatin1(reply);
    parseAddress(text);
    modeBytes(text);
    fourDigitBcd(text);
    toneCode(text);
    ritOffsetBody(text);
    cwTextBytes(text);
    const QByteArray bcd = frequencyToBcd(text);
    if (!bcd.isEmpty())
        VM_FUZZ_CHECK(frequencyFromBcd(bcd) == text.toLongLong());
    return 0;
}
