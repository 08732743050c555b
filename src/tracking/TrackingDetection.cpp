#include "tracking/TrackingDetection.h"

#include <QCoreApplication>

namespace vm::trackingDetection {

namespace {

QString severalMessage(const QString &running, const QString &chosen)
{
    return QCoreApplication::translate("Tracking", "軌道計算プログラムが%1立ち上がっています\r\n"
                                                   "申し訳ありませんが %2 を採用致します")
        .arg(running, chosen);
}

} // namespace

TrackingDetection classify(int weight, const std::optional<QString> &configuredCalcType)
{
    TrackingDetection d;
    d.weight = weight;
    switch (weight) {
    case Kepral32Weight:
        d.kind = TrackingKind::Kepral32;
        break;
    case OrnikWeight:
        d.kind = TrackingKind::Ornik;
        break;
    case Kepral99Weight:
        d.kind = TrackingKind::Kepral99;
        break;
    case Kepral32Weight + OrnikWeight:
        d.kind = TrackingKind::Kepral32;
        d.message = severalMessage(QCoreApplication::translate("Tracking", "２つ(Kepral32 & Ornik)"),
                                   QStringLiteral("Kepral32"));
        break;
    case Kepral32Weight + Kepral99Weight:
        d.kind = TrackingKind::Kepral32;
        d.message = severalMessage(QCoreApplication::translate("Tracking", "２つ(Kepral32 & Kepral99)"),
                                   QStringLiteral("Kepral32"));
        break;
    case OrnikWeight + Kepral99Weight:
        d.kind = TrackingKind::Ornik;
        d.message = severalMessage(QCoreApplication::translate("Tracking", "２つ(Kepral99 & Ornik)"),
                                   QStringLiteral("Ornik"));
        break;
    case Kepral32Weight + OrnikWeight + Kepral99Weight:
        d.kind = TrackingKind::Kepral32;
        d.message =
            severalMessage(QCoreApplication::translate("Tracking", "３つ(Kepral32 & Ornik & Kepral99)"),
                           QStringLiteral("Kepral32"));
        break;
    default:
        // Nothing runs: our own orbit computation serves. Only a settings
        // file that names an outside program makes this worth a notice.
        d.kind = TrackingKind::Builtin;
        if (configuredCalcType) {
            const std::optional<TrackingKind> configured = kindFromCalcType(*configuredCalcType);
            d.configuredProgramMissing = configured && *configured != TrackingKind::Builtin;
        }
        break;
    }
    return d;
}

TrackingDetection detect(const std::function<bool(const QString &title)> &titleExists,
                         const std::optional<QString> &configuredCalcType)
{
    int weight = 0;
    if (titleExists) {
        if (titleExists(trackingProgram(TrackingKind::Kepral32).windowTitle))
            weight += Kepral32Weight;
        if (titleExists(trackingProgram(TrackingKind::Ornik).windowTitle))
            weight += OrnikWeight;
        if (titleExists(trackingProgram(TrackingKind::Kepral99).windowTitle))
            weight += Kepral99Weight;
    }
    return classify(weight, configuredCalcType);
}

QString noProgramMessage()
{
    return QCoreApplication::translate(
        "Tracking",
        "Velomira をご利用ありがとうございます。　m(_ _)m　\r\n\r\n"
        "Velomiraは事前に[Kepral32]か[Kepral99]あるいは[Ornik]が起動している事が前提です。\r\n\r\n"
        "現在その前提条件を満たしておりません、申し訳ありませんが私(Velomira)は終了致します。\r\n\r\n"
        "「OK」を押す前に上記ご対応頂ければ続行可能です");
}

QString severalProgramsTitle()
{
    return QStringLiteral("Velomira");
}

QString noProgramTitle()
{
    return QStringLiteral("Velomira_Message");
}

} // namespace vm::trackingDetection
