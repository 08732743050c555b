// WSJT-X and JTDX beside the panel: started with their rig name, their UDP
// "QSO Logged" announcements and their ADIF log reaching the destinations.
#include "PanelFixture.h"
#include "ProcessTools.h"
#include "common/SettingKeys.h"
#include "logbook/WsjtxMessage.h"
#include "panel/DigitalProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUdpSocket>
#include <gtest/gtest.h>

using namespace vm;
using vm::test::PanelFixture;

TEST(DigitalProgram, OptionNamesTheProgramAndItsRigName)
{
    struct Case {
        const char *option;
        const char *app; // nullptr: nothing to start
        const char *rig;
        const char *process;
    };
    for (const Case &c : {Case{"/nonexistent/bin/wsjtx/SAT", "WSJT-X", "SAT", "wsjtx"},
                          Case{"C:\\WSJTX\\bin\\WSJTX.EXE/SAT", "WSJT-X", "SAT", "wsjtx"},
                          Case{"/opt/jtdx/bin/jtdx/", "JTDX", "", "jtdx"}, Case{"/usr/bin/fldigi/SAT", nullptr, "", ""},
                          Case{"wsjtx", nullptr, "", ""}}) {
        SCOPED_TRACE(c.option);
        const auto p = DigitalProgram::fromOption(c.option);
        ASSERT_EQ(p.has_value(), c.app != nullptr);
        if (!p)
            continue;
        EXPECT_EQ(p->appName, c.app);
        EXPECT_EQ(p->processName, c.process);
        EXPECT_EQ(p->executable(), c.process); // not an executable here: found on PATH
        const QString folder = QString(c.app) + (QString(c.rig).isEmpty() ? "" : " - " + QString(c.rig));
        EXPECT_EQ(p->logPath("/home/op/.local/share"), "/home/op/.local/share/" + folder + "/wsjtx_log.adi");
        EXPECT_EQ(p->arguments(), QString(c.rig).isEmpty() ? QStringList() : QStringList{"--rig-name=SAT"});
    }
}

class PanelWsjt : public PanelFixture {
protected:
    void SetUp() override
    {
        test::ensureApplication();
        PanelFixture::SetUp();
        qputenv("XDG_DATA_HOME", m_dir.path().toUtf8());
        QUdpSocket probe; // a free port for the announcements
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        m_port = probe.localPort();
        m_settings->setValue(keys::WsjtxListenPort, QString::number(m_port));
        m_settings->setValue(keys::WsjtxPath, path("bin/wsjtx") + "/SAT");
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("WSJT-X - SAT"));
        takeUp("RS-44");
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }
    quint16 m_port = 0;
};

TEST_F(PanelWsjt, AnnouncedContactReachesTheLogOnceAndTheProgramEndsWithTheMode)
{
    m_core->toggleWsjtMode();
    EXPECT_EQ(m_launcher.started, QStringList{"wsjtx --rig-name=SAT"});
    EXPECT_EQ(takeSent(), QStringList{"RCMFT4" "1"});
    EXPECT_EQ(control("Text1").text, "Use WSJT-X LOG");

    Qso q;
    q.mode = "FT4";
    q.timeOn = QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
    QUdpSocket wsjtx;
    // Our own announcements to loggers are not taken back; WSJT-X's are, each once.
    for (const auto &[id, call] : {std::pair{"Velomira", "JA1OWN"}, std::pair{"WSJT-X - SAT", "JA1ABC"},
                                   std::pair{"WSJT-X - SAT", "JA1ABC"}, std::pair{"WSJT-X - SAT", "JA1XYZ"}}) {
        q.call = call;
        wsjtx.writeDatagram(wsjtx::qsoLogged(q, q.timeOn.addSecs(30), id), QHostAddress::LocalHost, m_port);
    }
    ASSERT_TRUE(test::waitUntil([&] {
        QCoreApplication::processEvents();
        return logged().contains("JA1XYZ");
    }));
    EXPECT_EQ(logged().count("JA1ABC"), 1);
    EXPECT_FALSE(logged().contains("JA1OWN"));
    EXPECT_TRUE(logged().contains("<SAT_NAME:5>RS-44"));

    m_core->toggleWsjtMode();
    EXPECT_EQ(takeSent(), QStringList{"RCMFT4" "0"});
    EXPECT_EQ(m_launcher.stopped, QStringList{"wsjtx"});
    EXPECT_FALSE(m_core->wsjtMode());
}

TEST_F(PanelWsjt, LogWatchTransfersAChangeOfALaterMinuteOnly)
{
    const QString log = path("WSJT-X - SAT/wsjtx_log.adi");
    const QDateTime reference(QDate(2026, 12, 7), QTime(10, 0, 10));
    auto write = [&](const QString &call, int secondsLater) {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QString("<call:%1>%2 <mode:3>FT8 <qso_date:8>20261207 <time_on:6>1000%3 <eor>\n")
                    .arg(call.size()).arg(call).arg(secondsLater % 60, 2, 10, QChar('0')).toUtf8());
        f.flush();
        ASSERT_TRUE(f.setFileTime(reference.addSecs(secondsLater), QFileDevice::FileModificationTime));
    };
    write("K1AAA", 0);
    m_core->toggleWsjtMode();
    struct Step {
        const char *call;
        int secondsLater;
        bool transferred;
    };
    for (const Step &s : {Step{"K1BBB", 30, false}, Step{"K1CCC", 70, true}, Step{"K1DDD", 75, false}}) {
        write(s.call, s.secondsLater);
        m_core->digitalWatch();
        EXPECT_EQ(logged().contains(s.call), s.transferred) << s.call;
    }
}

TEST_F(PanelFixture, WaterfallProgramStartsAndEndsFromItsMenuAndComesBackWithThePanel)
{
    m_core->setWaterfallProgram("/opt/vlmwf/vlmwf");
    m_core->toggleWaterfallProgram();
    m_channel.titles.insert(PanelCore::waterfallTitle());
    m_core->toggleWaterfallProgram();
    EXPECT_EQ(m_launcher.started, QStringList{"/opt/vlmwf/vlmwf"});
    EXPECT_EQ(m_channel.closePosted, QStringList{PanelCore::waterfallTitle()});
    EXPECT_EQ(takeSent(), (QStringList{"RCMWFF1", "RCMWFF0"}));
    EXPECT_EQ(m_settings->value(keys::WfStart), "0");

    m_settings->setValue(keys::WfStart, "1");
    m_channel.titles.remove(PanelCore::waterfallTitle());
    m_core->load(1, QString());
    EXPECT_EQ(m_launcher.started.size(), 2);
}

TEST(PanelCore, VersionNamesThePanelAndTheTrackingProgram)
{
    for (const auto &[tracker, shown] : {std::pair{"1509", "1.5.9"}, std::pair{"14010", "1.4.10"}, std::pair{"", ""}})
        EXPECT_TRUE(PanelCore::versionText(tracker).endsWith(QString("\nKepral32 Ver ") + shown)) << tracker;
    EXPECT_TRUE(PanelCore::versionText("").startsWith("Velomira Ver 0.01"));
}
