#include "rigctl/RigCombinationRegistration.h"

#include "common/SatelliteTable.h"
#include "rigctl/SettingsFormRules.h"

#include <QCoreApplication>

namespace vm::rigCombination {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::rigCombination", text);
}

using F = RigCombination::Field;

struct RigFields {
    F type, port, baud, address, stopBits, text;
};
constexpr RigFields Rig1{F::RigType, F::RigPort, F::BaudRate, F::IcomAddress, F::StopBits, F::TextProtocol};
constexpr RigFields Rig2{F::RigType2,     F::RigPort2,  F::BaudRate2,
                         F::IcomAddress2, F::StopBits2, F::TextProtocol2};

void put(RigCombination &r, const RigFields &f, const RigSettings &rig)
{
    const settingsForm::ModelChoice model = settingsForm::modelChoice(rig.type);
    r[f.type] = rig.type;
    r[f.port] = rig.port;
    r[f.baud] = rig.baudRate;
    r[f.address] = rig.civAddress;
    r[f.stopBits] = QString::number(model.stopBits);
    r[f.text] = model.textProtocol ? QStringLiteral("1") : QStringLiteral("0");
}

RigSettings get(const RigCombination &r, const RigFields &f)
{
    return {r[f.type], r[f.port], r[f.baud], r[f.address]};
}

} // namespace

QString explanation()
{
    return tr("これは、対象衛星によってはリグの構成を変えたい場合の設定を作成するものです。\n"
              "例えば AO-07 Aﾓｰﾄﾞの様にＨＦ機と組み合わせたい場面に遭遇しますが\n"
              "ここで、その場面に応じたリグ構成を登録する事により自動的に切り替える事が\n"
              "可能になります\n"
              "この後、現在の画面上のリグ構成設定に対応する衛星を選択するリストを表示します。\n"
              "複数の衛星を選択出来ますが設定可能なリグ構成は１パターンだけです。");
}

QStringList satelliteLabels(const SatelliteTable &table)
{
    QStringList labels;
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        if (r.EmptyCount == 0)
            labels.append(r.Name + u' ' + r.MLTmode);
    }
    return labels;
}

QList<RigCombination> records(const QStringList &chosenLabels, const RigArrangement &setUp)
{
    RigCombination base;
    put(base, Rig1, setUp.rig1);
    put(base, Rig2, setUp.rig2);
    base[F::PollTime] = QString::number(setUp.pollTimeMs);
    base[F::RigContType] = QString::number(setUp.rigUsage);
    base[F::Lmf] = setUp.lmf;
    QList<RigCombination> out;
    for (const QString &label : chosenLabels.isEmpty() ? QStringList{QStringLiteral("None")} : chosenLabels) {
        RigCombination r = base;
        r[F::SatelliteLabel] = label;
        out.append(r);
    }
    return out;
}

RigArrangement setUpOf(const RigCombination &record)
{
    RigArrangement a;
    a.rig1 = get(record, Rig1);
    a.rig2 = get(record, Rig2);
    a.pollTimeMs = record[F::PollTime].toInt();
    a.rigUsage = record[F::RigContType].toInt();
    a.lmf = record[F::Lmf];
    return a;
}

QStringList summary(const QList<RigCombination> &registered)
{
    if (registered.isEmpty())
        return QStringList(3, tr("未登録"));
    const RigArrangement a = setUpOf(registered.first());
    const auto rig = [](const RigSettings &r) {
        return tr("%1  %2  %3bps  %4").arg(r.type, r.port, r.baudRate, r.civAddress);
    };
    return {rig(a.rig1), rig(a.rig2), tr("%1 ms").arg(a.pollTimeMs)};
}

} // namespace vm::rigCombination
