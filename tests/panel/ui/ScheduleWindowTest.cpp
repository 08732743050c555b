// The "OP Schedule" window lists the day's passes as satpass predicts them,
// and transfers the chosen ones without doubling earlier lines.
#include "panel/ui/ScheduleWindow.h"

#include "TestPaths.h"
#include "WidgetApplication.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "orbit/OverheadOrbit.h"

#include <QCheckBox>
#include <QDateTime>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace vm;

namespace {
constexpr qint64 Start = 1'790'000'000'000; // 2026-09-21
} // namespace

TEST(ScheduleWindow, ListsTheDaysPassesAsSatpassDoesAndTransfersTheChosenOnes)
{
    test::ensureWidgetApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(TextFile::writeLinesAtomic(dir.filePath("SATdata.txt"),
                                           {SatelliteTable::headerLine(), "RS-44,145935,435610,60,,,,,,"}));
    SatelliteTable table;
    table.load(dir.filePath("SATdata.txt"));
    orbit::OverheadOrbitRequest req;
    req.name = "RS-44";
    req.station = {35.68, 139.77, 0};
    req.epochUnixMs = Start;
    req.culminationUnixMs = Start + 1'800'000;
    const orbit::Tle tle = orbit::designOverheadOrbit(req);
    const QString tlePath = dir.filePath("nasabare.txt");
    ASSERT_TRUE(TextFile::writeLinesAtomic(tlePath, {QString::fromStdString(tle.name),
                                                     QString::fromStdString(tle.line1),
                                                     QString::fromStdString(tle.line2)}));
    const QDate day = QDateTime::fromMSecsSinceEpoch(Start).date();
    const qint64 dayStart = QDateTime(day, QTime(0, 0)).toMSecsSinceEpoch();

    Settings settings(dir.filePath("Velomira.ini"));
    ScheduleWindow window(settings);
    window.setPasses(SchedulePasses::forDay(table, *TextFile::read(tlePath), req.station, day), Start);
    QStringList listed;
    for (int i = 0; i < window.list()->topLevelItemCount(); ++i)
        listed << window.list()->topLevelItem(i)->text(2);

    QProcess satpass;
    satpass.start(test::program("satpass"),
                  {"--tle", tlePath, "--lat", "35.68", "--lon", "139.77", "--time",
                   QStringLiteral("@%1").arg(dayStart / 1000), "--hours", "24", "--passes-only"});
    ASSERT_TRUE(satpass.waitForFinished(60000));
    const QString out = QString::fromUtf8(satpass.readAllStandardOutput());
    QStringList expected;
    auto it =
        QRegularExpression(R"((?m)^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\s+[\d.]+\s+\d{4}-)").globalMatch(out);
    while (it.hasNext()) {
        QDateTime aos = QDateTime::fromString(it.next().captured(1), "yyyy-MM-dd HH:mm:ss");
        aos.setTimeSpec(Qt::UTC);
        if (aos.toMSecsSinceEpoch() > dayStart && aos.toLocalTime().date() == day)
            expected << aos.toLocalTime().toString("hh:mm");
    }
    ASSERT_FALSE(expected.isEmpty()) << out.toStdString();
    EXPECT_EQ(listed, expected) << out.toStdString();

    window.findChild<QSpinBox *>("threshold")->setValue(80);
    window.selectByThreshold();
    std::vector<SchedulePasses::Row> sent;
    QObject::connect(&window, &ScheduleWindow::transferRequested, [&sent](const auto &rows) { sent = rows; });
    window.findChild<QPushButton *>("transfer")->click();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_GT(sent[0].pass.maxElevationDeg, 80);
    const QStringList once = SchedulePasses::transfer({"00:01/SO-50"}, sent);
    EXPECT_EQ(once, (QStringList{"00:01/SO-50", SchedulePasses::scheduleLine(sent[0])}));
    EXPECT_EQ(SchedulePasses::transfer(once, sent), once);
    // "After now" leaves out a pass that rose in the current minute.
    window.findChild<QCheckBox *>("afterNow")->setChecked(true);
    window.setPasses(std::vector<SchedulePasses::Row>(sent), sent[0].pass.aosMs);
    window.selectByThreshold();
    EXPECT_EQ(window.list()->topLevelItem(0)->checkState(0), Qt::Unchecked);
}
