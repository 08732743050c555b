#include "panel/CwSpeed.h"
#include "common/NameList.h"

#include <array>

namespace vm::cw {

namespace {

// Keyer levels for 10 ... 40 wpm.
constexpr std::array<int, MaxWpm - MinWpm + 1> TableA = {
    21, 26,  31,  36,  41,  46,  51,  53,  56,  61,  66,  71,  76,  81,  86, 91,
    96, 101, 106, 111, 116, 121, 123, 126, 131, 136, 141, 146, 151, 156, 156};
constexpr std::array<int, MaxWpm - MinWpm + 1> TableB = {
    25,  31,  37,  43,  49,  55,  61,  67,  73,  79,  84,  91,  97,  103, 108, 114,
    121, 128, 134, 140, 144, 151, 156, 164, 169, 175, 182, 188, 192, 199, 203};

} // namespace

SpeedForm speedForm(int route, const QString &rig1Model, const QString &rig2Model)
{
    // Rig 1 keys only the models whose keyer the controller drives on that side.
    if (route == 0) {
        if (rig1Model == u"TS2000")
            return SpeedForm::Wpm;
        if (oneOf(rig1Model, {"IC910", "IC911"}))
            return SpeedForm::IcomTableA;
        if (oneOf(rig1Model, {"IC9100", "IC9700"}))
            return SpeedForm::IcomTableB;
        return SpeedForm::None;
    }
    if (route == 2 || route == 3) {
        if (oneOf(rig2Model, {"TS2000", "TS590", "TS990", "FT991", "FT2000"}))
            return SpeedForm::Wpm;
        if (oneOf(rig2Model, {"IC910", "IC911", "IC7100"}))
            return SpeedForm::IcomTableA;
        if (oneOf(rig2Model, {"IC9100", "IC9700"}))
            return SpeedForm::IcomTableB;
    }
    return SpeedForm::None;
}

QString speedPayload(SpeedForm form, int wpm)
{
    if (form == SpeedForm::None || wpm < MinWpm || wpm > MaxWpm)
        return {};
    if (form == SpeedForm::Wpm)
        return QString::number(wpm);
    const auto &table = form == SpeedForm::IcomTableA ? TableA : TableB;
    return QStringLiteral("%1").arg(table[std::size_t(wpm - MinWpm)], 4, 10, QLatin1Char('0'));
}

} // namespace vm::cw
