// The Icom driver over a port that answers with fuzz bytes: whatever the rig
// sends back (garbage, echoes, cut frames), every sequence ends and the
// driver stays usable.
#include "FuzzSupport.h"
#include "cat/CatContext.h"
#include "cat/IcomDriver.h"
#include "cat/RigModel.h"
#include "cat/SerialTransport.h"

namespace {

// A port whose input is the fuzz data, handed out a piece per write: the
// first byte of each piece says how long it is.
class FuzzPort final : public vm::SerialTransport {
public:
    explicit FuzzPort(QByteArray script) : m_script(std::move(script)) {}

    bool open(const vm::SerialSettings &) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void purge(bool, bool input) override
    {
        if (input)
            m_input.clear();
    }
    qint64 write(const QByteArray &bytes) override
    {
        if (!m_open)
            return -1;
        if (!m_script.isEmpty()) {
            const int length = quint8(m_script[0]) % 40;
            m_input += m_script.mid(1, length);
            m_script.remove(0, 1 + length);
        }
        return bytes.size();
    }
    qint64 waitForBytes(qint64, int) override { return m_input.size(); }
    QByteArray read(qint64 count, int) override
    {
        const QByteArray out = m_input.left(count);
        m_input.remove(0, out.size());
        return out;
    }

private:
    QByteArray m_script;
    QByteArray m_input;
    bool m_open = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QList<vm::RigModelInfo> models = [] {
        QList<vm::RigModelInfo> icom;
        for (const vm::RigModelInfo &m : vm::RigModels::all()) {
            if (m.bandGroup != vm::BandGroup::None)
                icom << m;
        }
        return icom;
    }();
    const vm::RigModelInfo &model = models.at(data[0] % models.size());
    FuzzPort port(vm::fuzz::bytes(data + 1, size - 1));
    vm::CatContext context;
    context.dopplerState = 0;
    vm::CatHooks hooks;
    hooks.report = [](const QString &, const QString &) {};
    hooks.writeSetting = [](const QString &, const QString &, const QString &) {};
    hooks.startLinkTimer = [] {};
    hooks.stopControlTimer = [] {};
    hooks.showMessage = [](const QString &) {};
    vm::IcomDriver driver(1, port, context, hooks);
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
