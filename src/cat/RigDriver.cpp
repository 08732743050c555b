#include "cat/RigDriver.h"

#include "cat/IcomDriver.h"
#include "cat/TextDriver.h"
#include "cat/YaesuBinaryDriver.h"

namespace vm {

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
