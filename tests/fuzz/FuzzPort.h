#pragma once

#include "../cat/CatRecorder.h"
#include "../cat/ScriptedTransport.h"
#include "cat/RigModel.h"

#include <QList>
#include <functional>

namespace vm::fuzz {

// What the rig sends back to the driver targets: after each write, the next
// piece of the fuzz data, whose first byte says how long it is.
inline std::function<QByteArray(const QByteArray &)> answersFrom(QByteArray script)
{
    return [script](const QByteArray &) mutable {
        const int length = script.isEmpty() ? 0 : quint8(script[0]) % 40;
        const QByteArray piece = script.mid(1, length);
        script.remove(0, std::min<qsizetype>(script.size(), 1 + length));
        return piece;
    };
}

// The rig models for which `pick` holds.
inline QList<vm::RigModelInfo> modelsWhere(const std::function<bool(const vm::RigModelInfo &)> &pick)
{
    QList<vm::RigModelInfo> out;
    for (const vm::RigModelInfo &m : vm::RigModels::all()) {
        if (pick(m))
            out << m;
    }
    return out;
}

} // namespace vm::fuzz
