#pragma once

#include <QString>

namespace vm {

// The fields of the rig report "OPPRIG" are separated by ":". A port path
// may hold ":" itself (/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0),
// so inside a port field ":" travels as "%3A" and "%" as "%25"; other
// characters, and names without either, go as they are.
namespace rigReport {

QString encodePort(const QString &port);
// The inverse; a "%" not followed by "3A" or "25" (either case) stays as it is.
QString decodePort(const QString &field);

} // namespace rigReport

} // namespace vm
