// The channel in one process: a program sending to its own titles (served
// inside its own wait), raw socket clients for malformed traffic, and the
// bookkeeping of titles and socket files.

#include "platform/LocalChannel.h"
#include "platform/ChannelWire.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using vm::ChannelRecord;
using vm::LocalChannel;
namespace wire = vm::ChannelWire;

namespace {

class LocalChannelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString dir() const { return m_dir.path(); }
    QString socketFile(const QString &title) const
    {
        return QDir(dir()).filePath(wire::socketFileName(title));
    }

    // A plain blocking client socket connected to the title's endpoint.
    int connectRaw(const QString &title) const
    {
        const QByteArray path = QFile::encodeName(socketFile(title));
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.constData(), path.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    // A raw client that has sent `bytes`; -1 when it could not.
    int connectAndSend(const QString &title, const QByteArray &bytes) const
    {
        const int fd = connectRaw(title);
        if (fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    static QByteArray readAll(int fd)
    {
        QByteArray data;
        char buf[512];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof(buf))) > 0)
            data.append(buf, n);
        return data;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(LocalChannelTest, RecordToOwnTitleIsHandledInsideTheSendWhoseHandlerMayUnregisterIt)
{
    LocalChannel channel(dir());
    ASSERT_TRUE(channel.registerTitle("Velomira")) << qPrintable(channel.errorString());
    std::vector<ChannelRecord> seen;
    channel.setRecordHandler("Velomira", [&](const ChannelRecord &r) {
        seen.push_back(r);
        return quint32(seen.size() + 40);
    });

    const LocalChannel::Result result = channel.sendRecord("Velomira", "OPPRXS145950000  ");
    ASSERT_TRUE(result.delivered()) << qPrintable(channel.errorString());
    EXPECT_EQ(result.value, 41u);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].payload, "145950000");

    // A handler may unregister its own title.
    const QString title = "Velomira";
    channel.setRecordHandler(title, [&](const ChannelRecord &r) {
        channel.unregisterTitle(title);
        return quint32(r.text.size());
    });
    const LocalChannel::Result last = channel.sendRecord(title, "OPPEND");
    EXPECT_TRUE(last.delivered());
    EXPECT_EQ(last.value, 6u);
    EXPECT_FALSE(channel.titleExists(title));
    EXPECT_EQ(channel.sendRecord(title, "OPPEND").status, LocalChannel::Status::Missing);
}

// Items of an item handler, between processes: ChannelProcessTest.VmsendTalksToAListenerFromTheShell.
TEST_F(LocalChannelTest, EachOfAProgramsTitlesHasItsOwnHandlers)
{
    LocalChannel channel(dir());
    const QString main = "Kepral32";
    const QString exportTitle = "DDE:Kepral32|Export";
    ASSERT_TRUE(channel.registerTitle(main));
    ASSERT_TRUE(channel.registerTitle(exportTitle));
    QStringList mainRecords;
    channel.setRecordHandler(main,
                             [&](const ChannelRecord &r) { return quint32((mainRecords << r.text).size()); });
    channel.setItemHandler(exportTitle, [](const QString &) -> std::optional<QString> { return "23.5"; });

    EXPECT_EQ(channel.requestItem(main, "Elevation").value, 0u); // no item handler: unknown
    // No record handler: the record is taken, result 0.
    const LocalChannel::Result toExport = channel.sendRecord(exportTitle, "RCMXXX");
    EXPECT_TRUE(toExport.delivered());
    EXPECT_EQ(toExport.value, 0u);
    EXPECT_EQ(channel.sendRecord(main, "RCMXXX").value, 1u);
    EXPECT_EQ(mainRecords, QStringList{"RCMXXX"});
}

TEST_F(LocalChannelTest, CloseRequestIsPostedAndHandledLater)
{
    LocalChannel channel(dir());
    ASSERT_TRUE(channel.registerTitle("環境設定Tunavox"));
    int closes = 0;
    channel.setCloseHandler("環境設定Tunavox", [&] { ++closes; });

    EXPECT_TRUE(channel.postCloseRequest("環境設定Tunavox").delivered());
    EXPECT_EQ(closes, 0); // posted: the sender does not wait for the handler
    EXPECT_EQ(channel.processPending(30000), 1);
    EXPECT_EQ(closes, 1);
}

TEST_F(LocalChannelTest, TitlesExistOnlyWhileSomethingListens)
{
    LocalChannel owner(dir());
    LocalChannel other(dir());
    const QString title = "WaterFall for Velomira";
    ASSERT_TRUE(owner.registerTitle(title));
    EXPECT_TRUE(other.titleExists(title));
    EXPECT_TRUE(owner.titleExists(title));

    // A second owner is refused while the first one listens.
    EXPECT_FALSE(other.registerTitle(title));
    EXPECT_TRUE(other.errorString().contains("owned by another program")) << qPrintable(other.errorString());

    owner.unregisterTitle(title);
    EXPECT_FALSE(QFile::exists(socketFile(title)));
    EXPECT_FALSE(other.titleExists(title));
    EXPECT_TRUE(other.registerTitle(title));
}

TEST_F(LocalChannelTest, AFileThatIsNotASocketIsNeverRemoved)
{
    const QString title = "Velomira";
    ASSERT_TRUE(vm::test::writeFile(socketFile(title), "operator's file"));

    LocalChannel channel(dir());
    EXPECT_FALSE(channel.registerTitle(title));
    EXPECT_TRUE(channel.errorString().contains("not a socket")) << qPrintable(channel.errorString());
    EXPECT_FALSE(channel.titleExists(title));
    EXPECT_EQ(vm::test::readFile(socketFile(title)), QByteArray("operator's file"));
}

TEST_F(LocalChannelTest, ClosingFlagStopsEverySend)
{
    LocalChannel channel(dir());
    ASSERT_TRUE(channel.registerTitle("Velomira"));
    int records = 0;
    int closes = 0;
    channel.setRecordHandler("Velomira", [&](const ChannelRecord &) { return quint32(++records); });
    channel.setCloseHandler("Velomira", [&] { ++closes; });

    channel.setClosing(true);
    EXPECT_EQ(channel.sendRecord("Velomira", "OPPEND").status, LocalChannel::Status::Closing);
    EXPECT_FALSE(channel.send("Velomira", "OPPEND"));
    channel.postClose("Velomira");
    EXPECT_EQ(channel.processPending(0), 0);
    EXPECT_EQ(records, 0);
    EXPECT_EQ(closes, 0);

    // Receiving goes on while closing.
    const int fd = connectAndSend("Velomira", wire::request(wire::WmCopyData, 0, QByteArray("OPPEND")));
    ASSERT_GE(fd, 0);
    EXPECT_EQ(channel.processPending(30000), 1);
    EXPECT_EQ(records, 1);
    ::close(fd);
}

TEST_F(LocalChannelTest, MalformedTrafficIsDroppedAndServiceGoesOn)
{
    LocalChannel channel(dir());
    const QString title = "Velomira";
    ASSERT_TRUE(channel.registerTitle(title));
    QStringList seen;
    channel.setRecordHandler(title, [&](const ChannelRecord &r) {
        seen << r.text;
        return quint32(5);
    });

    // A frame announcing 4 GiB: refused from its header, the connection closed.
    const int huge = connectAndSend(title, QByteArray::fromHex("4a000000 00000000 ffffffff 52434d"));
    ASSERT_GE(huge, 0);
    // A sender that leaves after half a frame.
    const QByteArray frame = wire::request(wire::WmCopyData, 0, QByteArray("OPPRXS1"));
    const int half = connectAndSend(title, frame.left(9));
    ASSERT_GE(half, 0);
    ::close(half);
    // An unknown message number still gets an answer, so its sender is not left waiting.
    const int odd = connectAndSend(title, wire::request(0x111, 0, QByteArray("x")));
    ASSERT_GE(odd, 0);

    EXPECT_EQ(channel.processPending(200), 1); // only the unknown message was complete
    EXPECT_TRUE(readAll(huge).isEmpty());      // closed without a reply
    ::close(huge);
    wire::Reply reply;
    ASSERT_EQ(wire::parseReply(readAll(odd), &reply), wire::ParseState::Complete);
    EXPECT_EQ(reply.result, 0u);
    ::close(odd);
    EXPECT_TRUE(seen.isEmpty());

    // A frame that arrives in pieces is put together.
    const int slow = connectAndSend(title, frame.left(5));
    ASSERT_GE(slow, 0);
    EXPECT_EQ(channel.processPending(0), 0);
    ASSERT_EQ(::write(slow, frame.constData() + 5, frame.size() - 5), frame.size() - 5);
    EXPECT_EQ(channel.processPending(30000), 1);
    ASSERT_EQ(wire::parseReply(readAll(slow), &reply), wire::ParseState::Complete);
    EXPECT_EQ(reply.result, 5u);
    ::close(slow);

    EXPECT_EQ(seen, QStringList{"OPPRXS1"});
    EXPECT_TRUE(channel.send(title, "OPPRXS2"));
}

TEST_F(LocalChannelTest, DestructionRemovesOwnSocketFiles)
{
    {
        LocalChannel channel(dir());
        ASSERT_TRUE(channel.registerTitle("Velomira"));
        ASSERT_TRUE(channel.registerTitle("環境設定Tunavox"));
        EXPECT_EQ(QDir(dir()).entryList(QDir::System | QDir::Files).size(), 2);
    }
    EXPECT_TRUE(QDir(dir()).entryList(QDir::System | QDir::Files).isEmpty());
}

// The unfinished-frame limit on both ways a program reads: through the event
// loop (the controller) and through its own waits (a program without one).
// A silent peer and one trickling a byte at a time (which stops inside the
// header first) are each cut off at the limit and never handled.
namespace {

enum class ReadPath { EventLoop, OwnWait };
enum class Peer { Silent, Trickle };

struct LimitCase { const char *name; ReadPath path; Peer peer; };

void PrintTo(const LimitCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChannelLimitTest : public LocalChannelTest, public ::testing::WithParamInterface<LimitCase> {};

// True once the channel has closed the peer's end.
bool cutOff(int fd)
{
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0)
        return false;
    char c;
    return ::recv(fd, &c, 1, MSG_DONTWAIT) == 0 || (p.revents & (POLLHUP | POLLERR)) != 0;
}

} // namespace

TEST_P(ChannelLimitTest, UnfinishedFrameIsCutOffAtTheLimit)
{
    const LimitCase &c = GetParam();
    int argc = 1;
    char arg0[] = "test";
    char *argv[] = {arg0, nullptr};
    std::optional<QCoreApplication> app;
    if (c.path == ReadPath::EventLoop)
        app.emplace(argc, argv);

    constexpr int LimitMs = 300;
    LocalChannel channel(dir());
    channel.setIncompleteFrameLimitMs(LimitMs);
    const QString title = QStringLiteral("環境設定Tunavox");
    ASSERT_TRUE(channel.registerTitle(title));
    int handled = 0;
    channel.setRecordHandler(title, [&](const ChannelRecord &) { return quint32(++handled); });

    const QByteArray frame = wire::request(wire::WmCopyData, 0, QByteArray(60, 'R'));
    const int peer = connectRaw(title);
    ASSERT_GE(peer, 0);
    QElapsedTimer since;
    since.start();
    qsizetype sent = 0;

    // Wait for the cut with a generous time-out; the trickler sends a byte
    // every 50 ms, too slow to finish the frame (3.6 s) before the limit.
    bool cut = false;
    qint64 lastByteMs = -1000;
    while (!(cut = cutOff(peer)) && since.elapsed() < 20000) {
        if (c.peer == Peer::Trickle && sent < frame.size() && since.elapsed() - lastByteMs >= 50) {
            sent += std::max<ssize_t>(::send(peer, frame.constData() + sent, 1, MSG_NOSIGNAL), 0);
            lastByteMs = since.elapsed();
        }
        if (c.path == ReadPath::EventLoop) {
            pollfd p{peer, POLLIN, 0};
            ::poll(&p, 1, 10);
            QCoreApplication::processEvents();
        } else {
            channel.processPending(10);
        }
    }
    EXPECT_TRUE(cut) << "still connected after " << since.elapsed() << " ms";
    EXPECT_GE(since.elapsed(), LimitMs);
    EXPECT_LT(sent, frame.size());
    EXPECT_EQ(handled, 0);
    ::close(peer);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ChannelLimitTest,
    ::testing::Values(LimitCase{"EventLoopSilent", ReadPath::EventLoop, Peer::Silent},
                      LimitCase{"EventLoopTrickle", ReadPath::EventLoop, Peer::Trickle},
                      LimitCase{"OwnWaitSilent", ReadPath::OwnWait, Peer::Silent},
                      LimitCase{"OwnWaitTrickle", ReadPath::OwnWait, Peer::Trickle}),
    [](const auto &info) { return std::string(info.param.name); });

// Refused frames from a flooding peer: the first few are logged, the rest
// counted into one summary line.
namespace {
QStringList *g_logged = nullptr;
void keepChannelWarnings(QtMsgType, const QMessageLogContext &context, const QString &text)
{
    if (g_logged && context.category && QByteArray(context.category) == "velomira.channel")
        g_logged->append(text);
}
} // namespace

TEST_F(LocalChannelTest, RefusedFramesAreLoggedAtALimitedRate)
{
    QStringList logged;
    g_logged = &logged;
    const QtMessageHandler previous = qInstallMessageHandler(keepChannelWarnings);
    {
        LocalChannel channel(dir());
        const QString title = QStringLiteral("Velomira");
        ASSERT_TRUE(channel.registerTitle(title));
        const QByteArray huge("\x4a\0\0\0\0\0\0\0\xff\xff\xff\xff", 12);
        for (int i = 0; i < 30; ++i) {
            const int fd = connectAndSend(title, huge);
            ASSERT_GE(fd, 0);
            ::close(fd);
            channel.processPending(0);
        }
        EXPECT_EQ(logged.size(), vm::WarningRate::DefaultPerWindow);
    } // the summary of the rest is written at the end
    qInstallMessageHandler(previous);
    g_logged = nullptr;
    ASSERT_EQ(logged.size(), vm::WarningRate::DefaultPerWindow + 1);
    EXPECT_TRUE(logged.last().startsWith(QStringLiteral("20 more like warnings")))
        << logged.last().toStdString();
}

TEST(WarningRateTest, CountsPerWindowAndSummarizesTheRest)
{
    vm::WarningRate rate(2, 60000);
    EXPECT_EQ(rate.note(QStringLiteral("a"), 0), QStringList{QStringLiteral("a")});
    EXPECT_EQ(rate.note(QStringLiteral("b"), 1000), QStringList{QStringLiteral("b")});
    EXPECT_TRUE(rate.note(QStringLiteral("c"), 2000).isEmpty());
    EXPECT_TRUE(rate.note(QStringLiteral("d"), 59999).isEmpty());
    EXPECT_TRUE(rate.due(59999).isEmpty());
    EXPECT_EQ(rate.due(60000),
              QStringLiteral("2 more like warnings in the last 60 s were not written (2 in all)"));
    EXPECT_TRUE(rate.due(60001).isEmpty()); // said once
    const QStringList next = rate.note(QStringLiteral("e"), 200000);
    EXPECT_EQ(next, QStringList{QStringLiteral("e")});
    EXPECT_TRUE(rate.flush().isEmpty());
}
