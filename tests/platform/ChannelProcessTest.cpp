// The channel between real processes: vmsend, the test peer and this test.

#include "platform/ChannelWire.h"
#include "platform/LocalChannel.h"

#include "ProcessTools.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>


using vm::ChannelRecord;
using vm::LocalChannel;

namespace {

constexpr int Generous = vm::test::GenerousMs;
using vm::test::waitUntil;

class ChannelProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void TearDown() override
    {
        for (auto &p : m_processes)
            vm::test::stop(*p);
    }

    QString dir() const { return m_dir.path(); }

    QProcess *start(const QString &program, const QStringList &args, const QString &stdoutFile = QString())
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(environment());
        if (!stdoutFile.isEmpty())
            p->setStandardOutputFile(stdoutFile);
        p->start(vm::test::program(program), args);
        EXPECT_TRUE(p->waitForStarted(Generous)) << qPrintable(program);
        m_processes.push_back(std::move(p));
        return m_processes.back().get();
    }

    // Runs vmsend to the end while this process does not serve anything.
    vm::test::ProgramRun vmsend(const QStringList &args)
    {
        return vm::test::runProgram(vm::test::program("vmsend"), args, environment());
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELOMIRA_RUNTIME_DIR", dir());
        return env;
    }

    static QStringList lines(const QString &file)
    {
        return QString::fromUtf8(vm::test::readFile(file)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace

TEST_F(ChannelProcessTest, TenThousandRecordsArriveCompleteAndInOrder)
{
    const QString log = QDir(dir()).filePath("received.txt");
    QProcess *peer = start("vmsend", {"--listen", "Velomira"}, log);
    LocalChannel channel(dir());
    ASSERT_TRUE(waitUntil([&] { return channel.titleExists("Velomira"); }));

    constexpr int Count = 10000;
    QStringList sent;
    int delivered = 0;
    for (int i = 0; i < Count; ++i) {
        // Alternate plain, Japanese and padded payloads.
        QString text = QStringLiteral("OPPSEQ%1").arg(i);
        if (i % 3 == 1)
            text += " 衛星";
        sent << text;
        if (i % 3 == 2)
            text += "    ";
        delivered += channel.send(QStringLiteral("Velomira"), text) ? 1 : 0;
    }
    EXPECT_EQ(delivered, Count);
    EXPECT_TRUE(channel.postCloseRequest("Velomira").delivered());
    ASSERT_TRUE(peer->waitForFinished(Generous));
    EXPECT_EQ(peer->exitCode(), 0);
    EXPECT_EQ(lines(log), sent);
}

TEST_F(ChannelProcessTest, HandlerThatSendsBackNestsInsideTheSendersWait)
{
    const QString peerLog = QDir(dir()).filePath("peer.txt");
    QProcess *peer = start("vm_channel_peer", {"bounce", "環境設定Tunavox", "Velomira"}, peerLog);
    LocalChannel channel(dir());
    ASSERT_TRUE(channel.registerTitle("Velomira"));
    ASSERT_TRUE(waitUntil([&] { return channel.titleExists("環境設定Tunavox"); }));

    QStringList received;
    channel.setRecordHandler("Velomira", [&](const ChannelRecord &r) {
        received << r.text;
        // Third level: answer the bounce while the peer waits in its send,
        // which itself runs inside our send.
        channel.sendRecord("環境設定Tunavox", "RCMACK" + r.payload); // in the peer's log below
        return quint32(0);
    });

    for (int i = 1; i <= 3; ++i) {
        const LocalChannel::Result result =
            channel.sendRecord("環境設定Tunavox", QStringLiteral("RCMPNG%1").arg(i));
        ASSERT_TRUE(result.delivered()) << qPrintable(channel.errorString());
        // The bounce was handled before our send returned.
        ASSERT_EQ(received.size(), i);
        EXPECT_EQ(received.last(), QStringLiteral("OPPBNC%1").arg(i));
        // The peer's result counts what it handled, the nested ACK included.
        EXPECT_EQ(result.value, quint32(2 * i));
    }

    channel.postClose("環境設定Tunavox");
    ASSERT_TRUE(peer->waitForFinished(Generous));
    const QStringList expected = {"RCMPNG1", "RCMACK1", "bounce delivered",
                                  "RCMPNG2", "RCMACK2", "bounce delivered",
                                  "RCMPNG3", "RCMACK3", "bounce delivered"};
    EXPECT_EQ(lines(peerLog), expected);
}

TEST_F(ChannelProcessTest, KilledOwnerLeavesAStaleSocketThatCountsAsAbsent)
{
    QProcess *peer = start("vmsend", {"--listen", "Velomira"});
    LocalChannel channel(dir());
    ASSERT_TRUE(waitUntil([&] { return channel.titleExists("Velomira"); }));
    // The title tells whose it is; this process answers for its own titles.
    EXPECT_EQ(channel.ownerProcess("Velomira"), std::optional<qint64>(peer->processId()));
    ASSERT_TRUE(channel.registerTitle("Mine"));
    EXPECT_EQ(channel.ownerProcess("Mine"), std::optional<qint64>(QCoreApplication::applicationPid()));
    peer->kill();
    ASSERT_TRUE(peer->waitForFinished(Generous));

    EXPECT_TRUE(QFile::exists(QDir(dir()).filePath("Velomira.sock")));
    EXPECT_FALSE(channel.titleExists("Velomira"));
    EXPECT_EQ(channel.ownerProcess("Velomira"), std::nullopt);
    EXPECT_EQ(channel.sendRecord("Velomira", "OPPEND").status, LocalChannel::Status::Missing);

    // A new owner takes the title over.
    start("vmsend", {"--listen", "Velomira"});
    ASSERT_TRUE(waitUntil([&] { return channel.titleExists("Velomira"); }));
    EXPECT_TRUE(channel.send("Velomira", "OPPEND"));
}

TEST_F(ChannelProcessTest, PeerThatNeverRepliesReleasesTheSender)
{
    QProcess *peer = start("vm_channel_peer", {"mute", "Velomira"});
    LocalChannel channel(dir());
    ASSERT_TRUE(waitUntil([&] { return channel.titleExists("Velomira"); }));

    const LocalChannel::Result result = channel.sendRecord("Velomira", "OPPRXS1");
    EXPECT_EQ(result.status, LocalChannel::Status::NoReply);
    EXPECT_FALSE(result.delivered());
    EXPECT_TRUE(channel.errorString().contains("no reply")) << qPrintable(channel.errorString());

    peer->closeWriteChannel();
    EXPECT_TRUE(peer->waitForFinished(Generous));
}

TEST_F(ChannelProcessTest, VmsendTalksToAListenerFromTheShell)
{
    const QString log = QDir(dir()).filePath("tracker.txt");
    const QString exportTitle = "DDE:Kepral32|Export";
    QProcess *tracker = start(
        "vmsend", {"--listen", exportTitle, "--answer", "Elevation=12.5", "--answer", "Satellite=AO-7"}, log);
    ASSERT_TRUE(waitUntil([&] { return vmsend({"--exists", exportTitle}).exitCode == 0; }));

    const struct { QStringList args; int exitCode; QString out; } cases[] = {
        {{"--exists", "Velomira"}, 1, "no"},
        {{"--item", "Satellite", exportTitle}, 0, "AO-7"},
        {{"--item", "Azimuth", exportTitle}, 1, "unknown item"},
        {{exportTitle, "RCMSAT環境"}, 0, "delivered"},
        {{"Velomira", "OPPEND"}, 1, "dropped: no such title"},
        {{"--close", exportTitle}, 0, {}}, // its output is not looked at
    };
    for (const auto &c : cases) {
        const vm::test::ProgramRun run = vmsend(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << qPrintable(c.args.join(u' '));
        if (!c.out.isNull()) { // a delivered record says more after the word
            EXPECT_EQ(c.out == u"delivered" ? run.out.left(9) : run.out.trimmed(), c.out);
        }
    }
    ASSERT_TRUE(tracker->waitForFinished(Generous));
    EXPECT_EQ(tracker->exitCode(), 0);
    EXPECT_EQ(lines(log), QStringList{"RCMSAT環境"});
    EXPECT_FALSE(QFile::exists(QDir(dir()).filePath("DDE%3AKepral32%7CExport.sock")));
}
