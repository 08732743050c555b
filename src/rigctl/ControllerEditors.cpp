// What the editors of the settings window change in the running controller.
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "rigctl/Controller.h"

namespace vm {

void Controller::satelliteTableSaved()
{
    loadTables();
    // Records may have moved or gone: the satellite in use is looked up
    // again, and its entry is loaded afresh at the next tracking read.
    if (m_selectedRecord > 0) {
        m_selectedRecord = m_table.find(m_selectedName, m_currentMode);
        m_pendingLabel = m_link.satellite();
    }
    report(QStringLiteral("OPPHAI"), QString::number(m_table.count()));
}

void Controller::reloadRigCombinations()
{
    m_combinations.clear();
    m_combinations.load(findFileNoCase(m_env.dataDir, QStringLiteral("RigCombi.txt")));
}

void Controller::offsetRestored(const QString &key, qint32 hz)
{
    if (m_selectedRecord > 0 &&
        key.compare(keys::offsetKey(m_selectedName, m_currentMode), Qt::CaseInsensitive) == 0)
        m_offsetO = hz;
}

} // namespace vm
