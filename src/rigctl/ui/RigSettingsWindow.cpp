#include "rigctl/ui/RigSettingsWindow.h"

#include "cat/PortList.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "rigctl/Controller.h"
#include "rigctl/SettingsFormRules.h"
#include "rigctl/ui/EditorButtons.h"
#include "tracking/OrbitDataUpdate.h"
#include "tracking/TrackingProgram.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMoveEvent>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vm {

static_assert(
    [] {
        for (std::size_t i = 0; i < RigSettingsWindow::Parts.size(); ++i)
            if (std::size_t(RigSettingsWindow::Parts[i].part) != i)
                return false;
        return true;
    }(),
    "RigSettingsWindow::Parts lists every part once, in the enum's order");

namespace {

// Types into a CI-V address box as the form's rules say: digits and letters
// only, raised to upper case, replacing in overwrite mode.
class CivAddressFilter final : public QObject {
public:
    CivAddressFilter(QLineEdit *edit, const QLabel *inputMode) : QObject(edit), m_inputMode(inputMode) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false; // backspace, arrows, Insert
        auto *edit = static_cast<QLineEdit *>(watched);
        if (edit->hasSelectedText())
            edit->del();
        const bool overwrite = m_inputMode->text() == RigSettingsWindow::tr("上書き");
        const settingsForm::CivEdit typed =
            settingsForm::typeCivAddress(edit->text(), edit->cursorPosition(), key->text(), overwrite);
        if (typed.text != edit->text()) {
            edit->setText(typed.text);
            edit->setCursorPosition(typed.caret);
            emit edit->textEdited(typed.text);
        }
        return true;
    }

private:
    const QLabel *m_inputMode;
};

QComboBox *choices(const QStringList &values, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    for (const QString &v : values)
        box->addItem(v, v);
    return box;
}

void select(QComboBox *box, const QString &value)
{
    const int i = box->findData(value);
    if (i >= 0) {
        box->setCurrentIndex(i);
        return;
    }
    box->addItem(value, value); // a value from the file that the list does not know
    box->setCurrentIndex(box->count() - 1);
}

} // namespace

RigSettingsWindow::RigSettingsWindow(Controller &controller, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_summary(new QLabel(this)), m_status(new QLabel(this)),
      m_end(new QPushButton(this)), m_usage(new QComboBox(this)), m_poll(new QSpinBox(this)),
      m_tracking(new QComboBox(this)), m_latitude(new QLineEdit(this)), m_longitude(new QLineEdit(this)),
      m_height(new QLineEdit(this)), m_locator(new QLineEdit(this)), m_stationNote(new QLabel(this)),
      m_tleFile(new QLineEdit(this)), m_tleUrl(new QLineEdit(this)), m_update(new QPushButton(this)),
      m_progress(new QProgressBar(this)), m_orbitNote(new QLabel(this)), m_inputMode(new QLabel(this)),
      m_logger(new QPushButton(this)), m_sound(new QPushButton(this)),
      m_network(new QNetworkAccessManager(this)), m_orbitUpdate(new OrbitDataUpdate(*m_network, this))
{
    setObjectName(formName(Part::Window));
    setWindowTitle(Controller::OwnTitle);
    m_summary->setObjectName(formName(Part::RigSummary));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setObjectName(formName(Part::TrackingNote));
    m_end->setObjectName(formName(Part::EndButton));
    m_end->setText(tr("終了"));
    m_inputMode->setObjectName(formName(Part::InputMode));
    m_inputMode->setText(tr("上書き"));
    m_inputMode->setFrameShape(QFrame::Panel);
    m_inputMode->installEventFilter(this);
    m_inputMode->setToolTip(tr("クリックまたは Insert キーで上書きと挿入を切替"));

    buildRig(1, m_rig1);
    buildRig(2, m_rig2);
    auto *rigs = new QGroupBox(tr("リグ"), this);
    auto *rigGrid = new QGridLayout(rigs);
    const QStringList rowCaptions{tr("機種"), tr("ポート"), tr("ボーレート"), tr("CI-V アドレス")};
    for (int row = 0; row < rowCaptions.size(); ++row)
        rigGrid->addWidget(new QLabel(rowCaptions[row], rigs), row + 1, 0);
    rigGrid->addWidget(new QLabel(tr("リグ1"), rigs), 0, 1);
    rigGrid->addWidget(new QLabel(tr("リグ2"), rigs), 0, 2);
    int column = 1;
    for (const RigControls *r : {&m_rig1, &m_rig2}) {
        rigGrid->addWidget(r->model, 1, column);
        rigGrid->addWidget(r->port, 2, column);
        rigGrid->addWidget(r->baud, 3, column);
        rigGrid->addWidget(r->civAddress, 4, column);
        ++column;
    }

    m_usage->setObjectName(formName(Part::RigUsage));
    m_usage->setToolTip(tr("使うリグの組み合わせ"));
    const QStringList usages{tr("0: リグ1で受信と送信"), tr("1: リグ1で受信のみ"), tr("2: リグ2で送信のみ"),
                             tr("3: リグ1で受信、リグ2で送信"), tr("4: リグなし")};
    for (int i = 0; i < usages.size(); ++i)
        m_usage->addItem(usages[i], i);
    connect(m_usage, &QComboBox::activated, this, [this] {
        const int usage = m_usage->currentData().toInt();
        m_controller.editSettings([usage](ControllerSettings &s) { s.rigs.rigUsage = usage; });
        refresh();
    });
    rigGrid->addWidget(new QLabel(tr("リグ制御"), rigs), 5, 0);
    rigGrid->addWidget(m_usage, 5, 1, 1, 2);

    m_poll->setObjectName(formName(Part::PollTime));
    m_poll->setRange(50, 10000);
    m_poll->setSingleStep(50);
    m_poll->setSuffix(QStringLiteral(" ms"));
    m_poll->setToolTip(tr("リグの周波数を読み書きする間隔"));
    connect(m_poll, &QSpinBox::valueChanged, this, [this](int ms) {
        if (!m_filling)
            m_controller.editSettings([ms](ControllerSettings &s) { s.rigs.pollTimeMs = ms; });
    });
    rigGrid->addWidget(new QLabel(tr("制御間隔"), rigs), 6, 0);
    rigGrid->addWidget(m_poll, 6, 1);

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

    m_logger->setObjectName(formName(Part::LoggerButton));
    m_logger->setText(tr("HAMLOG"));
    connect(m_logger, &QPushButton::clicked, this, [this] {
        chooseFile(&ControllerSettings::hamlogPath, tr("Turbo Hamlog/Win の場所を指定します"),
                   QStringLiteral("HAMLOGW.EXE (HAMLOGW.EXE hamlogw.exe)"));
    });
    m_sound->setObjectName(formName(Part::SoundButton));
    m_sound->setText(tr("通知音/メール"));
    m_sound->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_sound, &QPushButton::clicked, this, [this] {
        chooseFile(
            &ControllerSettings::wavFile, tr("ｻｳﾝﾄﾞﾌｧｲﾙ選択 (再生可能なﾌｧｲﾙ形式　WAV MP3 WMA MDI)"),
            tr("WAVﾌｧｲﾙ (*.WAV *.wav);;MP3ﾌｧｲﾙ (*.MP3 *.mp3);;WMAﾌｧｲﾙ (*.WMA *.wma);;MIDﾌｧｲﾙ (*.MID *.mid)"));
    });
    connect(m_sound, &QPushButton::customContextMenuRequested, this, [this] {
        chooseFile(&ControllerSettings::mailToolPath, tr("ﾌｧｲﾙ選択"),
                   tr("Mail送信(HWCVmail.exe) (HWCVmail.exe hwcvmail.exe)"));
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_logger);
    buttons->addWidget(m_sound);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rigs);
    layout->addWidget(tracking);
    layout->addWidget(buildOthers());
    layout->addLayout(buttons);
    layout->addWidget(new EditorButtons(m_controller, this));
    layout->addWidget(m_summary);
    layout->addWidget(m_end, 0, Qt::AlignRight);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_inputMode);
    statusRow->addWidget(m_status, 1);
    layout->addLayout(statusRow);
    connect(m_end, &QPushButton::clicked, this, [this] { m_controller.closeSettingsWindow(); });
    refresh();
}

RigSettingsWindow::~RigSettingsWindow() = default;

QWidget *RigSettingsWindow::buildOthers()
{
    auto *group = new QGroupBox(tr("運用"), this);
    auto *form = new QFormLayout(group);
    const auto name = [this](QWidget *w, Part p, const QString &tip) {
        w->setObjectName(formName(p));
        w->setToolTip(tip);
    };
    // A check box whose setting is "1" or "0", written at once.
    const auto check = [this](const std::function<void(ControllerSettings &, bool)> &live,
                              const SettingKey &key) {
        return [this, live, &key](bool on) {
            if (m_filling)
                return;
            m_controller.editSettings([&](ControllerSettings &s) { live(s, on); });
            m_controller.settingsFile().setValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
        };
    };

    m_startUpMode = choices({QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("UC")}, group);
    name(m_startUpMode, Part::StartUpMode, tr("起動時のモード"));
    connect(m_startUpMode, &QComboBox::activated, this, [this] {
        const QString mode = m_startUpMode->currentData().toString();
        m_controller.editSettings([&](ControllerSettings &s) { s.startUpMode = mode; });
    });
    form->addRow(tr("起動時モード"), m_startUpMode);

    m_modeOffset = new QSpinBox(group);
    m_modeOffset->setRange(-5000, 5000);
    m_modeOffset->setSuffix(QStringLiteral(" Hz"));
    name(m_modeOffset, Part::ModeOffset, tr("CW運用時、受信がSSBモードの時に周波数を補正"));
    connect(m_modeOffset, &QSpinBox::valueChanged, this, [this](int hz) {
        if (!m_filling)
            m_controller.editSettings([hz](ControllerSettings &s) { s.modeOffsetHz = hz; });
    });
    form->addRow(tr("モードオフセット"), m_modeOffset);

    m_dataInterface = new QComboBox(group);
    m_dataInterface->addItem(tr("レジストリ"), 0);
    m_dataInterface->addItem(tr("DDE"), 1);
    name(m_dataInterface, Part::DataInterface, tr("Kepral32/99 とのデータインターフェイスを切替"));
    connect(m_dataInterface, &QComboBox::activated, this, [this] {
        const bool dde = m_dataInterface->currentData().toInt() == 1;
        m_controller.editSettings([dde](ControllerSettings &s) { s.useDde = dde; });
    });
    form->addRow(tr("データインターフェイス"), m_dataInterface);

    m_remarksField = choices({QStringLiteral("Rem1"), QStringLiteral("Rem2")}, group);
    name(m_remarksField, Part::RemarksField, tr("衛星名などを書き込む HAMLOG の Remarks 欄"));
    m_adif = new QCheckBox(group);
    name(m_adif, Part::AdifCheck, QString());
    connect(m_remarksField, &QComboBox::activated, this, [this] {
        const QString field = m_remarksField->currentData().toString();
        m_controller.editSettings([&](ControllerSettings &s) { s.remPos = field; });
        m_adif->setText(settingsForm::adifCaption(field));
    });
    connect(m_adif, &QCheckBox::toggled, this,
            check([](ControllerSettings &s,
                     bool on) { s.adifMk = on ? QStringLiteral("1") : QStringLiteral("0"); },
                  keys::AdifMk));
    form->addRow(tr("Remarks 欄"), m_remarksField);
    form->addRow(m_adif);

    m_rangeRate = new QCheckBox(tr("R/R 入力を平滑化する"), group);
    name(m_rangeRate, Part::RangeRateInput, tr("追尾ソフトから受け取る距離変化率を平滑化します"));
    connect(m_rangeRate, &QCheckBox::toggled, this,
            check([](ControllerSettings &s, bool on) { s.rangeRateSmoothing = on; }, keys::RrInp));
    form->addRow(m_rangeRate);
    m_autoPowerOff = new QCheckBox(tr("ポートを閉じるときにリグの電源を切る"), group);
    name(m_autoPowerOff, Part::AutoPowerOff, tr("終了時にリグの電源を自動で切ります"));
    connect(m_autoPowerOff, &QCheckBox::toggled, this,
            check([](ControllerSettings &s, bool on) { s.autoPowerOff = on; }, keys::AutoPowerOff));
    form->addRow(m_autoPowerOff);
    return group;
}

void RigSettingsWindow::buildRig(int rigNumber, RigControls &rig)
{
    const bool first = rigNumber == 1;
    rig.model = choices(settingsForm::modelIds(), this);
    rig.model->setObjectName(formName(first ? Part::Rig1Model : Part::Rig2Model));
    rig.model->setToolTip(tr("リグ%1の機種").arg(rigNumber));
    rig.port = new QComboBox(this);
    rig.port->setObjectName(formName(first ? Part::Rig1Port : Part::Rig2Port));
    rig.port->setToolTip(
        tr("リグ%1をつなぐシリアルポート (by-id の名前は差し替えても変わりません)").arg(rigNumber));
    rig.baud = choices(settingsForm::baudRates(), this);
    rig.baud->setObjectName(formName(first ? Part::Rig1Baud : Part::Rig2Baud));
    rig.baud->setToolTip(tr("リグ%1の通信速度 (応答待ち時間も設定されます)").arg(rigNumber));
    rig.civAddress = new QLineEdit(this);
    rig.civAddress->setObjectName(formName(first ? Part::Rig1CivAddress : Part::Rig2CivAddress));
    rig.civAddress->setMaxLength(2);
    rig.civAddress->setToolTip(tr("Icom のリグの CI-V アドレス (16進 2桁)"));
    rig.civAddress->installEventFilter(new CivAddressFilter(rig.civAddress, m_inputMode));

    const auto edit = [this,
                       rigNumber](const std::function<void(RigSettings &, ControllerSettings &)> &change) {
        m_controller.editSettings(
            [&](ControllerSettings &s) { change(rigNumber == 1 ? s.rigs.rig1 : s.rigs.rig2, s); });
    };
    connect(rig.model, &QComboBox::activated, this, [this, rigNumber] { onModel(rigNumber); });
    connect(rig.port, &QComboBox::activated, this, [this, &rig, edit] {
        const QString port = rig.port->currentData().toString();
        edit([&](RigSettings &r, ControllerSettings &) { r.port = port; });
        refresh();
    });
    connect(rig.baud, &QComboBox::activated, this, [&rig, edit, rigNumber] {
        const QString baud = rig.baud->currentData().toString();
        const int wait = settingsForm::replyWaitForBaud(baud);
        edit([&](RigSettings &r, ControllerSettings &s) {
            r.baudRate = baud;
            (rigNumber == 1 ? s.chosenWait1 : s.chosenWait2) = wait;
        });
    });
    connect(rig.civAddress, &QLineEdit::textEdited, this, [edit](const QString &text) {
        const QString address = text.trimmed();
        edit([&](RigSettings &r, ControllerSettings &) { r.civAddress = address; });
    });
}

void RigSettingsWindow::onModel(int rigNumber)
{
    RigControls &rig = rigNumber == 1 ? m_rig1 : m_rig2;
    const QString model = rig.model->currentData().toString();
    const settingsForm::ModelChoice choice = settingsForm::modelChoice(model);
    m_controller.editSettings([&](ControllerSettings &s) {
        RigSettings &r = rigNumber == 1 ? s.rigs.rig1 : s.rigs.rig2;
        r.type = model;
        if (choice.portToNone)
            r.port = QStringLiteral("None");
        if (choice.civAddressEnabled && r.civAddress.trimmed().isEmpty())
            r.civAddress = choice.defaultCivAddress;
    });
    refresh();
}

void RigSettingsWindow::fillPorts(QComboBox *box, const QString &current)
{
    box->clear();
    box->addItem(QStringLiteral("None"), QStringLiteral("None"));
    for (const PortList::Entry &e : PortList::entries()) {
        box->addItem(PortList::lineOf(e), e.path);
        box->setItemData(box->count() - 1, e.device, Qt::ToolTipRole);
    }
    select(box, current);
}

void RigSettingsWindow::refresh()
{
    m_filling = true;
    const ControllerSettings &s = m_controller.settings();
    const struct {
        RigControls &controls;
        const RigSettings &settings;
    } rigs[] = {{m_rig1, s.rigs.rig1}, {m_rig2, s.rigs.rig2}};
    for (const auto &r : rigs) {
        select(r.controls.model, r.settings.type);
        select(r.controls.port, r.settings.port);
        select(r.controls.baud, r.settings.baudRate);
        const bool icom = settingsForm::modelChoice(r.settings.type).civAddressEnabled;
        r.controls.civAddress->setEnabled(icom);
        r.controls.civAddress->setText(r.settings.civAddress);
    }
    // The rig control type enables the groups of the rigs in use.
    const int usage = s.rigs.rigUsage;
    m_usage->setCurrentIndex(m_usage->findData(usage));
    for (QWidget *w : {m_rig1.model, m_rig1.port, m_rig1.baud})
        w->setEnabled(usage <= 1 || usage == 3);
    for (QWidget *w : {m_rig2.model, m_rig2.port, m_rig2.baud})
        w->setEnabled(usage == 2 || usage == 3);
    m_poll->setValue(s.rigs.pollTimeMs);
    select(m_startUpMode, s.startUpMode);
    m_modeOffset->setValue(s.modeOffsetHz);
    m_dataInterface->setCurrentIndex(s.useDde ? 1 : 0);
    select(m_remarksField, s.remPos);
    m_adif->setText(settingsForm::adifCaption(s.remPos));
    m_adif->setChecked(s.adifMk == u"1");
    m_rangeRate->setChecked(s.rangeRateSmoothing);
    m_autoPowerOff->setChecked(s.autoPowerOff);
    select(m_tracking, s.calcType);

    Settings &file = m_controller.settingsFile();
    m_latitude->setText(file.value(keys::Latitude));
    m_longitude->setText(file.value(keys::Longitude));
    m_height->setText(file.value(keys::Height));
    m_locator->setText(file.value(keys::Locator));
    m_tleFile->setText(file.value(keys::TleFile));
    m_tleUrl->setText(file.value(keys::TleUrl));
    showStation();
    m_orbitNote->setText(OrbitDataUpdate::describeFile(tleFilePath(), QDateTime::currentDateTimeUtc()));
    m_summary->setText(m_controller.rigSummary().join(QLatin1Char('\n')));
    m_status->setText(m_controller.trackingNote());
    colourButtons();
    m_filling = false;
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

void RigSettingsWindow::chooseFile(QString ControllerSettings::*setting, const QString &title,
                                   const QString &filter)
{
    const QString current = m_controller.settings().*setting;
    const QString start = current.isEmpty() ? QFileInfo(m_controller.settingsPath()).absolutePath()
                                            : QFileInfo(current).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(this, title, start, filter);
    if (chosen.isEmpty())
        return;
    m_controller.editSettings([&](ControllerSettings &s) { s.*setting = chosen; });
    colourButtons();
}

void RigSettingsWindow::colourButtons()
{
    const ControllerSettings &s = m_controller.settings();
    const auto paint = [](QPushButton *button, std::optional<quint32> rgb) {
        button->setStyleSheet(rgb ? QStringLiteral("background-color: #%1").arg(*rgb, 6, 16, QLatin1Char('0'))
                                  : QString());
    };
    paint(m_logger, settingsForm::loggerButtonColour(s.hamlogPath));
    paint(m_sound, settingsForm::soundButtonColour(s.wavFile, s.mailToolPath));
    m_logger->setToolTip(s.hamlogPath);
    m_sound->setToolTip(
        tr("左クリック: 通知音 %1\n右クリック: メール送信 %2").arg(s.wavFile, s.mailToolPath));
}

void RigSettingsWindow::toggleInputMode()
{
    m_inputMode->setText(m_inputMode->text() == tr("上書き") ? tr("挿入") : tr("上書き"));
}

void RigSettingsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert) {
        toggleInputMode();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool RigSettingsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_inputMode && event->type() == QEvent::MouseButtonPress) {
        toggleInputMode();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RigSettingsWindow::showEvent(QShowEvent *event)
{
    // The ports are looked at when the form opens, not while the controller
    // drives the rigs: probing a port can toggle its control lines.
    const ControllerSettings &s = m_controller.settings();
    fillPorts(m_rig1.port, s.rigs.rig1.port);
    fillPorts(m_rig2.port, s.rigs.rig2.port);
    refresh();
    QWidget::showEvent(event);
}

void RigSettingsWindow::moveEvent(QMoveEvent *event)
{
    // Twips of the form's position, 15 to a pixel.
    m_controller.setWindowPosition(double(y()) * 15.0, double(x()) * 15.0);
    QWidget::moveEvent(event);
}

void RigSettingsWindow::closeEvent(QCloseEvent *event)
{
    // The close box saves and hides; the process keeps running.
    event->ignore();
    m_controller.closeRequestedFromOutside();
}

} // namespace vm
