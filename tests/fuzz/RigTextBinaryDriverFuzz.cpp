// The Kenwood/Yaesu text and Yaesu binary drivers over a port that answers
// with fuzz bytes: whatever the rig sends back, every sequence ends and the
// driver stays usable.
#include "FuzzPort.h"
#include "FuzzSupport.h"
#include "cat/RigDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    static const QList<vm::RigModelInfo> models = vm::fuzz::modelsWhere([](const vm::RigModelInfo &m) {
        return m.family == vm::RigFamily::Text || m.family == vm::RigFamily::YaesuBinary;
    });
    const vm::RigModelInfo &model = models.at(data[0] % models.size());
    vm::test::ScriptedTransport port;
    port.responder = vm::fuzz::answersFrom(vm::fuzz::bytes(data + 2, size - 2));
    vm::CatContext context;
    context.dopplerState = data[1] % 10;
    vm::test::CatRecorder recorder;
    recorder.hooks.readSetting = [](const QString &, const QString &) { return QStringLiteral("3"); };
    std::unique_ptr<vm::RigDriver> driver =
        vm::createRigDriver(model.id, 1 + (data[1] >> 7), port, context, recorder.hooks);
    if (!driver || !driver->configure({QStringLiteral("/dev/fuzz"), QStringLiteral("9600"), model.id, {}}))
        return 0;
    driver->open();
    for (int round = 0; round < 2; ++round) {
        driver->pollFrequency();
        driver->pollMode();
        driver->readCwSpeed();
        driver->setFrequency(vm::Band::A, 435800005);
        driver->setMode(vm::Band::B, QStringLiteral("3"));
    }
    driver->close();
    return 0;
}
