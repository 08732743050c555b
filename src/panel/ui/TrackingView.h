#pragma once

#include "panel/TrackingViewModel.h"
#include "panel/ui/TrackingWindow.h"

#include <QLabel>
#include <QObject>
#include <QPointer>

class QAction;
class QTimer;

namespace vm {

class Clock;
class PanelCore;
class PanelWindow;
class Settings;

// Joins the tracking window to the panel: the menu entry and key (F12) that
// open and close it, the elevation and countdown in the Information frame,
// and the once-a-second update of the model for the satellite the panel
// shows. The window's place and size, and whether it is open, are kept in
// the settings file.
class TrackingView final : public QObject {
    Q_OBJECT
public:
    static constexpr int TickMs = 1000;

    TrackingView(PanelWindow &panel, PanelCore &core, Settings &settings, Clock &clock,
                 const QString &dataDir);
    ~TrackingView() override;

    TrackingWindow *window() const { return m_window; }
    QAction *action() const { return m_action; }
    QLabel *infoLabel() const { return m_info; }
    const TrackingViewModel &model() const { return m_model; }

    void setOpen(bool open);
    // One update: the panel's satellite, the model, the frame label, the window.
    void tick();

private:
    void saveGeometry();

    PanelCore &m_core;
    Settings &m_settings;
    TrackingViewModel m_model;
    QPointer<TrackingWindow> m_window;
    QPointer<QLabel> m_info;
    QAction *m_action = nullptr;
    QTimer *m_timer = nullptr;
    bool m_placed = false;
};

} // namespace vm
