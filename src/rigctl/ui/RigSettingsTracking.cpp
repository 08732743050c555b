// The tracking section of the settings form: the tracking program, the
// built-in source's station and its orbit data file.

#include "rigctl/ui/RigSettingsWindow.h"

#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "rigctl/Controller.h"
#include "rigctl/SettingsFormRules.h"
#include "rigctl/ui/FormWidgets.h"
#include "tracking/OrbitDataUpdate.h"
#include "tracking/TrackingProgram.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QPushButton>

namespace vm {

QWidget *RigSettingsWindow::buildTracking()
{
    m_tracking = new QComboBox(this);
    m_latitude = new QLineEdit(this);
    m_longitude = new QLineEdit(this);
    m_height = new QLineEdit(this);
    m_locator = new QLineEdit(this);
    m_stationNote = new QLabel(this);
    m_tleFile = new QLineEdit(this);
    m_tleUrl = new QLineEdit(this);
    m_update = new QPushButton(this);
    m_progress = new QProgressBar(this);
    m_orbitNote = new QLabel(this);
    m_network = new QNetworkAccessManager(this);
    m_orbitUpdate = new OrbitDataUpdate(*m_network, this);

    auto *tracking = new QGroupBox(tr("追尾"), this);
    auto *trackForm = new QFormLayout(tracking);
    m_tracking->setObjectName(formName(Part::TrackingProgram));
    m_tracking->setToolTip(tr("周波数の補正に使う軌道計算"));
    for (const QString &calcType : settingsForm::calcTypes()) {
        const std::optional<TrackingKind> kind = kindFromCalcType(calcType);
        m_tracking->addItem(
            kind == TrackingKind::Builtin ? tr("内蔵の軌道計算") : trackingProgram(*kind).name, calcType);
    }
    connect(m_tracking, &QComboBox::activated, this, [this] {
        const QString calcType = m_tracking->currentData().toString();
        m_controller.editSettings([calcType](ControllerSettings &s) { s.calcType = calcType; });
        const QString warning = settingsForm::trackingWarning(calcType);
        if (warning.isEmpty())
            return;
        auto *box =
            new QMessageBox(QMessageBox::Warning, Controller::PanelTitle, warning, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    trackForm->addRow(tr("追尾ソフト"), m_tracking);

    const struct {
        QLineEdit *edit;
        Part part;
        QString caption;
        QString tip;
    } stationFields[] = {
        {m_latitude, Part::Latitude, tr("緯度"), tr("度、北が正 (例 35.68)")},
        {m_longitude, Part::Longitude, tr("経度"), tr("度、東が正 (例 139.77)")},
        {m_height, Part::Height, tr("高さ"), tr("海抜メートル")},
        {m_locator, Part::Locator, tr("グリッドロケーター"), tr("緯度・経度の代わりに (例 PM95vq)")},
    };
    for (const auto &f : stationFields) {
        f.edit->setObjectName(formName(f.part));
        f.edit->setToolTip(f.tip);
        trackForm->addRow(f.caption, f.edit);
    }
    connect(m_latitude, &QLineEdit::editingFinished, this, &RigSettingsWindow::onStationLatLon);
    connect(m_longitude, &QLineEdit::editingFinished, this, &RigSettingsWindow::onStationLatLon);
    connect(m_height, &QLineEdit::editingFinished, this, &RigSettingsWindow::onStationLatLon);
    connect(m_locator, &QLineEdit::editingFinished, this, &RigSettingsWindow::onStationLocator);
    m_stationNote->setObjectName(formName(Part::StationNote));
    m_stationNote->setWordWrap(true);
    trackForm->addRow(m_stationNote);

    m_tleFile->setObjectName(formName(Part::TleFile));
    m_tleFile->setToolTip(tr("データフォルダ内のファイル名、または絶対パス"));
    connect(m_tleFile, &QLineEdit::editingFinished, this, [this] {
        if (m_tleFile->text().trimmed().isEmpty())
            return;
        m_controller.settingsFile().setValue(keys::TleFile, m_tleFile->text().trimmed());
        m_orbitNote->setText(OrbitDataUpdate::describeFile(tleFilePath(), QDateTime::currentDateTimeUtc()));
    });
    trackForm->addRow(tr("軌道要素ファイル"), m_tleFile);
    m_tleUrl->setObjectName(formName(Part::TleUrl));
    m_tleUrl->setToolTip(tr("軌道要素 (TLE) をダウンロードするアドレス"));
    connect(m_tleUrl, &QLineEdit::editingFinished, this, [this] {
        if (!m_tleUrl->text().trimmed().isEmpty())
            m_controller.settingsFile().setValue(keys::TleUrl, m_tleUrl->text().trimmed());
    });
    trackForm->addRow(tr("ダウンロード元"), m_tleUrl);
    m_update->setObjectName(formName(Part::UpdateOrbitData));
    m_update->setText(tr("軌道要素を更新"));
    m_update->setToolTip(tr("ダウンロードして内容を確かめてからファイルを置き換えます"));
    connect(m_update, &QPushButton::clicked, this, &RigSettingsWindow::startOrbitUpdate);
    m_progress->setObjectName(formName(Part::OrbitDataProgress));
    m_progress->setVisible(false);
    connect(m_orbitUpdate, &OrbitDataUpdate::progress, this, [this](qint64 received, qint64 total) {
        m_progress->setRange(0, total > 0 ? 1000 : 0);
        if (total > 0)
            m_progress->setValue(int(received * 1000 / total));
    });
    connect(m_orbitUpdate, &OrbitDataUpdate::finished, this, [this](bool, const QString &message) {
        m_progress->setVisible(false);
        m_update->setEnabled(true);
        m_orbitNote->setText(message);
    });
    trackForm->addRow(m_update, m_progress);
    m_orbitNote->setObjectName(formName(Part::OrbitDataNote));
    m_orbitNote->setWordWrap(true);
    trackForm->addRow(m_orbitNote);
    return tracking;
}

void RigSettingsWindow::refreshTracking()
{
    formWidgets::select(m_tracking, m_controller.settings().calcType);
    Settings &file = m_controller.settingsFile();
    m_latitude->setText(file.value(keys::Latitude));
    m_longitude->setText(file.value(keys::Longitude));
    m_height->setText(file.value(keys::Height));
    m_locator->setText(file.value(keys::Locator));
    m_tleFile->setText(file.value(keys::TleFile));
    m_tleUrl->setText(file.value(keys::TleUrl));
    showStation();
    m_orbitNote->setText(OrbitDataUpdate::describeFile(tleFilePath(), QDateTime::currentDateTimeUtc()));
}

void RigSettingsWindow::showStation()
{
    const settingsForm::StationResult r =
        m_latitude->text().trimmed().isEmpty() || m_longitude->text().trimmed().isEmpty()
            ? settingsForm::stationFromLocator(m_locator->text(), m_height->text())
            : settingsForm::stationFromLatLon(m_latitude->text(), m_longitude->text(), m_height->text());
    if (!r.station) {
        m_stationNote->setText(r.error);
        return;
    }
    m_stationNote->setText(tr("局の位置: 緯度 %1、経度 %2、高さ %3 m (%4)")
                               .arg(r.station->latitudeDeg, 0, 'f', 4)
                               .arg(r.station->longitudeDeg, 0, 'f', 4)
                               .arg(r.station->heightM, 0, 'f', 0)
                               .arg(r.station->locator));
}

void RigSettingsWindow::onStationLatLon()
{
    const settingsForm::StationResult r =
        settingsForm::stationFromLatLon(m_latitude->text(), m_longitude->text(), m_height->text());
    if (!r.station) {
        m_stationNote->setText(r.error); // nothing written: the stored station stays
        return;
    }
    Settings &file = m_controller.settingsFile();
    file.setValue(keys::Latitude, QString::number(r.station->latitudeDeg, 'g', 10));
    file.setValue(keys::Longitude, QString::number(r.station->longitudeDeg, 'g', 10));
    file.setValue(keys::Height, QString::number(r.station->heightM, 'g', 10));
    file.setValue(keys::Locator, r.station->locator);
    m_locator->setText(r.station->locator);
    showStation();
}

void RigSettingsWindow::onStationLocator()
{
    const settingsForm::StationResult r =
        settingsForm::stationFromLocator(m_locator->text(), m_height->text());
    if (!r.station) {
        m_stationNote->setText(r.error);
        return;
    }
    // The locator stands for the whole square: its centre becomes the position.
    m_latitude->setText(QString::number(r.station->latitudeDeg, 'f', 4));
    m_longitude->setText(QString::number(r.station->longitudeDeg, 'f', 4));
    Settings &file = m_controller.settingsFile();
    file.setValue(keys::Locator, m_locator->text().trimmed());
    file.setValue(keys::Latitude, m_latitude->text());
    file.setValue(keys::Longitude, m_longitude->text());
    file.setValue(keys::Height, QString::number(r.station->heightM, 'g', 10));
    showStation();
}

QString RigSettingsWindow::tleFilePath() const
{
    const QString configured = m_controller.settingsFile().value(keys::TleFile).trimmed();
    if (QFileInfo(configured).isAbsolute())
        return configured;
    const QString dir = QFileInfo(m_controller.settingsPath()).absolutePath();
    return findFileNoCase(dir, configured);
}

void RigSettingsWindow::startOrbitUpdate()
{
    const QUrl url = QUrl::fromUserInput(m_controller.settingsFile().value(keys::TleUrl));
    if (!m_orbitUpdate->start(url, tleFilePath())) {
        m_orbitNote->setText(tr("ダウンロード元のアドレスが正しくありません: %1").arg(url.toString()));
        return;
    }
    m_update->setEnabled(false);
    m_progress->setRange(0, 0);
    m_progress->setVisible(true);
    m_orbitNote->setText(tr("軌道要素をダウンロードしています..."));
}

} // namespace vm
