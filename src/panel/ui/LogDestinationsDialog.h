#pragma once
// Where the transfer button sends a contact: the ADIF file, loggers on the
// WSJT-X UDP protocol, the Windows logging program (shown disabled with the
// reason while it cannot be reached). A thin view over the [LOGBOOK] keys.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace vm {

class Settings;

class LogDestinationsDialog final : public QDialog {
    Q_OBJECT
public:
    LogDestinationsDialog(Settings &settings, const QString &dataDir, QWidget *parent = nullptr);

    // Writes the choices to the settings file.
    void save();

private:
    Settings &m_settings;
    QCheckBox *m_adif;
    QLineEdit *m_adifFile;
    QCheckBox *m_udp;
    QLineEdit *m_udpHost;
    QSpinBox *m_udpPort;
    QCheckBox *m_hamlog;
};

} // namespace vm
