// The sound buttons: recording a pass to a WAV file and playing one back.
// The controller does the recording and playing ("RCMSND", "RCMPLY"); the
// panel names the file, keeps the buttons' state and ends a recording that
// has run for too long.
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTimer>

namespace vm {

namespace {

const QString &stopCaption()
{
    static const QString text = QCoreApplication::translate("Panel", "停");
    return text;
}

} // namespace

QString PanelCore::recordingPath(const QString &folder, const QString &satellite, const QDateTime &localTime)
{
    // The name must not lead out of the folder.
    QString name = satellite;
    name.replace(u'/', u'_').replace(u'\\', u'_');
    return QDir(folder).filePath(name + u'_' + localTime.toString(QStringLiteral("yyyyMMddhhmm")) +
                                 QStringLiteral(".wav"));
}

void PanelCore::setSoundButton(Control button, bool running)
{
    m_view.setText(button,
                   running ? stopCaption()
                           : (button == Control::RecordButton ? QCoreApplication::translate("Panel", "録")
                                                              : QCoreApplication::translate("Panel", "再")));
    m_view.setBackColor(button, running ? Red : White);
    m_view.setEnabled(button == Control::RecordButton ? Control::PlayButton : Control::RecordButton,
                      !running);
}

void PanelCore::recordButton()
{
    if (m_recording) {
        stopRecording();
    } else {
        const QString folder = m_settings.value(keys::RecFol);
        if (folder.isEmpty()) {
            m_prompter.timedNotice(
                QCoreApplication::translate("Panel", "「設定」から「録音設定」で保存場所を設定して下さい"),
                panelTitle(), 2);
            return;
        }
        const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).toLocalTime();
        send(QStringLiteral("RCMSND"), recordingPath(folder, m_satName, now));
        m_recordingStart = m_clock.nowMs();
        m_recording = true;
        setSoundButton(Control::RecordButton, true);
        if (!m_soundTimer) {
            m_soundTimer = new QTimer(this);
            m_soundTimer->setInterval(RecordingCheckMs);
            connect(m_soundTimer, &QTimer::timeout, this, &PanelCore::recordingCheck);
        }
        m_soundTimer->start();
    }
    requestFocus(Control::CallSign);
}

void PanelCore::recordingCheck()
{
    if (m_recording && m_clock.nowMs() - m_recordingStart >= RecordingLimitMs)
        stopRecording();
}

void PanelCore::stopRecording()
{
    if (m_soundTimer)
        m_soundTimer->stop();
    if (!m_recording)
        return;
    send(QStringLiteral("RCMSND"), QStringLiteral("0"));
    m_recording = false;
    setSoundButton(Control::RecordButton, false);
}

void PanelCore::playButton()
{
    if (m_playing) {
        stopPlayback();
        return;
    }
    QString folder = m_settings.value(keys::RecFol);
    if (folder.isEmpty())
        folder = m_dataDir;
    const QString file =
        m_prompter.chooseFile(QCoreApplication::translate("Panel", "再生ファイルを指定します"), folder,
                              QCoreApplication::translate("Panel", "再生ﾃﾞｰﾀ (*.WAV *.wav)"));
    if (file.isEmpty())
        return;
    send(QStringLiteral("RCMPLY"), file);
    m_playing = true;
    setSoundButton(Control::PlayButton, true);
}

void PanelCore::stopPlayback()
{
    if (!m_playing)
        return;
    send(QStringLiteral("RCMPLY"), QStringLiteral("0"));
    m_playing = false;
    setSoundButton(Control::PlayButton, false);
}

void PanelCore::stopSound()
{
    stopRecording();
    stopPlayback();
}

} // namespace vm
