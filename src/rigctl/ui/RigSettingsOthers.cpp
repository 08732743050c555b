// The operation, logging and sound section of the settings form.

#include "rigctl/ui/RigSettingsWindow.h"

#include "common/SettingKey.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "rigctl/Controller.h"
#include "rigctl/SettingsFormRules.h"
#include "rigctl/ui/FormWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace vm {

using formWidgets::choices;
using formWidgets::select;

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

    m_startCommand = new QComboBox(group);
    name(m_startCommand, Part::StartCommand, tr("衛星を選んだときに始める制御"));
    const QStringList startCommands{tr("0: 受信を固定して送信が追従"), tr("1: 受信と送信が追従"),
                                    tr("2: 送信を固定して受信が追従"), tr("3: 制御しない"),
                                    tr("5: ビーコンを受信")};
    for (int i = 0; i < startCommands.size(); ++i)
        m_startCommand->addItem(startCommands[i], settingsForm::startCommandModes().at(i));
    connect(m_startCommand, &QComboBox::activated, this, [this] {
        const QString mode = m_startCommand->currentData().toString();
        m_controller.editSettings([&](ControllerSettings &s) { s.startCmdMode = mode; });
    });
    form->addRow(tr("開始コマンド"), m_startCommand);

    // The frame's caption shows the offset's small step; a click on the
    // label moves to the next step.
    m_modeOffsetFrame = new QGroupBox(group);
    m_modeOffsetFrame->setObjectName(formName(Part::ModeOffsetFrame));
    auto *offsetRow = new QHBoxLayout(m_modeOffsetFrame);
    m_modeOffsetLabel = new QLabel(tr("モードオフセット"), m_modeOffsetFrame);
    name(m_modeOffsetLabel, Part::ModeOffsetLabel, tr("CW運用時、受信がSSBモードの時に周波数を補正"));
    m_modeOffsetLabel->installEventFilter(this);
    m_modeOffsetLabel->setMinimumSize(m_modeOffsetLabel->sizeHint());
    m_modeOffset = new QSpinBox(m_modeOffsetFrame);
    m_modeOffset->setRange(-5000, 5000);
    m_modeOffset->setSuffix(QStringLiteral(" Hz"));
    name(m_modeOffset, Part::ModeOffset, m_modeOffsetLabel->toolTip());
    connect(m_modeOffset, &QSpinBox::valueChanged, this, [this](int hz) {
        if (!m_filling)
            m_controller.editSettings([hz](ControllerSettings &s) { s.modeOffsetHz = hz; });
    });
    offsetRow->addWidget(m_modeOffsetLabel);
    offsetRow->addWidget(m_modeOffset, 1);
    m_modeOffset->setSingleStep(settingsForm::DefaultModeOffsetStep);
    m_modeOffsetFrame->setTitle(tr("Mode offset x%1").arg(m_modeOffset->singleStep()));
    form->addRow(m_modeOffsetFrame);

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
    m_remarks = new QLineEdit(group);
    name(m_remarks, Part::Remarks, tr("Remarks 欄に書く定型文 (%SN% などの置き換えが使えます)"));
    connect(m_remarks, &QLineEdit::editingFinished, this, [this] {
        const QString text = m_remarks->text();
        m_controller.editSettings([&](ControllerSettings &s) { s.remarks = text; });
    });
    form->addRow(tr("Remarks 定型文"), m_remarks);

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

    m_noticeTime = new QSlider(Qt::Horizontal, group);
    m_noticeTime->setRange(-60, 60);
    name(m_noticeTime, Part::NoticeTime, tr("予定のパスの何分前 (負) または何分後に通知するか"));
    m_noticeCaption = new QLabel(group);
    m_noticeCaption->setObjectName(formName(Part::NoticeTimeCaption));
    connect(m_noticeTime, &QSlider::valueChanged, this, [this](int minutes) {
        showNoticeTime(minutes);
        if (!m_filling)
            m_controller.editSettings(
                [minutes](ControllerSettings &s) { s.wavStart = QString::number(minutes); });
    });
    form->addRow(m_noticeCaption, m_noticeTime);
    return group;
}

QLayout *RigSettingsWindow::buildButtons()
{
    m_logger = new QPushButton(this);
    m_sound = new QPushButton(this);
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

    const struct {
        Part part;
        QString caption;
        QString tip;
        void (SoundPlayer::*action)();
    } soundButtons[] = {
        {Part::SoundTest, tr("試聴"), tr("通知音を鳴らします"), nullptr},
        {Part::SoundStop, tr("停止"), tr("通知音を止めます"), &SoundPlayer::stopPlaying},
    };
    for (const auto &b : soundButtons) {
        auto *button = new QPushButton(b.caption, this);
        button->setObjectName(formName(b.part));
        button->setToolTip(b.tip);
        connect(button, &QPushButton::clicked, this, [this, action = b.action] {
            SoundPlayer *sound = m_controller.sound();
            if (!sound)
                return;
            if (action)
                (sound->*action)();
            else
                sound->playFile(m_controller.settings().wavFile);
        });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    return buttons;
}

void RigSettingsWindow::stepModeOffset()
{
    m_modeOffset->setSingleStep(settingsForm::nextModeOffsetStep(m_modeOffset->singleStep()));
    m_modeOffsetFrame->setTitle(tr("Mode offset x%1").arg(m_modeOffset->singleStep()));
}

void RigSettingsWindow::showNoticeTime(int minutes)
{
    m_noticeCaption->setText(minutes < 0 ? tr("通知: パスの %1 分前").arg(-minutes)
                                         : tr("通知: パスの %1 分後").arg(minutes));
}

void RigSettingsWindow::refreshOthers()
{
    const ControllerSettings &s = m_controller.settings();
    select(m_startUpMode, s.startUpMode);
    select(m_startCommand, s.startCmdMode);
    m_modeOffset->setValue(s.modeOffsetHz);
    m_dataInterface->setCurrentIndex(s.useDde ? 1 : 0);
    select(m_remarksField, s.remPos);
    m_remarks->setText(s.remarks);
    m_adif->setText(settingsForm::adifCaption(s.remPos));
    m_adif->setChecked(s.adifMk == u"1");
    m_rangeRate->setChecked(s.rangeRateSmoothing);
    m_autoPowerOff->setChecked(s.autoPowerOff);
    m_noticeTime->setValue(s.wavStart.toInt());
    showNoticeTime(m_noticeTime->value());
    colourButtons();
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

} // namespace vm
