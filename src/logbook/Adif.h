#pragma once
// ADIF 3.1 text: fields, the header and one record per contact. Field lengths
// count UTF-8 bytes, as readers that seek by length expect.
#include "logbook/Qso.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vm::adif {

// "<NAME:len>value" with the UTF-8 byte length; empty values give nothing.
QByteArray field(const char *name, const QString &value);

// The ADIF band name ("2m", "70cm", ...) of a frequency; empty outside the bands.
QString bandOf(qint64 hz);

// The satellite band letter of a frequency (H, A, V, U, L, S, C, X, K); empty
// outside those bands.
QChar satelliteBandLetter(qint64 hz);

// Uplink letter then downlink letter ("VU", "UV"); empty when either band has no letter.
QString satelliteMode(qint64 txHz, qint64 rxHz);

// The ADIF mode and submode of a rig mode: LSB and USB are SSB with their submode.
struct ModePair {
    QString mode;
    QString submode;
};
ModePair modeOf(const QString &rigMode, const QString &submode = QString());

// The file header (a text line, then ADIF_VER, PROGRAMID, PROGRAMVERSION,
// CREATED_TIMESTAMP and <EOH>).
QByteArray header(const QDateTime &createdUtc);

// One record ending in <EOR> and a line end.
QByteArray record(const Qso &qso);

} // namespace vm::adif
