#pragma once

#include <QList>
#include <QString>

namespace vm {

// The current user's processes whose executable is named `name` (the
// kernel's command name, as `ps -C` shows it).
QList<qint64> processesNamed(const QString &name, const QString &procRoot = QStringLiteral("/proc"));

} // namespace vm
