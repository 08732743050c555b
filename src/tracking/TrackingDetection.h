#pragma once

#include "tracking/TrackingProgram.h"

#include <QString>

#include <functional>
#include <optional>

namespace vm {

// Which outside tracking program runs, found by the titles of their main
// windows: "Kepral32" weighs 1, "ornik" 10, "Kepral99" 100, and the sum
// decides. With several running, Kepral32 wins over Ornik, Ornik over
// Kepral99, and the operator is told which one is used.
struct TrackingDetection {
    int weight = 0;                            // sum of the weights of the titles found
    TrackingKind kind = TrackingKind::Builtin; // the program to use; Builtin when none runs
    QString message;                           // the several-programs notice; empty otherwise
    // None runs although the settings name an outside program (a Calc_Type
    // of "1", "2" or "3" stored in the settings file): the controller shows
    // noProgramMessage() and, at the second failure, ends.
    bool configuredProgramMissing = false;

    bool found() const { return weight != 0; }
    QString calcType() const { return calcTypeText(kind); }
};

namespace trackingDetection {

inline constexpr int Kepral32Weight = 1;
inline constexpr int OrnikWeight = 10;
inline constexpr int Kepral99Weight = 100;

// Looks for the three window titles with `titleExists` (a channel endpoint
// of that title, or whatever else the caller counts as a window) and
// classifies the result. `configuredCalcType` is the Calc_Type stored in the
// settings file (nullopt when the key is missing).
TrackingDetection detect(const std::function<bool(const QString &title)> &titleExists,
                         const std::optional<QString> &configuredCalcType = std::nullopt);

// The classification of a weight sum alone.
TrackingDetection classify(int weight, const std::optional<QString> &configuredCalcType = std::nullopt);

// The notice shown when the settings name an outside program that does not run.
QString noProgramMessage();
// Titles of the two message boxes.
QString severalProgramsTitle(); // "Velomira", exclamation icon
QString noProgramTitle();       // "Velomira_Message", question icon

} // namespace trackingDetection
} // namespace vm
