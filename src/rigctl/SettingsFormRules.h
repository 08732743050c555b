#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vm {

// What the controls of the settings form decide, free of widgets: what a
// model choice implies, the reply wait of a baud rate, what a CI-V address
// box keeps of the typed text, and the station in both of its forms.
namespace settingsForm {

// What choosing a rig model sets for that rig.
struct ModelChoice {
    int stopBits = 1;
    bool textProtocol = false;
    bool civAddressEnabled = false; // Icom models only
    bool portToNone = false;        // "None": the rig has no port either
    QString defaultCivAddress;      // the model's usual address ("" when not Icom)
};

// The model identifiers the model boxes offer, "None" first, in table order.
QStringList modelIds();
ModelChoice modelChoice(const QString &model);

// The baud options in option order, and the reply wait a choice sets at once
// (115200 gets 45 ms here, where the settings load derives 40).
QStringList baudRates();
int replyWaitForBaud(const QString &baud);

// The captions of a rig's rows (model, port, baud rate, CI-V address) and the
// rig usage choices in `RigContType` order, shown alike by the settings form
// and the rig combination window.
QStringList rigRowCaptions();
QStringList rigUsageTexts();

// The text a CI-V address box keeps: digits and letters (raised to upper
// case), at most two; every other character is dropped.
QString filterCivAddress(const QString &typed);
// A key typed into a CI-V address box with the caret at `caret`: the kept
// characters go in, replacing those after the caret in overwrite mode.
struct CivEdit {
    QString text;
    int caret = 0;
};
CivEdit typeCivAddress(const QString &text, int caret, const QString &typed, bool overwrite);

// The tracking program options in option order, as Calc_Type values.
QStringList calcTypes();
// The warning shown after choosing an outside tracking program; empty for
// the built-in source, which needs no program started.
QString trackingWarning(const QString &calcType);

// Button colours as 0xRRGGBB: the sound/mail button light green when both
// the notice sound file and the mail tool are set, else light yellow; the
// logger button light green when it names HAMLOGW.EXE (nothing otherwise).
quint32 soundButtonColour(const QString &soundFile, const QString &mailTool);
std::optional<quint32> loggerButtonColour(const QString &loggerPath);

// The ADIF check box's caption for the chosen remarks field ("Rem1"/"Rem2"):
// the extra ADIF data goes to the other field.
QString adifCaption(const QString &remPos);

// The start command options' stored values, in option order.
QStringList startCommandModes();
// The mode offset's small step when the form opens, and the next one after a
// click on its label (1, 10, 100, then 1 again).
inline constexpr int DefaultModeOffsetStep = 10;
int nextModeOffsetStep(int step);

// The station of the built-in source, checked, in both forms.
struct Station {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double heightM = 0.0;
    QString locator; // six characters
};
struct StationResult {
    std::optional<Station> station;
    QString error; // for the operator when there is no station
};
StationResult stationFromLatLon(const QString &latitude, const QString &longitude, const QString &height);
StationResult stationFromLocator(const QString &locator, const QString &height);
// The six-character locator of a position.
QString locatorOf(double latitudeDeg, double longitudeDeg);

} // namespace settingsForm
} // namespace vm
