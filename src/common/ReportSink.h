#pragma once

#include <QString>
#include <functional>

namespace vm {

// Where a core component sends a report for the panel: the six-character
// "OPP" code and its payload. The controller turns it into a channel record.
using ReportSink = std::function<void(const QString &code, const QString &payload)>;

} // namespace vm
