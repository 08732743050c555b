#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vm {

class Controller;

// The controller's settings window `RigCFG`, titled "環境設定Tunavox". Until
// the settings form exists it shows the current rig set-up read-only; its end
// button `CFGEND` closes it as the form's end button does (save, re-link,
// reopen the rigs, hide). The close box only hides, after saving.
class RigSettingsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit RigSettingsWindow(Controller &controller, QWidget *parent = nullptr);

    // Fills the labels from the controller's current set-up.
    void refresh();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    Controller &m_controller;
    QLabel *m_summary;
    QLabel *m_status; // why the tracking source differs from the settings
    QPushButton *m_end;
};

} // namespace vm
