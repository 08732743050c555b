// Text decoding of data files: UTF-8 or Shift_JIS, either line end.
#include "FuzzSupport.h"
#include "common/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = vm::fuzz::bytes(data, size);
    const QString text = vm::TextFile::decode(in);
    if (vm::TextFile::isUtf8(in))
        VM_FUZZ_CHECK(text.toUtf8() == in || in.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = vm::TextFile::splitLines(text);
    for (const QString &line : lines)
        VM_FUZZ_CHECK(!line.contains(u'\n'));
    return 0;
}
