#include "tracking/TrackingDetection.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace vm;
namespace td = vm::trackingDetection;

namespace {

TrackingDetection detectWith(QSet<QString> running, std::optional<QString> configured = std::nullopt)
{
    return td::detect([&](const QString &t) { return running.contains(t); }, configured);
}

} // namespace

TEST(TrackingDetection, SingleProgramsAreTakenWithoutNotice)
{
    const auto k32 = detectWith({"Kepral32"});
    EXPECT_EQ(k32.weight, 1);
    EXPECT_EQ(k32.kind, TrackingKind::Kepral32);
    EXPECT_EQ(k32.calcType(), "1");
    EXPECT_TRUE(k32.message.isEmpty());

    const auto ornik = detectWith({"ornik"});
    EXPECT_EQ(ornik.weight, 10);
    EXPECT_EQ(ornik.calcType(), "2");

    const auto k99 = detectWith({"Kepral99"});
    EXPECT_EQ(k99.weight, 100);
    EXPECT_EQ(k99.calcType(), "3");
    EXPECT_TRUE(k99.message.isEmpty());
}

TEST(TrackingDetection, TitlesMustMatchExactly)
{
    // "Ornik" is not the window title "ornik"; a longer title is not the program.
    EXPECT_EQ(detectWith({"Ornik", "kepral32", "Kepral32 - AO-07"}).weight, 0);
}

TEST(TrackingDetection, SeveralProgramsPreferKepral32ThenOrnikAndSayWhich)
{
    const QString crlf = "\r\n";
    const auto a = detectWith({"Kepral32", "ornik"});
    EXPECT_EQ(a.weight, 11);
    EXPECT_EQ(a.kind, TrackingKind::Kepral32);
    EXPECT_EQ(a.message, "軌道計算プログラムが２つ(Kepral32 & Ornik)立ち上がっています" + crlf +
                             "申し訳ありませんが Kepral32 を採用致します");

    const auto b = detectWith({"Kepral32", "Kepral99"});
    EXPECT_EQ(b.weight, 101);
    EXPECT_EQ(b.kind, TrackingKind::Kepral32);
    EXPECT_EQ(b.message, "軌道計算プログラムが２つ(Kepral32 & Kepral99)立ち上がっています" + crlf +
                             "申し訳ありませんが Kepral32 を採用致します");

    const auto c = detectWith({"Kepral99", "ornik"});
    EXPECT_EQ(c.weight, 110);
    EXPECT_EQ(c.kind, TrackingKind::Ornik);
    EXPECT_EQ(c.message, "軌道計算プログラムが２つ(Kepral99 & Ornik)立ち上がっています" + crlf +
                             "申し訳ありませんが Ornik を採用致します");

    const auto d = detectWith({"Kepral99", "ornik", "Kepral32"});
    EXPECT_EQ(d.weight, 111);
    EXPECT_EQ(d.kind, TrackingKind::Kepral32);
    EXPECT_EQ(d.message, "軌道計算プログラムが３つ(Kepral32 & Ornik & Kepral99)立ち上がっています" + crlf +
                             "申し訳ありませんが Kepral32 を採用致します");
}

TEST(TrackingDetection, NoneRunningFallsBackToBuiltinAndFlagsOnlyAConfiguredOutsideProgram)
{
    const auto fresh = detectWith({});
    EXPECT_FALSE(fresh.found());
    EXPECT_EQ(fresh.kind, TrackingKind::Builtin);
    EXPECT_EQ(fresh.calcType(), "4");
    EXPECT_TRUE(fresh.message.isEmpty());
    EXPECT_FALSE(fresh.configuredProgramMissing);

    EXPECT_TRUE(detectWith({}, QString("3")).configuredProgramMissing);
    EXPECT_TRUE(detectWith({}, QString(" 2 ")).configuredProgramMissing);
    EXPECT_FALSE(detectWith({}, QString("4")).configuredProgramMissing);
    EXPECT_FALSE(detectWith({}, QString("")).configuredProgramMissing);
    EXPECT_FALSE(detectWith({}, QString("x")).configuredProgramMissing);
    // A running program is never "missing", whatever the settings say.
    EXPECT_FALSE(detectWith({"ornik"}, QString("1")).configuredProgramMissing);
}

TEST(TrackingDetection, NoProgramNoticeText)
{
    const QString crlf2 = "\r\n\r\n";
    EXPECT_EQ(td::noProgramMessage(),
              "Velomira をご利用ありがとうございます。　m(_ _)m　" + crlf2 +
                  "Velomiraは事前に[Kepral32]か[Kepral99]あるいは[Ornik]が起動している事が前提です。" +
                  crlf2 +
                  "現在その前提条件を満たしておりません、申し訳ありませんが私(Velomira)は終了致します。" +
                  crlf2 + "「OK」を押す前に上記ご対応頂ければ続行可能です");
    EXPECT_EQ(td::noProgramTitle(), "Velomira_Message");
    EXPECT_EQ(td::severalProgramsTitle(), "Velomira");
}

TEST(TrackingProgram, CalcTypesAndLinkParameters)
{
    EXPECT_EQ(kindFromCalcType("1"), TrackingKind::Kepral32);
    EXPECT_EQ(kindFromCalcType("4"), TrackingKind::Builtin);
    EXPECT_FALSE(kindFromCalcType("5").has_value());
    EXPECT_FALSE(kindFromCalcType("").has_value());
    EXPECT_EQ(trackingProgram(TrackingKind::Kepral99).exportTitle(), "DDE:Kepral99|Export");
    EXPECT_EQ(trackingProgram(TrackingKind::Ornik).exportTitle(), "DDE:Ornik|EXTRN");
    EXPECT_EQ(trackingProgram(TrackingKind::Ornik).windowTitle, "ornik");
    EXPECT_TRUE(trackingProgram(TrackingKind::Ornik).registrySection.isEmpty());
    EXPECT_EQ(trackingProgram(TrackingKind::Kepral32).rangeRateItem, "txtRangeRate");
    EXPECT_EQ(trackingProgram(TrackingKind::Ornik).rangeRateItem, "TEXT7");
}
