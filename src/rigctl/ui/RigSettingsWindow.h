#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>

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
    // The window and its controls, each named (objectName) by its form name.
    enum class Part { Window, RigSummary, TrackingNote, EndButton };
    struct PartName {
        Part part;
        const char *formName;
    };
    static constexpr std::array Parts{
        PartName{Part::Window, "RigCFG"},
        PartName{Part::RigSummary, "RigSummary"},
        PartName{Part::TrackingNote, "StatusBar1"},
        PartName{Part::EndButton, "CFGEND"},
    };
    static QString formName(Part part) { return QString::fromLatin1(Parts[std::size_t(part)].formName); }

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
