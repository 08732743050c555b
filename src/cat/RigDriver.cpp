#include "cat/RigDriver.h"

#include "cat/IcomDriver.h"

namespace vm {

std::unique_ptr<RigDriver> createRigDriver(const QString &rigModel, int rigNumber, SerialTransport &transport,
                                           CatContext &context, const CatHooks &hooks)
{
    switch (RigModels::get(rigModel).family) {
    case RigFamily::IcomCiv:
        return std::make_unique<IcomDriver>(rigNumber, transport, context, hooks);
    case RigFamily::Text:
    case RigFamily::YaesuBinary:
    case RigFamily::None:
        break;
    }
    return nullptr;
}

} // namespace vm
