#include "common/ProfileFile.h"

#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using vm::test::readFile;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(vm::test::writeFile(path, bytes));
}

// The lines that are not blank, and how many are.
std::pair<QStringList, int> linesAndBlanks(QString text)
{
    text.replace("\r\n", "\n");
    if (text.endsWith(u'\n'))
        text.chop(1);
    std::pair<QStringList, int> out{{}, 0};
    for (const QString &l : text.split(u'\n')) {
        if (l.trimmed().isEmpty())
            ++out.second;
        else
            out.first.append(l);
    }
    return out;
}

// ---- Cases recorded from the Win32 profile calls --------------------------

struct Win32Case { std::string name; QJsonObject json; };

void PrintTo(const Win32Case &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<Win32Case> loadWin32Cases()
{
    const QJsonArray cases =
        QJsonDocument::fromJson(readFile(QDir(vm::test::testDataDir()).filePath("win32-profile-cases.json"))).object().value("cases").toArray();
    std::vector<Win32Case> out;
    for (const QJsonValue &v : cases) {
        const QJsonObject o = v.toObject();
        std::string name;
        for (QChar c : o.value("op").toString() + u'_' + o.value("name").toString())
            name += c.isLetterOrNumber() && c.unicode() < 128 ? char(c.unicode()) : '_';
        out.push_back({name + "_" + std::to_string(out.size()), o});
    }
    return out;
}

class Win32ProfileCase : public ::testing::TestWithParam<Win32Case> {};

TEST(Win32ProfileCases, AreAvailable)
{
    const auto cases = loadWin32Cases();
    ASSERT_GE(cases.size(), 40u) << "win32-profile-cases.json missing or unreadable";
}

TEST_P(Win32ProfileCase, BehavesLikeWindows)
{
    const QJsonObject c = GetParam().json;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("case.ini");
    const QJsonValue before = c.value("file");
    if (!before.isNull())
        writeBytes(path, before.toString().toUtf8());
    vm::ProfileFile file(path);
    const QString section = c.value("section").toString();
    const QString key = c.value("key").toString();

    if (c.value("op").toString() == u"get") {
        EXPECT_EQ(file.get(section, key, c.value("default").toString()), c.value("result").toString());
        // Reading never changes the file.
        EXPECT_EQ(readFile(path), before.toString().toUtf8());
        return;
    }

    const QJsonValue value = c.value("value");
    ASSERT_TRUE(
        file.set(section, key, value.isNull() ? std::nullopt : std::optional<QString>(value.toString())));
    const QString after = QString::fromUtf8(readFile(path));
    // Same lines in the same places; blank lines are ours to keep.
    EXPECT_EQ(linesAndBlanks(after).first, linesAndBlanks(c.value("after").toString()).first);
    EXPECT_EQ(linesAndBlanks(after).second, before.isNull() ? 0 : linesAndBlanks(before.toString()).second);
    EXPECT_FALSE(after.contains(u'\r')) << "written with LF line ends";
    EXPECT_TRUE(after.endsWith(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Recorded, Win32ProfileCase, ::testing::ValuesIn(loadWin32Cases()),
                         [](const ::testing::TestParamInfo<Win32Case> &info) { return info.param.name; });

// ---- Our own rules --------------------------------------------------------

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath("Velomira.ini"); }
    QTemporaryDir m_dir;
};

TEST_F(ProfileFileTest, ShiftJisAndByteOrderMarkAreReadAndRewrittenAsUtf8)
{
    const QString text = "[HAMLOGpos]\r\nHAMLOGの場所=C:\\ハムログ\\HAMLOGW.EXE\r\nRemPos=Rem1\r\n";
    QStringEncoder sjis("Shift_JIS");
    ASSERT_TRUE(sjis.isValid());
    const QByteArray bytes = sjis.encode(text);
    ASSERT_NE(bytes, text.toUtf8());
    writeBytes(path(), bytes);

    vm::ProfileFile file(path());
    EXPECT_EQ(file.get("HAMLOGpos", "HAMLOGの場所", "-"), "C:\\ハムログ\\HAMLOGW.EXE");

    ASSERT_TRUE(file.set("HAMLOGpos", "RemPos", "Rem2"));
    const QByteArray written = readFile(path());
    EXPECT_EQ(written,
              QStringLiteral("[HAMLOGpos]\nHAMLOGの場所=C:\\ハムログ\\HAMLOGW.EXE\nRemPos=Rem2\n").toUtf8());

    // A UTF-8 byte order mark is skipped.
    writeBytes(path(), QByteArray("\xEF\xBB\xBF[Sec]\nKey=V\n"));
    EXPECT_EQ(vm::ProfileFile(path()).get("Sec", "Key", QString()), u"V");
}

TEST_F(ProfileFileTest, ValueIsCutAtNul)
{
    writeBytes(path(), QByteArray("[Sec]\nKey=ab\0cd\n", 15));
    vm::ProfileFile file(path());
    EXPECT_EQ(file.get("Sec", "Key", QString()), u"ab");

    ASSERT_TRUE(file.set("Sec", "Other", QString("xy") + QChar(0) + "z"));
    EXPECT_EQ(file.get("Sec", "Other", QString()), u"xy");
    EXPECT_FALSE(readFile(path()).contains('z'));
}

TEST_F(ProfileFileTest, InputThatWouldBreakTheLineStructureIsRefused)
{
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.set("Sec", "A", "1"));
    const QByteArray before = readFile(path());

    EXPECT_FALSE(file.set("Sec", "A", "2\n[Evil]\nB=3"));
    EXPECT_FALSE(file.set("Sec", "A=B", "x"));
    EXPECT_FALSE(file.set("Se]c", "A", "x"));
    EXPECT_FALSE(file.set("Sec", QString(), "x"));
    EXPECT_FALSE(file.set(QString(), "A", "x"));
    EXPECT_FALSE(file.setMany({{"Sec", "B", "fine"}, {"Sec", "C", "bad\r"}}));
    EXPECT_EQ(readFile(path()), before) << "a refused write changes nothing, not even its valid part";
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverReplacedAndAMissingOneNotCreated)
{
    // A folder where the file should be: it cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(path()));
    vm::ProfileFile file(path());
    EXPECT_EQ(file.get("Sec", "A", "def"), u"def");
    EXPECT_FALSE(file.set("Sec", "A", "1"));
    EXPECT_TRUE(QFileInfo(path()).isDir());

    // Removing from a missing file creates nothing.
    const QString missing = m_dir.filePath("none.ini");
    EXPECT_TRUE(vm::ProfileFile(missing).set("Sec", "A", std::nullopt));
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ProfileFileTest, WritesLeaveNoTemporaryFilesAndKeepUnknownLines)
{
    writeBytes(path(), "; written by hand\r\n\r\n[Sec]\r\nodd line\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n");
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.set("Sec", "New", "x"));
    ASSERT_TRUE(file.set("Other", "B", "3"));
    EXPECT_EQ(readFile(path()),
              QByteArray("; written by hand\n\n[Sec]\nodd line\nA=1\nNew=x\n\n[Other]\nB=3\n"));

    QStringList names = QDir(m_dir.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Velomira.ini", "Velomira.ini.lock"}));
}

TEST_F(ProfileFileTest, SetManyAppliesAllInOneWrite)
{
    vm::ProfileFile file(path());
    ASSERT_TRUE(
        file.setMany({{"A", "k1", "1"}, {"B", "k2", "2"}, {"a", "k3", "3"}, {"B", "k2", std::nullopt}}));
    EXPECT_EQ(readFile(path()), QByteArray("[A]\nk1=1\nk3=3\n[B]\n"));
}

TEST_F(ProfileFileTest, RemoveKeysIfPurgesMatchingKeysOfTheSectionOnly)
{
    writeBytes(path(), "[SATinfo]\nAO-07B-mode_offset=10\nMODEoffset=700\nXX-1_offset=5\n"
                       "[Velomira]\nXX-1_offset=keep\n[SATinfo]\nYY_offset=1\n");
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.removeKeysIf(
        "satinfo", [](const QString &key) { return key.endsWith("_offset") && !key.startsWith("AO-07"); }));
    EXPECT_EQ(
        readFile(path()),
        QByteArray(
            "[SATinfo]\nAO-07B-mode_offset=10\nMODEoffset=700\n[Velomira]\nXX-1_offset=keep\n[SATinfo]\n"));
}

TEST_F(ProfileFileTest, ListsSectionsAndKeys)
{
    writeBytes(path(), "[One]\nA=1\n;note=x\nB=2\na=3\nnovalue\n[Two]\nC=3\n[one]\nD=4\n");
    vm::ProfileFile file(path());
    EXPECT_EQ(file.sections(), (QStringList{"One", "Two"}));
    EXPECT_EQ(file.keys("ONE"), (QStringList{"A", "B"}));
    EXPECT_TRUE(file.keys("Three").isEmpty());
}

} // namespace
