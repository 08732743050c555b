#pragma once

#include "panel/Controls.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QTimer;

namespace vm {

class Launcher;
class PanelCore;
class PassbandScale;
class Settings;

// The panel's main window "Kepral_RigControl", titled "Velomira". It owns no
// decisions: it builds a widget for every control of the core's view, named
// by the control's form name, renders the view's state and forwards the
// operator's gestures. Every key is previewed for the whole window and
// offered to the core's key table first.
class PanelWindow final : public QMainWindow {
    Q_OBJECT
public:
    PanelWindow(PanelCore &core, Settings &settings, Launcher &launcher, QWidget *parent = nullptr);
    ~PanelWindow() override;

    // The widget of a control, or nullptr (menu entries have actions instead).
    QWidget *widget(Control control) const { return m_widgets[indexOf(control)]; }
    // The same by form name ("Label2", "Command1_3"), for tests.
    QWidget *control(const QString &formName) const;
    QAction *menuAction(const QString &name) const { return m_actions.value(name); }
    PassbandScale *scale() const { return m_scale; }

    // How another program's window is raised by its title (true when it
    // exists); without one only the panel itself is raised.
    void setWindowRaiser(std::function<bool(const QString &title)> raiser) { m_raiser = std::move(raiser); }

signals:
    // The built-in tracker's chooser was asked for.
    void chooserRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void build();
    void buildMenus();
    void buildStatusBar();
    template <typename W> W *make(Control control, QWidget *parent, const QRect &geometry);
    // Names the widget of a control and files it under the control.
    void adopt(Control control, QWidget *w);
    std::optional<Control> controlOf(const QObject *object) const;
    void render(Control name);
    void renderAll();
    void wire();
    // The CW message bar's stop button, the preset list, and their wiring with the transfer button.
    void buildCwAndLog(QWidget *cwBar, QWidget *cwEditor);
    void wireCwAndLog();
    // The schedule frame, its notice boxes and the next-pass menu item.
    void buildSchedule(QWidget *central);
    void buildScheduleMenu();
    void wireSchedule();
    // WSJT-X / JTDX, the waterfall program, help and version.
    void wireCompanions();
    // A click on a CW message button: left sends, any other button edits. A
    // right click on the transfer button opens the choice of destinations.
    bool cwMessageClick(Control name, Qt::MouseButton button);
    // Before a key types into the call-sign box or the CW editor: in
    // overwrite typing the character under the cursor is selected to be replaced.
    void overwriteTyping(QLineEdit *box, const QString &typed, bool cwEditor);
    void focusControl(const QString &name);
    void raiseGroup(bool activate);
    bool previewKey(QObject *watched, QEvent *event);

    PanelCore &m_core;
    Settings &m_settings;
    Launcher &m_launcher;
    std::array<QWidget *, ControlCount> m_widgets{};
    QHash<const QWidget *, Control> m_controlOf;
    QHash<QString, QAction *> m_actions;
    PassbandScale *m_scale = nullptr;
    QTimer *m_repeatTimer = nullptr;
    bool m_applying = false;
    bool m_closingAccepted = false;
    std::function<bool(const QString &title)> m_raiser;
};

} // namespace vm
