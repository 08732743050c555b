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

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList nonBlankLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList out;
    for (const QString &l : text.split(u'\n')) {
        if (!l.trimmed().isEmpty())
            out.append(l);
    }
    return out;
}

int blankLineCount(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    int n = 0;
    for (const QString &l : text.split(u'\n')) {
        if (l.trimmed().isEmpty())
            ++n;
    }
    return n;
}

// ---- Cases recorded from the Win32 profile calls --------------------------

struct Win32Case {
    std::string name;
    QJsonObject json;
};

void PrintTo(const Win32Case &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<Win32Case> loadWin32Cases()
{
    QFile f(QDir(vm::test::testDataDir()).filePath(QStringLiteral("win32-profile-cases.json")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QJsonArray cases =
        QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("cases")).toArray();
    std::vector<Win32Case> out;
    for (const QJsonValue &v : cases) {
        const QJsonObject o = v.toObject();
        std::string name;
        for (QChar c :
             o.value(QStringLiteral("op")).toString() + u'_' + o.value(QStringLiteral("name")).toString())
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
    const QString path = dir.filePath(QStringLiteral("case.ini"));
    const QJsonValue before = c.value(QStringLiteral("file"));
    if (!before.isNull())
        writeBytes(path, before.toString().toUtf8());
    vm::ProfileFile file(path);
    const QString section = c.value(QStringLiteral("section")).toString();
    const QString key = c.value(QStringLiteral("key")).toString();

    if (c.value(QStringLiteral("op")).toString() == u"get") {
        EXPECT_EQ(file.get(section, key, c.value(QStringLiteral("default")).toString()),
                  c.value(QStringLiteral("result")).toString());
        // Reading never changes the file.
        EXPECT_EQ(readBytes(path), before.toString().toUtf8());
        return;
    }

    const QJsonValue value = c.value(QStringLiteral("value"));
    ASSERT_TRUE(
        file.set(section, key, value.isNull() ? std::nullopt : std::optional<QString>(value.toString())));
    const QString after = QString::fromUtf8(readBytes(path));
    // Same lines in the same places; blank lines are ours to keep.
    EXPECT_EQ(nonBlankLines(after), nonBlankLines(c.value(QStringLiteral("after")).toString()));
    EXPECT_EQ(blankLineCount(after), before.isNull() ? 0 : blankLineCount(before.toString()));
    EXPECT_FALSE(after.contains(u'\r')) << "written with LF line ends";
    EXPECT_TRUE(after.endsWith(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Recorded, Win32ProfileCase, ::testing::ValuesIn(loadWin32Cases()),
                         [](const ::testing::TestParamInfo<Win32Case> &info) { return info.param.name; });

// ---- Our own rules --------------------------------------------------------

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(QStringLiteral("Velomira.ini")); }
    QTemporaryDir m_dir;
};

TEST_F(ProfileFileTest, ShiftJisFileIsReadAndRewrittenAsUtf8)
{
    const QString text =
        QStringLiteral("[HAMLOGpos]\r\nHAMLOGの場所=C:\\ハムログ\\HAMLOGW.EXE\r\nRemPos=Rem1\r\n");
    QStringEncoder sjis("Shift_JIS");
    ASSERT_TRUE(sjis.isValid());
    const QByteArray bytes = sjis.encode(text);
    ASSERT_NE(bytes, text.toUtf8());
    writeBytes(path(), bytes);

    vm::ProfileFile file(path());
    EXPECT_EQ(file.get(QStringLiteral("HAMLOGpos"), QStringLiteral("HAMLOGの場所"), QStringLiteral("-")),
              QStringLiteral("C:\\ハムログ\\HAMLOGW.EXE"));

    ASSERT_TRUE(file.set(QStringLiteral("HAMLOGpos"), QStringLiteral("RemPos"), QStringLiteral("Rem2")));
    const QByteArray written = readBytes(path());
    EXPECT_EQ(written,
              QStringLiteral("[HAMLOGpos]\nHAMLOGの場所=C:\\ハムログ\\HAMLOGW.EXE\nRemPos=Rem2\n").toUtf8());
}

TEST_F(ProfileFileTest, Utf8ByteOrderMarkIsSkipped)
{
    writeBytes(path(), QByteArray("\xEF\xBB\xBF[Sec]\nKey=V\n"));
    EXPECT_EQ(vm::ProfileFile(path()).get(QStringLiteral("Sec"), QStringLiteral("Key"), QString()), u"V");
}

TEST_F(ProfileFileTest, ValueIsCutAtNul)
{
    writeBytes(path(), QByteArray("[Sec]\nKey=ab\0cd\n", 15));
    vm::ProfileFile file(path());
    EXPECT_EQ(file.get(QStringLiteral("Sec"), QStringLiteral("Key"), QString()), u"ab");

    ASSERT_TRUE(file.set(QStringLiteral("Sec"), QStringLiteral("Other"),
                         QStringLiteral("xy") + QChar(0) + QStringLiteral("z")));
    EXPECT_EQ(file.get(QStringLiteral("Sec"), QStringLiteral("Other"), QString()), u"xy");
    EXPECT_FALSE(readBytes(path()).contains('z'));
}

TEST_F(ProfileFileTest, InputThatWouldBreakTheLineStructureIsRefused)
{
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.set(QStringLiteral("Sec"), QStringLiteral("A"), QStringLiteral("1")));
    const QByteArray before = readBytes(path());

    EXPECT_FALSE(file.set(QStringLiteral("Sec"), QStringLiteral("A"), QStringLiteral("2\n[Evil]\nB=3")));
    EXPECT_FALSE(file.set(QStringLiteral("Sec"), QStringLiteral("A=B"), QStringLiteral("x")));
    EXPECT_FALSE(file.set(QStringLiteral("Se]c"), QStringLiteral("A"), QStringLiteral("x")));
    EXPECT_FALSE(file.set(QStringLiteral("Sec"), QString(), QStringLiteral("x")));
    EXPECT_FALSE(file.set(QString(), QStringLiteral("A"), QStringLiteral("x")));
    EXPECT_FALSE(file.setMany({{QStringLiteral("Sec"), QStringLiteral("B"), QStringLiteral("fine")},
                               {QStringLiteral("Sec"), QStringLiteral("C"), QStringLiteral("bad\r")}}));
    EXPECT_EQ(readBytes(path()), before) << "a refused write changes nothing, not even its valid part";
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverReplaced)
{
    // A folder where the file should be: it cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(path()));
    vm::ProfileFile file(path());
    EXPECT_EQ(file.get(QStringLiteral("Sec"), QStringLiteral("A"), QStringLiteral("def")), u"def");
    EXPECT_FALSE(file.set(QStringLiteral("Sec"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(ProfileFileTest, RemovingFromAMissingFileCreatesNothing)
{
    vm::ProfileFile file(path());
    EXPECT_TRUE(file.set(QStringLiteral("Sec"), QStringLiteral("A"), std::nullopt));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ProfileFileTest, WritesLeaveNoTemporaryFilesAndKeepUnknownLines)
{
    writeBytes(path(), "; written by hand\r\n\r\n[Sec]\r\nodd line\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n");
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.set(QStringLiteral("Sec"), QStringLiteral("New"), QStringLiteral("x")));
    ASSERT_TRUE(file.set(QStringLiteral("Other"), QStringLiteral("B"), QStringLiteral("3")));
    EXPECT_EQ(readBytes(path()),
              QByteArray("; written by hand\n\n[Sec]\nodd line\nA=1\nNew=x\n\n[Other]\nB=3\n"));

    QStringList names = QDir(m_dir.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Velomira.ini"), QStringLiteral("Velomira.ini.lock")}));
}

TEST_F(ProfileFileTest, SetManyAppliesAllInOneWrite)
{
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.setMany({{QStringLiteral("A"), QStringLiteral("k1"), QStringLiteral("1")},
                              {QStringLiteral("B"), QStringLiteral("k2"), QStringLiteral("2")},
                              {QStringLiteral("a"), QStringLiteral("k3"), QStringLiteral("3")},
                              {QStringLiteral("B"), QStringLiteral("k2"), std::nullopt}}));
    EXPECT_EQ(readBytes(path()), QByteArray("[A]\nk1=1\nk3=3\n[B]\n"));
}

TEST_F(ProfileFileTest, RemoveKeysIfPurgesMatchingKeysOfTheSectionOnly)
{
    writeBytes(path(), "[SATinfo]\nAO-07B-mode_offset=10\nMODEoffset=700\nXX-1_offset=5\n"
                       "[Velomira]\nXX-1_offset=keep\n[SATinfo]\nYY_offset=1\n");
    vm::ProfileFile file(path());
    ASSERT_TRUE(file.removeKeysIf(QStringLiteral("satinfo"), [](const QString &key) {
        return key.endsWith(QStringLiteral("_offset")) && !key.startsWith(QStringLiteral("AO-07"));
    }));
    EXPECT_EQ(
        readBytes(path()),
        QByteArray(
            "[SATinfo]\nAO-07B-mode_offset=10\nMODEoffset=700\n[Velomira]\nXX-1_offset=keep\n[SATinfo]\n"));
}

TEST_F(ProfileFileTest, ListsSectionsAndKeys)
{
    writeBytes(path(), "[One]\nA=1\n;note=x\nB=2\na=3\nnovalue\n[Two]\nC=3\n[one]\nD=4\n");
    vm::ProfileFile file(path());
    EXPECT_EQ(file.sections(), (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));
    EXPECT_EQ(file.keys(QStringLiteral("ONE")), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_TRUE(file.keys(QStringLiteral("Three")).isEmpty());
}

TEST_F(ProfileFileTest, RemoveDeletesTheFile)
{
    vm::ProfileFile file(path());
    EXPECT_TRUE(file.remove());
    ASSERT_TRUE(file.set(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")));
    EXPECT_TRUE(file.remove());
    EXPECT_FALSE(QFile::exists(path()));
}

} // namespace
