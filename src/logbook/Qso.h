#pragma once
// One finished contact as the panel hands it to the destinations.
#include <QDateTime>
#include <QString>

namespace vm {

struct Qso {
    QString call;
    QString qthCode; // Japanese QTH code (JCC/JCG number), its own field
    QString grid;    // the other station's locator
    QString mode;    // as the rig reports it: "USB", "LSB", "CW", "FM", "FT8", ...
    QString submode; // only for modes that carry one (FT4 under MFSK)
    QString rstSent;
    QString rstRcvd;
    QDateTime timeOn; // UTC
    qint64 txHz = 0;  // uplink
    qint64 rxHz = 0;  // downlink
    QString satName;  // empty: not a satellite contact
    QString comment;  // the remarks template, filled in
    QString myCall;
    QString myGrid;
};

} // namespace vm
