#include "panel/StartupCheck.h"

#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/Settings.h"
#include "panel/Prompter.h"
#include "panel/SettingsMigration.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vm {

StartupCheck::Action StartupCheck::decide(const Facts &facts)
{
    const QString line = facts.commandLine.toUpper();
    if (facts.panelRunning) {
        if (line.contains(u"/E") && facts.panelIdKnown)
            return Action::CloseOtherAndEnd;
        return Action::End;
    }
    if (!facts.controllerPresent)
        return Action::MissingController;
    if (facts.controllerRunning)
        return Action::RestartController;
    return Action::Continue;
}

bool StartupCheck::extendedMode(const QString &commandLine)
{
    return commandLine.toUpper().contains(u'P');
}

int StartupCheck::prepareData(const QString &dataDir, Settings &settings, SatelliteTable &table,
                              Prompter &prompter)
{
    const QString tablePath = findFileNoCase(dataDir, SatelliteTable::fileName());
    if (!QFileInfo::exists(tablePath)) {
        prompter.message(
            QCoreApplication::translate(
                "Panel",
                "メニュー「RIG設定」から衛星の変更・追加が可能です\n初期の衛星データは　AO-07　のみです"),
            QStringLiteral("Velomira"), Prompter::Icon::Information);
        QString error;
        if (!SatelliteTable::writeDefault(tablePath, &error))
            prompter.message(QCoreApplication::translate("Panel", "SATdata.txt を作れません: ") + error,
                             QStringLiteral("Velomira"), Prompter::Icon::Critical);
    }
    QString error;
    if (SatelliteTable::upgrade(tablePath, &error) == SatelliteTable::UpgradeResult::Failed)
        prompter.message(QCoreApplication::translate("Panel", "SATdata.txt を更新できません: ") + error,
                         QStringLiteral("Velomira"), Prompter::Icon::Warning);
    const int count = table.load(tablePath);
    const SettingsMigration::Outcome outcome = SettingsMigration::migrate(settings);
    if (!outcome.error.isEmpty())
        prompter.message(outcome.error, QStringLiteral("Velomira"), Prompter::Icon::Warning);
    SettingsMigration::purgeFile(settings.path(), table);
    return count;
}

} // namespace vm
