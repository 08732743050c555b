#include "cat/RigDriver.h"

#include "cat/CatContext.h"
#include "cat/IcomDriver.h"
#include "cat/TextDriver.h"
#include "cat/YaesuBinaryDriver.h"

#include <QCoreApplication>

namespace vm {

PortRigDriver::PortRigDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks)
    : m_port(rigNumber, transport, context, hooks), m_context(context), m_hooks(hooks),
      m_model(&RigModels::get(QStringLiteral("None")))
{
    m_port.setGiveUpHandler([this] {
        if (!m_closing)
            close();
    });
}

bool PortRigDriver::configure(const RigConfig &config)
{
    m_model = &RigModels::get(config.rigModel);
    m_port.configure(config.portName, config.baudRate, config.rigModel);
    return true;
}

bool sameBandSupported(const RigModelInfo &model, int rigNumber, const CatHooks &hooks)
{
    if (model.sameBand && rigNumber != 2)
        return true;
    if (hooks.showMessage)
        hooks.showMessage(
            QCoreApplication::translate("Cat", "申し訳ございません、%1は対応していません。").arg(model.id));
    return false;
}

std::unique_ptr<RigDriver> createRigDriver(const QString &rigModel, int rigNumber, SerialTransport &transport,
                                           CatContext &context, const CatHooks &hooks)
{
    switch (RigModels::get(rigModel).family) {
    case RigFamily::IcomCiv:
        return std::make_unique<IcomDriver>(rigNumber, transport, context, hooks);
    case RigFamily::Text:
        return std::make_unique<TextDriver>(rigNumber, transport, context, hooks);
    case RigFamily::YaesuBinary:
        return std::make_unique<YaesuBinaryDriver>(rigNumber, transport, context, hooks);
    case RigFamily::None:
        break;
    }
    return nullptr;
}

} // namespace vm
