// The channel in one process: a program sending to its own titles (served
// inside its own wait), raw socket clients for malformed traffic, and the
// bookkeeping of titles and socket files.

#include "platform/LocalChannel.h"
#include "platform/ChannelWire.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
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

TEST_F(LocalChannelTest, RecordToOwnTitleIsHandledInsideTheSend)
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
    EXPECT_EQ(seen[0].family, "OPP");
    EXPECT_EQ(seen[0].command, "RXS");
    EXPECT_EQ(seen[0].payload, "145950000");

    EXPECT_TRUE(channel.send("Velomira", "OPPSAN環境設定"));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].payload, "環境設定");
}

TEST_F(LocalChannelTest, OneProgramOwnsSeveralTitlesEachWithItsHandlers)
{
    LocalChannel channel(dir());
    const QString main = "Kepral32";
    const QString exportTitle = "DDE:Kepral32|Export";
    ASSERT_TRUE(channel.registerTitle(main));
    ASSERT_TRUE(channel.registerTitle(exportTitle));
    EXPECT_TRUE(QFile::exists(QDir(dir()).filePath("DDE%3AKepral32%7CExport.sock")));
    EXPECT_EQ(channel.titles(), QStringList({main, exportTitle}));

    QStringList mainRecords;
    channel.setRecordHandler(main, [&](const ChannelRecord &r) {
        mainRecords << r.text;
        return quint32(1);
    });
    channel.setItemHandler(exportTitle, [](const QString &item) -> std::optional<QString> {
        if (item == "Elevation")
            return "23.5";
        return std::nullopt;
    });

    const LocalChannel::Result known = channel.requestItem(exportTitle, "Elevation");
    ASSERT_TRUE(known.delivered());
    EXPECT_NE(known.value, 0u);
    EXPECT_EQ(known.data, QByteArray("23.5"));

    const LocalChannel::Result unknown = channel.requestItem(exportTitle, "Nonsense");
    ASSERT_TRUE(unknown.delivered());
    EXPECT_EQ(unknown.value, 0u);
    EXPECT_TRUE(unknown.data.isEmpty());

    // The main title has no item handler: every item is unknown there.
    EXPECT_EQ(channel.requestItem(main, "Elevation").value, 0u);
    // The export title has no record handler: the record is taken, result 0.
    const LocalChannel::Result toExport = channel.sendRecord(exportTitle, "RCMXXX");
    EXPECT_TRUE(toExport.delivered());
    EXPECT_EQ(toExport.value, 0u);
    EXPECT_TRUE(mainRecords.isEmpty());

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
    EXPECT_FALSE(other.titleExists(title));
    EXPECT_EQ(other.sendRecord(title, "MWFDOP1").status, LocalChannel::Status::Missing);

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
    QFile file(socketFile(title));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("operator's file");
    file.close();

    LocalChannel channel(dir());
    EXPECT_FALSE(channel.registerTitle(title));
    EXPECT_TRUE(channel.errorString().contains("not a socket")) << qPrintable(channel.errorString());
    EXPECT_FALSE(channel.titleExists(title));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("operator's file"));
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
    const int fd = connectRaw("Velomira");
    ASSERT_GE(fd, 0);
    const QByteArray frame = wire::request(wire::WmCopyData, 0, QByteArray("OPPEND"));
    ASSERT_EQ(::write(fd, frame.constData(), frame.size()), frame.size());
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
    const int huge = connectRaw(title);
    ASSERT_GE(huge, 0);
    const QByteArray header("\x4a\0\0\0"
                            "\0\0\0\0"
                            "\xff\xff\xff\xff"
                            "RCM",
                            15);
    ASSERT_EQ(::write(huge, header.constData(), header.size()), header.size());
    // A sender that leaves after half a frame.
    const int half = connectRaw(title);
    ASSERT_GE(half, 0);
    const QByteArray frame = wire::request(wire::WmCopyData, 0, QByteArray("OPPRXS1"));
    ASSERT_EQ(::write(half, frame.constData(), 9), 9);
    ::close(half);
    // A presence probe: connect and leave.
    ::close(connectRaw(title));
    // An unknown message number still gets an answer, so its sender is not left waiting.
    const int odd = connectRaw(title);
    ASSERT_GE(odd, 0);
    const QByteArray oddFrame = wire::request(0x111, 0, QByteArray("x"));
    ASSERT_EQ(::write(odd, oddFrame.constData(), oddFrame.size()), oddFrame.size());

    EXPECT_EQ(channel.processPending(200), 1); // only the unknown message was complete
    EXPECT_TRUE(readAll(huge).isEmpty());      // closed without a reply
    ::close(huge);
    wire::Reply reply;
    ASSERT_EQ(wire::parseReply(readAll(odd), &reply), wire::ParseState::Complete);
    EXPECT_EQ(reply.result, 0u);
    ::close(odd);
    EXPECT_TRUE(seen.isEmpty());

    // A frame that arrives in pieces is put together.
    const int slow = connectRaw(title);
    ASSERT_GE(slow, 0);
    ASSERT_EQ(::write(slow, frame.constData(), 5), 5);
    EXPECT_EQ(channel.processPending(0), 0);
    ASSERT_EQ(::write(slow, frame.constData() + 5, frame.size() - 5), frame.size() - 5);
    EXPECT_EQ(channel.processPending(30000), 1);
    ASSERT_EQ(wire::parseReply(readAll(slow), &reply), wire::ParseState::Complete);
    EXPECT_EQ(reply.result, 5u);
    ::close(slow);

    EXPECT_EQ(seen, QStringList{"OPPRXS1"});
    EXPECT_TRUE(channel.send(title, "OPPRXS2"));
}

TEST_F(LocalChannelTest, UnregisterFromInsideItsOwnHandlerIsSafe)
{
    LocalChannel channel(dir());
    const QString title = "Velomira";
    ASSERT_TRUE(channel.registerTitle(title));
    channel.setRecordHandler(title, [&](const ChannelRecord &r) {
        channel.unregisterTitle(title);
        return quint32(r.text.size());
    });
    const LocalChannel::Result result = channel.sendRecord(title, "OPPEND");
    EXPECT_TRUE(result.delivered());
    EXPECT_EQ(result.value, 6u);
    EXPECT_FALSE(channel.titleExists(title));
    EXPECT_EQ(channel.sendRecord(title, "OPPEND").status, LocalChannel::Status::Missing);
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
