#include "rigctl/RigMemories.h"

#include "cat/CivProtocol.h"
#include "cat/RigModel.h"
#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "rigctl/Controller.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vm::rigMemories {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::rigMemories", text);
}

} // namespace

QString message(Operation operation, const MemoryWriter::Result &result)
{
    if (!result.opened)
        return tr("リグ1のポートを開けません: %1").arg(result.problem.message());
    if (operation == Operation::Erase)
        return tr("消去完了しました");
    QStringList lines;
    if (result.limitReached)
        lines << tr("99件を超えましたので終わります");
    lines << tr("%1件書き込みました").arg(result.written);
    if (!result.refused.isEmpty())
        lines << tr("以下はリグ側で撥ねられました、未対応周波数 等の\n問題があると思われます")
              << result.refused;
    return lines.join(u'\n');
}

Outcome run(Controller &controller, SerialTransport &transport, Operation operation,
            const std::function<void(const QString &caption)> &progress)
{
    const RigSettings &rig = controller.settings().rigs.rig1;
    SerialSettings serial;
    serial.portName = rig.port;
    serial.baudRate = rig.baudRate.toInt();
    if (const RigModelInfo *model = RigModels::find(rig.type))
        serial.stopBits = model->stopBits;
    const quint8 address = civ::parseAddress(rig.civAddress).value_or(0);
    MemoryWriter writer(transport, serial, address);

    Outcome outcome;
    const auto show = [&](const char *caption) {
        return [&progress, caption](int channel) {
            if (progress)
                progress(tr(caption).arg(channel));
        };
    };
    controller.withRigPortFree(1, [&] {
        if (operation == Operation::Erase) {
            outcome.result = writer.erase(show(QT_TRANSLATE_NOOP("vm::rigMemories", "%1 件目消去中")));
            return;
        }
        SatelliteTable table;
        const QString dir = QFileInfo(controller.settingsPath()).absolutePath();
        table.load(findFileNoCase(dir, SatelliteTable::fileName()));
        const QList<SatelliteRecord> rows = table.records().mid(1); // the header row is not a satellite
        outcome.result = writer.write(memoryChannels::entries(rows, controller.settings().startUpMode,
                                                              operation == Operation::WriteWithBeacons),
                                      show(QT_TRANSLATE_NOOP("vm::rigMemories", "%1件目書き込み中")));
    });
    outcome.message = message(operation, outcome.result);
    return outcome;
}

} // namespace vm::rigMemories
