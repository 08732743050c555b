#pragma once

#include "panel/ui/ScheduleWindow.h"

#include <QObject>
#include <QPointer>

class QAction;

namespace vm {

class Clock;
class PanelCore;
class PanelWindow;
class Settings;

// Joins the "OP Schedule" window to the panel: a menu entry opens it with
// the day's predicted passes, and its transfer registers them as the day's
// schedule.
class ScheduleView final : public QObject {
    Q_OBJECT
public:
    ScheduleView(PanelWindow &panel, PanelCore &core, Settings &settings, Clock &clock,
                 const QString &dataDir);

    ScheduleWindow *window() const { return m_window; }
    QAction *action() const { return m_action; }
    // Quiet: without a station or orbit data the window just stays closed.
    void open(bool quiet = false);

private:
    PanelCore &m_core;
    Settings &m_settings;
    Clock &m_clock;
    QString m_dataDir;
    QPointer<ScheduleWindow> m_window;
    QAction *m_action = nullptr;
};

} // namespace vm
