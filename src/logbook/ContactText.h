#pragma once
// The texts of a contact the operator typed or the panel derives: the
// Japanese call-area check of a QTH code, the remarks template and the
// satellite tags of the remarks.
#include <QString>

#include <optional>

namespace vm::contact {

// The call area of a Japanese call and the prefecture number of its QTH code
// when they disagree; nullopt when they agree or the call or code is not
// checked (not a Japanese prefix, code shorter than four characters, an
// area character without a range).
struct AreaMismatch {
    QChar area;
    int prefecture;
};
std::optional<AreaMismatch> checkQthCode(const QString &call, const QString &code);
// The question asked on a mismatch.
QString mismatchQuestion(const AreaMismatch &m);

// Integer MHz of a frequency in Hz (145.95 MHz gives 145).
qint64 wholeMhz(double hz);
// "145/435": transmit over receive in whole MHz.
QString bandPair(double txHz, double rxHz);

// The remarks template with "#SN", "#RV", "#RX", "#TX", "#rx", "#tx" filled in.
QString fillRemarks(const QString &templ, const QString &satName, const QString &revolution, double rxHz,
                    double txHz);

// The satellite tags in ADIF notation for a remarks field:
// "<SAT_NAME:n>name <SAT_MODE:2>VU" (mode tag "VU", "UV", "A" or none).
QString satelliteTags(const QString &satName, double txHz, double rxHz);

// The mode logged for a contact made in MMVARI, from the mode its mode box
// shows ("qpsk-U" gives "PSK31"); empty for a mode it does not name.
QString mmvariLoggedMode(const QString &mmvariMode);

// The mode logged for a contact: a digital-mode mark's name wins; LSB and
// USB are logged as SSB.
QString loggedMode(const QString &markMode, const QString &txMode);

} // namespace vm::contact
