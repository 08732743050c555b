#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vm {

// Where the controller takes its tracking values from; the numbers are the
// values of [RIG_CON_CFG] Calc_Type.
enum class TrackingKind {
    Kepral32 = 1,
    Ornik = 2,
    Kepral99 = 3,
    Builtin = 4, // our own orbit computation
};

// What the controller knows about one outside tracking program: the title of
// its main window, its export endpoint, the items it serves and the registry
// section it writes its values to.
struct TrackingProgram {
    TrackingKind kind = TrackingKind::Builtin;
    QString name;          // "Kepral32", "Ornik", "Kepral99", "built-in"
    QString windowTitle;   // exact main window title ("ornik" for Ornik)
    QString application;   // export application ("Kepral32", "Ornik", ...)
    QString topic;         // export topic ("Export", "EXTRN")
    QString satelliteItem; // item names
    QString elevationItem;
    QString revolutionItem;
    QString rangeRateItem;
    QString registrySection; // empty: no registry method

    bool isOutside() const { return kind != TrackingKind::Builtin; }
    // "Kepral32|Export"
    QString link() const { return application + QLatin1Char('|') + topic; }
    // The channel title of the export endpoint: "DDE:Kepral32|Export".
    QString exportTitle() const { return QStringLiteral("DDE:") + link(); }
};

// The description of a kind.
const TrackingProgram &trackingProgram(TrackingKind kind);

// "1".."4" for a kind, and back; nullopt for any other text (blanks allowed around).
QString calcTypeText(TrackingKind kind);
std::optional<TrackingKind> kindFromCalcType(const QString &calcType);

} // namespace vm
