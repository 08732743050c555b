#include "panel/ui/LogDestinationsDialog.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "logbook/ContactLogger.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace vm {

LogDestinationsDialog::LogDestinationsDialog(Settings &settings, const QString &dataDir, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_adif(new QCheckBox(this)), m_adifFile(new QLineEdit(this)),
      m_udp(new QCheckBox(this)), m_udpHost(new QLineEdit(this)), m_udpPort(new QSpinBox(this)),
      m_hamlog(new QCheckBox(this))
{
    setObjectName(QStringLiteral("LogDestinations"));
    setWindowTitle(tr("QSOの送り先"));
    auto *form = new QFormLayout(this);
    const QList<DestinationInfo> destinations = ContactLogger(settings, dataDir).destinations();
    const QList<QCheckBox *> boxes{m_adif, m_udp, m_hamlog};
    const QStringList names{QStringLiteral("ToADIF"), QStringLiteral("ToUDP"), QStringLiteral("ToHAMLOG")};
    for (int i = 0; i < boxes.size(); ++i) {
        const DestinationInfo &d = destinations.at(i);
        boxes[i]->setObjectName(names.at(i));
        boxes[i]->setText(d.name);
        boxes[i]->setChecked(d.chosen && d.available);
        boxes[i]->setEnabled(d.available);
        boxes[i]->setToolTip(d.reason);
    }

    m_adifFile->setObjectName(QStringLiteral("ADIFFile"));
    m_adifFile->setText(m_settings.value(keys::AdifFileName));
    auto *browse = new QPushButton(tr("参照"), this);
    connect(browse, &QPushButton::clicked, this, [this, dataDir] {
        const QString file = QFileDialog::getSaveFileName(
            this, tr("ADIFファイル"), ContactLogger(m_settings, dataDir).adifPath(),
            QStringLiteral("ADIF (*.adi *.adif)"), nullptr, QFileDialog::DontConfirmOverwrite);
        if (!file.isEmpty())
            m_adifFile->setText(file);
    });
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_adifFile);
    fileRow->addWidget(browse);
    form->addRow(m_adif, fileRow);

    m_udpHost->setObjectName(QStringLiteral("UDPHost"));
    m_udpHost->setText(m_settings.value(keys::UdpHost));
    m_udpHost->setToolTip(tr("IPアドレス（マルチキャストも可）"));
    m_udpPort->setObjectName(QStringLiteral("UDPPort"));
    m_udpPort->setRange(1, 65535);
    m_udpPort->setValue(m_settings.value(keys::UdpPort).toInt());
    auto *udpRow = new QHBoxLayout;
    udpRow->addWidget(m_udpHost);
    udpRow->addWidget(m_udpPort);
    form->addRow(m_udp, udpRow);

    auto *reason = new QLabel(destinations.at(2).reason, this);
    reason->setObjectName(QStringLiteral("HAMLOGReason"));
    form->addRow(m_hamlog, reason);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        save();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void LogDestinationsDialog::save()
{
    const auto flag = [](QCheckBox *b) { return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    m_settings.setValue(keys::LogToAdif, flag(m_adif));
    m_settings.setValue(keys::AdifFileName, m_adifFile->text().trimmed());
    m_settings.setValue(keys::LogToUdp, flag(m_udp));
    m_settings.setValue(keys::UdpHost, m_udpHost->text().trimmed());
    m_settings.setValue(keys::UdpPort, QString::number(m_udpPort->value()));
    if (m_hamlog->isEnabled())
        m_settings.setValue(keys::LogToHamlog, flag(m_hamlog));
}

} // namespace vm
