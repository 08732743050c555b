#pragma once

#include <QDialog>

class QLineEdit;

namespace vm {

class Controller;

// `WSJTset`: which digital-mode program (WSJT-X or JTDX) the panel starts and
// the rig name it is started under; the preview shows where that program then
// keeps its log. The setting is written when the window closes.
class WsjtSettingsWindow final : public QDialog {
    Q_OBJECT
public:
    explicit WsjtSettingsWindow(Controller &controller, QWidget *parent = nullptr);

    // The form names of the fields.
    static constexpr const char *PathName = "WSJTpath";
    static constexpr const char *RigNameName = "WSJTrig";
    static constexpr const char *PreviewName = "WSJTpreview";

    void done(int result) override;

private:
    void preview();

    Controller &m_controller;
    QLineEdit *m_path;
    QLineEdit *m_rigName;
    QLineEdit *m_preview;
};

} // namespace vm
