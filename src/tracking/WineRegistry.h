#pragma once

#include <QHash>
#include <QString>

namespace vm {

// Reads string values from a Wine registry file (user.reg), where a Windows
// tracking program running under Wine leaves its values.
//
// Key lines look like  [Software\\VB and VBA Program Settings\\Q0ORBT\\Kepral32] 1700000000
// and values like      "Satellite"="AO-07"   (C-style escapes, \xNNNN for UTF-16 units).
namespace wineRegistry {

// Values of one key (path without the hive, '\' separated, case-insensitive).
// Empty when the file or the key is missing; `found` tells them apart.
QHash<QString, QString> readKey(const QString &file, const QString &keyPath, bool *found = nullptr);

// Same, from the file's text.
QHash<QString, QString> parseKey(const QString &text, const QString &keyPath, bool *found = nullptr);

// Writes (or replaces) the string values of a key in the file, keeping every
// other key. Used by the stand-in tracking program.
bool writeKey(const QString &file, const QString &keyPath, const QHash<QString, QString> &values);

// Escapes a value or key text the way Wine writes it.
QString escape(const QString &text);

} // namespace wineRegistry
} // namespace vm
