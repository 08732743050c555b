#include "common/TextFile.h"

#include "TestPaths.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TextFile, DecodesUtf8OrShiftJisAndSplitsOnAnyLineEnd)
{
    const QString text = "衛 星 名,ＭＳ Ｐゴシック,①";
    EXPECT_EQ(vm::TextFile::decode(text.toUtf8()), text);

    QStringEncoder cp932("windows-31j");
    ASSERT_TRUE(cp932.isValid());
    const QByteArray sjis = cp932.encode(text);
    EXPECT_FALSE(vm::TextFile::isUtf8(sjis));
    EXPECT_EQ(vm::TextFile::decode(sjis), text);

    // Lines split on any line end.
    EXPECT_EQ(vm::TextFile::splitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(vm::TextFile::splitLines("a\r\n\r\n"), (QStringList{"a", QString()}));
    EXPECT_TRUE(vm::TextFile::splitLines(QString()).isEmpty());
}

TEST(TextFile, WritesUtf8AtomicallyAndReportsFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("t.txt");
    ASSERT_TRUE(vm::TextFile::writeLinesAtomic(path, {"ふじ", "x"}));
    EXPECT_EQ(vm::test::readFile(path), QStringLiteral("ふじ\nx\n").toUtf8());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.txt"});

    QString error;
    EXPECT_FALSE(vm::TextFile::writeAtomic(dir.filePath("missing/t.txt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(vm::TextFile::read(dir.filePath("none"), &error).has_value());
    EXPECT_TRUE(error.contains("none"));
}

} // namespace
