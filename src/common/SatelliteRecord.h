#pragma once

#include <QString>

namespace vm {

// One line of the satellite table "SATdata.txt" in memory, with the values
// derived from it. Record 1 of a table is its header line. Field names are
// the table's own names; both programs use this same form.
struct SatelliteRecord {
    QString Name;           // column 1
    QString UpLink;         // column 2, kHz: lower uplink edge (FM: the uplink)
    QString DownLink;       // column 3, kHz: lower downlink edge (FM: the downlink)
    QString Width;          // column 4, kHz; empty means 100
    QString Tone;           // column 6, Hz; not empty for an FM satellite
    QString Beacon;         // column 5, kHz
    double TransposeHz = 0; // derived passband constant in Hz
    QString CenterText;     // derived uplink reference in kHz
    int HasTone = 0;        // derived: 1 for an FM satellite
    QString RITfreq;        // from the settings file, "0" when not set
    int EmptyCount = 0;     // empty items among Name, UpLink, DownLink
    QString TXTRV;          // column 7, kHz
    QString RXTRV;          // column 8, kHz
    QString NonRev;         // column 9 as read; after derivation "", "TXH" or "RXH"
    QString MLTmode;        // column 10; "UU" for IO-117

    int LineNumber = 0;    // line of the file the record was read from
    bool NumbersOk = true; // false when UpLink, DownLink or Width is not a number

    // Whether the record describes a satellite the programs may use.
    bool isUsable() const { return EmptyCount == 0 && NumbersOk; }

    // True for a non-inverting transponder (as read or as derived).
    bool isNonInverting() const { return NonRev == u"Y" || NonRev == u"TXH" || NonRev == u"RXH"; }

    // Computes TransposeHz, CenterText, HasTone and NonRev from the items.
    // Does nothing for a record that is not usable. Running it again gives
    // the same result.
    void derive();

    // The record as a table line of ten items (a derived "TXH"/"RXH" is
    // written back as "Y").
    QString toLine() const;
};

} // namespace vm
