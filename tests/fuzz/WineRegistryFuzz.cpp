// Wine registry text: any text searched for a key; a value escaped as Wine
// writes it reads back as itself.
#include "FuzzSupport.h"
#include "tracking/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    namespace reg = vm::wineRegistry;
    const QString text = QString::fromUtf8(vm::fuzz::bytes(data, size));
    const QString key = QStringLiteral("Software\\VB and VBA Program Settings\\Q0ORBT\\Kepral32");
    bool found = false;
    reg::parseKey(text, key, &found);
    // The first line taken as a key path.
    reg::parseKey(text, text.section(u'\n', 0, 0), &found);

    const QString value = text.left(200);
    const QString file =
        QStringLiteral("[%1] 1700000000\n\"Satellite\"=\"%2\"\n").arg(reg::escape(key), reg::escape(value));
    const QHash<QString, QString> values = reg::parseKey(file, key, &found);
    VM_FUZZ_CHECK(found);
    VM_FUZZ_CHECK(values.value(QStringLiteral("Satellite")) == value);
    return 0;
}
