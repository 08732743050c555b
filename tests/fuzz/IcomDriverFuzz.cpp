// The Icom driver over a port that answers with fuzz bytes: whatever the rig
// sends back (garbage, echoes, cut frames), every sequence ends and the
// driver stays usable.
#include "FuzzPort.h"
#include "FuzzSupport.h"
#include "cat/IcomDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QList<vm::RigModelInfo> models =
        vm::fuzz::modelsWhere([](const vm::RigModelInfo &m) { return m.bandGroup != vm::BandGroup::None; });
    const vm::RigModelInfo &model = models.at(data[0] % models.size());
    vm::test::ScriptedTransport port;
    port.responder = vm::fuzz::answersFrom(vm::fuzz::bytes(data + 1, size - 1));
    vm::CatContext context;
    context.dopplerState = 0;
    vm::test::CatRecorder recorder;
    vm::IcomDriver driver(1, port, context, recorder.hooks);
    if (!driver.configure(QStringLiteral("/dev/fuzz"), QStringLiteral("19200"), model.id,
                          QStringLiteral("A2")))
        return 0;
    driver.open();
    for (int round = 0; round < 2; ++round) {
        driver.pollFrequency();
        driver.pollMode();
        driver.readCurrentFrequencies();
        driver.readCwSpeed();
        driver.readDataMode();
        driver.readNoiseBlanker();
        driver.readNoiseReduction();
        driver.readRigSetting();
        driver.setFrequency(vm::Band::A, 435800000);
        driver.setMode(vm::Band::B, QStringLiteral("3"));
    }
    driver.close();
    return 0;
}
