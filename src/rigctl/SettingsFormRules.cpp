#include "rigctl/SettingsFormRules.h"

#include "cat/RigModel.h"
#include "common/SettingKeys.h"
#include "orbit/Maidenhead.h"
#include "tracking/TrackingProgram.h"
#include "common/NumberText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace vm::settingsForm {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::settingsForm", text);
}

std::optional<double> heightOf(const QString &height, QString &error)
{
    if (height.trimmed().isEmpty())
        return 0.0;
    const std::optional<double> h = finiteNumber(height);
    if (!h || *h < -500.0 || *h > 9000.0) {
        error = tr("高さはメートルで -500 から 9000 までの数で指定してください");
        return std::nullopt;
    }
    return h;
}

} // namespace

QStringList modelIds()
{
    QStringList ids{QStringLiteral("None")};
    for (const RigModelInfo &m : RigModels::all())
        if (m.family != RigFamily::None && !ids.contains(m.id))
            ids << m.id;
    return ids;
}

ModelChoice modelChoice(const QString &model)
{
    const RigModelInfo &info = RigModels::get(model);
    ModelChoice c;
    c.stopBits = info.stopBits;
    c.textProtocol = info.textProtocol;
    c.civAddressEnabled = info.family == RigFamily::IcomCiv;
    c.portToNone = info.family == RigFamily::None;
    if (c.civAddressEnabled)
        c.defaultCivAddress =
            QStringLiteral("%1").arg(info.defaultCivAddress, 2, 16, QLatin1Char('0')).toUpper();
    return c;
}

QStringList baudRates()
{
    return QString::fromLatin1(keys::BaudRates).split(QLatin1Char('|'));
}

QStringList rigRowCaptions()
{
    return {tr("機種"), tr("ポート"), tr("ボーレート"), tr("CI-V アドレス")};
}

QStringList rigUsageTexts()
{
    return {tr("0: リグ1で受信と送信"), tr("1: リグ1で受信のみ"), tr("2: リグ2で送信のみ"),
            tr("3: リグ1で受信、リグ2で送信"), tr("4: リグなし")};
}

int replyWaitForBaud(const QString &baud)
{
    if (baud.trimmed() == u"115200")
        return 45;
    return keys::responseWaitMs(baud, QString());
}

QString filterCivAddress(const QString &typed)
{
    QString kept;
    for (const QChar c : typed)
        if (c.unicode() < 128 && c.isLetterOrNumber() && kept.size() < 2)
            kept += c.toUpper();
    return kept;
}

QStringList calcTypes()
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
}

CivEdit typeCivAddress(const QString &text, int caret, const QString &typed, bool overwrite)
{
    QString kept;
    for (const QChar c : typed)
        if (c.unicode() < 128 && c.isLetterOrNumber())
            kept += c.toUpper();
    caret = std::clamp(caret, 0, int(text.size()));
    QString out = text;
    if (overwrite)
        out.remove(caret, kept.size());
    out.insert(caret, kept);
    return {out.left(2), std::min(caret + int(kept.size()), 2)};
}

QString trackingWarning(const QString &calcType)
{
    const std::optional<TrackingKind> kind = kindFromCalcType(calcType);
    if (!kind || *kind == TrackingKind::Builtin)
        return QString();
    return tr("この設定画面を終える前に%1を起動してください").arg(trackingProgram(*kind).name);
}

quint32 soundButtonColour(const QString &soundFile, const QString &mailTool)
{
    return !soundFile.isEmpty() && !mailTool.isEmpty() ? 0xC0FFC0 : 0xFFFFC0;
}

std::optional<quint32> loggerButtonColour(const QString &loggerPath)
{
    if (loggerPath.contains(QLatin1String("HAMLOGW.EXE"), Qt::CaseInsensitive))
        return 0xC0FFC0;
    return std::nullopt;
}

QString adifCaption(const QString &remPos)
{
    return remPos == u"Rem2" ? tr("ADIF.qsl用のADIF補足データをRem1に出力する")
                             : tr("ADIF.qsl用のADIF補足データをRem2に出力する");
}

QString locatorOf(double latitudeDeg, double longitudeDeg)
{
    const double lon = std::clamp(longitudeDeg + 180.0, 0.0, 359.999999);
    const double lat = std::clamp(latitudeDeg + 90.0, 0.0, 179.999999);
    QString s;
    s += QChar('A' + int(lon / 20.0));
    s += QChar('A' + int(lat / 10.0));
    s += QChar('0' + int(std::fmod(lon, 20.0) / 2.0));
    s += QChar('0' + int(std::fmod(lat, 10.0)));
    s += QChar('a' + int(std::fmod(lon, 2.0) * 12.0));
    s += QChar('a' + int(std::fmod(lat, 1.0) * 24.0));
    return s;
}

StationResult stationFromLatLon(const QString &latitude, const QString &longitude, const QString &height)
{
    StationResult r;
    const std::optional<double> lat = finiteNumber(latitude);
    const std::optional<double> lon = finiteNumber(longitude);
    if (!lat || *lat < -90.0 || *lat > 90.0) {
        r.error = tr("緯度は -90 から 90 までの度数で指定してください (北が正)");
        return r;
    }
    if (!lon || *lon < -180.0 || *lon > 180.0) {
        r.error = tr("経度は -180 から 180 までの度数で指定してください (東が正)");
        return r;
    }
    const std::optional<double> h = heightOf(height, r.error);
    if (!h)
        return r;
    r.station = Station{*lat, *lon, *h, locatorOf(*lat, *lon)};
    return r;
}

StationResult stationFromLocator(const QString &locator, const QString &height)
{
    StationResult r;
    const QByteArray text = locator.trimmed().toLatin1();
    const std::optional<orbit::LatLon> p =
        orbit::locatorToLatLon(std::string_view(text.constData(), size_t(text.size())));
    if (!p) {
        r.error = tr("グリッドロケーターは PM95 や PM95vq のように 4、6 または 8 文字で指定してください");
        return r;
    }
    const std::optional<double> h = heightOf(height, r.error);
    if (!h)
        return r;
    r.station = Station{p->latitudeDeg, p->longitudeDeg, *h, locatorOf(p->latitudeDeg, p->longitudeDeg)};
    return r;
}

QStringList startCommandModes()
{
    return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("5")};
}

int nextModeOffsetStep(int step)
{
    return step >= 100 ? 1 : step * 10;
}

} // namespace vm::settingsForm
