// The day's schedule: the file of the day, the notice on a manual clock, and
// the passes our orbit code predicts for it.
#include "ManualClock.h"
#include "PanelFixture.h"
#include "common/ScheduleFile.h"
#include "common/SettingKeys.h"
#include "common/TextFile.h"
#include "panel/ScheduleCheck.h"
#include "panel/ScheduleMacro.h"
#include "panel/SchedulePasses.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace vm;
using vm::test::PanelFixture;

namespace {

constexpr qint64 Start = 1'790'000'000'000; // 2026-09-21
constexpr qint64 Minute = 60'000;

struct Recorder {
    QStringList log;
    ScheduleCheck::Actions actions()
    {
        return {[this](const QString &c, const QString &p) { log << c + p; },
                [this](const QString &t) { log << "notice:" + t; },
                [this](const QString &t) { log << "menu:" + t; },
                [this](const QString &t, const QString &s, const QString &) { log << "mail:" + t + "|" + s; },
                [this](ScheduleCheck::Notice n) { log << QString("completed:%1").arg(int(n)); }};
    }
};

void touch(const QString &path, const QDateTime &when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST(ScheduleFile, CountsOnlyOnTheDayItWasWritten)
{
    QTemporaryDir dir;
    const ScheduleFile file(dir.path());
    const QDate today(2026, 12, 7);
    EXPECT_EQ(file.state(today), ScheduleFile::State::Missing);
    ASSERT_TRUE(file.save({"10:00/AO-91", "11:00/SO-50"}));
    for (int age : {1, 365, 0}) {
        touch(file.path(), QDateTime(today.addDays(-age), QTime(8, 0)));
        EXPECT_EQ(file.loadToday(today).has_value(), age == 0) << age;
    }
    EXPECT_EQ(ScheduleFile::transfer({"10:00/AO-91", "11:00/SO-50"}, "AO-91", {"12:00", "13:00"}),
              (QStringList{"11:00/SO-50", "12:00/AO-91", "13:00/AO-91"}));
}

TEST(ScheduleCheck, SoundAndMailNoticesFollowTheDay)
{
    struct Case {
        ScheduleCheck::Notice notice;
        QStringList expected; // from 09:50 to 11:00, minute by minute
    };
    const QStringList lines{"10:00/AO-91", "11:00/SO-50"};
    for (const Case &c :
         {Case{ScheduleCheck::Notice::Sound,
               {"menu:NextSKD：AO-91=10:00", "RCMSSP", "RCMSPL", "notice:あと5分(10:00)で\r\nAO-91が来ます！",
                "RCMSSP", "notice:", "menu:", "menu:NextSKD：SO-50=11:00", "RCMSSP", "RCMSPL",
                "notice:あと5分(11:00)で\r\nSO-50が来ます！", "RCMSSP", "RCMSKD0",
                "notice:", "menu:予告SKD完了", "completed:1"}},
          Case{ScheduleCheck::Notice::Mail,
               {"menu:NextSKD：AO-91=10:00", "mail:5分後に10:00のAO-91到来|AO-91",
                "menu:", "menu:NextSKD：SO-50=11:00", "mail:5分後に11:00のSO-50到来|SO-50",
                "menu:予告SKD完了", "completed:2"}}}) {
        Recorder r;
        ScheduleCheck check(r.actions());
        check.setLines(lines);
        for (QTime t(9, 50); t <= QTime(11, 0); t = t.addSecs(30))
            check.check(c.notice, -5, true, t);
        EXPECT_EQ(r.log, c.expected);
        EXPECT_TRUE(check.runCompleted());
    }
}

// The day's passes of an element set, chosen by elevation: ScheduleWindow.ListsTheDaysPassesAsSatpassDoes...

TEST_F(PanelFixture, ScheduleNoticeOnTheControllersCheckBySoundAndByCommand)
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs());
    const QString aos = start.addSecs(7 * 60).toString("hh:mm");
    const ScheduleFile file(m_dir.path());
    m_settings->setValue(keys::WavStart, "-5");
    m_settings->setValue(keys::WavFPos, path("notice.wav"));
    m_settings->setValue(keys::MailToolPath, "/usr/local/bin/pass-notice");
    for (const char *box : {"SKD1", "SKD2"}) {
        ASSERT_TRUE(file.save({aos + "/RS-44"}));
        touch(file.path(), start);
        m_settings->setValue(keys::Skd1, box == QString("SKD1") ? "1" : "0");
        m_settings->setValue(keys::Skd2, box == QString("SKD2") ? "1" : "0");
        makeCore();
        const qint64 from = m_clock.utcMs();
        while (takeSent().isEmpty() && m_launcher.started.isEmpty() && m_clock.utcMs() - from < 10 * 60'000) {
            m_clock.advance(10'000);
            report("OPPSCK");
        }
        const QString noticed = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).toString("hh:mm");
        EXPECT_EQ(QTime::fromString(aos, "hh:mm").addSecs(-5 * 60).toString("hh:mm"), noticed) << box;
        if (box == QString("SKD1")) {
            EXPECT_TRUE(control("Frame7").visible);
            EXPECT_TRUE(control("Label29").text.contains("RS-44"));
        } else {
            EXPECT_EQ(m_launcher.started, QStringList{"/usr/local/bin/pass-notice RS-44 " + aos + " 5分後に" +
                                                      aos + "のRS-44到来"});
        }
        m_clock = test::ManualClock(start.toMSecsSinceEpoch());
    }
}

TEST_F(PanelFixture, ScheduleFrameCollectsEditsRegistersAndClearsTheDaysList)
{
    m_clock = test::ManualClock(QDateTime::currentMSecsSinceEpoch()); // "today" is the files' day
    const ScheduleFile file(m_dir.path());
    ASSERT_TRUE(file.save({"09:00/AO-91"}));
    touch(file.path(), QDateTime::currentDateTime().addDays(-1));
    takeUp("RS-44");
    m_core->toggleScheduleFrame();
    EXPECT_TRUE(control("Frame3").visible);
    EXPECT_TRUE(control("List1").items.isEmpty()); // yesterday's file is not loaded

    // Times copied in the tracking program's pass windows join the list once.
    for (const char *copied : {"10:15", "10:15", "AO-91", "10:5"})
        m_core->clipboardChanged("Kepral32 衛星の可視時間", copied);
    EXPECT_EQ(control("List1").items, QStringList{"10:15/RS-44"});

    m_core->editScheduleLine(0);
    EXPECT_TRUE(control("Text3").visible);
    m_core->typeScheduleLine("10:20/rs-44!");
    m_core->saveScheduleLine();
    EXPECT_FALSE(control("Text3").visible);
    EXPECT_EQ(file.loadToday(QDate::currentDate()), QStringList{"10:20/RS-44"});

    struct Step {
        std::function<void()> act;
        QStringList sent;
        bool fileThere;
        int noticeColour;
    };
    const QDate today = QDate::currentDate();
    for (const Step &s : {Step{[&] { m_core->registerScheduleFrame(); }, {"RCMSKD1"}, true, -1},
                          Step{[&] {
                                   m_core->toggleScheduleFrame();
                                   m_core->removeScheduleLine(0);
                                   m_core->registerScheduleFrame();
                               },
                               {"RCMSKD0"}, false, PanelCore::Red},
                          Step{[&] { m_core->clearSchedule(); }, {"RCMSKD0"}, false, PanelCore::Red}}) {
        takeSent();
        s.act();
        EXPECT_EQ(takeSent(), s.sent);
        EXPECT_FALSE(control("Frame3").visible);
        EXPECT_EQ(file.state(today) == ScheduleFile::State::Today, s.fileThere);
        EXPECT_EQ(control("Check2").foreColor, s.noticeColour);
    }
}

TEST_F(PanelFixture, NoticeChoicesTickOneAtATimeAndWantTodaysSchedule)
{
    m_clock = test::ManualClock(QDateTime::currentMSecsSinceEpoch());
    const ScheduleFile file(m_dir.path());
    struct Case {
        int fileAge; // days; -1: no file
        const char *box;
        bool ticked1, ticked2;
        bool red;
        int messages;
    };
    for (const Case &c : {Case{0, "Check1", true, false, false, 0}, Case{0, "Check2", false, true, false, 0},
                          Case{-1, "Check1", true, false, true, 0}, Case{1, "Check2", false, false, true, 1}}) {
        SCOPED_TRACE(c.box);
        file.remove();
        if (c.fileAge >= 0) {
            ASSERT_TRUE(file.save({"10:00/RS-44"}));
            touch(file.path(), QDateTime::currentDateTime().addDays(-c.fileAge));
        }
        m_prompter.shown.clear();
        m_core->chooseNotice(QString(c.box) == "Check1" ? Control::SoundNotice : Control::MailNotice, true);
        EXPECT_EQ(control("Check1").checked, c.ticked1);
        EXPECT_EQ(control("Check2").checked, c.ticked2);
        EXPECT_EQ(control("Check1").foreColor == PanelCore::Red, c.red);
        EXPECT_EQ(m_prompter.shown.size(), c.messages);
        EXPECT_EQ(m_settings->value(keys::Skd1), c.ticked1 ? "1" : "0");
        EXPECT_EQ(file.state(QDate::currentDate()) == ScheduleFile::State::OtherDay, false);
    }
}

TEST(ScheduleMacro, WaitsForEachPassAndPicksTheSatelliteByGroupAndPosition)
{
    QStringList groupFile{"＠グループ１"};
    for (int n = 1; n <= 9; ++n)
        groupFile << QString("SAT-%1").arg(n);
    groupFile << "RS-44" << "" << "other text";
    const auto groups = schedule_macro::readGroups(groupFile);
    ASSERT_EQ(groups.size(), 10);
    EXPECT_EQ(groups.last().text(), "1,10,RS-44,");
    EXPECT_EQ(schedule_macro::userProgramNumber({"[Tools]", "UserProgram3 = C:\\Velomira\\velomira.exe"}), "3");

    const QDate day(2026, 12, 7);
    EXPECT_EQ(schedule_macro::build({"10:00/XW-2A", "11:00/XW-2A"}, groups, "3", day, -5, true),
              (QStringList{"Velomira_macro:", "", "", "JP2:END"}));
    struct Case {
        bool addNotice;
        const char *check, *wait;
    };
    for (const Case &c : {Case{false, "10:00:00", "09:59:30"}, Case{true, "09:55:00", "09:54:30"}}) {
        const QStringList macro = schedule_macro::build({"10:00/RS-44"}, groups, "3", day, -5, c.addNotice);
        EXPECT_EQ(macro, (QStringList{"Velomira_macro:", "JP0:IF(Now? >= #2026/12/07 10:00:00#)*JP1",
                                      QString("次の衛星「 RS-44 」待ち:CLICK ToolBar3 [2026/12/07 %1]").arg(c.wait),
                                      QString("!X=SatElevation? [2026/12/07 %1]").arg(c.check), "IF(!X <= 0) *CHG0",
                                      "GOTO *JP1", "CHG0:SHOW frmSatSelect", "CLICK 1-1", "HIDE frmSatSelect", "",
                                      "JP1:END"}));
    }
}

namespace {

// Windows programs as a table: which windows are open, what was clicked.
class TableWindows final : public WindowsPrograms {
public:
    QMap<QString, WindowOwner> windows;
    QStringList clicks; // control ids, in order
    QString passText;

    std::optional<WindowOwner> findWindow(const QString &name, bool) override
    {
        return windows.contains(name) ? std::optional(windows.value(name)) : std::nullopt;
    }
    bool clickControl(const QString &title, int id) override
    {
        if (!windows.contains(title))
            return false;
        clicks << QString::number(id);
        return true;
    }
    bool startProgram(const QString &) override { return false; }
    bool sendText(const QString &, const QString &) override { return false; }
    bool typeAltKey(const QString &, char) override { return false; }
    bool raiseWindow(const QString &title) override
    {
        clicks << "raise";
        return windows.contains(title);
    }
    std::optional<QString> windowText(const QString &title, const QString &childClass, int steps) override
    {
        if (!windows.contains(title) || childClass != "ThunderRT6CommandButton" || steps != 56)
            return std::nullopt;
        return passText;
    }
};

} // namespace

TEST_F(PanelFixture, Kepral32IsDrivenThroughItsOwnWindows)
{
    TableWindows kepral;
    const QString main = "Kepral32(SGP4)";
    kepral.windows.insert(main, {7, "C:\\Kepral32\\Kepral32.exe", "1.5.0.9"});
    ASSERT_TRUE(m_settings->setValue(keys::CalcType, "1"));
    makeCore();
    m_core->setWindowsPrograms(&kepral);
    m_core->setProgramFolderFinder([&](const QString &title) {
        return title == main ? std::optional(m_dir.path()) : std::nullopt;
    });
    const auto takeClicks = [&] { return std::exchange(kepral.clicks, {}).join(' '); };

    // "MAC" wants today's macro: a file of another day is only told about.
    const auto writeMacro = [&](int daysAgo) {
        ASSERT_TRUE(TextFile::writeLinesAtomic(path("Macro.txt"), {"Velomira_macro:"}));
        QFile f(path("Macro.txt"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).addDays(-daysAgo),
                      QFileDevice::FileModificationTime);
    };
    writeMacro(1);
    m_core->toggleTrackerMacro();
    EXPECT_EQ(m_prompter.shown, QStringList{"マクロが今日のものではないと思われます。"});
    EXPECT_EQ(takeClicks(), "");
    // Today's: started, then stopped while its status window is open; the
    // controls depend on the program's version, an unknown one does nothing.
    writeMacro(0);
    struct Case {
        const char *version;
        bool running;
        const char *clicked, *caption;
    };
    for (const Case &c : {Case{"1.5.0.9", false, "39", "ﾏｸﾛ off(&O)"}, {"1.5.0.2", true, "101", "ﾏｸﾛ on(&O)"},
                          {"1.4.0.7", false, "36", "ﾏｸﾛ off(&O)"}, {"1.4.0.10", true, "98", "ﾏｸﾛ on(&O)"},
                          {"1.6.0.0", false, "", "ﾏｸﾛ on(&O)"}}) {
        kepral.windows[main].version = c.version;
        if (c.running)
            kepral.windows.insert("マクロ実行ステータス", {});
        else
            kepral.windows.remove("マクロ実行ステータス");
        m_core->toggleTrackerMacro();
        EXPECT_EQ(takeClicks(), c.clicked) << c.version;
        EXPECT_EQ(control("MAC").text, c.caption) << c.version;
    }

    // The tracked name opens the program's satellite selection unless it is open.
    m_core->clickTrackedName();
    EXPECT_EQ(takeClicks(), "37 37");
    kepral.windows.insert("衛星の選択", {});
    m_core->clickTrackedName();
    EXPECT_EQ(takeClicks(), "");
    // In extended mode a new satellite has the program refresh its display.
    m_core->setExtendedMode(true);
    rig("IC9700:COM3:1:None:None:0:0");
    int refreshes = 0;
    QObject::connect(m_core.get(), &PanelCore::scheduleWindowRefresh, [&] { ++refreshes; });
    takeUp("AO-07");
    EXPECT_EQ(takeClicks(), "56 57");
    EXPECT_EQ(refreshes, 1); // and an open schedule window lists its passes

    kepral.windows[main].version = "1.4.0.10";
    m_prompter.shown.clear();
    m_core->showVersion();
    ASSERT_EQ(m_prompter.shown.size(), 1);
    EXPECT_TRUE(m_prompter.shown[0].endsWith("\nKepral32 Ver 1.4.10")) << m_prompter.shown[0].toStdString();
    // The Windows mail tool that will not start is told about.
    ASSERT_TRUE(m_settings->setValue(keys::MailToolPath, "C:\\HWCV\\HWCVMail.exe"));
    m_prompter.shown.clear();
    m_core->mailNotice("5分後に10:00のAO-07到来", "AO-07", "10:00");
    EXPECT_EQ(m_prompter.shown, QStringList{"HWCVお知らせツールが起動していないのでは？"});
    // Another tracking program is not asked at all.
    report("OPPLKM4");
    m_core->clickTrackedName();
    EXPECT_EQ(takeClicks(), "");
}

TEST(SchedulePasses, TrackerPredictionLinesBecomeRows)
{
    const QDate today(2026, 12, 7);
    const QString text = "          ------- AOS -----  ------- MEL -----   ------- LOS -----\r\n"
                         "  2026/12/07  10:01   12  200  10:08  45  100  10:15  190  40  14\r\n"
                         "  12/07  23:55:30   350  10  00:01  7  20  00:06  80  30  11\r\n"
                         "26/12/08 01:00 x 1 01:05 7 20 01:10 80 30 10\r\n";
    const std::vector<SchedulePasses::Row> rows = SchedulePasses::fromTrackerText(text, "AO-07", today);
    ASSERT_EQ(rows.size(), 2u); // the header and the line with a bad azimuth are passed over
    EXPECT_EQ(SchedulePasses::fields(rows[0]),
              (QStringList{"2026/12/07", "10:01", "12", "200", "10:08", "45", "100", "10:15", "190", "40", "14"}));
    EXPECT_EQ(SchedulePasses::scheduleLine(rows[0]), "10:01/AO-07");
    // Past midnight: MEL and LOS fall on the next day.
    EXPECT_EQ(SchedulePasses::fields(rows[1]),
              (QStringList{"2026/12/07", "23:55", "350", "10", "00:01", "7", "20", "00:06", "80", "30", "11"}));
    EXPECT_EQ(rows[1].pass.losMs - rows[1].pass.aosMs, (10 * 60 + 30) * 1000);
}
