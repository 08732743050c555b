#pragma once

#include <QString>

#include <cmath>
#include <optional>

namespace vm {

// A number typed or stored as text (surrounding blanks allowed); nullopt for
// anything else, "nan" and "inf" included.
inline std::optional<double> finiteNumber(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace vm
