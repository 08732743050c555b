#include "PanelFixture.h"
#include "ProcessTools.h"
#include "common/SettingKeys.h"

#include <QDateTime>

namespace vm::test {
namespace {

class PanelSound : public PanelFixture {
protected:
    void SetUp() override
    {
        ensureApplication(); // the minute timer
        PanelFixture::SetUp();
        takeUp("AO-07");
    }
    // Caption, colour and enabled state of the button; the enabled state of the other one.
    QString look(Control button)
    {
        const Control other = button == Control::RecordButton ? Control::PlayButton : Control::RecordButton;
        const ControlState &s = m_core->view()[button];
        return QString("%1 %2 %3").arg(s.text).arg(s.backColor).arg(m_core->view()[other].enabled);
    }
};

TEST_F(PanelSound, RecordingNeedsAFolderAndStopsAfterTwentyMinutes)
{
    m_core->recordButton();
    EXPECT_EQ(m_prompter.shown, QStringList{"「設定」から「録音設定」で保存場所を設定して下さい"});
    EXPECT_EQ(m_prompter.seconds, QList<int>{2});
    EXPECT_TRUE(takeSent().isEmpty());

    m_settings->setValue(keys::RecFol, path("rec"));
    const QString stamp =
        QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).toLocalTime().toString("yyyyMMddhhmm");
    m_core->recordButton();
    EXPECT_EQ(takeSent(), QStringList{"RCMSND" + path("rec/AO-07_" + stamp + ".wav")});
    m_clock.advance(PanelCore::RecordingLimitMs - 1);
    m_core->recordingCheck();
    EXPECT_TRUE(m_core->recording());
    m_clock.advance(1);
    m_core->recordingCheck();
    EXPECT_EQ(takeSent(), QStringList{"RCMSND0"});
    EXPECT_EQ(look(Control::RecordButton), "録 16777215 1");
}

// A start marks the button and locks the other one; every way it ends sends
// the stop and restores both.
TEST_F(PanelSound, EveryEndStopsTheControllerAndRestoresTheButtons)
{
    m_core->playButton(); // the chooser cancelled: nothing plays
    EXPECT_EQ(m_prompter.startDir, m_dir.path());
    EXPECT_TRUE(takeSent().isEmpty());
    m_prompter.file = path("a.wav");
    // The button itself, closing, the controller's settings, and the
    // controller's report that a playback has reached the end of its file;
    // which of the two each one ends.
    struct End {
        std::function<void()> run;
        bool endsRecording, endsPlayback;
    };
    const End ends[] = {{[] {}, false, false},
                        {[this] { m_core->unload(); }, true, true},
                        {[this] { m_core->openControllerSettings(); }, true, true},
                        {[this] { report("OPPPLY0"); }, false, true}};
    for (Control button : {Control::RecordButton, Control::PlayButton}) {
        const bool record = button == Control::RecordButton;
        for (const End &end : ends) {
            SetUp();
            m_settings->setValue(keys::RecFol, path("rec"));
            record ? m_core->recordButton() : m_core->playButton();
            EXPECT_TRUE(
                takeSent().value(0).startsWith(record ? "RCMSND" + path("rec/") : "RCMPLY" + path("a.wav")));
            EXPECT_EQ(look(button), "停 255 0");
            end.run();
            const bool running = record ? m_core->recording() : m_core->playing();
            EXPECT_EQ(running, !(record ? end.endsRecording : end.endsPlayback));
            if (running) // the button itself
                record ? m_core->recordButton() : m_core->playButton();
            EXPECT_TRUE(takeSent().contains(record ? "RCMSND0" : "RCMPLY0"));
            EXPECT_EQ(look(button), record ? "録 16777215 1" : "再 16777215 1");
        }
    }
}

} // namespace
} // namespace vm::test
