#include "panel/ui/ScheduleView.h"

#include "common/Clock.h"
#include "common/ScheduleFile.h"
#include "common/TextFile.h"
#include "panel/PanelCore.h"
#include "panel/SatelliteChooser.h"
#include "panel/ui/PanelWindow.h"
#include "panel/ui/ScheduleWindow.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QMessageBox>

namespace vm {

ScheduleView::ScheduleView(PanelWindow &panel, PanelCore &core, Settings &settings, Clock &clock,
                           const QString &dataDir)
    : QObject(&panel), m_core(core), m_settings(settings), m_clock(clock), m_dataDir(dataDir)
{
    m_window = new ScheduleWindow(settings);
    m_window->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_window, &ScheduleWindow::transferRequested, this, [this](const auto &rows) {
        if (!m_core.takeScheduleLines(SchedulePasses::transfer(m_core.scheduleLines(), rows)))
            QMessageBox::warning(m_window, tr("運用スケジュール作成"), tr("スケジュールを保存できません"));
    });
    // The schedule frame opens and closes the window with itself.
    connect(&core, &PanelCore::scheduleWindowRequested, this, [this](bool show) {
        if (!show)
            m_window->close();
        else
            open(true);
    });
    connect(&core, &PanelCore::scheduleWindowRefresh, this, [this] {
        if (m_window->isVisible())
            open(true);
    });
    connect(&panel, &QObject::destroyed, m_window, &QObject::deleteLater);
    m_action = new QAction(tr("運用スケジュール(&O)"), this);
    connect(m_action, &QAction::triggered, this, [this] { open(false); });
    if (QAction *info = panel.menuAction(formName(Control::InfoMenu)); info && info->menu())
        info->menu()->addAction(m_action);
}

void ScheduleView::open(bool quiet)
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs());
    // Kepral32 lists the passes of the satellite it tracks in its own
    // prediction window; the window shows them.
    if (m_core.calcType() == u"1") {
        const QString text = m_core.trackerPassText();
        if (!text.isEmpty()) {
            m_window->setPasses(SchedulePasses::fromTrackerText(text, m_core.trackedSatellite(), now.date()),
                                m_clock.utcMs());
            m_window->show();
            m_window->raise();
            return;
        }
        if (!quiet)
            QMessageBox::warning(nullptr, tr("運用スケジュール作成"), tr("読み込み失敗"));
    }
    const std::optional<orbit::Observer> station = SatelliteChooser::station(m_settings);
    QString why;
    const std::optional<QString> tle = TextFile::read(SatelliteChooser::tleFile(m_settings, m_dataDir), &why);
    if (!station || !tle) {
        if (quiet)
            return;
        QMessageBox::warning(nullptr, tr("運用スケジュール作成"),
                             station ? tr("TLEファイルが読めません: %1").arg(why)
                                     : tr("局の位置が設定されていません"));
        return;
    }
    m_window->setPasses(SchedulePasses::forDay(m_core.table(), *tle, *station, now.date()), m_clock.utcMs());
    m_window->show();
    m_window->raise();
}

} // namespace vm
