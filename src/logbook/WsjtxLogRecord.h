#pragma once
// The last contact of the WSJT-X/JTDX ADIF log (one record per line), for
// the transfer of digital-mode contacts.
#include "logbook/Qso.h"

#include <QString>

#include <optional>

namespace vm::wsjtxlog {

struct Contact {
    QString call;
    QString grid;
    QString mode; // the submode for MFSK (FT4), else the mode
    QString rstSent;
    QString rstRcvd;
    QDateTime timeOnUtc;
    bool domestic = false; // a Japanese call: date and time in JST
    // "yy/mm/dd" and "hh:nn" followed by "J" (JST) or "U" (UTC).
    QString dateText() const;
    QString timeText() const;
};

// Whether a call has a Japanese prefix (7J included).
bool isDomestic(const QString &call);

// The contact of one ADIF line; fields it does not know are ignored.
Contact parseLine(const QString &line);
// The last non-empty line of the log's text.
std::optional<Contact> lastContact(const QString &logText);

// The contact as a record for the destinations.
Qso toQso(const Contact &c);

} // namespace vm::wsjtxlog
