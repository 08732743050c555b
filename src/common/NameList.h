#pragma once

#include <QLatin1String>
#include <QString>

#include <initializer_list>

namespace vm {

// Whether `name` (a rig model, say) is one of `names`, compared exactly.
inline bool oneOf(const QString &name, std::initializer_list<const char *> names)
{
    for (const char *n : names) {
        if (name == QLatin1String(n))
            return true;
    }
    return false;
}

} // namespace vm
