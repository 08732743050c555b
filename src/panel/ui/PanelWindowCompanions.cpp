// The panel window's entries for the programs beside it.
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"

#include <QAction>

namespace vm {

void PanelWindow::wireCompanions()
{
    QAction *wsjt = menuAction(formName(Control::Ft4Menu));
    wsjt->setCheckable(true);
    connect(wsjt, &QAction::triggered, &m_core, [this] { m_core.toggleWsjtMode(); });
    QAction *help = menuAction(QStringLiteral("Help"));
    help->setEnabled(true);
    connect(help, &QAction::triggered, &m_core, &PanelCore::openHelp);
    QAction *version = menuAction(QStringLiteral("Version"));
    version->setEnabled(true);
    connect(version, &QAction::triggered, &m_core, &PanelCore::showVersion);
    // The waterfall program beside the panel ("vlmwf"), when installed.
    QAction *waterfall = menuAction(QStringLiteral("goWF"));
    waterfall->setCheckable(true);
    waterfall->setEnabled(m_core.waterfallProgramInstalled());
    waterfall->setChecked(m_core.waterfallOn());
    connect(waterfall, &QAction::triggered, this, [this, waterfall] {
        m_core.toggleWaterfallProgram();
        waterfall->setChecked(m_core.waterfallOn());
    });
}

} // namespace vm
